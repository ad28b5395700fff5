#pragma once

#include "temp_dir.h"

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qytxt::testing {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Where the program's stdout goes: caught like stderr, a device that is always full, or nowhere.
enum class StdoutTo { Caught, FullDevice, Closed };

// Runs qytxt-cli with exactly these arguments, no shell between, in `workingFolder` when given; its
// output is caught in files outside the folders the test looks at.
inline CliResult runCli(const std::vector<std::string>& args, const std::filesystem::path& workingFolder = {},
                        StdoutTo stdoutTo = StdoutTo::Caught)
{
    TempDir streams;
    const std::filesystem::path outFile = streams.file("stdout");
    const std::filesystem::path errFile = streams.file("stderr");
    std::vector<std::string> copies(args);
    std::string program = QYTXT_CLI_PATH;
    std::vector<char*> argv{program.data()};
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0)
            ::_exit(127);
        const int full = stdoutTo == StdoutTo::FullDevice ? ::open("/dev/full", O_WRONLY) : -1;
        if ((stdoutTo == StdoutTo::FullDevice && ::dup2(full, STDOUT_FILENO) < 0) ||
            (stdoutTo == StdoutTo::Closed && ::close(STDOUT_FILENO) != 0))
            ::_exit(127);
        if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0)
            ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    CliResult result;
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readBytes(outFile);
    result.err = readBytes(errFile);
    return result;
}

} // namespace qytxt::testing
