// tarnello-host editor on an X display: the editor's picture taken from the X
// server at scale 1 and 2, through the product's bundle.

#include "HostRun.h"

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
using namespace tarnello::test;

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
