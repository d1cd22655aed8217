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

# Hardening: each variant builds in a folder of its own.
.PHONY: sanitize memcheck tidy fuzz clean-variants

tidy:
	cmake -S . -B build-tidy -DTAVLON_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	clang-tidy -p build-tidy --quiet src/*.cpp

# The whole suite with ASan and UBSan; any report fails the run.
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g
sanitize:
	cmake -S . -B build-sanitize "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)"
	cmake --build build-sanitize --parallel $(JOBS)
	cd build-sanitize && ctest --output-on-failure --parallel 2

# The whole-program tests with every run of tavlon under valgrind memcheck.
MEMCHECK = valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=all
memcheck: all
	cd $(BUILD) && TAVLON_WRAPPER="$(MEMCHECK)" ctest --output-on-failure --parallel 2 -L program

clean: clean-variants
clean-variants:
	rm -rf build-tidy build-fuzz build-sanitize

# libFuzzer with clang; new inputs go to build-fuzz/corpus, findings to build-fuzz/.
FUZZ_SECONDS ?= 60
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g
fuzz:
	cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTAVLON_FUZZER=ON "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)"
	cmake --build build-fuzz --parallel $(JOBS) --target transcoder_fuzzer
	mkdir -p build-fuzz/corpus
	build-fuzz/fuzz/transcoder_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus
