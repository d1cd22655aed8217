// Deterministic index files for the benchmarks, shaped like what LaTeX
// writes: "dense" entries are Russian words, nearly every byte inside an
// escape; "sparse" entries are mostly ASCII with an occasional Russian word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlon {

enum class CorpusKind { dense, sparse };

class CorpusWriter {
public:
    explicit CorpusWriter(CorpusKind kind, std::uint64_t seed = 20261211);

    // Appends whole index lines to out until it holds at least bytes bytes.
    void append(std::string& out, std::size_t bytes);

private:
    void append_line(std::string& out);
    void append_russian_word(std::string& out);
    void append_ascii_word(std::string& out);
    [[nodiscard]] std::uint32_t below(std::uint32_t limit);

    CorpusKind kind_;
    std::uint64_t state_;
};

// The first bytes bytes of the corpus of this kind (cut at a line end).
[[nodiscard]] std::string make_corpus(CorpusKind kind, std::size_t bytes);

}  // namespace tavlon
