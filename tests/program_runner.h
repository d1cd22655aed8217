// Running the built program as a user would, and a self-cleaning folder
// for the files it works on.
#pragma once

#include <string>
#include <vector>

namespace tavlon {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] std::string path(const std::string& name) const { return root_ + "/" + name; }
    [[nodiscard]] const std::string& root() const { return root_; }

private:
    std::string root_;
};

struct RunResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs argv (argv[0] is looked up in PATH) with standard input from
// stdin_path. TAVLON_WRAPPER, when set, is a command put in front of the
// tavlon binary (for example a memory checker).
[[nodiscard]] RunResult run_program(const std::vector<std::string>& argv,
                                    const std::string& stdin_path = "/dev/null");

// The tavlon binary under test, wrapped as TAVLON_WRAPPER says.
[[nodiscard]] std::vector<std::string> tavlon_command(const std::vector<std::string>& args);

// The same with a copy of the binary at binary, for a user who cannot reach the build folder.
[[nodiscard]] std::vector<std::string> tavlon_command_at(const std::string& binary,
                                                         const std::vector<std::string>& args);

// Copies the binary under test to path, executable by everyone.
void copy_tavlon_to(const std::string& path);

[[nodiscard]] std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
[[nodiscard]] bool file_exists(const std::string& path);

}  // namespace tavlon
