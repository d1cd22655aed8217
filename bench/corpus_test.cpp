// The transcoder must equal the reference model on what the benchmarks time.
#include <gtest/gtest.h>

#include "corpus.h"
#include "memory_streams.h"
#include "reference_model.h"

namespace tavlon {
namespace {

TEST(Corpus, TranscoderEqualsTheReferenceOnEveryCorpus)
{
    for (const CorpusKind kind : {CorpusKind::dense, CorpusKind::sparse}) {
        const std::string corpus = make_corpus(kind, 2 << 20);
        const std::string expected = reference_convert(corpus);
        EXPECT_LT(expected.size(), corpus.size());
        EXPECT_EQ(convert_in_memory(corpus), expected);
        EXPECT_EQ(convert_in_memory(corpus, {4093, 17, 65536, 1}), expected);
    }
}

TEST(Corpus, IsTheSameOnEveryRun)
{
    EXPECT_EQ(make_corpus(CorpusKind::dense, 4096), make_corpus(CorpusKind::dense, 4096));
    EXPECT_NE(make_corpus(CorpusKind::dense, 4096), make_corpus(CorpusKind::sparse, 4096));
}

}  // namespace
}  // namespace tavlon
