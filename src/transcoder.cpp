#include "transcoder.h"

#include <cstdint>
#include <cstring>

#include "backslash_scan.h"
#include "letter_index.h"
#include "letter_table.h"

namespace tavlon {

namespace {

struct Match {
    int entry;           // -1 when no escape starts here
    std::size_t length;  // bytes the escape spans
};

constexpr Match NO_MATCH{-1, 0};

static_assert(ESCAPE_HEAD_LENGTH < 8 && MAX_NAME_LENGTH == 8, "the word-sized loads below rely on these");
constexpr std::uint64_t HEAD_KEY = pack_bytes(ESCAPE_HEAD, ESCAPE_HEAD_LENGTH);
constexpr std::uint64_t HEAD_MASK = (std::uint64_t{1} << (8 * ESCAPE_HEAD_LENGTH)) - 1;

// Every escape is ESCAPE_HEAD, a letter name of at most 8 bytes, ESCAPE_TAIL.
// So instead of trying all 64 texts at a backslash: one word compare for the
// head, one word scan for the blank that ends the name, and one hash probe
// for the name. Needs MAX_ESCAPE_LENGTH readable bytes at start.
inline Match match_escape_in_window(const unsigned char* start)
{
    if ((load_bytes(start) & HEAD_MASK) != HEAD_KEY) {
        return NO_MATCH;
    }
    const unsigned char* name = start + ESCAPE_HEAD_LENGTH;
    const std::uint64_t word = load_bytes(name);
    // Flags the blanks of word (exact for the lowest one, which is all we use).
    const std::uint64_t blanks_zeroed = word ^ (EVERY_BYTE * ' ');
    const std::uint64_t blanks = (blanks_zeroed - EVERY_BYTE) & ~blanks_zeroed & (EVERY_BYTE * 0x80);
    const std::size_t name_length =
        blanks != 0 ? static_cast<std::size_t>(__builtin_ctzll(blanks)) / 8 : MAX_NAME_LENGTH;
    if (name[name_length] != ' ' || name[name_length + 1] != '}') {
        return NO_MATCH;
    }
    const std::uint64_t key =
        name_length == 8 ? word : word & ((std::uint64_t{1} << (8 * name_length)) - 1);
    const int entry = find_letter_key(key, name_length);
    if (entry < 0) {
        return NO_MATCH;
    }
    return {entry, ESCAPE_HEAD_LENGTH + name_length + ESCAPE_TAIL_LENGTH};
}

// The same for an escape that may start within MAX_ESCAPE_LENGTH bytes of
// the end of the data: pad with zero bytes, which no escape holds, so
// nothing past the end can take part in a match. Rare, so kept out of line.
[[gnu::noinline]] Match match_escape_near_end(const unsigned char* start, const unsigned char* end)
{
    unsigned char window[MAX_ESCAPE_LENGTH] = {};
    std::memcpy(window, start, static_cast<std::size_t>(end - start));
    return match_escape_in_window(window);
}

// Moves count bytes from in down to out (out < in) when an escape of at
// least MIN_ESCAPE_LENGTH bytes follows them. The short runs between the
// escapes of a Russian word are moved in whole words rather than by a call:
// the last word may spill up to 7 bytes past the run, but only over the
// escape, which has been matched and is never read again.
inline void move_down_over_escape(unsigned char* out, const unsigned char* in, std::size_t count)
{
    static_assert(MIN_ESCAPE_LENGTH > 7, "a word's spill must stay within the escape");
    constexpr std::size_t SHORT_RUN = 64;
    if (count > SHORT_RUN) {
        std::memmove(out, in, count);
        return;
    }
    // Word by word upwards: each word is loaded before it is stored, and
    // stores end at or below the next load, since out < in.
    for (std::size_t done = 0; done < count; done += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + done, sizeof word);
        std::memcpy(out + done, &word, sizeof word);
    }
}

}  // namespace

BlockResult transcode_block(unsigned char* buffer, std::size_t length, bool input_ended)
{
    // Output is written over the input already scanned: each escape shrinks
    // to one byte and every other byte stays one byte, so out never passes in.
    // Bytes from in to the next escape are moved down only when that escape
    // is replaced, in one move, however many other backslashes lie between.
    unsigned char* out = buffer;
    const unsigned char* in = buffer;
    const unsigned char* const end = buffer + length;

    auto keep_until = [&](const unsigned char* stop) {
        const auto count = static_cast<std::size_t>(stop - in);
        if (out != in && count > 0) {
            std::memmove(out, in, count);
        }
        out += count;
        in = stop;
    };
    // The same, for the bytes before an escape that is being replaced.
    auto keep_until_escape = [&](const unsigned char* escape) {
        const auto count = static_cast<std::size_t>(escape - in);
        if (out != in) {
            move_down_over_escape(out, in, count);
        }
        out += count;
        in = escape;
    };

    // Escapes all begin with a backslash, so only backslashes are looked at:
    // the positions of all of them in a stretch are found at once, and each
    // is tried in turn. Backslashes inside an escape already replaced (every
    // escape holds a second one) lie below in and are passed over.
    for (const unsigned char* stretch = buffer; stretch < end; stretch += STRETCH) {
        const auto left = static_cast<std::size_t>(end - stretch);
        for (std::uint64_t slashes = left >= STRETCH ? find_backslashes(stretch)
                                                     : find_backslashes_in_tail(stretch, left);
             slashes != 0; slashes &= slashes - 1) {
            const unsigned char* slash = stretch + __builtin_ctzll(slashes);
            if (slash < in) {
                continue;
            }
            const bool near_end = static_cast<std::size_t>(end - slash) < MAX_ESCAPE_LENGTH;
            const Match match = near_end ? match_escape_near_end(slash, end) : match_escape_in_window(slash);
            if (match.entry < 0) {
                if (near_end && !input_ended) {
                    // Too near the end to rule out an escape: finish with the next block.
                    keep_until(slash);
                    return {static_cast<std::size_t>(out - buffer), static_cast<std::size_t>(in - buffer)};
                }
                continue;
            }
            keep_until_escape(slash);
            *out++ = letter_codes[static_cast<std::size_t>(match.entry)];
            in = slash + match.length;
        }
    }
    keep_until(end);
    return {static_cast<std::size_t>(out - buffer), length};
}

ConvertResult convert_stream(ByteSource& input, ByteSink& output)
{
    unsigned char buffer[CHUNK_SIZE];
    std::size_t held = 0;  // bytes carried over from the previous block
    for (;;) {
        const ReadResult got = input.read(buffer + held, CHUNK_SIZE - held);
        if (got.error != 0) {
            return {ConvertStatus::read_failed, got.error};
        }
        const bool ended = got.count == 0;
        const std::size_t length = held + got.count;
        const BlockResult block = transcode_block(buffer, length, ended);
        if (block.output_length > 0) {
            const int error = output.write(buffer, block.output_length);
            if (error != 0) {
                return {ConvertStatus::write_failed, error};
            }
        }
        if (ended) {
            return {ConvertStatus::ok, 0};
        }
        held = length - block.consumed;
        std::memmove(buffer, buffer + block.consumed, held);
    }
}

}  // namespace tavlon
