// reference_tavlon INPUT OUTPUT: the plain reference model as a program, for
// timing beside tavlon. It reads the whole input into memory.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "reference_model.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: reference_tavlon INPUT OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    if (!input.eof() && input.fail()) {
        std::perror(argv[1]);
        return 1;
    }
    std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
    output << tavlon::reference_convert(text);
    if (!output.flush()) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
