#include "tests/support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace tarnello::test
{
namespace
{
std::string readAndRemove (const std::filesystem::path& file)
{
    std::string text;
    {
        std::ifstream in (file, std::ios::binary);
        std::ostringstream buffer;
        buffer << in.rdbuf();
        text = buffer.str();
    }
    std::error_code ignored;
    std::filesystem::remove (file, ignored);
    return text;
}

// Output files of their own for each program, so that programs run side by side.
std::string uniqueStem()
{
    static std::atomic<int> counter { 0 };
    return "program-" + std::to_string (::getpid()) + "-" + std::to_string (counter.fetch_add (1));
}
} // namespace

Program::Program (const std::vector<std::string>& arguments, const std::filesystem::path& outputFolder,
                  const std::filesystem::path& workFolder)
{
    std::filesystem::create_directories (outputFolder);
    const auto stem = uniqueStem();
    outFile = outputFolder / (stem + ".out");
    errFile = outputFolder / (stem + ".err");
    if (arguments.empty())
        return;

    std::vector<std::string> all (arguments);
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back (a.data());
    argv.push_back (nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (! workFolder.empty())
        posix_spawn_file_actions_addchdir_np (&actions, workFolder.c_str());
    if (posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = 0;
    posix_spawn_file_actions_destroy (&actions);
}

Program::~Program()
{
    if (pid != 0)
        finish();
}

void Program::signal (int signalNumber)
{
    if (pid != 0)
        ::kill (pid, signalNumber);
}

ProgramResult Program::finish (double seconds)
{
    ProgramResult result;
    if (pid != 0)
    {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double> (seconds);
        bool hung = false;
        while (waitpid (pid, &status, WNOHANG) == 0)
        {
            if (std::chrono::steady_clock::now() > deadline)
            {
                hung = true;
                ::kill (pid, SIGKILL);
                waitpid (pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for (std::chrono::milliseconds (1));
        }
        result.status = hung ? -2 : (WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status));
        pid = 0;
    }
    result.out = readAndRemove (outFile);
    result.err = readAndRemove (errFile);
    return result;
}

ProgramResult runCommandLine (const std::string& commandLine, const std::filesystem::path& outputFolder, double seconds)
{
    return Program ({ "/bin/sh", "-c", commandLine + " 2>&1" }, outputFolder).finish (seconds);
}
} // namespace tarnello::test
