#include "transcoder.h"

#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backslash_scan.h"
#include "letter_table.h"
#include "memory_streams.h"
#include "reference_model.h"

namespace tavlon {
namespace {

using namespace std::string_literals;

std::string code(int k)
{
    return std::string(1, static_cast<char>(letter_codes[static_cast<std::size_t>(k)]));
}

// Read patterns every case runs under: one read, single bytes, and sizes
// that cut escapes in varied places.
const std::vector<std::vector<std::size_t>> READ_PATTERNS = {
    {}, {1}, {2}, {5}, {13}, {16}, {17}, {3, 11, 7}, {1023},
};

struct Case {
    const char* what;
    std::string input;
    std::string expected;
};

const Case CASES[] = {
    {"empty input", "", ""},
    {"text without escapes", "\\indexentry{abc}{1}\r\n\\item x\n", "\\indexentry{abc}{1}\r\n\\item x\n"},
    {"lower-case a", "\\IeC {\\cyra }", "\xE0"},
    {"upper-case A", "\\IeC {\\CYRA }", "\xC0"},
    {"blank before brace missing", "\\IeC {\\cyra}", "\\IeC {\\cyra}"},
    {"two blanks after IeC", "\\IeC  {\\cyra }", "\\IeC  {\\cyra }"},
    {"two blanks before brace", "\\IeC {\\cyra  }", "\\IeC {\\cyra  }"},
    {"letter in the other case", "\\IeC {\\cyrA }", "\\IeC {\\cyrA }"},
    {"prefix in the other case", "\\IeC {\\Cyra }", "\\IeC {\\Cyra }"},
    {"control word in the other case", "\\iec {\\cyra }", "\\iec {\\cyra }"},
    {"yo is not in the table", "\\IeC {\\CYRYO }\\IeC {\\cyryo }", "\\IeC {\\CYRYO }\\IeC {\\cyryo }"},
    {"unknown letter name", "\\IeC {\\cyrdze }", "\\IeC {\\cyrdze }"},
    {"Z is not ZH", "\\IeC {\\CYRZ }\\IeC {\\CYRZH }", "\xC7\xC6"},
    {"back to back", "\\IeC {\\cyrd }\\IeC {\\cyra }", "\xE4\xE0"},
    {"the road of one line", "x\\IeC {\\CYRB }\\IeC {\\cyrery }y\n", "x\xC1\xFBy\n"},
    {"no final newline", "a\n\\IeC {\\cyrya }", "a\n\xFF"},
    {"escape cut off at end of input", "\\IeC {\\cyrishrt", "\\IeC {\\cyrishrt"},
    {"backslash before an escape", "\\\\IeC {\\cyra }", "\\\xE0"},
    {"only backslashes", "\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\", "\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\"},
    {"zero bytes around escapes", "\0\\IeC {\\cyra }\0b"s, "\0\xE0\0b"s},
    {"zero byte inside an escape", "\\IeC {\\cyr\0a }"s, "\\IeC {\\cyr\0a }"s},
    {"zero byte in place of the blank", "\\IeC {\\cyra\0}"s, "\\IeC {\\cyra\0}"s},
    {"escape inside an entry", "\\indexentry{\\IeC {\\CYRP }\\IeC {\\cyrr }|textbf}{3}\n",
     "\\indexentry{\xCF\xF0|textbf}{3}\n"},
};

TEST(Transcoder, CasesUnderEveryReadPattern)
{
    for (const Case& c : CASES) {
        ASSERT_EQ(reference_convert(c.input), c.expected) << c.what;
        for (const auto& pattern : READ_PATTERNS) {
            EXPECT_EQ(convert_in_memory(c.input, pattern), c.expected)
                << c.what << ", first read size " << (pattern.empty() ? 0 : pattern[0]);
        }
    }
}

TEST(Transcoder, EveryEscapeBecomesItsCode)
{
    std::string all_escapes;
    std::string all_codes;
    for (int k = 0; k < LETTER_COUNT; ++k) {
        const std::string escape = escape_texts[k];
        EXPECT_EQ(convert_in_memory("<" + escape + ">"), "<" + code(k) + ">") << escape;
        all_escapes += escape;
        all_codes += code(k);
    }
    EXPECT_EQ(convert_in_memory(all_escapes), all_codes);
}

TEST(Transcoder, EveryOtherByteIsCopied)
{
    std::string all_bytes;
    for (int b = 0; b < 256; ++b) {
        all_bytes += static_cast<char>(b);
    }
    const std::string input = all_bytes + all_bytes + "\r\n\n\r";
    EXPECT_EQ(convert_in_memory(input), input);
    EXPECT_EQ(convert_in_memory(input, {1}), input);
}

// The result must not depend on where reads end: split the input into two
// reads at every possible point.
TEST(Transcoder, EverySplitPointGivesTheSameOutput)
{
    std::string input = "\\indexentry{";
    for (int k = 0; k < LETTER_COUNT; ++k) {
        input += escape_texts[k];
        input += k % 3 == 0 ? "\\" : k % 3 == 1 ? "\\IeC {\\" : "";
    }
    input += "\\IeC {\\cyr";
    const std::string expected = reference_convert(input);
    for (std::size_t split = 0; split <= input.size(); ++split) {
        MemorySource source(input, {split, input.size()});
        StringSink sink;
        ASSERT_EQ(convert_stream(source, sink).status, ConvertStatus::ok);
        ASSERT_EQ(sink.text, expected) << "split at " << split;
    }
}

// Lines far longer than the read buffer, with escapes across every buffer
// boundary, compared with the reference model under random read sizes.
TEST(Transcoder, LongLinesMatchTheReferenceModel)
{
    std::mt19937 random(20261211);
    std::string input;
    while (input.size() < 3 * CHUNK_SIZE) {
        const auto pick = random() % 8;
        if (pick < 5) {
            input += escape_texts[random() % LETTER_COUNT];
        } else if (pick == 5) {
            input += "\\IeC {\\";
        } else {
            input += static_cast<char>(random() % 256);
        }
    }
    const std::string expected = reference_convert(input);
    EXPECT_EQ(convert_in_memory(input), expected);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<std::size_t> sizes;
        for (int i = 0; i < 7; ++i) {
            sizes.push_back(1 + random() % (trial < 10 ? 40 : CHUNK_SIZE + 100));
        }
        ASSERT_EQ(convert_in_memory(input, sizes), expected) << "trial " << trial;
    }
}

// Escapes are looked for in stretches of the buffer: put every escape at
// every offset from the start of a read.
TEST(Transcoder, EscapesAtEveryOffsetInTheBuffer)
{
    std::string escapes;
    for (int k = 0; k < LETTER_COUNT; ++k) {
        escapes += escape_texts[k];
        escapes += k % 2 == 0 ? "" : " \\x";
    }
    for (std::size_t offset = 0; offset < 2 * STRETCH; ++offset) {
        const std::string input = std::string(offset, 'x') + escapes;
        ASSERT_EQ(convert_in_memory(input), reference_convert(input)) << "offset " << offset;
    }
}

TEST(Transcoder, BlockHoldsBackWhatMayStillBecomeAnEscape)
{
    std::string text = "ab\\IeC {\\cyr";
    BlockResult open = transcode_block(reinterpret_cast<unsigned char*>(text.data()), text.size(), false);
    EXPECT_EQ(open.consumed, 2u);
    EXPECT_EQ(text.substr(0, open.output_length), "ab");

    text = "ab\\IeC {\\cyr";
    BlockResult closed = transcode_block(reinterpret_cast<unsigned char*>(text.data()), text.size(), true);
    EXPECT_EQ(closed.consumed, text.size());
    EXPECT_EQ(text.substr(0, closed.output_length), "ab\\IeC {\\cyr");

    text = "a\\IeC {\\cyra }b\\";
    BlockResult whole = transcode_block(reinterpret_cast<unsigned char*>(text.data()), text.size(), false);
    EXPECT_EQ(text.substr(0, whole.output_length), "a\xE0" "b");
    EXPECT_EQ(whole.consumed, text.size() - 1);
}

TEST(Transcoder, ReadFailureIsReported)
{
    const std::string input(3 * CHUNK_SIZE, 'x');
    MemorySource source(input);
    source.fail_at(CHUNK_SIZE + 5, EIO);
    StringSink sink;
    const ConvertResult result = convert_stream(source, sink);
    EXPECT_EQ(result.status, ConvertStatus::read_failed);
    EXPECT_EQ(result.error, EIO);
}

TEST(Transcoder, WriteFailureIsReported)
{
    const std::string input(3 * CHUNK_SIZE, 'x');
    for (const std::size_t capacity : {std::size_t{0}, std::size_t{1}, CHUNK_SIZE, input.size() - 1}) {
        MemorySource source(input);
        StringSink sink(capacity);
        const ConvertResult result = convert_stream(source, sink);
        EXPECT_EQ(result.status, ConvertStatus::write_failed) << capacity;
        EXPECT_EQ(result.error, ENOSPC);
    }
    MemorySource source(input);
    StringSink exact(input.size());
    EXPECT_EQ(convert_stream(source, exact).status, ConvertStatus::ok);
}

}  // namespace
}  // namespace tavlon
