// The panels' film strips as the build draws them, read and shown by the image-strip
// controls at both scales: the sizes the panels lay out with, and frames that differ.

#include <gtest/gtest.h>

#include "framework/PluginPaths.h"
#include "tests/support/PanelStrips.h"
#include "tests/ui/support/GuiTestSupport.h"
#include "ui/IKnobControl.h"
#include "ui/ISwitchControl.h"
#include "ui/Imaged.h"

using namespace tarnello::test;

namespace
{
const auto& strips = panelStrips;

struct BuildResources : ::testing::Test
{
    BuildResources() { PluginPaths::setResourcesRootForTesting (TARNELLO_BUILD_RESOURCES_DIR); }
    ~BuildResources() override { PluginPaths::setResourcesRootForTesting ({}); }
};

bool differ (const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return true;
    return false;
}
} // namespace

TEST_F (BuildResources, EveryStripHasItsFrameSizeAndAnX2TwiceItsX1)
{
    for (const auto& s : strips)
    {
        const Imaged source (nullptr, s.path());
        const auto x1 = source.getImage (1.0f);
        const auto x2 = source.getImage (2.0f);
        ASSERT_TRUE (x1.isValid()) << s.path();
        ASSERT_TRUE (x2.isValid()) << s.path();
        EXPECT_EQ (x1.getWidth(), s.frameWidth) << s.path();
        EXPECT_EQ (x1.getHeight(), s.frameHeight * s.frames) << s.path();
        EXPECT_EQ (x2.getWidth(), 2 * x1.getWidth()) << s.path();
        EXPECT_EQ (x2.getHeight(), 2 * x1.getHeight()) << s.path();
    }
}

TEST_F (BuildResources, KnobsShowTheirFirstAndLastFramesAtBothScales)
{
    for (const auto& s : strips)
    {
        if (s.frames < 60)
            continue;
        juce::Component panel;
        Imaged source (&panel, s.path());
        IKnobControl knob (10, 10, s.frames, &source, nullptr);
        knob.setRange (0.0, 1.0);
        panel.addAndMakeVisible (knob);
        knob.applyControlBounds();
        EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (10, 10, s.frameWidth, s.frameHeight)) << s.path();

        const juce::String name = s.name;
        for (const float scale : { 1.0f, 2.0f })
        {
            knob.setValue (0.0, juce::dontSendNotification);
            const auto atMin = snapshot (knob, scale, "ui", "strip-" + name + "-min");
            knob.setValue (1.0, juce::dontSendNotification);
            const auto atMax = snapshot (knob, scale, "ui", "strip-" + name + "-max");
            EXPECT_EQ (source.getScale(), (int) scale) << s.path();
            EXPECT_EQ (atMax.getWidth(), (int) scale * s.frameWidth) << s.path();
            EXPECT_TRUE (differ (atMin, atMax)) << s.path() << " at " << scale;
        }
    }
}

TEST_F (BuildResources, SwitchesButtonsAndMetersShowEveryStateDifferently)
{
    for (const auto& s : strips)
    {
        if (s.frames >= 60)
            continue;
        juce::Component panel;
        Imaged source (&panel, s.path());
        ISwitchControl control (0, 0, s.frames, &source, nullptr);
        control.setNumberOfStates (s.frames);
        panel.addAndMakeVisible (control);
        control.applyControlBounds();

        const juce::String name = s.name;
        control.setState (0);
        const auto first = snapshot (control, 2.0f, "ui", "strip-" + name + "-first");
        control.setState (s.frames - 1);
        const auto last = snapshot (control, 2.0f, "ui", "strip-" + name + "-last");
        EXPECT_TRUE (differ (first, last)) << s.path();
    }
}
