#pragma once

#include <filesystem>

namespace tarnello::test
{
// The private HOME that the test main created for this process; it is removed at exit.
const std::filesystem::path& privateHome();
} // namespace tarnello::test
