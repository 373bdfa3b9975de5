// tarnello-host run as the user runs it, for the tests of its commands.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tarnello::test
{
struct Run
{
    int exitCode = -1;
    std::string output;
};

inline Run runHost (const std::string& arguments, const std::string& environment = {})
{
    Run run;
    const std::string command = environment + " '" + TARNELLO_HOST_PROGRAM + "' " + arguments + " 2>&1";
    FILE* pipe = popen (command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread (buffer, 1, sizeof (buffer), pipe)) > 0)
        run.output.append (buffer, n);
    const int status = pclose (pipe);
    run.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
    return run;
}

inline bool haveDisplay()
{
    const char* display = std::getenv ("DISPLAY");
    return display != nullptr && *display != '\0';
}

inline std::filesystem::path artifact (const std::string& name)
{
    const auto folder = std::filesystem::path (TARNELLO_TEST_ARTIFACTS);
    std::filesystem::create_directories (folder);
    return folder / name;
}

inline const std::string bundleOption = std::string ("--bundle '") + TARNELLO_PRODUCT_BUNDLE + "'";
} // namespace tarnello::test
