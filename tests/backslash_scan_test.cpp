#include "backslash_scan.h"

#include <random>

#include <gtest/gtest.h>

namespace tavlon {
namespace {

std::uint64_t backslashes_one_by_one(const unsigned char* stretch, std::size_t length)
{
    std::uint64_t slashes = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (stretch[i] == '\\') {
            slashes |= std::uint64_t{1} << i;
        }
    }
    return slashes;
}

// Every byte value at every position, among neighbours that are and are not
// backslashes: the word arithmetic must not let one byte disturb another.
TEST(BackslashScan, EveryByteAtEveryPosition)
{
    for (const unsigned char filler : {'\\', 'x', '\0', '\xFF', '[', ']', '\x5B', '\xDC'}) {
        for (std::size_t position = 0; position < STRETCH; ++position) {
            for (int value = 0; value < 256; ++value) {
                unsigned char stretch[STRETCH];
                std::memset(stretch, filler, STRETCH);
                stretch[position] = static_cast<unsigned char>(value);
                const std::uint64_t expected = backslashes_one_by_one(stretch, STRETCH);
                ASSERT_EQ(find_backslashes(stretch), expected) << position << " " << value;
                ASSERT_EQ(find_backslashes_by_words(stretch), expected) << position << " " << value;
                ASSERT_EQ(find_backslashes_in_tail(stretch, position), expected & ((std::uint64_t{1} << position) - 1));
            }
        }
    }
}

TEST(BackslashScan, RandomStretches)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 100000; ++trial) {
        unsigned char stretch[STRETCH];
        for (unsigned char& byte : stretch) {
            byte = random() % 3 == 0 ? '\\' : static_cast<unsigned char>(random());
        }
        const std::uint64_t expected = backslashes_one_by_one(stretch, STRETCH);
        ASSERT_EQ(find_backslashes(stretch), expected);
        ASSERT_EQ(find_backslashes_by_words(stretch), expected);
    }
}

}  // namespace
}  // namespace tavlon
