// tarnello-host editor without a display: what it says and what it refuses.

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

namespace
{
using namespace tarnello::test;

TEST (EditorCommand, WithoutADisplayExitsTwoAndSaysSo)
{
    const auto out = artifact ("no-display.png");
    std::filesystem::remove (out);
    for (const std::string environment : { "env -u DISPLAY", "env DISPLAY=:987" })
    {
        SCOPED_TRACE (environment);
        const auto run = runHost ("editor --png '" + out.string() + "' " + bundleOption, environment);
        EXPECT_EQ (run.exitCode, 2) << run.output;
        EXPECT_NE (run.output.find ("no display"), std::string::npos) << run.output;
        EXPECT_FALSE (std::filesystem::exists (out));
    }
}

TEST (EditorCommand, RefusesBadOptionsBeforeOpeningAnything)
{
    const struct { const char* arguments; const char* message; } cases[] = {
        { "editor --scale 0", "--scale takes a factor from 0.75 to 4" },
        { "editor --scale 4.5", "--scale takes a factor from 0.75 to 4" },
        { "editor --scale nan", "--scale takes a factor from 0.75 to 4" },
        { "editor --set Time", "--set takes NAME=VALUE" },
        { "editor --png", "--png needs a value" },
        { "editor --png /no/such/folder/x.png", "no folder /no/such/folder" },
        { "editor --wobble", "unknown option \"--wobble\"" },
        { "editor --png /dev/null", "--png /dev/null is a device" },
        { "editor --save-state /dev/null", "--save-state /dev/null is a device" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments);
        const auto run = runHost (c.arguments);
        EXPECT_EQ (run.exitCode, 2);
        EXPECT_NE (run.output.find (c.message), std::string::npos) << run.output;
    }
}

TEST (EditorCommand, NeverWritesOverTheStateFileUnderAnotherName)
{
    const auto folder = artifact ("editor-links");
    std::filesystem::remove_all (folder);
    std::filesystem::create_directories (folder);
    const auto state = folder / "saved.state";
    const auto link = folder / "picture.png";
    { std::FILE* f = std::fopen (state.c_str(), "w"); ASSERT_NE (f, nullptr); std::fputs ("<state/>", f); std::fclose (f); }
    std::filesystem::create_symlink (state, link);

    for (const std::string option : { "--png", "--save-state" })
    {
        SCOPED_TRACE (option);
        const auto run = runHost ("editor --state '" + state.string() + "' " + option + " '" + link.string() + "'");
        EXPECT_EQ (run.exitCode, 2) << run.output;
        EXPECT_TRUE (run.output.find ("would overwrite the state file") != std::string::npos
                     || run.output.find ("must name a file of its own") != std::string::npos) << run.output;
        EXPECT_EQ (std::filesystem::file_size (state), 8u);
        EXPECT_TRUE (std::filesystem::is_symlink (link));
    }
}

} // namespace
