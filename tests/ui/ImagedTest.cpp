// The scaled image source: which variant a component draws at which display scale,
// and how ".dovi" raw images are read, including broken ones.

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/Imaged.h"

#include <limits>

using namespace tarnello::test;

namespace
{
juce::Image readDovi (const juce::MemoryBlock& bytes)
{
    juce::MemoryInputStream in (bytes, false);
    return Imaged::readDovi (in);
}

// A ".dovi" image of one colour, so that a test can tell which variant was taken.
juce::MemoryBlock solidDovi (int w, int h, juce::Colour c)
{
    const auto argb = c.getPixelARGB();
    return doviBytes (w, h, true, [argb] (int, int, juce::uint8* b) {
        b[0] = argb.getBlue(); b[1] = argb.getGreen(); b[2] = argb.getRed(); b[3] = argb.getAlpha();
    });
}

// Paints nothing itself: only asks its source for the variant of the scale it is drawn at.
struct Owner : juce::Component
{
    explicit Owner (const juce::String& path) : source (this, path) { setSize (10, 10); }
    void paint (juce::Graphics& g) override { source.refreshImageAndScale (g); }
    Imaged source;
};

void paintAt (Owner& owner, float scale)
{
    (void) owner.createComponentSnapshot (owner.getLocalBounds(), true, scale);
}
} // namespace

TEST (DoviReader, ReadsPremultipliedBgraPixelsInRowOrder)
{
    // Two rows of two: opaque red, half-transparent green; opaque blue, transparent.
    const juce::uint8 pixels[2][2][4] = { { { 0, 0, 255, 255 }, { 0, 128, 0, 128 } },
                                          { { 255, 0, 0, 255 }, { 0, 0, 0, 0 } } };
    const auto image = readDovi (doviBytes (2, 2, true, [&] (int x, int y, juce::uint8* b) {
        std::memcpy (b, pixels[y][x], 4);
    }));

    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getFormat(), juce::Image::ARGB);
    EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (0, 0, 2, 2));
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colour (0xFFFF0000));
    EXPECT_EQ (image.getPixelAt (1, 0).getAlpha(), 128);
    EXPECT_EQ (image.getPixelAt (1, 0).getGreen(), 255); // unpremultiplied when read back
    EXPECT_EQ (image.getPixelAt (0, 1), juce::Colour (0xFF0000FF));
    EXPECT_EQ (image.getPixelAt (1, 1).getAlpha(), 0);
}

TEST (DoviReader, ExpandsThreeBytePixelsToOpaqueColours)
{
    const auto image = readDovi (doviBytes (3, 1, false, [] (int x, int, juce::uint8* b) {
        b[0] = (juce::uint8) (x == 2 ? 255 : 0); // blue
        b[1] = (juce::uint8) (x == 1 ? 255 : 0); // green
        b[2] = (juce::uint8) (x == 0 ? 255 : 0); // red
    }));

    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getPixelAt (0, 0), juce::Colour (0xFFFF0000));
    EXPECT_EQ (image.getPixelAt (1, 0), juce::Colour (0xFF00FF00));
    EXPECT_EQ (image.getPixelAt (2, 0), juce::Colour (0xFF0000FF));
}

TEST (DoviReader, ClampsColourThatExceedsItsAlpha)
{
    // Not premultiplied: white at alpha 64 would blend brighter than white.
    const auto image = readDovi (doviBytes (1, 1, true, [] (int, int, juce::uint8* b) {
        b[0] = b[1] = b[2] = 255;
        b[3] = 64;
    }));

    ASSERT_TRUE (image.isValid());
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
    const auto* p = data.getPixelPointer (0, 0);
    EXPECT_EQ (p[0], 64);
    EXPECT_EQ (p[1], 64);
    EXPECT_EQ (p[2], 64);
    EXPECT_EQ (p[3], 64);
}

TEST (DoviReader, RefusesBadHeadersAndShortPixelData)
{
    const auto withHeader = [] (juce::int32 w, juce::int32 h, bool alpha, juce::int64 pixelBytes) {
        return doviBytes (w, h, alpha, {}, pixelBytes);
    };
    const auto fullSize = [] (juce::int64 w, juce::int64 h, bool alpha) { return w * h * (alpha ? 4 : 3); };

    struct Case { const char* what; juce::MemoryBlock bytes; };
    const Case cases[] = {
        { "no bytes", {} },
        { "header cut short", juce::MemoryBlock (doviBytes (1, 1, true).getData(), 11) },
        { "zero width", withHeader (0, 4, true, 0) },
        { "zero height", withHeader (4, 0, true, 0) },
        { "negative width", withHeader (-2, 4, true, 32) },
        { "negative height", withHeader (2, -4, false, 24) },
        { "width over the limit", withHeader (Imaged::maxDoviSide + 1, 1, false, 0) },
        { "sizes whose byte count overflows 32 bits", withHeader (std::numeric_limits<juce::int32>::max(),
                                                                  std::numeric_limits<juce::int32>::max(), true, 64) },
        { "largest sides but no pixels", withHeader (Imaged::maxDoviSide, Imaged::maxDoviSide, true, 16) },
        { "one pixel byte missing (alpha)", withHeader (3, 2, true, fullSize (3, 2, true) - 1) },
        { "one pixel byte missing (no alpha)", withHeader (5, 3, false, fullSize (5, 3, false) - 1) },
        { "3-byte pixels read as 4-byte ones", withHeader (4, 4, true, fullSize (4, 4, false)) },
    };

    for (const auto& c : cases)
        EXPECT_FALSE (readDovi (c.bytes).isValid()) << c.what;
}

TEST (DoviReader, AcceptsTheLargestSideAndIgnoresTrailingBytes)
{
    auto bytes = doviBytes (Imaged::maxDoviSide, 1, false);
    EXPECT_EQ (readDovi (bytes).getWidth(), Imaged::maxDoviSide);

    bytes.append ("trailing", 8);
    EXPECT_TRUE (readDovi (bytes).isValid());
}

TEST (DoviReader, ReadsFromAStreamOfUnknownLengthUntilItRunsDry)
{
    // A stream that can't tell its length: the reader must still stop at the end.
    struct UnknownLength : juce::MemoryInputStream
    {
        using juce::MemoryInputStream::MemoryInputStream;
        juce::int64 getTotalLength() override { return -1; }
    };

    const auto good = doviBytes (4, 4, true);
    UnknownLength whole (good, false);
    EXPECT_TRUE (Imaged::readDovi (whole).isValid());

    const auto shortBytes = doviBytes (4, 4, true, {}, 63);
    UnknownLength cut (shortBytes, false);
    EXPECT_FALSE (Imaged::readDovi (cut).isValid());
}

TEST (Imaged, SplitsAPathIntoFolderAndName)
{
    struct Case { const char* path; const char* folder; const char* name; };
    const Case cases[] = {
        { "panels/knob.dovi", "panels/", "knob.dovi" },
        { "a/b/meter.dovi", "a/b/", "meter.dovi" },
        { "logo_png", "", "logo_png" },
        { "trailing/", "trailing/", "" },
    };
    for (const auto& c : cases)
    {
        const Imaged source (nullptr, c.path);
        EXPECT_EQ (source.getFolder(), juce::String (c.folder)) << c.path;
        EXPECT_EQ (source.getName(), juce::String (c.name)) << c.path;
    }
}

TEST (Imaged, PrefixesCoverScalesZeroToEight)
{
    struct Case { float scale; const char* prefix; };
    const Case cases[] = { { 0.0f, "x0_" }, { 1.0f, "x1_" }, { 1.5f, "x1_" }, { 2.0f, "x2_" }, { 8.0f, "x8_" },
                           { 8.9f, "x8_" }, { 9.0f, "" }, { 1.0e9f, "" }, { -1.0f, "" },
                           { std::numeric_limits<float>::quiet_NaN(), "" },
                           { std::numeric_limits<float>::infinity(), "" } };
    for (const auto& c : cases)
        EXPECT_EQ (Imaged::prefixForScale (c.scale), juce::String (c.prefix)) << c.scale;
}

TEST (Imaged, StartsAtScaleOneWithNoImage)
{
    const Imaged source (nullptr, "panels/nothing-here.dovi");
    EXPECT_EQ (source.getScale(), 1);
    EXPECT_EQ (source.getRequestedScale(), -1);
    EXPECT_FALSE (source.getImage().isValid());
    EXPECT_FALSE (source.hasBaseSize());
}

TEST (Imaged, ReadsTheDoviVariantOfTheScaleInsideTheResourcesFolder)
{
    const TemporaryResources resources;
    const auto name = uniqueName ("knob");
    resources.write ("panels/x1_" + name + ".dovi", solidDovi (4, 8, juce::Colours::red));
    resources.write ("panels/x2_" + name + ".dovi", solidDovi (8, 16, juce::Colours::blue));

    const Imaged source (nullptr, "panels/" + name + ".dovi");
    EXPECT_EQ (source.getImage (2.0f).getPixelAt (0, 0), juce::Colour (juce::Colours::blue));
    EXPECT_EQ (source.getImage (2.0f).getWidth(), 8);
    EXPECT_EQ (source.getImage (1.0f).getWidth(), 4);
    EXPECT_FALSE (source.getImage (3.0f).isValid());
}

TEST (Imaged, ABrokenFileIsNotCachedAndIsReadAgainOnceMended)
{
    const TemporaryResources resources;
    const auto name = uniqueName ("switch");
    resources.write ("x1_" + name + ".dovi", doviBytes (4, 4, true, {}, 10));

    const Imaged source (nullptr, name + ".dovi");
    EXPECT_FALSE (source.getImage (1.0f).isValid());

    resources.write ("x1_" + name + ".dovi", solidDovi (4, 4, juce::Colours::green));
    const auto mended = source.getImage (1.0f);
    ASSERT_TRUE (mended.isValid());
    EXPECT_EQ (mended.getPixelAt (3, 3), juce::Colour (juce::Colours::green));
}

TEST (Imaged, TakesTheVariantOfThePaintScaleAndFallsBackToLowerOnes)
{
    const TemporaryResources resources;
    const auto name = uniqueName ("strip");
    resources.write ("x1_" + name + ".dovi", solidDovi (5, 5, juce::Colours::red));
    // The x2 file is broken, so a 2x paint must fall back to x1.
    resources.write ("x2_" + name + ".dovi", doviBytes (10, 10, true, {}, 99));
    resources.write ("x3_" + name + ".dovi", solidDovi (15, 15, juce::Colours::blue));

    Owner owner (name + ".dovi");
    paintAt (owner, 3.0f);
    EXPECT_EQ (owner.source.getScale(), 3);
    EXPECT_EQ (owner.source.getImage().getWidth(), 15);

    paintAt (owner, 2.0f);
    EXPECT_EQ (owner.source.getRequestedScale(), 2);
    EXPECT_EQ (owner.source.getScale(), 1);
    EXPECT_EQ (owner.source.getImage().getWidth(), 5);

    // 1.5x rounds up to 2, so x2 is wanted; 4x falls back to x3.
    paintAt (owner, 4.0f);
    EXPECT_EQ (owner.source.getScale(), 3);
    paintAt (owner, 1.5f);
    EXPECT_EQ (owner.source.getRequestedScale(), 2);
}

TEST (Imaged, AComponentScaledByItsParentCountsAsDrawnLarger)
{
    const TemporaryResources resources;
    const auto name = uniqueName ("scaled");
    resources.write ("x1_" + name + ".dovi", solidDovi (5, 5, juce::Colours::red));
    resources.write ("x2_" + name + ".dovi", solidDovi (10, 10, juce::Colours::blue));

    juce::Component holder;
    holder.setTransform (juce::AffineTransform::scale (1.5f));
    Owner owner (name + ".dovi");
    holder.addAndMakeVisible (owner);
    paintAt (owner, 1.0f);
    EXPECT_EQ (owner.source.getScale(), 2);
}

TEST (Imaged, ScalesPastTheLastPrefixLookUpTheBareName)
{
    const TemporaryResources resources;
    const auto name = uniqueName ("bare");
    resources.write (name + ".dovi", solidDovi (7, 7, juce::Colours::white));
    resources.write ("x8_" + name + ".dovi", solidDovi (8, 8, juce::Colours::white));

    Owner owner (name + ".dovi");
    paintAt (owner, 9.0f);
    EXPECT_EQ (owner.source.getImage().getWidth(), 7);
    EXPECT_EQ (owner.source.getScale(), 9);
}

TEST (Imaged, FetchesOnlyWhenThePaintScaleChanges)
{
    const TemporaryResources resources;
    const auto name = uniqueName ("late");
    Owner owner (name + ".dovi");

    paintAt (owner, 2.0f);
    EXPECT_FALSE (owner.source.getImage().isValid());
    EXPECT_EQ (owner.source.getScale(), 1);

    // Installed after the first paint: another paint at the same scale looks for nothing.
    resources.write ("x2_" + name + ".dovi", solidDovi (6, 6, juce::Colours::blue));
    paintAt (owner, 2.0f);
    EXPECT_FALSE (owner.source.getImage().isValid());

    paintAt (owner, 1.0f);
    EXPECT_FALSE (owner.source.getImage().isValid()); // no x1 variant: nothing yet
    paintAt (owner, 2.0f);
    EXPECT_EQ (owner.source.getImage().getWidth(), 6);
    EXPECT_EQ (owner.source.getScale(), 2);

    // With no variant at the new scale, the source keeps what it had.
    paintAt (owner, 1.0f);
    EXPECT_EQ (owner.source.getImage().getWidth(), 6);
    EXPECT_EQ (owner.source.getScale(), 2);
}

TEST (Imaged, EmbeddedImagesResolvePerScaleWithX2TwiceX1)
{
    struct Case { const char* name; int width; int height; };
    const Case cases[] = { { "bottomImage_png", 49, 32 }, { "logo_png", 110, 20 }, { "productLogo_png", 75, 15 } };

    for (const auto& c : cases)
    {
        Owner owner (c.name);
        paintAt (owner, 1.0f);
        EXPECT_EQ (owner.source.getImage().getWidth(), c.width) << c.name;
        EXPECT_EQ (owner.source.getImage().getHeight(), c.height) << c.name;

        paintAt (owner, 2.0f);
        EXPECT_EQ (owner.source.getScale(), 2) << c.name;
        EXPECT_EQ (owner.source.getImage().getWidth(), 2 * c.width) << c.name;
        EXPECT_EQ (owner.source.getImage().getHeight(), 2 * c.height) << c.name;

        // No "x3_" resource exists: a 3x display draws the x2 variant.
        paintAt (owner, 3.0f);
        EXPECT_EQ (owner.source.getScale(), 2) << c.name;
        EXPECT_EQ (owner.source.getImage().getWidth(), 2 * c.width) << c.name;
    }

    const Imaged missing (nullptr, "noSuchImage_png");
    EXPECT_FALSE (missing.getImage (1.0f).isValid());
}
