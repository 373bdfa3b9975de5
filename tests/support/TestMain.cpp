// Every test binary runs with a private, empty HOME and XDG_CONFIG_HOME so that
// settings and presets written by the code under test never touch the real user's
// files. A JUCE GUI initialiser provides the message manager that timers need;
// tests call timer callbacks directly instead of waiting for them.

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "TestEnvironment.h"

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
const std::filesystem::path& privateHome()
{
    static const std::filesystem::path home = makePrivateHome();
    return home;
}
} // namespace tarnello::test

int main (int argc, char** argv)
{
    const auto& home = tarnello::test::privateHome();
    const auto config = home / ".config";
    std::filesystem::create_directories (config);
    setenv ("HOME", home.c_str(), 1);
    setenv ("XDG_CONFIG_HOME", config.c_str(), 1);

    ::testing::InitGoogleTest (&argc, argv);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juceInit;
        result = RUN_ALL_TESTS();
    }

    std::error_code ec;
    std::filesystem::remove_all (home, ec);
    return result;
}
