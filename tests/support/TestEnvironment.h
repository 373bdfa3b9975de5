#pragma once

#include <filesystem>

namespace tarnello::test
{
// The private HOME that the test main created for this process; it is removed at exit.
const std::filesystem::path& privateHome();

// Makes the private HOME and its XDG_CONFIG_HOME and points the environment at them,
// so settings and presets written by the code under test never touch the real user's.
void enterPrivateHome();

// True when DISPLAY names an X display for the programs and windows a test opens.
bool haveDisplay();

// Removes the private HOME with everything the tests left in it.
void removePrivateHome();
} // namespace tarnello::test
