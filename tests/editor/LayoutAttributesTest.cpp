// Reading a layout element's attributes: text conversions, defaults for absent
// attributes, and the element's own value winning over its prop set's.

#include "editor/LayoutAttributes.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
juce::ValueTree element (std::initializer_list<std::pair<const char*, const char*>> attributes, const char* type = "control")
{
    juce::ValueTree tree (type);
    for (const auto& [name, value] : attributes)
        tree.setProperty (name, value, nullptr);
    return tree;
}

struct Conversion
{
    const char* text;
    int integer;
    double real;
    bool boolean;
};
} // namespace

TEST (LayoutAttributes, ConvertsTextAsTheFrameworkDoes)
{
    const std::vector<Conversion> cases {
        { "12", 12, 12.0, true },
        { "  7px", 7, 7.0, true },
        { "-3.75", -3, -3.75, true },
        { "0", 0, 0.0, false },
        { "abc", 0, 0.0, false },
        { "", 0, 0.0, false },
        { "true", 0, 0.0, true },
        { " YES ", 0, 0.0, true },
        { "no", 0, 0.0, false },
        { "false", 0, 0.0, false },
        { "2.5e1", 2, 25.0, true },
    };
    for (const auto& c : cases)
    {
        const LayoutAttributes a (element ({ { "v", c.text } }), {});
        EXPECT_EQ (a.integer ("v"), c.integer) << c.text;
        EXPECT_DOUBLE_EQ (a.real ("v"), c.real) << c.text;
        EXPECT_EQ (a.boolean ("v"), c.boolean) << c.text;
    }
}

TEST (LayoutAttributes, ColoursAreEightDigitArgbAndSixDigitsReadTransparent)
{
    const std::vector<std::pair<const char*, juce::uint32>> cases {
        { "ff777777", 0xff777777 },
        { "FF00ff80", 0xff00ff80 },
        { "99000000", 0x99000000 },
        { "777777", 0x00777777 },       // no alpha digits: transparent
        { "#ff102030", 0xff102030 },    // non-hex characters are skipped
        { "", 0x00000000 },
    };
    for (const auto& [text, argb] : cases)
    {
        const LayoutAttributes a (element ({ { "c", text } }), {});
        EXPECT_EQ (a.colour ("c", juce::Colour (0xff123456)).getARGB(), argb) << text;
    }
}

TEST (LayoutAttributes, AbsentAttributesTakeTheDefaultAndEmptyConversions)
{
    const LayoutAttributes a (element ({}), {});
    EXPECT_FALSE (a.has ("x"));
    EXPECT_EQ (a.integer ("x"), 0);
    EXPECT_EQ (a.integer ("frames", 1), 1);
    EXPECT_DOUBLE_EQ (a.real ("speed", 1.0), 1.0);
    EXPECT_TRUE (a.boolean ("limited", true));
    EXPECT_EQ (a.text ("help"), juce::String());
    EXPECT_EQ (a.rectangle ("bounds"), juce::Rectangle<int>());
    EXPECT_EQ (a.colour ("thumbOnColor", juce::Colour (0xffdcb98b)), juce::Colour (0xffdcb98b));
}

TEST (LayoutAttributes, RectanglesReadFourNumbersWithMissingOnesZero)
{
    const std::vector<std::pair<const char*, juce::Rectangle<int>>> cases {
        { "10, 20, 30, 40", { 10, 20, 30, 40 } },
        { "-1,4,40,14", { -1, 4, 40, 14 } },
        { "5,6", { 5, 6, 0, 0 } },
        { "a,b,c,d", {} },
    };
    for (const auto& [text, rect] : cases)
        EXPECT_EQ (LayoutAttributes (element ({ { "bounds", text } }), {}).rectangle ("bounds"), rect) << text;
}

TEST (LayoutAttributes, InheritedReadsPreferTheElementThenThePropSetThenTheDefault)
{
    const auto props = element ({ { "image", "panels/knob.dovi" }, { "frames", "65" }, { "speed", "2" } }, "prop");
    const LayoutAttributes a (element ({ { "frames", "10" }, { "prop", "knobs" } }), props);

    EXPECT_EQ (a.inheritedInteger ("frames", 1), 10);                 // the element wins
    EXPECT_EQ (a.inheritedText ("image"), "panels/knob.dovi");         // from the set
    EXPECT_DOUBLE_EQ (a.inheritedReal ("speed", 1.0), 2.0);
    EXPECT_TRUE (a.inheritedBoolean ("limited", true));                // neither: default
    EXPECT_TRUE (a.hasInherited ("image"));
    EXPECT_FALSE (a.has ("image"));                                    // direct reads ignore the set
    EXPECT_EQ (a.text ("image"), juce::String());
}

TEST (LayoutAttributes, NonTextValuesAreNotLayoutValues)
{
    juce::ValueTree e ("control");
    e.setProperty ("frames", 12, nullptr);
    const LayoutAttributes a (e, {});
    EXPECT_FALSE (a.has ("frames"));
    EXPECT_EQ (a.integer ("frames", 1), 1);
}

TEST (LayoutAttributes, TheObserverHearsEveryLookupOnTheTreeItWasMadeOn)
{
    const auto props = element ({ { "image", "a" } }, "prop");
    const auto own = element ({ { "prop", "p" } });
    std::vector<std::pair<juce::ValueTree, juce::String>> seen;
    const LayoutReadObserver observer = [&] (const juce::ValueTree& t, const juce::Identifier& n) { seen.push_back ({ t, n.toString() }); };
    const LayoutAttributes a (own, props, &observer);
    a.inheritedText ("image");
    a.text ("x");
    ASSERT_EQ (seen.size(), 3u);
    EXPECT_EQ (seen[0].first, own);
    EXPECT_EQ (seen[1].first, props);
    EXPECT_EQ (seen[1].second, "image");
    EXPECT_EQ (seen[2].second, "x");
}

TEST (LayoutAttributes, SnapListsReadEachTokenAsANumber)
{
    const std::vector<std::pair<const char*, std::vector<double>>> cases {
        { "", {} },
        { "0.5", { 0.5 } },
        { "0, 0.25, 1", { 0.0, 0.25, 1.0 } },
        { "1,2.5,x", { 1.0, 2.5, 0.0 } },
        { "\"3,4\",5", { 0.0, 5.0 } },   // a quoted token keeps its comma and its quotes, so holds no number
    };
    for (const auto& [text, expected] : cases)
    {
        const auto got = stringToDoubleArray (text);
        ASSERT_EQ ((size_t) got.size(), expected.size()) << text;
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_DOUBLE_EQ (got[(int) i], expected[i]) << text;
    }
}
