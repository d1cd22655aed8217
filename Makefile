# A thin front over CMake.
BUILD ?= build
PREFIX ?= /usr/local
DESTDIR ?=
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all test demo bench install clean

all: $(BUILD)/Makefile
	cmake --build $(BUILD) --parallel $(JOBS)

$(BUILD)/Makefile: CMakeLists.txt tests/CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS)

test: all
	cd $(BUILD) && ctest --output-on-failure --parallel 2

demo: all
	@echo "LaTeX wrote (first lines of examples/russian-cp1251.idx):"
	@head -n 3 examples/russian-cp1251.idx
	@$(BUILD)/tavlon examples/russian-cp1251.idx $(BUILD)/demo.idx
	@echo
	@echo "tavlon made (Windows-1251, shown here in UTF-8):"
	@iconv -f CP1251 -t UTF-8 $(BUILD)/demo.idx | head -n 3
	@echo
	@cmp -s examples/russian-cp1251.idx examples/russian-koi8-r.idx && \
	  echo "examples/russian-koi8-r.tex, in KOI8-R, gave LaTeX the very same index."
	@echo "README.md shows how makeindex then sorts it in Russian alphabetical order."

# Throughput in memory, then whole-process timings against copying the file.
bench: all
	@test -x $(BUILD)/bench/transcoder_bench || { echo "bench: install libbenchmark-dev and run make again" >&2; exit 1; }
	$(BUILD)/bench/transcoder_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
	bench/compare.sh $(BUILD)

install: all
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
