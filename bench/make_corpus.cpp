// make_corpus dense|sparse BYTES FILE: writes a deterministic index file of
// about BYTES bytes (whole lines) for the whole-process comparison.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corpus.h"

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "dense") != 0 && std::strcmp(argv[1], "sparse") != 0)) {
        std::fputs("usage: make_corpus dense|sparse BYTES FILE\n", stderr);
        return 2;
    }
    const auto kind = std::strcmp(argv[1], "dense") == 0 ? tavlon::CorpusKind::dense
                                                         : tavlon::CorpusKind::sparse;
    const std::size_t total = std::strtoull(argv[2], nullptr, 10);
    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    tavlon::CorpusWriter writer(kind);
    std::string piece;
    std::size_t written = 0;
    while (written < total) {
        piece.clear();
        writer.append(piece, std::min<std::size_t>(1 << 20, total - written));
        if (std::fwrite(piece.data(), 1, piece.size(), file) != piece.size()) {
            std::perror(argv[3]);
            return 1;
        }
        written += piece.size();
    }
    if (std::fclose(file) != 0) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}
