// tarnello-host run as the user runs it, for the tests of its commands.
#pragma once

#include "tests/support/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tarnello::test
{
struct Run
{
    int exitCode = -1;
    std::string output;

    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        std::istringstream stream (output);
        for (std::string line; std::getline (stream, line);)
            result.push_back (line);
        return result;
    }
};

// tarnello-host with the arguments as a shell would pass them, after the
// environment settings; what it printed on either stream comes back as one.
inline Run runHost (const std::string& arguments, const std::string& environment = {})
{
    const auto result = runCommandLine (environment + " '" + TARNELLO_HOST_PROGRAM + "' " + arguments,
                                        privateHome() / "host-runs");
    return { result.status, result.out };
}

inline std::filesystem::path artifact (const std::string& name)
{
    const auto folder = std::filesystem::path (TARNELLO_TEST_ARTIFACTS);
    std::filesystem::create_directories (folder);
    return folder / name;
}

inline const std::string bundleOption = std::string ("--bundle '") + TARNELLO_PRODUCT_BUNDLE + "'";
} // namespace tarnello::test
