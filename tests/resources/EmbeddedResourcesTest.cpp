// The embedded PNGs and fonts, as the editor finds them by resource name.

#include <gtest/gtest.h>

#include "BinaryData.h"
#include "tests/resources/PictureChecks.h"

using namespace tarnello::test;

namespace
{
struct EmbeddedImage
{
    const char* name;   // without the scale prefix
    int width, height;  // at scale 1
};

const EmbeddedImage embeddedImages[] = {
    { "bottomImage_png", 49, 32 },
    { "logo_png", 110, 20 },
    { "productLogo_png", 75, 15 },
};

juce::Image decodeResource (const juce::String& name)
{
    int size = 0;
    const auto* data = BinaryData::getNamedResource (name.toRawUTF8(), size);
    if (data == nullptr || size <= 0)
        return {};
    return juce::ImageFileFormat::loadFrom (data, (size_t) size);
}

bool anyPixel (const juce::Image& image, std::function<bool (juce::PixelARGB)> test)
{
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (test (*reinterpret_cast<const juce::PixelARGB*> (data.getPixelPointer (x, y))))
                return true;
    return false;
}
} // namespace

TEST (EmbeddedImages, DecodeAtTheirBaseSizeAndTwiceThatForX2)
{
    for (const auto& expected : embeddedImages)
    {
        SCOPED_TRACE (expected.name);
        const auto x1 = decodeResource (juce::String ("x1_") + expected.name);
        const auto x2 = decodeResource (juce::String ("x2_") + expected.name);
        ASSERT_TRUE (x1.isValid());
        ASSERT_TRUE (x2.isValid());
        EXPECT_EQ (x1.getBounds(), juce::Rectangle<int> (expected.width, expected.height));
        EXPECT_EQ (x2.getBounds(), juce::Rectangle<int> (2 * expected.width, 2 * expected.height));
        writePreview (juce::String ("x1_") + expected.name, x1, 8);
        writePreview (juce::String ("x2_") + expected.name, x2, 4);
    }
}

TEST (EmbeddedImages, X2IsTheSamePictureAtTwiceTheResolution)
{
    // Averaged down, the x2 image must land on the x1 one: a picture drawn at another
    // size, offset or left out at one scale shows as a large difference.
    for (const auto& expected : embeddedImages)
    {
        SCOPED_TRACE (expected.name);
        const auto x1 = decodeResource (juce::String ("x1_") + expected.name);
        const auto x2 = decodeResource (juce::String ("x2_") + expected.name);
        ASSERT_EQ (x2.getWidth(), 2 * x1.getWidth());
        ASSERT_EQ (x2.getHeight(), 2 * x1.getHeight());
        EXPECT_LT (meanDifferenceToHalf (x1, x2), 6.0);
    }
}

TEST (EmbeddedImages, LogosStandOnTransparencyAndTheTileCoversItsArea)
{
    for (const auto* prefix : { "x1_", "x2_" })
    {
        SCOPED_TRACE (prefix);
        for (const auto* logo : { "logo_png", "productLogo_png" })
        {
            const auto image = decodeResource (juce::String (prefix) + logo);
            ASSERT_TRUE (image.isValid()) << logo;
            EXPECT_EQ (image.getPixelAt (0, image.getHeight() - 1).getAlpha(), 0) << logo;
            EXPECT_EQ (image.getPixelAt (image.getWidth() - 1, 0).getAlpha(), 0) << logo;
            EXPECT_TRUE (anyPixel (image, [] (juce::PixelARGB p) { return p.getAlpha() == 255; })) << logo;
        }
        // The tile is painted over the window along the editor's foot: any
        // translucent pixel would show the window colour through it.
        const auto tile = decodeResource (juce::String (prefix) + "bottomImage_png");
        ASSERT_TRUE (tile.isValid());
        EXPECT_FALSE (anyPixel (tile, [] (juce::PixelARGB p) { return p.getAlpha() != 255; }));
    }
}

TEST (EmbeddedImages, BottomTileRepeatsWithoutASeam)
{
    // Side by side, the tile's last column meets its first: that step may be no
    // larger than the largest step between neighbouring columns inside the tile.
    for (const auto* name : { "x1_bottomImage_png", "x2_bottomImage_png" })
    {
        SCOPED_TRACE (name);
        const auto tile = decodeResource (name);
        ASSERT_TRUE (tile.isValid());
        const auto w = tile.getWidth();
        double largestInside = 0.0;
        for (int x = 0; x + 1 < w; ++x)
            largestInside = std::max (largestInside, columnDifference (tile, x, x + 1));
        EXPECT_LE (columnDifference (tile, w - 1, 0), largestInside);

        juce::Image row (juce::Image::ARGB, 3 * w, tile.getHeight(), true);
        {
            juce::Graphics g (row);
            for (int i = 0; i < 3; ++i)
                g.drawImageAt (tile, i * w, 0);
        }
        writePreview (juce::String ("tiled_") + name, row, 4);
    }
}

TEST (EmbeddedFonts, AreTheFourRobotoFaces)
{
    const struct { const char* resource; const char* style; } faces[] = {
        { "RobotoRegular_ttf", "Regular" },
        { "RobotoBold_ttf", "Bold" },
        { "RobotoItalic_ttf", "Italic" },
        { "RobotoMedium_ttf", "Medium" },
    };
    for (const auto& face : faces)
    {
        SCOPED_TRACE (face.resource);
        int size = 0;
        const auto* data = BinaryData::getNamedResource (face.resource, size);
        ASSERT_NE (data, nullptr);
        const auto typeface = juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
        ASSERT_NE (typeface, nullptr);
        EXPECT_EQ (typeface->getName(), "Roboto");
        EXPECT_EQ (typeface->getStyle(), face.style);
        // The face has real outlines: "A" is wider than nothing.
        EXPECT_GT (typeface->getStringWidth ("A"), 0.3f);
    }
}
