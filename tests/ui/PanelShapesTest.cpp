// Panel decorations and layout rectangles: stringToRect, PanelControl and RectShapeDrawer.

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/PanelControl.h"
#include "ui/RectShapeDrawer.h"
#include "ui/StringToRect.h"

using namespace tarnello::test;
using R = juce::Rectangle<int>;

namespace
{
juce::Image drawShape (RectShapeDrawer& shape, int w = 60, int h = 40)
{
    juce::Image image (juce::Image::ARGB, w, h, true);
    juce::Graphics g (image);
    shape.draw (g);
    return image;
}

bool allTransparent (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return false;
    return true;
}
} // namespace

TEST (StringToRect, ReadsFourNumbersAsTheCLibraryWouldWithoutOverflow)
{
    constexpr int limit = rectangleCoordinateLimit;
    struct Case { const char* text; R expected; };
    const Case cases[] = {
        { "10,20,30,40", { 10, 20, 30, 40 } },
        { "10,20,30", { 10, 20, 30, 0 } },
        { " 10 ,\t20, 30 , 40 ", { 10, 20, 30, 40 } },
        { "-5,+6,7,8", { -5, 6, 7, 8 } },
        { "12px,3.9,0x10,1e3", { 12, 3, 0, 1 } },
        { "abc,def", {} },
        { "", {} },
        { "1,2,3,4,5", { 1, 2, 3, 4 } },
        { "\"5,6\",7,8,9", { 0, 7, 8, 9 } }, // a quoted token is one token, and its quote is no digit
        { "99999999999999999999,-99999999999999999999,2147483648,-2147483649", { limit, -limit, limit, -limit } },
        { "1000000001,0,0,0", { limit, 0, 0, 0 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ (stringToRect (c.text), c.expected) << c.text;

    // Saturated numbers still leave room for a coordinate plus a size.
    const auto big = stringToRect ("99999999999,0,99999999999,10");
    EXPECT_GT (big.getRight(), big.getX());
}

TEST (RectShapeDrawer, WithNeitherFillNorBorderPaintsNothing)
{
    RectShapeDrawer shape;
    shape.rectangle = { 5, 5, 40, 20 };
    shape.cornerSize = 4;
    EXPECT_TRUE (allTransparent (drawShape (shape)));
}

TEST (RectShapeDrawer, FillsWithItsColourOrGradientAndOutlinesWithItsBorder)
{
    RectShapeDrawer filled;
    filled.rectangle = { 10, 10, 40, 20 };
    filled.useFillColour = true;
    filled.fillColour = juce::Colours::red;
    filled.useGradient = true; // the plain colour wins
    filled.gradient = juce::ColourGradient (juce::Colours::blue, 10, 0, juce::Colours::green, 50, 0, false);
    auto image = drawShape (filled);
    EXPECT_EQ (image.getPixelAt (10, 10), juce::Colour (juce::Colours::red)); // square corner
    EXPECT_EQ (image.getPixelAt (49, 29), juce::Colour (juce::Colours::red));
    EXPECT_EQ (image.getPixelAt (9, 10).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (50, 10).getAlpha(), 0);

    filled.useFillColour = false;
    image = drawShape (filled);
    EXPECT_GT (image.getPixelAt (11, 20).getBlue(), 200);
    EXPECT_GT (image.getPixelAt (48, 20).getGreen(), 100);

    RectShapeDrawer bordered;
    bordered.rectangle = { 10, 10, 40, 20 };
    bordered.borderWidth = 2;
    bordered.borderColour = juce::Colours::white;
    image = drawShape (bordered);
    EXPECT_EQ (image.getPixelAt (10, 20), juce::Colour (juce::Colours::white));
    EXPECT_EQ (image.getPixelAt (11, 20), juce::Colour (juce::Colours::white));
    EXPECT_EQ (image.getPixelAt (12, 20).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (30, 20).getAlpha(), 0);
}

TEST (RectShapeDrawer, RoundedCornersLeaveTheCornerPixelsOut)
{
    RectShapeDrawer rounded;
    rounded.rectangle = { 10, 10, 40, 20 };
    rounded.useFillColour = true;
    rounded.fillColour = juce::Colours::red;
    rounded.cornerSize = 8;
    auto image = drawShape (rounded);
    EXPECT_EQ (image.getPixelAt (10, 10).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (30, 20), juce::Colour (juce::Colours::red));

    rounded.useFillColour = false;
    rounded.borderWidth = 1;
    rounded.borderColour = juce::Colours::white;
    image = drawShape (rounded);
    EXPECT_EQ (image.getPixelAt (30, 20).getAlpha(), 0);
    EXPECT_GT (image.getPixelAt (30, 10).getAlpha(), 100);
}

TEST (PanelControl, FillsItselfAndDrawsAOnePixelBorder)
{
    PanelControl panel;
    panel.setControlBounds ({ 4, 4, 30, 20 });
    panel.fillColour = juce::Colour (0xFF303030);
    panel.borderColour = juce::Colour (0xFFAA0000);
    panel.applyControlBounds();
    EXPECT_EQ (panel.getBounds(), R (4, 4, 30, 20));

    const auto image = snapshot (panel, 1.0f, "ui", "panel-control");
    EXPECT_EQ (image.getPixelAt (0, 10), juce::Colour (0xFFAA0000));
    EXPECT_EQ (image.getPixelAt (29, 19), juce::Colour (0xFFAA0000));
    EXPECT_EQ (image.getPixelAt (15, 10), juce::Colour (0xFF303030));

    const PanelControl defaults;
    EXPECT_EQ (defaults.fillColour, juce::Colour (0xFF212121));
    EXPECT_EQ (defaults.borderColour, juce::Colour (0xFF121212));
}
