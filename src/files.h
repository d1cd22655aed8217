// Opening, reading, writing and closing the program's two files through
// file descriptors, with every failure returned as an errno value.
#pragma once

#include "byte_stream.h"

namespace tavlon {

enum class OpenStatus { ok, failed, same_file };

struct OpenResult {
    OpenStatus status;
    int fd;     // valid when status is ok
    int error;  // errno when status is failed
};

// Refuses a directory with EISDIR: reading one would fail only later.
[[nodiscard]] OpenResult open_input(const char* path);

// Creates or empties the output, but refuses the regular file that is
// already open as input_fd, before emptying it: that would destroy the input.
[[nodiscard]] OpenResult open_output(const char* path, int input_fd);

// Returns 0 or the errno of the close; a deferred write error shows here.
[[nodiscard]] int close_file(int fd);

class FileSource final : public ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    [[nodiscard]] ReadResult read(unsigned char* buffer, std::size_t capacity) override;

private:
    int fd_;
};

class FileSink final : public ByteSink {
public:
    explicit FileSink(int fd) : fd_(fd) {}
    [[nodiscard]] int write(const unsigned char* data, std::size_t length) override;

private:
    int fd_;
};

}  // namespace tavlon
