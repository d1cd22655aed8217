// Fuzz target: arbitrary bytes through convert_stream, cut into reads, and
// optionally cut short by a failing read or a full sink, against the
// reference model. The fuzzer's bytes are both the choices and the data.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "memory_streams.h"
#include "reference_model.h"
#include "transcoder.h"

namespace {

// Takes the choices from the end, so a plain index file used as a seed stays
// mostly data. Once the bytes run out every choice is 0. From the last byte
// back: the count of read sizes (mod 8), the sizes, a fault kind (mod 4:
// 1 fails reads at a two-byte offset, 2 gives the sink a two-byte
// capacity), and, for a fault, its offset, low byte first; the rest is data.
class Choices {
public:
    Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t take_byte()
    {
        if (size_ == 0) {
            return 0;
        }
        --size_;
        return data_[size_];
    }

    std::size_t take_offset()
    {
        const std::size_t high = take_byte();
        return high << 8 | take_byte();
    }

    [[nodiscard]] std::string_view rest() const
    {
        return {reinterpret_cast<const char*>(data_), size_};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

constexpr std::size_t NEVER = static_cast<std::size_t>(-1);

struct Faults {
    std::size_t read_fails_at = NEVER;
    std::size_t sink_capacity = NEVER;
};

[[noreturn]] void finding(const char* what)
{
    std::fprintf(stderr, "transcoder_fuzzer: %s\n", what);
    std::abort();
}

bool starts_with(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// What the outcome must be: success only when no fault was reachable, the
// fault's own error otherwise, and never a byte that the model would not
// have written in that place.
void check(const tavlon::ConvertResult& result, const std::string& output,
           const std::string& expected, std::size_t input_size, const Faults& faults)
{
    const bool read_fault_reached = faults.read_fails_at <= input_size;
    const bool sink_overflows = expected.size() > faults.sink_capacity;
    switch (result.status) {
    case tavlon::ConvertStatus::ok:
        if (read_fault_reached || sink_overflows) {
            finding("a failure was reported as success");
        }
        if (output != expected) {
            finding("output differs from the reference model");
        }
        return;
    case tavlon::ConvertStatus::read_failed:
        if (!read_fault_reached || result.error != EIO) {
            finding("a read failure that did not happen");
        }
        break;
    case tavlon::ConvertStatus::write_failed:
        if (!sink_overflows || result.error != ENOSPC) {
            finding("a write failure that did not happen");
        }
        break;
    }
    if (!starts_with(expected, output)) {
        finding("output before the failure differs from the reference model");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Choices choices(data, size);
    std::vector<std::size_t> read_sizes(choices.take_byte() % 8);
    for (std::size_t& read_size : read_sizes) {
        read_size = choices.take_byte();
    }
    Faults faults;
    switch (choices.take_byte() % 4) {
    case 1:
        faults.read_fails_at = choices.take_offset();
        break;
    case 2:
        faults.sink_capacity = choices.take_offset();
        break;
    default:
        break;  // half the runs have no fault
    }
    const std::string input(choices.rest());

    tavlon::MemorySource source(input, read_sizes);
    if (faults.read_fails_at != NEVER) {
        source.fail_at(faults.read_fails_at, EIO);
    }
    tavlon::StringSink sink(faults.sink_capacity);
    const tavlon::ConvertResult result = tavlon::convert_stream(source, sink);
    check(result, sink.text, tavlon::reference_convert(input), input.size(), faults);
    return 0;
}
