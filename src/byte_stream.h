// The two ends the transcoder works between. The program uses file
// descriptors; tests, the benchmark and the fuzzer use memory.
#pragma once

#include <cstddef>

namespace tavlon {

struct ReadResult {
    std::size_t count;  // bytes delivered; 0 with error == 0 means end of input
    int error;          // errno of a failed read, else 0
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Delivers between 1 and capacity bytes, or reports the end or a failure.
    [[nodiscard]] virtual ReadResult read(unsigned char* buffer, std::size_t capacity) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes all length bytes; returns 0, or the errno of the failure.
    [[nodiscard]] virtual int write(const unsigned char* data, std::size_t length) = 0;
};

}  // namespace tavlon
