// Byte streams over memory, for driving the transcoder without files:
// reads cut at chosen sizes, and failures injected at chosen offsets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "byte_stream.h"

namespace tavlon {

class MemorySource final : public ByteSource {
public:
    // Each read delivers at most the next size of read_sizes, taken in a
    // cycle (a size of 0 counts as 1); an empty list means no limit.
    explicit MemorySource(std::string_view data, std::vector<std::size_t> read_sizes = {});

    // After failing_offset bytes, every read fails with error.
    void fail_at(std::size_t failing_offset, int error);

    [[nodiscard]] ReadResult read(unsigned char* buffer, std::size_t capacity) override;

private:
    std::string_view data_;
    std::vector<std::size_t> read_sizes_;
    std::size_t next_size_ = 0;
    std::size_t offset_ = 0;
    std::size_t failing_offset_ = static_cast<std::size_t>(-1);
    int error_ = 0;
};

class StringSink final : public ByteSink {
public:
    // Takes at most capacity bytes, then fails with ENOSPC like a full disk.
    explicit StringSink(std::size_t capacity = static_cast<std::size_t>(-1));

    [[nodiscard]] int write(const unsigned char* data, std::size_t length) override;

    std::string text;

private:
    std::size_t capacity_;
};

// Runs convert_stream from data, cut into reads by read_sizes, into a string.
// The result's status must be ok; any failure is returned as its message.
[[nodiscard]] std::string convert_in_memory(std::string_view data,
                                            std::vector<std::size_t> read_sizes = {});

}  // namespace tavlon
