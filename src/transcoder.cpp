#include "transcoder.h"

#include <cstring>

#include "letter_table.h"

namespace tavlon {

namespace {

struct Match {
    int entry;           // -1 when no escape starts here
    std::size_t length;  // bytes the escape spans
};

constexpr Match NO_MATCH{-1, 0};

// Every escape is ESCAPE_HEAD, a letter name, ESCAPE_TAIL. So instead of
// trying all 64 texts at a backslash, check the common head once, find the
// blank that ends the name, and look the name up in one hash probe.
Match match_escape(const unsigned char* start, const unsigned char* end)
{
    const auto available = static_cast<std::size_t>(end - start);
    if (available < MIN_ESCAPE_LENGTH ||
        std::memcmp(start, ESCAPE_HEAD, ESCAPE_HEAD_LENGTH) != 0) {
        return NO_MATCH;
    }
    const unsigned char* name = start + ESCAPE_HEAD_LENGTH;
    const std::size_t room = available - ESCAPE_HEAD_LENGTH - ESCAPE_TAIL_LENGTH;
    const std::size_t longest = room < MAX_NAME_LENGTH ? room : MAX_NAME_LENGTH;
    std::size_t name_length = 0;
    while (name_length <= longest && name[name_length] != ' ') {
        ++name_length;
    }
    if (name_length > longest || name[name_length + 1] != '}') {
        return NO_MATCH;
    }
    const int entry = find_letter(name, name_length);
    if (entry < 0) {
        return NO_MATCH;
    }
    return {entry, ESCAPE_HEAD_LENGTH + name_length + ESCAPE_TAIL_LENGTH};
}

}  // namespace

BlockResult transcode_block(unsigned char* buffer, std::size_t length, bool input_ended)
{
    // Output is written over the input already scanned: each escape shrinks
    // to one byte and every other byte stays one byte, so out never passes in.
    unsigned char* out = buffer;
    const unsigned char* in = buffer;
    const unsigned char* const end = buffer + length;

    auto keep_until = [&](const unsigned char* stop) {
        const auto count = static_cast<std::size_t>(stop - in);
        if (out != in) {
            std::memmove(out, in, count);
        }
        out += count;
        in = stop;
    };

    for (;;) {
        // Escapes all begin with a backslash: skip everything else in bulk.
        const auto* slash = static_cast<const unsigned char*>(
            std::memchr(in, '\\', static_cast<std::size_t>(end - in)));
        if (slash == nullptr) {
            keep_until(end);
            break;
        }
        const Match match = match_escape(slash, end);
        if (match.entry < 0) {
            // Too near the end to rule out an escape: finish with the next block.
            if (!input_ended && static_cast<std::size_t>(end - slash) < MAX_ESCAPE_LENGTH) {
                keep_until(slash);
                break;
            }
            keep_until(slash + 1);
            continue;
        }
        keep_until(slash);
        *out++ = letter_codes[static_cast<std::size_t>(match.entry)];
        in = slash + match.length;
    }
    return {static_cast<std::size_t>(out - buffer), static_cast<std::size_t>(in - buffer)};
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
