// The built program, run as a user runs it, against real files and devices.
#include <cctype>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "letter_table.h"
#include "program_runner.h"
#include "reference_model.h"

namespace tavlon {
namespace {

const std::string USAGE =
    "Make Russian index from TeX idx-file.\n"
    "Must be performed BEFORE makeindex!\n"
    "The program replaces the Russian letters,\n"
    "produced by TeX in the style \"\\IeC {\\cyra }\",\n"
    "by normal Russian letters in Windows CP-1251\n"
    "encoding. Windows is choosed, because\n"
    "the codes of Russian letters\n"
    "are ordered in Windows encoding.\n"
    "\n"
    "Usage:\n"
    "    tavlon input-file output-file\n";

const std::string SAMPLE = "\\indexentry{\\IeC {\\CYRYA }\\IeC {\\cyrk }}{1}\n";
const std::string SAMPLE_CONVERTED = "\\indexentry{\xDF\xEA}{1}\n";
const std::string OLD_OUTPUT = "an earlier output that must stay as it was\n";

const std::string SOURCE_DIR = TAVLON_SOURCE_DIR;

std::string repeated(const std::string& text, std::size_t times)
{
    std::string result;
    for (std::size_t i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

TEST(Program, TooFewArgumentsPrintTheUsage)
{
    TempFolder dir;
    write_file(dir.path("in.idx"), SAMPLE);
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {dir.path("in.idx")}}) {
        const RunResult run = run_program(tavlon_command(args));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, USAGE);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(read_file(dir.path("in.idx")), SAMPLE);
}

TEST(Program, ConvertsAndEmptiesAnExistingOutputFirst)
{
    TempFolder dir;
    write_file(dir.path("in.idx"), SAMPLE);
    write_file(dir.path("out.idx"), OLD_OUTPUT + OLD_OUTPUT);
    const RunResult run = run_program(tavlon_command({dir.path("in.idx"), dir.path("out.idx")}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(read_file(dir.path("out.idx")), SAMPLE_CONVERTED);
    EXPECT_EQ(read_file(dir.path("in.idx")), SAMPLE);
}

TEST(Program, ExtraArgumentsAreIgnored)
{
    TempFolder dir;
    write_file(dir.path("in.idx"), SAMPLE);
    const RunResult run =
        run_program(tavlon_command({dir.path("in.idx"), dir.path("out.idx"), dir.path("third"), "-x"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir.path("out.idx")), SAMPLE_CONVERTED);
    EXPECT_FALSE(file_exists(dir.path("third")));
}

TEST(Program, PipesThroughStandardInputAndOutput)
{
    TempFolder dir;
    write_file(dir.path("in.idx"), SAMPLE);
    std::string pipeline;
    for (const std::string& word : tavlon_command({"/dev/stdin", "/dev/stdout"})) {
        pipeline += "'" + word + "' ";
    }
    const RunResult piped = run_program(
        {"sh", "-c", "cd \"$1\" && cat in.idx | " + pipeline + "| cat > out.idx", "sh", dir.root()});
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.err, "");
    EXPECT_EQ(read_file(dir.path("out.idx")), SAMPLE_CONVERTED);
}

// An index written by LaTeX itself (T2A, cp1251 inputenc), with every letter
// in both cases, Ё, sub-entries, @ and | forms and a line of 1780 bytes.
TEST(Program, ConvertsAnIndexWrittenByLatex)
{
    TempFolder dir;
    const std::string input = SOURCE_DIR + "/examples/russian-cp1251.idx";
    const RunResult run = run_program(tavlon_command({input, dir.path("out.idx")}));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string output = read_file(dir.path("out.idx"));
    EXPECT_EQ(output, read_file(SOURCE_DIR + "/tests/data/russian-cp1251.converted.idx"));
    EXPECT_EQ(output, reference_convert(read_file(input)));
}

// Inputs made to trip a converter up, each run through the program and
// compared with the reference model.
struct Hostile {
    const char* what;
    std::function<std::string()> make;
};

std::string with_zero_at(std::string text, std::size_t position, bool inserted)
{
    if (inserted) {
        text.insert(position, 1, '\0');
    } else {
        text[position] = '\0';
    }
    return text;
}

const std::string LONGEST_ESCAPE = "\\IeC {\\CYRISHRT }";

const Hostile HOSTILE_INPUTS[] = {
    {"a single line of 10 MiB with escapes throughout",
     [] {
         // Escapes, near misses and plain bytes, in a unit of odd length so
         // that read boundaries fall at a different place in it each time.
         std::string unit = "\\indexentry{";
         for (int k = 0; k < LETTER_COUNT; ++k) {
             unit += escape_texts[k];
             unit += k % 2 == 0 ? "\\IeC {\\" : "x\\";
         }
         if (unit.size() % 2 == 0) {
             unit += '}';
         }
         return repeated(unit, (std::size_t{10} << 20) / unit.size() + 1);
     }},
    {"only backslashes", [] { return std::string((std::size_t{1} << 20) + 1, '\\'); }},
    {"an escape one byte short at the end of the file",
     [] { return "\\IeC {\\cyra }" + LONGEST_ESCAPE.substr(0, LONGEST_ESCAPE.size() - 1); }},
    {"a backslash at the end of the file", [] { return std::string("\\IeC {\\cyra }\\"); }},
    {"zero bytes in every position of an escape",
     [] {
         std::string input;
         for (std::size_t i = 0; i < LONGEST_ESCAPE.size(); ++i) {
             input += with_zero_at(LONGEST_ESCAPE, i, false) + LONGEST_ESCAPE;
             input += with_zero_at(LONGEST_ESCAPE, i, true) + LONGEST_ESCAPE;
         }
         return input;
     }},
    {"all 256 byte values, before an escape and in its name",
     [] {
         std::string input;
         for (int b = 0; b < 256; ++b) {
             const char byte = static_cast<char>(b);
             input += byte + std::string("\\IeC {\\cyr") + byte + " }";
         }
         return input;
     }},
};

TEST(Program, HostileInputsMatchTheReferenceModel)
{
    for (const Hostile& hostile : HOSTILE_INPUTS) {
        TempFolder dir;
        const std::string input = hostile.make();
        write_file(dir.path("in.idx"), input);
        const RunResult run = run_program(tavlon_command({dir.path("in.idx"), dir.path("out.idx")}));
        EXPECT_EQ(run.status, 0) << hostile.what << ": " << run.err;
        EXPECT_EQ(run.out + run.err, "") << hostile.what;
        // Not EXPECT_EQ: a mismatch of 10 MiB would print both in full.
        EXPECT_TRUE(read_file(dir.path("out.idx")) == reference_convert(input)) << hostile.what;
    }
}

// Every failure: one report line, status 1, nothing on standard output, the
// input as it was, and no output where none may be made.
using Wrapper = std::vector<std::string> (*)(const TempFolder&, std::vector<std::string>);

struct Failure {
    const char* what;
    std::function<std::vector<std::string>(const TempFolder&)> arguments;
    std::string report;
    bool output_untouched;  // out.idx keeps OLD_OUTPUT (else whatever tavlon left)
    std::string input = SAMPLE;
    Wrapper wrapper = nullptr;  // runs the command in the setting the fault needs
};

void PrintTo(const Failure& failure, std::ostream* out)
{
    *out << failure.what;
}

std::vector<std::string> as_nobody(std::vector<std::string> command)
{
    if (::geteuid() != 0) {
        return command;  // an ordinary user meets the permission errors as is
    }
    command.insert(command.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    return command;
}

// A disk of one page: a tmpfs mounted over tiny/ in a mount namespace of the
// command's own, so nothing outside sees it and it goes when the command ends.
std::vector<std::string> on_tiny_disk(const TempFolder& dir, std::vector<std::string> command)
{
    std::vector<std::string> wrapped{"unshare", "--mount"};
    if (::geteuid() != 0) {
        wrapped.emplace_back("--map-root-user");
    }
    wrapped.insert(wrapped.end(),
                   {"sh", "-c", "mkdir -p \"$0\" && mount -t tmpfs -o size=4k tavlon-tiny \"$0\" && exec \"$@\"",
                    dir.path("tiny")});
    wrapped.insert(wrapped.end(), command.begin(), command.end());
    return wrapped;
}

const Failure FAILURES[] = {
    {"missing input",
     [](const TempFolder& d) { return std::vector<std::string>{d.path("missing.idx"), d.path("out.idx")}; },
     "Cannot open input file: No such file or directory\n", true},
    {"directory as input",
     [](const TempFolder& d) { return std::vector<std::string>{d.root(), d.path("out.idx")}; },
     "Cannot open input file: Is a directory\n", true},
    {"output in a missing folder",
     [](const TempFolder& d) { return std::vector<std::string>{d.path("in.idx"), d.path("no/out.idx")}; },
     "Cannot open output file: No such file or directory\n", true},
    {"directory as output",
     [](const TempFolder& d) { return std::vector<std::string>{d.path("in.idx"), d.root()}; },
     "Cannot open output file: Is a directory\n", true},
    {"same path twice",
     [](const TempFolder& d) { return std::vector<std::string>{d.path("in.idx"), d.path("in.idx")}; },
     "Cannot open output file: Input file and output file are the same\n", true},
    {"output is a symbolic link to the input",
     [](const TempFolder& d) {
         EXPECT_EQ(::symlink(d.path("in.idx").c_str(), d.path("link.idx").c_str()), 0);
         return std::vector<std::string>{d.path("in.idx"), d.path("link.idx")};
     },
     "Cannot open output file: Input file and output file are the same\n", true},
    {"output is a hard link to the input",
     [](const TempFolder& d) {
         EXPECT_EQ(::link(d.path("in.idx").c_str(), d.path("hard.idx").c_str()), 0);
         return std::vector<std::string>{d.path("hard.idx"), d.path("in.idx")};
     },
     "Cannot open output file: Input file and output file are the same\n", true},
    {"read fails with EIO",
     [](const TempFolder& d) { return std::vector<std::string>{"/proc/self/mem", d.path("out.idx")}; },
     "Cannot read input file: Input/output error\n", false},
    {"output device is full",
     [](const TempFolder& d) { return std::vector<std::string>{d.path("in.idx"), "/dev/full"}; },
     "Cannot write output file: No space left on device\n", true},
    {"disk fills up in the middle of the output",
     [](const TempFolder& d) { return std::vector<std::string>{d.path("in.idx"), d.path("tiny/out.idx")}; },
     "Cannot write output file: No space left on device\n", true, repeated(SAMPLE, 1000), on_tiny_disk},
};

bool in_ci()
{
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

class ProgramFailure : public testing::TestWithParam<Failure> {};

TEST_P(ProgramFailure, IsReportedOnceAndLosesNothing)
{
    const Failure& failure = GetParam();
    TempFolder dir;
    if (failure.wrapper != nullptr) {
        const RunResult setup = run_program(failure.wrapper(dir, {"true"}));
        if (setup.status != 0) {
            if (in_ci()) {
                FAIL() << failure.what << ": CI must permit this setup: " << setup.err;
            }
            GTEST_SKIP() << failure.what << ": skipped, not permitted here: " << setup.err;
        }
    }
    write_file(dir.path("in.idx"), failure.input);
    write_file(dir.path("out.idx"), OLD_OUTPUT);
    std::vector<std::string> command = tavlon_command(failure.arguments(dir));
    if (failure.wrapper != nullptr) {
        command = failure.wrapper(dir, command);
    }
    const RunResult run = run_program(command);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, failure.report);
    EXPECT_EQ(read_file(dir.path("in.idx")), failure.input);
    if (failure.output_untouched) {
        EXPECT_EQ(read_file(dir.path("out.idx")), OLD_OUTPUT);
    }
}

std::string test_name(const testing::TestParamInfo<Failure>& info)
{
    std::string name = info.param.what;
    for (char& c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Program, ProgramFailure, testing::ValuesIn(FAILURES), test_name);

TEST(Program, NoOutputIsCreatedWhenTheInputCannotBeOpened)
{
    TempFolder dir;
    for (const std::string& input : {dir.path("missing.idx"), dir.root()}) {
        const RunResult run = run_program(tavlon_command({input, dir.path("out.idx")}));
        EXPECT_EQ(run.status, 1);
        EXPECT_FALSE(file_exists(dir.path("out.idx"))) << input;
    }
}

TEST(Program, PermissionErrorsAreReported)
{
    TempFolder dir;
    ASSERT_EQ(::chmod(dir.root().c_str(), 0755), 0);
    write_file(dir.path("secret.idx"), SAMPLE);
    ASSERT_EQ(::chmod(dir.path("secret.idx").c_str(), 0), 0);
    write_file(dir.path("open.idx"), SAMPLE);
    ASSERT_EQ(::chmod(dir.path("open.idx").c_str(), 0644), 0);
    ASSERT_EQ(::mkdir(dir.path("locked").c_str(), 0555), 0);

    // The build folder may be closed to other users: run a copy from here.
    const std::string tavlon = dir.path("tavlon");
    copy_tavlon_to(tavlon);

    const RunResult unreadable =
        run_program(as_nobody(tavlon_command_at(tavlon, {dir.path("secret.idx"), dir.path("out.idx")})));
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(unreadable.err, "Cannot open input file: Permission denied\n");
    ASSERT_EQ(::chmod(dir.path("secret.idx").c_str(), 0600), 0);
    EXPECT_EQ(read_file(dir.path("secret.idx")), SAMPLE);

    const RunResult unwritable =
        run_program(as_nobody(tavlon_command_at(tavlon, {dir.path("open.idx"), dir.path("locked/out.idx")})));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Cannot open output file: Permission denied\n");
    EXPECT_FALSE(file_exists(dir.path("out.idx")));
}

}  // namespace
}  // namespace tavlon
