#include "memory_streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "transcoder.h"

namespace tavlon {

MemorySource::MemorySource(std::string_view data, std::vector<std::size_t> read_sizes)
    : data_(data), read_sizes_(std::move(read_sizes))
{
}

void MemorySource::fail_at(std::size_t failing_offset, int error)
{
    failing_offset_ = failing_offset;
    error_ = error;
}

ReadResult MemorySource::read(unsigned char* buffer, std::size_t capacity)
{
    if (offset_ >= failing_offset_) {
        return {0, error_};
    }
    std::size_t count = std::min({capacity, data_.size() - offset_, failing_offset_ - offset_});
    if (!read_sizes_.empty()) {
        const std::size_t limit = std::max<std::size_t>(read_sizes_[next_size_], 1);
        next_size_ = (next_size_ + 1) % read_sizes_.size();
        count = std::min(count, limit);
    }
    std::memcpy(buffer, data_.data() + offset_, count);
    offset_ += count;
    return {count, 0};
}

StringSink::StringSink(std::size_t capacity) : capacity_(capacity) {}

int StringSink::write(const unsigned char* data, std::size_t length)
{
    const std::size_t room = capacity_ - text.size();
    text.append(reinterpret_cast<const char*>(data), std::min(length, room));
    return length <= room ? 0 : ENOSPC;
}

std::string convert_in_memory(std::string_view data, std::vector<std::size_t> read_sizes)
{
    MemorySource source(data, std::move(read_sizes));
    StringSink sink;
    const ConvertResult result = convert_stream(source, sink);
    if (result.status != ConvertStatus::ok) {
        return "conversion failed: " + std::string(std::strerror(result.error));
    }
    return sink.text;
}

}  // namespace tavlon
