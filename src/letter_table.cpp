#include "letter_table.h"

#include "letter_index.h"

#include <cstring>

namespace tavlon {

int escape_lengths[LETTER_COUNT];

void fill_escape_lengths()
{
    for (int k = 0; k < LETTER_COUNT; ++k) {
        escape_lengths[k] = static_cast<int>(std::strlen(escape_texts[k]));
    }
}

int find_letter(const unsigned char* name, std::size_t length)
{
    if (length == 0 || length > MAX_NAME_LENGTH) {
        return -1;
    }
    return find_letter_key(pack_bytes(name, length), length);
}

}  // namespace tavlon
