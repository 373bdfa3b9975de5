// tarnello-host describe, run as the user runs it.

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct Run
{
    int exitCode = -1;
    std::vector<std::string> lines;
};

Run RunHost (const std::string& arguments)
{
    const auto run = tarnello::test::runHost (arguments);
    return { run.exitCode, run.lines() };
}

size_t CountStartingWith (const std::vector<std::string>& lines, const std::string& prefix)
{
    size_t count = 0;
    for (const auto& line : lines)
        if (line.rfind (prefix, 0) == 0)
            ++count;
    return count;
}

bool Has (const std::vector<std::string>& lines, const std::string& line)
{
    return std::find (lines.begin(), lines.end(), line) != lines.end();
}

TEST (DescribeCommand, PrintsWhatTheBundleRegistered)
{
    const auto run = RunHost (std::string ("describe --bundle '") + TARNELLO_STANDIN_BUNDLE + "'");
    ASSERT_EQ (run.exitCode, 0);
    EXPECT_TRUE (Has (run.lines, "effect com.Halvory.Tarnello"));
    EXPECT_TRUE (Has (run.lines, "manufacturer Halvory"));
    EXPECT_TRUE (Has (run.lines, "packages \"Vazu Duzor\" \"Tarnello\" version 0x00010000"));
    EXPECT_TRUE (Has (run.lines, "names \"Tarnello\""));
    EXPECT_TRUE (Has (run.lines, "category 0x00002030"));
    EXPECT_TRUE (Has (run.lines, "procedures 1 0"));
    EXPECT_TRUE (Has (run.lines, "components 169"));
    EXPECT_EQ (CountStartingWith (run.lines, "component "), 169u);
    EXPECT_TRUE (Has (run.lines,
                      "component 14: in 0x00010002 out 0x00000001 fields 0:AudioIn 1:AudioOut 2:AudioBufferLength 3:DataInPort(4,1) "
                      "4:PrivateData(8,0) 5:PrivateData(4,0) 6:PrivateData(8,0) 7:PrivateData(8,0) | native properties 11='Hlvr' "
                      "12='Trnl' 60=1 51=0x00010002 52=0x00000001 13='jccb' 14='jycb' 304=1 309=1"));
}

TEST (DescribeCommand, ReportsAMissingBundle)
{
    const auto run = RunHost ("describe --bundle /no/such/Tarnello.aaxplugin");
    EXPECT_EQ (run.exitCode, 1);
    ASSERT_FALSE (run.lines.empty());
    EXPECT_NE (run.lines[0].find ("no bundle library"), std::string::npos);
}

TEST (DescribeCommand, RejectsUnknownCommandsAndOptions)
{
    EXPECT_EQ (RunHost ("").exitCode, 2);
    EXPECT_EQ (RunHost ("transmogrify").exitCode, 2);
    EXPECT_EQ (RunHost ("describe --colour").exitCode, 2);
}

#ifdef TARNELLO_PRODUCT_BUNDLE
TEST (DescribeCommand, DescribesTheProductBundleByDefault)
{
    const auto run = RunHost ("describe");
    ASSERT_EQ (run.exitCode, 0);
    EXPECT_TRUE (Has (run.lines, "effect com.Halvory.Tarnello"));
    EXPECT_TRUE (Has (run.lines, "names \"Tarnello\""));
    EXPECT_TRUE (Has (run.lines, "manufacturer Halvory"));
    // One component per pair of formats the product's layout rules accept.
    EXPECT_GT (CountStartingWith (run.lines, "component "), 0u);
}
#endif
} // namespace
