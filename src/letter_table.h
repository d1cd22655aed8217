// The 64 escapes in which LaTeX writes Russian letters into an index file,
// and the Windows-1251 byte that replaces each of them.
#pragma once

#include <array>
#include <cstddef>

namespace tavlon {

inline constexpr int LETTER_COUNT = 64;

// Every escape is ESCAPE_HEAD, a letter name, ESCAPE_TAIL.
inline constexpr char ESCAPE_HEAD[] = "\\IeC {\\";
inline constexpr std::size_t ESCAPE_HEAD_LENGTH = sizeof ESCAPE_HEAD - 1;
inline constexpr char ESCAPE_TAIL[] = " }";
inline constexpr std::size_t ESCAPE_TAIL_LENGTH = sizeof ESCAPE_TAIL - 1;
inline constexpr std::size_t MIN_ESCAPE_LENGTH = 13;  // "\IeC {\CYRA }"
inline constexpr std::size_t MAX_ESCAPE_LENGTH = 17;  // "\IeC {\CYRISHRT }"
inline constexpr std::size_t MAX_NAME_LENGTH =
    MAX_ESCAPE_LENGTH - ESCAPE_HEAD_LENGTH - ESCAPE_TAIL_LENGTH;

// Entries 0-31 are А-Я, entries 32-63 the same letters in lower case.
// No entry for Ё/ё: it lies outside the alphabetical run of Windows-1251.
inline constexpr const char* escape_texts[LETTER_COUNT] = {
    "\\IeC {\\CYRA }",     "\\IeC {\\CYRB }",     "\\IeC {\\CYRV }",
    "\\IeC {\\CYRG }",     "\\IeC {\\CYRD }",     "\\IeC {\\CYRE }",
    "\\IeC {\\CYRZH }",    "\\IeC {\\CYRZ }",     "\\IeC {\\CYRI }",
    "\\IeC {\\CYRISHRT }", "\\IeC {\\CYRK }",     "\\IeC {\\CYRL }",
    "\\IeC {\\CYRM }",     "\\IeC {\\CYRN }",     "\\IeC {\\CYRO }",
    "\\IeC {\\CYRP }",     "\\IeC {\\CYRR }",     "\\IeC {\\CYRS }",
    "\\IeC {\\CYRT }",     "\\IeC {\\CYRU }",     "\\IeC {\\CYRF }",
    "\\IeC {\\CYRH }",     "\\IeC {\\CYRC }",     "\\IeC {\\CYRCH }",
    "\\IeC {\\CYRSH }",    "\\IeC {\\CYRSHCH }",  "\\IeC {\\CYRHRDSN }",
    "\\IeC {\\CYRERY }",   "\\IeC {\\CYRSFTSN }", "\\IeC {\\CYREREV }",
    "\\IeC {\\CYRYU }",    "\\IeC {\\CYRYA }",
    "\\IeC {\\cyra }",     "\\IeC {\\cyrb }",     "\\IeC {\\cyrv }",
    "\\IeC {\\cyrg }",     "\\IeC {\\cyrd }",     "\\IeC {\\cyre }",
    "\\IeC {\\cyrzh }",    "\\IeC {\\cyrz }",     "\\IeC {\\cyri }",
    "\\IeC {\\cyrishrt }", "\\IeC {\\cyrk }",     "\\IeC {\\cyrl }",
    "\\IeC {\\cyrm }",     "\\IeC {\\cyrn }",     "\\IeC {\\cyro }",
    "\\IeC {\\cyrp }",     "\\IeC {\\cyrr }",     "\\IeC {\\cyrs }",
    "\\IeC {\\cyrt }",     "\\IeC {\\cyru }",     "\\IeC {\\cyrf }",
    "\\IeC {\\cyrh }",     "\\IeC {\\cyrc }",     "\\IeC {\\cyrch }",
    "\\IeC {\\cyrsh }",    "\\IeC {\\cyrshch }",  "\\IeC {\\cyrhrdsn }",
    "\\IeC {\\cyrery }",   "\\IeC {\\cyrsftsn }", "\\IeC {\\cyrerev }",
    "\\IeC {\\cyryu }",    "\\IeC {\\cyrya }",
};

// Windows-1251 puts А-Я at 0xC0-0xDF and а-я at 0xE0-0xFF, in alphabetical
// order, so the code of entry k is simply 0xC0 + k.
inline constexpr std::array<unsigned char, LETTER_COUNT> letter_codes = [] {
    std::array<unsigned char, LETTER_COUNT> codes{};
    for (int k = 0; k < LETTER_COUNT; ++k) {
        codes[k] = static_cast<unsigned char>(0xC0 + k);
    }
    return codes;
}();

// Byte length of each escape; zero until fill_escape_lengths() runs.
extern int escape_lengths[LETTER_COUNT];
void fill_escape_lengths();

// The entry whose letter name (the bytes between ESCAPE_HEAD and
// ESCAPE_TAIL) is exactly name[0, length), or -1.
[[nodiscard]] int find_letter(const unsigned char* name, std::size_t length);

}  // namespace tavlon
