#include "letter_table.h"

#include <cstdint>
#include <cstring>

namespace tavlon {

int escape_lengths[LETTER_COUNT];

void fill_escape_lengths()
{
    for (int k = 0; k < LETTER_COUNT; ++k) {
        escape_lengths[k] = static_cast<int>(std::strlen(escape_texts[k]));
    }
}

namespace {

// Letter names are at most 8 bytes, so a whole name packs into one 64-bit
// key. The input may hold zero bytes, so the length is compared as well.
template <typename Byte>
constexpr std::uint64_t pack_name(const Byte* name, std::size_t length)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < length; ++i) {
        key |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
    }
    return key;
}

constexpr std::size_t SLOT_BITS = 7;  // 128 slots for 64 names: short probes
constexpr std::size_t SLOT_COUNT = std::size_t{1} << SLOT_BITS;

constexpr std::size_t slot_of(std::uint64_t key)
{
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> (64 - SLOT_BITS));
}

struct Slot {
    std::uint64_t key = 0;
    std::size_t length = 0;
    int entry = -1;
};

struct NameIndex {
    Slot slots[SLOT_COUNT];
};

constexpr std::size_t text_length(const char* text)
{
    std::size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return length;
}

// Open addressing with linear probing, built by the compiler.
constexpr NameIndex build_name_index()
{
    NameIndex index{};
    for (int k = 0; k < LETTER_COUNT; ++k) {
        std::size_t length =
            text_length(escape_texts[k]) - ESCAPE_HEAD_LENGTH - ESCAPE_TAIL_LENGTH;
        std::uint64_t key = pack_name(escape_texts[k] + ESCAPE_HEAD_LENGTH, length);
        std::size_t slot = slot_of(key);
        while (index.slots[slot].entry >= 0) {
            slot = (slot + 1) % SLOT_COUNT;
        }
        index.slots[slot] = Slot{key, length, k};
    }
    return index;
}

constexpr NameIndex name_index = build_name_index();

}  // namespace

int find_letter(const unsigned char* name, std::size_t length)
{
    if (length == 0 || length > MAX_NAME_LENGTH) {
        return -1;
    }
    std::uint64_t key = pack_name(name, length);
    for (std::size_t slot = slot_of(key);; slot = (slot + 1) % SLOT_COUNT) {
        const Slot& candidate = name_index.slots[slot];
        if (candidate.entry < 0 || (candidate.key == key && candidate.length == length)) {
            return candidate.entry;
        }
    }
}

}  // namespace tavlon
