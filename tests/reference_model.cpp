#include "reference_model.h"

#include "letter_table.h"

namespace tavlon {

std::string reference_convert(std::string_view input)
{
    std::string output;
    output.reserve(input.size());
    std::size_t pos = 0;
    while (pos < input.size()) {
        bool matched = false;
        for (int k = 0; k < LETTER_COUNT && !matched; ++k) {
            const std::string_view escape = escape_texts[k];
            if (input.substr(pos, escape.size()) == escape) {
                output += static_cast<char>(letter_codes[static_cast<std::size_t>(k)]);
                pos += escape.size();
                matched = true;
            }
        }
        if (!matched) {
            output += input[pos];
            ++pos;
        }
    }
    return output;
}

}  // namespace tavlon
