// Programs run as a user runs them, for the tests of the command lines: started
// with their arguments, their output caught in files, stopped when they hang.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarnello::test
{
struct ProgramResult
{
    // The exit code; 128 + the signal for a program that a signal ended; -1 when it
    // did not start; -2 when it hung and was killed.
    int status = -1;
    std::string out, err;
};

class Program
{
public:
    // Starts arguments[0] with the arguments, in `workFolder` (the current one when
    // empty); its output goes to files in `outputFolder` until finish() reads them.
    Program (const std::vector<std::string>& arguments, const std::filesystem::path& outputFolder,
             const std::filesystem::path& workFolder = {});
    ~Program();

    Program (const Program&) = delete;
    Program& operator= (const Program&) = delete;

    bool running() const { return pid != 0; }
    void signal (int signalNumber);

    // Waits for the end; a program still running after `seconds` is killed.
    ProgramResult finish (double seconds = 60.0);

private:
    std::filesystem::path outFile, errFile;
    pid_t pid = 0;
};

// Runs a shell command line (its own quoting, redirections and environment
// settings) to the end; what it printed on either stream comes back in `out`.
ProgramResult runCommandLine (const std::string& commandLine, const std::filesystem::path& outputFolder,
                              double seconds = 60.0);
} // namespace tarnello::test
