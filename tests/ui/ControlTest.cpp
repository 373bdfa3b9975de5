// Control roots and the image-strip controls: hit shapes and bounds, which frame a
// strip shows, and what a click on a switch does.

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/HelpTextVisor.h"
#include "ui/IKnobControl.h"
#include "ui/ISwitchControl.h"
#include "ui/Imaged.h"

using namespace tarnello::test;
using R = juce::Rectangle<int>;

namespace
{
struct PlainControl : Control
{
    void applyControlBounds() override {}
};

// An x1 strip of 12 x 8 frames and its x2 twin, whose frames are coloured four apart,
// so a picture tells both the frame and the scale.
struct StripFixture : ::testing::Test
{
    static constexpr int frameWidth = 12, frameHeight = 8, framesInStrip = 4, x2ColourOffset = 4;

    StripFixture()
    {
        writeStripPair (resources, name, frameWidth, frameHeight, framesInStrip, x2ColourOffset);
    }

    TemporaryResources resources;
    juce::String name = uniqueName ("strip") + ".dovi";
    juce::Component panel;
    Imaged source { &panel, "panels/" + name };
};

struct RecordingListener : ISwitchControl::Listener
{
    void ISwitchChanged (ISwitchControl* c) override { calls.push_back (c->getState()); }
    std::vector<int> calls;
};
} // namespace

TEST (Control, HitRectangleGrowsNonEmptyBoundsAndReplacesEmptyOnes)
{
    struct Case { const char* what; R bounds; R hit; R expectedBounds; };
    const Case cases[] = {
        { "empty bounds take the hit rectangle", {}, { 5, 5, 10, 10 }, { 5, 5, 10, 10 } },
        { "a zero-height bounds counts as empty", { 0, 0, 30, 0 }, { 5, 5, 10, 10 }, { 5, 5, 10, 10 } },
        { "bounds grow to hold both", { 0, 0, 10, 10 }, { 20, 5, 10, 10 }, { 0, 0, 30, 15 } },
        { "an empty hit rectangle keeps the bounds", { 0, 0, 10, 10 }, { 50, 50, 0, 4 }, { 0, 0, 10, 10 } },
    };

    for (const auto& c : cases)
    {
        PlainControl control;
        control.setControlBounds (c.bounds);
        control.setHitRectangle (c.hit);
        EXPECT_EQ (control.getControlBounds(), c.expectedBounds) << c.what;
        EXPECT_EQ (control.getHitKind(), Control::hitRectangle) << c.what;
        EXPECT_EQ (control.getHitRectRelative(),
                   c.hit.withPosition (c.hit.getPosition() - c.expectedBounds.getPosition())) << c.what;
    }
}

TEST (Control, HitCircleIsItsSquareInBoundsWithTheCircleKept)
{
    PlainControl control;
    control.setControlBounds ({ 0, 0, 10, 10 });
    control.setHitCircle (30, 20, 5);

    EXPECT_EQ (control.getHitKind(), Control::hitCircle);
    EXPECT_EQ (control.getHitRect(), R (25, 15, 10, 10));
    EXPECT_EQ (control.getControlBounds(), R (0, 0, 35, 25));
    EXPECT_EQ (control.getHitCircleShape(), (Control::Circle { 30, 20, 5 }));
    EXPECT_EQ (control.getHitCircleRelative(), (Control::Circle { 30, 20, 5 }));

    // A radius from a hostile layout stays within int when doubled.
    PlainControl huge;
    huge.setHitCircle (0, 0, std::numeric_limits<int>::max());
    EXPECT_GT (huge.getHitRect().getWidth(), 0);
    EXPECT_GT (huge.getHitRect().getRight(), huge.getHitRect().getX());
}

TEST_F (StripFixture, StripRectangleIsOneFrameOfTheScaleOneImage)
{
    const ISwitchControl sw (30, 40, framesInStrip, &source, nullptr);
    EXPECT_EQ (sw.getImageRect(), R (30, 40, frameWidth, frameHeight));
    EXPECT_EQ (sw.getControlBounds(), sw.getImageRect());
    EXPECT_EQ (sw.getHitKind(), Control::hitNone);
    EXPECT_EQ (source.getBaseWidth(), frameWidth);
    EXPECT_EQ (source.getBaseHeight(), frameHeight * framesInStrip);
}

TEST_F (StripFixture, HitRectangleOutsideTheStripWidensTheComponentAndOffsetsTheStrip)
{
    struct Case { const char* what; R hit; R bounds; juce::Point<int> offset; };
    const Case cases[] = {
        { "hit area to the left", { 0, 40, 20, 8 }, { 0, 40, 42, 8 }, { 30, 0 } },
        { "hit area above and right", { 35, 20, 20, 10 }, { 30, 20, 25, 28 }, { 0, 20 } },
        { "empty hit area", { 0, 0, 0, 0 }, { 30, 40, 12, 8 }, { 0, 0 } },
    };
    for (const auto& c : cases)
    {
        ISwitchControl sw (30, 40, framesInStrip, &source, nullptr);
        sw.setHitRectangle (c.hit);
        EXPECT_EQ (sw.getControlBounds(), c.bounds) << c.what;
        EXPECT_EQ (sw.getImageOffset(), c.offset) << c.what;
    }
}

TEST_F (StripFixture, AStripIsDrawnAtItsOffsetWithTheFrameOfTheStateAtBothScales)
{
    ISwitchControl sw (30, 40, framesInStrip, &source, nullptr);
    sw.setNumberOfStates (framesInStrip);
    sw.setHitRectangle ({ 0, 40, 20, 8 }); // strip drawn 30 px right inside the component
    panel.setSize (100, 100);
    panel.addAndMakeVisible (sw);
    sw.applyControlBounds();
    sw.setState (2);

    const auto one = snapshot (sw, 1.0f, "ui", "switch-state2-offset");
    EXPECT_EQ (one.getWidth(), 42);
    EXPECT_EQ (one.getPixelAt (36, 4), frameColour (2));
    EXPECT_EQ (one.getPixelAt (10, 4).getAlpha(), 0); // the hit area left of the strip is not painted

    const auto two = snapshot (sw, 2.0f, "ui", "switch-state2-offset");
    EXPECT_EQ (two.getWidth(), 84);
    EXPECT_EQ (source.getScale(), 2);
    EXPECT_EQ (two.getPixelAt (72, 8), frameColour (2 + x2ColourOffset));
    EXPECT_EQ (two.getPixelAt (20, 8).getAlpha(), 0);
}

TEST_F (StripFixture, ASwitchStepsThroughItsStatesAndTellsItsListenerOnce)
{
    ISwitchControl sw (0, 0, framesInStrip, &source, nullptr);
    panel.addAndMakeVisible (sw);
    sw.applyControlBounds();
    RecordingListener listener;
    sw.setListener (&listener);
    sw.setNumberOfStates (3);
    sw.setState (2);

    sw.mouseDown (mouseEvent (sw, { 2, 2 }));
    EXPECT_TRUE (sw.isPressed());
    sw.mouseUp (mouseEvent (sw, { 2, 2 }));
    EXPECT_FALSE (sw.isPressed());
    EXPECT_EQ (sw.getState(), 0);
    EXPECT_EQ (listener.calls, std::vector<int> { 0 });
    EXPECT_EQ (snapshot (sw, 1.0f).getPixelAt (5, 5), frameColour (0));

    sw.mouseDown (mouseEvent (sw, { 2, 2 }));
    EXPECT_EQ (sw.getState(), 1);
    EXPECT_EQ (snapshot (sw, 1.0f).getPixelAt (5, 5), frameColour (1));
    EXPECT_EQ (listener.calls, (std::vector<int> { 0, 1 }));
}

TEST_F (StripFixture, AClickOnADisabledSwitchOrOneInADisabledParentChangesNothing)
{
    for (const bool disableParent : { false, true })
    {
        ISwitchControl sw (0, 0, framesInStrip, &source, nullptr);
        panel.setEnabled (true);
        panel.addAndMakeVisible (sw);
        RecordingListener listener;
        sw.setListener (&listener);
        sw.setNumberOfStates (2);

        (disableParent ? static_cast<juce::Component&> (panel) : sw).setEnabled (false);
        sw.mouseDown (mouseEvent (sw, { 1, 1 }));
        EXPECT_EQ (sw.getState(), 0) << disableParent;
        EXPECT_TRUE (listener.calls.empty()) << disableParent;
        EXPECT_TRUE (sw.isPressed()) << disableParent;
        panel.removeChildComponent (&sw);
    }
    panel.setEnabled (true);
}

TEST_F (StripFixture, CountsBelowOneActAsOneAndAOneFrameStripShowsFrameZero)
{
    for (const int count : { 0, -3 })
    {
        ISwitchControl sw (0, 0, count, &source, nullptr);
        EXPECT_EQ (sw.getFrames(), 1);
        // One frame: the whole strip is that frame.
        EXPECT_EQ (sw.getImageRect().getHeight(), frameHeight * framesInStrip);

        sw.setNumberOfStates (count);
        EXPECT_EQ (sw.getNumberOfStates(), 1);
        sw.mouseDown (mouseEvent (sw, { 1, 1 }));
        EXPECT_EQ (sw.getState(), 0);

        panel.addAndMakeVisible (sw);
        sw.applyControlBounds();
        EXPECT_EQ (snapshot (sw, 1.0f).getPixelAt (2, 2), frameColour (0));
        panel.removeChildComponent (&sw);

        IKnobControl knob (0, 0, count, &source, nullptr);
        knob.setRange (0.0, 1.0);
        knob.setValue (1.0, juce::dontSendNotification);
        EXPECT_EQ (knob.getFramePosition(), 0);
    }
}

TEST_F (StripFixture, AStateBeyondTheStripShowsItsLastFrame)
{
    ISwitchControl sw (0, 0, 2, &source, nullptr); // two frames of 16 px
    sw.setNumberOfStates (5);
    sw.setState (4);
    EXPECT_EQ (sw.getState(), 4);
    panel.addAndMakeVisible (sw);
    sw.applyControlBounds();
    EXPECT_EQ (snapshot (sw, 1.0f).getPixelAt (2, 10), frameColour (3)); // lower half of the second frame

    sw.setState (99);
    EXPECT_EQ (sw.getState(), 4);
    sw.setState (-1);
    EXPECT_EQ (sw.getState(), 0);
}

TEST_F (StripFixture, AnImageKnobShowsTheFrameOfItsValue)
{
    IKnobControl knob (0, 0, framesInStrip, &source, nullptr);
    knob.setRange (-10.0, 10.0);
    panel.addAndMakeVisible (knob);
    knob.applyControlBounds();

    struct Case { double value; int frame; };
    const Case cases[] = { { -10.0, 0 }, { -3.4, 1 }, { 0.0, 2 }, { 3.4, 2 }, { 6.6, 2 }, { 6.7, 3 }, { 10.0, 3 } };
    for (const auto& c : cases)
    {
        knob.setValue (c.value, juce::dontSendNotification);
        EXPECT_EQ (knob.getFramePosition(), c.frame) << c.value;
        EXPECT_EQ (snapshot (knob, 1.0f).getPixelAt (6, 4), frameColour (c.frame)) << c.value;
    }
    knob.setValue (10.0, juce::dontSendNotification);
    snapshot (knob, 2.0f, "ui", "image-knob-max");
}

TEST (IControl, NoImageDrawsNothingAndHasAnEmptyStrip)
{
    juce::Component panel;
    Imaged missing (&panel, "panels/" + uniqueName ("none") + ".dovi");
    ISwitchControl sw (5, 6, 4, &missing, nullptr);
    EXPECT_EQ (sw.getImageRect(), R (5, 6, 0, 0));
    EXPECT_EQ (missing.getBaseWidth(), 0);

    sw.setHitRectangle ({ 0, 0, 10, 10 });
    EXPECT_EQ (sw.getControlBounds(), R (0, 0, 10, 10));
    sw.applyControlBounds();
    const auto image = snapshot (sw, 1.0f);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0);

    ISwitchControl noSource (0, 0, 3, nullptr, nullptr);
    EXPECT_TRUE (noSource.getImageRect().isEmpty());
}
