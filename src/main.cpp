// tavlon: the command-line front end. The only place that prints and
// chooses the exit status.
#include <cstdio>
#include <cstring>

#include "files.h"
#include "letter_table.h"
#include "transcoder.h"

namespace {

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;

// Both printers ignore a failed print: the run ends with status 1 anyway,
// and there is nowhere left to report it.
void print_usage()
{
    (void)std::fputs("Make Russian index from TeX idx-file.\n"
                     "Must be performed BEFORE makeindex!\n"
                     "The program replaces the Russian letters,\n"
                     "produced by TeX in the style \"\\IeC {\\cyra }\",\n"
                     "by normal Russian letters in Windows CP-1251\n"
                     "encoding. Windows is choosed, because\n"
                     "the codes of Russian letters\n"
                     "are ordered in Windows encoding.\n"
                     "\n",
                     stdout);
    (void)std::fputs("Usage:\n"
                     "    tavlon input-file output-file\n",
                     stdout);
}

// One line in the form of perror: "message: reason".
int fail(const char* message, const char* reason)
{
    (void)std::fprintf(stderr, "%s: %s\n", message, reason);
    return EXIT_FAILED;
}

int fail_with_errno(const char* message, int error)
{
    return fail(message, std::strerror(error));
}

constexpr char CANNOT_READ[] = "Cannot read input file";
constexpr char CANNOT_WRITE[] = "Cannot write output file";

int convert(int input_fd, int output_fd)
{
    tavlon::FileSource input(input_fd);
    tavlon::FileSink output(output_fd);
    const tavlon::ConvertResult result = tavlon::convert_stream(input, output);
    // The output is closed even after a failure, and its close is checked:
    // a write error may only show there.
    const int close_error = tavlon::close_file(output_fd);
    (void)tavlon::close_file(input_fd);  // nothing was lost if this fails
    switch (result.status) {
    case tavlon::ConvertStatus::read_failed:
        return fail_with_errno(CANNOT_READ, result.error);
    case tavlon::ConvertStatus::write_failed:
        return fail_with_errno(CANNOT_WRITE, result.error);
    case tavlon::ConvertStatus::ok:
        break;
    }
    if (close_error != 0) {
        return fail_with_errno(CANNOT_WRITE, close_error);
    }
    return EXIT_OK;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        print_usage();
        return EXIT_FAILED;
    }
    const tavlon::OpenResult input = tavlon::open_input(argv[1]);
    if (input.status != tavlon::OpenStatus::ok) {
        return fail_with_errno("Cannot open input file", input.error);
    }
    const tavlon::OpenResult output = tavlon::open_output(argv[2], input.fd);
    switch (output.status) {
    case tavlon::OpenStatus::same_file:
        return fail("Cannot open output file", "Input file and output file are the same");
    case tavlon::OpenStatus::failed:
        return fail_with_errno("Cannot open output file", output.error);
    case tavlon::OpenStatus::ok:
        break;
    }
    tavlon::fill_escape_lengths();
    return convert(input.fd, output.fd);
}
