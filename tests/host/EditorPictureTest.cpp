// tarnello-host editor on an X display: the editor's picture taken from the X
// server at scale 1 and 2, through the product's bundle.

#include "tests/host/HostRun.h"

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
TEST (EditorCommand, SetsAndSavesTheStateAsRenderDoes)
{
    if (! haveDisplay())
        GTEST_SKIP() << "no X display";
    const auto picture = artifact ("editor-set.png");
    const auto state = artifact ("editor-state.bin");
    std::filesystem::remove (state);

    auto run = runHost ("editor --png '" + picture.string() + "' --set Mix=80 --save-state '" + state.string() + "' "
                        + bundleOption);
    ASSERT_EQ (run.exitCode, 0) << run.output;
    juce::MemoryBlock chunk;
    ASSERT_TRUE (juce::File (state.string()).loadFileAsData (chunk));
    ASSERT_GT (chunk.getSize(), 8u);
    // JUCE's envelope: magic and length, then the XML text.
    const auto text = juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8, (int) chunk.getSize() - 8);
    EXPECT_TRUE (text.contains ("Mix=\"80.0\"")) << "the saved state lacks the value set";

    run = runHost ("editor --png '" + picture.string() + "' --set Wobble=3 " + bundleOption);
    EXPECT_EQ (run.exitCode, 2);
    EXPECT_NE (run.output.find ("--set Wobble=3: unknown parameter \"Wobble\""), std::string::npos) << run.output;

    run = runHost ("editor --png '" + artifact ("editor-unused.png").string() + "' --state '" + picture.string() + "' "
                   + bundleOption);
    EXPECT_EQ (run.exitCode, 2);
    EXPECT_NE (run.output.find ("not a Tarnello state chunk"), std::string::npos) << run.output;
}
} // namespace
