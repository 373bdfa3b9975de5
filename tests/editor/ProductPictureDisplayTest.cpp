// The product's editor as tarnello-host shows it through the bundle in a real X
// window: the picture taken from the X server at scale 1 and 2 is the product's
// editor, not a blank or generic window.

#include "tests/host/HostRun.h"
#include "tests/support/TestEnvironment.h"

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

namespace
{
using namespace tarnello::test;

juce::Image pictureAt (int scale)
{
    const auto out = artifact ("product-editor-x" + std::to_string (scale) + ".png");
    std::filesystem::remove (out);
    const auto run = runHost ("editor --png '" + out.string() + "' --scale " + std::to_string (scale) + " " + bundleOption);
    EXPECT_EQ (run.exitCode, 0) << run.output;
    return juce::ImageFileFormat::loadFrom (juce::File (out.string()));
}

TEST (ProductEditorPicture, ShowsTheProductsEditorAtScaleOneAndTwo)
{
    if (! haveDisplay())
        GTEST_SKIP() << "no X display";

    for (int scale : { 1, 2 })
    {
        SCOPED_TRACE (scale);
        const auto picture = pictureAt (scale);
        ASSERT_TRUE (picture.isValid());
        EXPECT_EQ (picture.getWidth(), 786 * scale);
        EXPECT_EQ (picture.getHeight(), 304 * scale);
        // The window's background beside the preset bar, the bar itself and the rack.
        EXPECT_EQ (picture.getPixelAt (200 * scale, 20 * scale).getARGB(), 0xFF161616u);
        EXPECT_EQ (picture.getPixelAt ((786 / 2 - 100) * scale, 8 * scale).getARGB(), 0xFF2B2B2Bu) << "no preset bar";
        // The side menu's three bars at the top right.
        EXPECT_EQ (picture.getPixelAt ((786 - 28) * scale, 14 * scale).getARGB(), 0xFFD0D0CEu) << "no side menu";
    }
}
} // namespace
