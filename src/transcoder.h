// Copies a byte stream, replacing every escape of the letter table by its
// Windows-1251 byte. Never prints: failures are returned to the caller.
#pragma once

#include <cstddef>

#include "byte_stream.h"

namespace tavlon {

// Size of the one read buffer; an escape that straddles two reads is held
// back and finished with the next read, so the result never depends on it.
inline constexpr std::size_t CHUNK_SIZE = std::size_t{256} * 1024;

enum class ConvertStatus { ok, read_failed, write_failed };

struct ConvertResult {
    ConvertStatus status;
    int error;  // errno of the failure; 0 when status is ok
};

[[nodiscard]] ConvertResult convert_stream(ByteSource& input, ByteSink& output);

struct BlockResult {
    std::size_t output_length;  // converted bytes now at buffer[0, output_length)
    std::size_t consumed;       // input bytes used; buffer[consumed, length) is held back
};

// Converts buffer[0, length) in place (the output is never longer). Unless
// input_ended, a backslash too near the end to decide whether an escape
// starts there is held back, with everything after it, for the next block.
[[nodiscard]] BlockResult transcode_block(unsigned char* buffer, std::size_t length,
                                          bool input_ended);

}  // namespace tavlon
