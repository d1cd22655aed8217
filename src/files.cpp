#include "files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlon {

namespace {

bool same_regular_file(const struct stat& a, const struct stat& b)
{
    return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

OpenResult failed(int error)
{
    return {OpenStatus::failed, -1, error};
}

}  // namespace

OpenResult open_input(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return failed(errno);
    }
    struct stat status {};
    int error = 0;
    if (::fstat(fd, &status) != 0) {
        error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
    }
    if (error != 0) {
        ::close(fd);
        return failed(error);
    }
    return {OpenStatus::ok, fd, 0};
}

OpenResult open_output(const char* path, int input_fd)
{
    struct stat input {};
    if (::fstat(input_fd, &input) != 0) {
        return failed(errno);
    }
    // Checked before opening, so the same file is never opened for writing,
    struct stat existing {};
    if (::stat(path, &existing) == 0 && same_regular_file(existing, input)) {
        return {OpenStatus::same_file, -1, 0};
    }
    // and again on what was opened, in case the path changed in between;
    // the emptying comes only after that.
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return failed(errno);
    }
    struct stat opened {};
    int error = 0;
    // NOLINTNEXTLINE(bugprone-branch-clone): each branch keeps the errno of its own call
    if (::fstat(fd, &opened) != 0) {
        error = errno;
    } else if (same_regular_file(opened, input)) {
        ::close(fd);
        return {OpenStatus::same_file, -1, 0};
    } else if (S_ISREG(opened.st_mode) && ::ftruncate(fd, 0) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::close(fd);
        return failed(error);
    }
    return {OpenStatus::ok, fd, 0};
}

int close_file(int fd)
{
    // Not retried on EINTR: on Linux the descriptor is gone either way.
    return ::close(fd) == 0 ? 0 : errno;
}

ReadResult FileSource::read(unsigned char* buffer, std::size_t capacity)
{
    for (;;) {
        const ssize_t count = ::read(fd_, buffer, capacity);
        if (count >= 0) {
            return {static_cast<std::size_t>(count), 0};
        }
        if (errno != EINTR) {
            return {0, errno};
        }
    }
}

int FileSink::write(const unsigned char* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t count = ::write(fd_, data, length);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (count == 0) {
            return ENOSPC;  // no progress and no error: treat as a full device
        }
        data += count;
        length -= static_cast<std::size_t>(count);
    }
    return 0;
}

}  // namespace tavlon
