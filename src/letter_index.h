// A perfect hash of the 64 letter names, built by the compiler, so that a
// name is found with one multiply and one compare. Kept in a header so the
// transcoder's inner loop can inline the look-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "letter_table.h"

namespace tavlon {

// Up to eight bytes as one integer, first byte lowest, the rest zero: the
// form in which names are keyed here and in which the transcoder loads text.
template <typename Byte>
constexpr std::uint64_t pack_bytes(const Byte* bytes, std::size_t length)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < length; ++i) {
        key |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    }
    return key;
}

namespace letter_index_detail {

constexpr std::size_t SLOT_BITS = 9;  // 512 slots: an injective multiplier is quick to find
constexpr std::size_t SLOT_COUNT = std::size_t{1} << SLOT_BITS;

struct Slot {
    std::uint64_t key = 0;
    std::uint8_t length = 0;  // names may collide on key alone when the input holds zero bytes
    std::int8_t entry = -1;
};

struct Index {
    std::uint64_t multiplier = 0;
    Slot slots[SLOT_COUNT];
};

constexpr std::size_t slot_of(std::uint64_t key, std::uint64_t multiplier)
{
    return static_cast<std::size_t>((key * multiplier) >> (64 - SLOT_BITS));
}

constexpr std::size_t name_length_of(int k)
{
    std::size_t length = 0;
    while (escape_texts[k][length] != '\0') {
        ++length;
    }
    return length - ESCAPE_HEAD_LENGTH - ESCAPE_TAIL_LENGTH;
}

constexpr std::uint64_t key_of(int k)
{
    return pack_bytes(escape_texts[k] + ESCAPE_HEAD_LENGTH, name_length_of(k));
}

constexpr bool is_injective(std::uint64_t multiplier)
{
    bool taken[SLOT_COUNT] = {};
    for (int k = 0; k < LETTER_COUNT; ++k) {
        const std::size_t slot = slot_of(key_of(k), multiplier);
        if (taken[slot]) {
            return false;
        }
        taken[slot] = true;
    }
    return true;
}

// Tries odd multipliers from a fixed sequence until every name has a slot
// of its own.
constexpr Index build()
{
    Index index{};
    std::uint64_t candidate = 0x9E3779B97F4A7C15u;
    while (!is_injective(candidate)) {
        candidate = candidate * 6364136223846793005u + 1442695040888963407u;
        candidate |= 1;
    }
    index.multiplier = candidate;
    for (int k = 0; k < LETTER_COUNT; ++k) {
        index.slots[slot_of(key_of(k), candidate)] =
            Slot{key_of(k), static_cast<std::uint8_t>(name_length_of(k)), static_cast<std::int8_t>(k)};
    }
    return index;
}

inline constexpr Index index = build();

}  // namespace letter_index_detail

// The entry of the name of length bytes packed into key (first byte lowest,
// bytes above the name zero), or -1.
inline int find_letter_key(std::uint64_t key, std::size_t length)
{
    using namespace letter_index_detail;
    const Slot& slot = index.slots[slot_of(key, index.multiplier)];
    return slot.key == key && slot.length == length ? slot.entry : -1;
}

}  // namespace tavlon
