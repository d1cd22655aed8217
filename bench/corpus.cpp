#include "corpus.h"

#include "letter_table.h"

namespace tavlon {

CorpusWriter::CorpusWriter(CorpusKind kind, std::uint64_t seed) : kind_(kind), state_(seed) {}

// A fixed 64-bit generator, so the corpus is the same on every machine.
std::uint32_t CorpusWriter::below(std::uint32_t limit)
{
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<std::uint32_t>((state_ >> 33) % limit);
}

void CorpusWriter::append_russian_word(std::string& out)
{
    const std::uint32_t letters = 3 + below(9);
    for (std::uint32_t i = 0; i < letters; ++i) {
        const std::uint32_t letter = below(32);
        const bool capital = i == 0 && below(3) == 0;
        out += escape_texts[capital ? letter : letter + 32];
    }
}

void CorpusWriter::append_ascii_word(std::string& out)
{
    const std::uint32_t letters = 3 + below(9);
    for (std::uint32_t i = 0; i < letters; ++i) {
        out += static_cast<char>('a' + below(26));
    }
}

void CorpusWriter::append_line(std::string& out)
{
    out += "\\indexentry{";
    const std::uint32_t words = 1 + below(3);
    for (std::uint32_t i = 0; i < words; ++i) {
        if (i > 0) {
            out += below(4) == 0 ? "!" : " ";
        }
        const bool russian = kind_ == CorpusKind::dense || below(8) == 0;
        if (russian) {
            append_russian_word(out);
        } else {
            append_ascii_word(out);
        }
    }
    if (below(10) == 0) {
        out += "|textbf";
    }
    out += "}{";
    out += std::to_string(1 + below(400));
    out += "}\n";
}

void CorpusWriter::append(std::string& out, std::size_t bytes)
{
    while (out.size() < bytes) {
        append_line(out);
    }
}

std::string make_corpus(CorpusKind kind, std::size_t bytes)
{
    std::string corpus;
    corpus.reserve(bytes + 1024);
    CorpusWriter(kind).append(corpus, bytes);
    return corpus;
}

}  // namespace tavlon
