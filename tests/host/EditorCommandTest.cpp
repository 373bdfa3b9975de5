// tarnello-host editor, run as the user runs it: its messages without a
// display, and (with one) the editor's picture taken from the X server at
// scale 1 and 2, through the product's bundle.

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace
{
struct Run
{
    int exitCode = -1;
    std::string output;
};

Run runHost (const std::string& arguments, const std::string& environment = {})
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

bool haveDisplay()
{
    const char* display = std::getenv ("DISPLAY");
    return display != nullptr && *display != '\0';
}

std::filesystem::path artifact (const std::string& name)
{
    const auto folder = std::filesystem::path (TARNELLO_TEST_ARTIFACTS);
    std::filesystem::create_directories (folder);
    return folder / name;
}

const std::string bundleOption = std::string ("--bundle '") + TARNELLO_PRODUCT_BUNDLE + "'";

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

juce::Image takePicture (const std::string& name, const std::string& options)
{
    const auto out = artifact (name);
    std::filesystem::remove (out);
    const auto run = runHost ("editor --png '" + out.string() + "' " + options + " " + bundleOption);
    EXPECT_EQ (run.exitCode, 0) << run.output;
    EXPECT_NE (run.output.find (out.string()), std::string::npos) << "says where the picture went: " << run.output;
    return juce::ImageFileFormat::loadFrom (juce::File (out.string()));
}

// Colours a picture shows, as a rough measure of there being anything in it.
int distinctColours (const juce::Image& picture)
{
    std::set<juce::uint32> colours;
    for (int y = 0; y < picture.getHeight(); y += 3)
        for (int x = 0; x < picture.getWidth(); x += 3)
            colours.insert (picture.getPixelAt (x, y).getARGB());
    return static_cast<int> (colours.size());
}

TEST (EditorCommand, TakesThePictureOfTheEditorAsShownAtScaleOneAndTwo)
{
    if (! haveDisplay())
        GTEST_SKIP() << "no X display";
    const auto single = takePicture ("editor-x1.png", "");
    const auto twice = takePicture ("editor-x2.png", "--scale 2");
    ASSERT_TRUE (single.isValid());
    ASSERT_TRUE (twice.isValid());
    EXPECT_EQ (twice.getWidth(), 2 * single.getWidth());
    EXPECT_EQ (twice.getHeight(), 2 * single.getHeight());
    EXPECT_GT (distinctColours (single), 8) << "the window shows no editor";
    EXPECT_GT (distinctColours (twice), 8) << "the window shows no editor";
}
} // namespace
