// Throughput of the transcoder on in-memory index files, against the plain
// reference model.
#include <benchmark/benchmark.h>

#include "corpus.h"
#include "memory_streams.h"
#include "reference_model.h"
#include "transcoder.h"

namespace tavlon {
namespace {

constexpr std::size_t CORPUS_BYTES = 16 << 20;

// Counts the output without keeping it, so the sink costs nothing.
class CountingSink final : public ByteSink {
public:
    [[nodiscard]] int write(const unsigned char*, std::size_t length) override
    {
        bytes += length;
        return 0;
    }
    std::size_t bytes = 0;
};

const std::string& corpus(CorpusKind kind)
{
    static const std::string dense = make_corpus(CorpusKind::dense, CORPUS_BYTES);
    static const std::string sparse = make_corpus(CorpusKind::sparse, CORPUS_BYTES);
    return kind == CorpusKind::dense ? dense : sparse;
}

void convert(benchmark::State& state, CorpusKind kind)
{
    const std::string& input = corpus(kind);
    for (auto _ : state) {
        MemorySource source(input);
        CountingSink sink;
        if (convert_stream(source, sink).status != ConvertStatus::ok) {
            state.SkipWithError("conversion failed");
            return;
        }
        benchmark::DoNotOptimize(sink.bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void reference(benchmark::State& state, CorpusKind kind)
{
    const std::string input = corpus(kind).substr(0, CORPUS_BYTES / 16);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference_convert(input));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

BENCHMARK_CAPTURE(convert, dense, CorpusKind::dense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(convert, sparse, CorpusKind::sparse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference, dense, CorpusKind::dense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(reference, sparse, CorpusKind::sparse)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavlon

BENCHMARK_MAIN();
