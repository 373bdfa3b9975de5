// tarnello-host editor without a display: what it says and what it refuses.

#include "HostRun.h"

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
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments);
        const auto run = runHost (c.arguments);
        EXPECT_EQ (run.exitCode, 2);
        EXPECT_NE (run.output.find (c.message), std::string::npos) << run.output;
    }
}

} // namespace
