// Finding every backslash in a 64-byte stretch at once, as a bit mask.
// Escapes all begin with a backslash, so the transcoder looks only there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavlon {

inline constexpr std::size_t STRETCH = 64;

// Eight bytes from p as one integer, first byte lowest, on any host.
inline std::uint64_t load_bytes(const unsigned char* p)
{
    std::uint64_t value = 0;
    std::memcpy(&value, p, sizeof value);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    value = __builtin_bswap64(value);
#endif
    return value;
}

inline constexpr std::uint64_t EVERY_BYTE = 0x0101010101010101u;

// Bit i set where byte i of word is a backslash. The flags are exact (no
// carries between bytes); one multiply gathers them into the low byte.
inline std::uint64_t backslashes_in_word(std::uint64_t word)
{
    constexpr std::uint64_t LOW_SEVEN = EVERY_BYTE * 0x7F;
    const std::uint64_t zeroed = word ^ (EVERY_BYTE * '\\');
    const std::uint64_t flags = ~(((zeroed & LOW_SEVEN) + LOW_SEVEN) | zeroed | LOW_SEVEN);
    return ((flags >> 7) * 0x0102040810204080u) >> 56;
}

// Bit i set where stretch[i] is a backslash; STRETCH bytes must be readable.
// Plain word arithmetic, for any processor.
inline std::uint64_t find_backslashes_by_words(const unsigned char* stretch)
{
    std::uint64_t slashes = 0;
    for (std::size_t word = 0; word < STRETCH / 8; ++word) {
        slashes |= backslashes_in_word(load_bytes(stretch + 8 * word)) << (8 * word);
    }
    return slashes;
}

// The same, sixteen bytes per compare where SSE2 is there (every x86-64).
inline std::uint64_t find_backslashes(const unsigned char* stretch)
{
#if defined(__SSE2__)
    std::uint64_t slashes = 0;
    const __m128i backslash = _mm_set1_epi8('\\');
    for (std::size_t part = 0; part < STRETCH / 16; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(stretch + 16 * part));
        const auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, backslash)));
        slashes |= std::uint64_t{bits} << (16 * part);
    }
    return slashes;
#else
    return find_backslashes_by_words(stretch);
#endif
}

// The same for a last stretch of fewer than STRETCH bytes.
inline std::uint64_t find_backslashes_in_tail(const unsigned char* stretch, std::size_t length)
{
    std::uint64_t slashes = 0;
    for (std::size_t i = 0; i < length; ++i) {
        slashes |= std::uint64_t{stretch[i] == '\\'} << i;
    }
    return slashes;
}

}  // namespace tavlon
