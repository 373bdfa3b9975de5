#include "tests/support/TestEnvironment.h"

#include <cstdlib>
#include <random>
#include <string>

namespace
{
std::filesystem::path makePrivateHome()
{
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        auto candidate = base / ("tarnello-test-" + std::to_string (rd()));
        std::error_code ec;
        if (std::filesystem::create_directory (candidate, ec))
            return candidate;
    }
    std::abort();
}
} // namespace

namespace tarnello::test
{
bool haveDisplay()
{
    const char* display = std::getenv ("DISPLAY");
    return display != nullptr && *display != '\0';
}

const std::filesystem::path& privateHome()
{
    static const std::filesystem::path home = makePrivateHome();
    return home;
}

void enterPrivateHome()
{
    const auto& home = privateHome();
    const auto config = home / ".config";
    std::filesystem::create_directories (config);
    setenv ("HOME", home.c_str(), 1);
    setenv ("XDG_CONFIG_HOME", config.c_str(), 1);
}

void removePrivateHome()
{
    std::error_code ec;
    std::filesystem::remove_all (privateHome(), ec);
}
} // namespace tarnello::test
