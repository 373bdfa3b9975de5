// The panels' film strips in the build tree's resources folder: their raw-image
// files, their frames and what each frame shows.

#include <gtest/gtest.h>

#include "tests/resources/PictureChecks.h"
#include "tests/support/PanelStrips.h"

using namespace tarnello::test;

namespace
{
using Strip = PanelStrip;
const auto& strips = panelStrips;

juce::File stripFile (const Strip& strip, int scale)
{
    return juce::File (TARNELLO_BUILD_RESOURCES_DIR)
        .getChildFile ("panels/x" + juce::String (scale) + "_" + strip.name + ".dovi");
}

juce::Image loadStrip (const Strip& strip, int scale)
{
    return toImage (readRawImageFile (stripFile (strip, scale)));
}

// Every eighth frame of a long strip side by side (every frame of a short one), for review.
juce::Image contactSheet (const juce::Image& strip, int frameHeight, int frames)
{
    const int step = frames > 8 ? 8 : 1;
    const int shown = (frames - 1) / step + 1;
    juce::Image sheet (juce::Image::ARGB, (strip.getWidth() + 4) * shown, frameHeight, true);
    juce::Graphics g (sheet);
    for (int i = 0; i < shown; ++i)
        g.drawImageAt (frameOf (strip, frameHeight, i * step), i * (strip.getWidth() + 4), 0);
    return sheet;
}

const Strip& stripNamed (const char* name)
{
    for (const auto& s : strips)
        if (juce::String (s.name) == name)
            return s;
    throw std::logic_error ("no such strip");
}
} // namespace

TEST (FilmStrips, FilesHaveTheFrameSizesAndCountsAndTheirLengthMatchesTheHeader)
{
    for (const auto& strip : strips)
        for (int scale : { 1, 2 })
        {
            SCOPED_TRACE (juce::String (strip.name) + " x" + juce::String (scale));
            const auto raw = readRawImageFile (stripFile (strip, scale));
            ASSERT_TRUE (raw.readable);
            EXPECT_EQ (raw.width, strip.frameWidth * scale);
            EXPECT_EQ (raw.height, strip.frameHeight * strip.frames * scale);
            EXPECT_EQ (raw.hasAlpha, 1);
            EXPECT_EQ (raw.padding[0] | raw.padding[1] | raw.padding[2], 0);
            EXPECT_EQ (raw.fileSize, 12 + (int64_t) raw.width * raw.height * 4);
        }
}

TEST (FilmStrips, PixelsArePremultipliedInJuceMemoryOrder)
{
    // Blue, green, red, alpha: no colour byte can exceed the alpha byte after it.
    // Any other order, or colours left unpremultiplied, breaks that on the strips'
    // bright, antialiased edges.
    for (const auto& strip : strips)
    {
        SCOPED_TRACE (strip.name);
        const auto raw = readRawImageFile (stripFile (strip, 2));
        ASSERT_TRUE (raw.readable);
        const auto* p = static_cast<const uint8_t*> (raw.pixels.getData());
        size_t opaque = 0, clear = 0, broken = 0;
        for (size_t i = 0; i + 3 < raw.pixels.getSize(); i += 4)
        {
            const auto alpha = p[i + 3];
            broken += (p[i] > alpha || p[i + 1] > alpha || p[i + 2] > alpha) ? 1 : 0;
            opaque += alpha == 255 ? 1 : 0;
            clear += alpha == 0 ? 1 : 0;
        }
        EXPECT_EQ (broken, 0u);
        EXPECT_GT (opaque, 0u);
        if (juce::String (strip.name) != "meter")   // the meter fills its whole cell
        {
            EXPECT_GT (clear, 0u);
        }
    }
}

TEST (FilmStrips, X2IsTheSameStripAtTwiceTheResolution)
{
    for (const auto& strip : strips)
    {
        SCOPED_TRACE (strip.name);
        const auto x1 = loadStrip (strip, 1);
        const auto x2 = loadStrip (strip, 2);
        ASSERT_TRUE (x1.isValid());
        ASSERT_TRUE (x2.isValid());
        ASSERT_EQ (x2.getWidth(), 2 * x1.getWidth());
        ASSERT_EQ (x2.getHeight(), 2 * x1.getHeight());
        EXPECT_LT (meanDifferenceToHalf (x1, x2), 6.0);
        writePreview (juce::String ("strip_") + strip.name, contactSheet (x2, strip.frameHeight * 2, strip.frames), 3);
    }
}

TEST (FilmStrips, EveryFrameDiffersFromTheOneBefore)
{
    for (const auto& strip : strips)
        for (int scale : { 1, 2 })
        {
            SCOPED_TRACE (juce::String (strip.name) + " x" + juce::String (scale));
            const auto image = loadStrip (strip, scale);
            ASSERT_TRUE (image.isValid());
            const auto h = strip.frameHeight * scale;
            for (int f = 1; f < strip.frames; ++f)
            {
                EXPECT_GT (imageDifference (frameOf (image, h, f - 1), frameOf (image, h, f)), 0.0) << "frame " << f;
            }
        }
}

TEST (FilmStrips, AccentLightShowsTheValueOrState)
{
    // The knobs' value arc, the switch's "on" and the button's "down" are lit in the
    // accent colour: nothing lit at the minimum, off or up; more lit as the value rises.
    for (const auto* name : { "knob", "knob-large" })
    {
        SCOPED_TRACE (name);
        const auto& strip = stripNamed (name);
        const auto image = loadStrip (strip, 1);
        ASSERT_TRUE (image.isValid());
        int previous = -1;
        for (int f = 0; f < strip.frames; ++f)
        {
            const auto lit = warmPixelCount (frameOf (image, strip.frameHeight, f));
            if (f == 0)
            {
                EXPECT_EQ (lit, 0);
            }
            EXPECT_GE (lit, previous) << "frame " << f;
            previous = lit;
        }
        EXPECT_GT (previous, strip.frameWidth * strip.frameHeight / 10);
    }
    for (const auto* name : { "switch", "button" })
    {
        SCOPED_TRACE (name);
        const auto& strip = stripNamed (name);
        const auto image = loadStrip (strip, 1);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (warmPixelCount (frameOf (image, strip.frameHeight, 0)), 0);
        EXPECT_GT (warmPixelCount (frameOf (image, strip.frameHeight, 1)), 12);
    }
}

TEST (FilmStrips, MeterLightsMoreWithEveryStep)
{
    const auto& strip = stripNamed ("meter");
    for (int scale : { 1, 2 })
    {
        SCOPED_TRACE (scale);
        const auto image = loadStrip (strip, scale);
        ASSERT_TRUE (image.isValid());
        const auto h = strip.frameHeight * scale;
        for (int f = 1; f < strip.frames; ++f)
            EXPECT_GT (totalBrightness (frameOf (image, h, f)), totalBrightness (frameOf (image, h, f - 1)))
                << "frame " << f;
    }
}
