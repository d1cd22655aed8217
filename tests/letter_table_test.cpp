#include "letter_table.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace tavlon {
namespace {

std::string_view name_of(int k)
{
    std::string_view text = escape_texts[k];
    return text.substr(ESCAPE_HEAD_LENGTH, text.size() - ESCAPE_HEAD_LENGTH - ESCAPE_TAIL_LENGTH);
}

int find(std::string_view name)
{
    return find_letter(reinterpret_cast<const unsigned char*>(name.data()), name.size());
}

TEST(LetterTable, LengthsAreMeasuredOnce)
{
    fill_escape_lengths();
    const struct {
        int entry;
        int length;
    } expected[] = {{0, 13},  {32, 13}, {9, 17},  {26, 17}, {28, 17}, {41, 17}, {58, 17},
                    {60, 17}, {27, 15}, {59, 15}, {25, 16}, {29, 16}, {57, 16}, {61, 16}};
    for (const auto& e : expected) {
        EXPECT_EQ(escape_lengths[e.entry], e.length) << "entry " << e.entry;
    }
    for (int k = 0; k < LETTER_COUNT; ++k) {
        EXPECT_EQ(escape_lengths[k], static_cast<int>(std::strlen(escape_texts[k])));
        EXPECT_GE(escape_lengths[k], static_cast<int>(MIN_ESCAPE_LENGTH));
        EXPECT_LE(escape_lengths[k], static_cast<int>(MAX_ESCAPE_LENGTH));
    }
}

TEST(LetterTable, CodesRunInAlphabeticalOrder)
{
    for (int k = 0; k < LETTER_COUNT; ++k) {
        EXPECT_EQ(letter_codes[k] - 0xC0, k);
    }
    for (int k = 0; k < LETTER_COUNT / 2; ++k) {
        EXPECT_EQ(letter_codes[k + 32] - letter_codes[k], 0x20);
    }
}

TEST(LetterTable, EveryEscapeHasTheCommonFormAndALowerCaseTwin)
{
    for (int k = 0; k < LETTER_COUNT; ++k) {
        const std::string_view text = escape_texts[k];
        EXPECT_EQ(text.substr(0, ESCAPE_HEAD_LENGTH), ESCAPE_HEAD) << text;
        EXPECT_EQ(text.substr(text.size() - ESCAPE_TAIL_LENGTH), ESCAPE_TAIL) << text;
        EXPECT_EQ(name_of(k).substr(0, 3), k < 32 ? "CYR" : "cyr") << text;
    }
    for (int k = 0; k < LETTER_COUNT / 2; ++k) {
        std::string lowered(name_of(k));
        for (char& c : lowered) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(lowered, name_of(k + 32));
    }
}

TEST(LetterTable, NoEscapeIsAPrefixOfAnother)
{
    for (int a = 0; a < LETTER_COUNT; ++a) {
        for (int b = 0; b < LETTER_COUNT; ++b) {
            if (a != b) {
                EXPECT_NE(std::string_view(escape_texts[b]).substr(0, std::strlen(escape_texts[a])),
                          escape_texts[a])
                    << a << " " << b;
            }
        }
    }
}

TEST(LetterTable, EveryNameFindsItsOwnEntry)
{
    for (int k = 0; k < LETTER_COUNT; ++k) {
        EXPECT_EQ(find(name_of(k)), k) << name_of(k);
    }
}

TEST(LetterTable, NearNamesFindNothing)
{
    using namespace std::string_view_literals;
    const std::string_view misses[] = {
        "",          "CYR",        "cyr",      "CYRYO",     "cyryo",      "CYRa",   "cyrA",
        "CyrA",      "CYRZ H",     "CYRSHC",   "cyrishrtx", "CYRISHRTT",  "CYRA "sv,
        "CYRA\0"sv,  "\0CYRA"sv,   "CYR\0A"sv, "cyrzhh",    "CYRAB",
    };
    for (const std::string_view name : misses) {
        EXPECT_EQ(find(name), -1) << "'" << name << "'";
    }
}

}  // namespace
}  // namespace tavlon
