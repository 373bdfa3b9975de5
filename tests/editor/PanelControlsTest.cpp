// The panels' own controls: the film-strip display and meter, the push button, the
// value label and the vector switch, as a user sees and works them.

#include <gtest/gtest.h>

#include "editor/IContactControl.h"
#include "editor/ImageControl.h"
#include "editor/LabelForControl.h"
#include "editor/SwitchControl.h"
#include "tests/ui/support/GuiTestSupport.h"
#include "ui/CustomLookAndFeel.h"
#include "ui/HelpTextVisor.h"
#include "ui/Imaged.h"

#include <limits>
#include <vector>

using namespace tarnello::test;

namespace
{
// A strip written at both scales; the x2 frames are coloured `x2ColourOffset` apart
// from their x1 twins, so a picture tells both the frame and the scale.
struct Strip : ::testing::Test
{
    static constexpr int frameWidth = 10, frameHeight = 6, x2ColourOffset = 10;

    void write (int frames)
    {
        writeStripPair (resources, name, frameWidth, frameHeight, frames, x2ColourOffset);
    }

    TemporaryResources resources;
    juce::String name = uniqueName ("panel-strip") + ".dovi";
    juce::Component panel;
    Imaged source { &panel, "panels/" + name };
};

// Counts the repaints a component asks for, headless: a component with a cached
// image hands every repaint to it.
struct RepaintCounter : juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override { ++count; return true; }
    bool invalidate (const juce::Rectangle<int>&) override { ++count; return true; }
    void releaseResources() override {}
    int count = 0;
};

// The label's editor callbacks, reachable from the test as the editor reaches them.
struct TypingLabel : LabelForControl
{
    using LabelForControl::LabelForControl;
    using juce::Label::textEditorFocusLost;
    using juce::Label::textEditorReturnKeyPressed;
};

struct RecordingListener : ISwitchControl::Listener
{
    void ISwitchChanged (ISwitchControl*) override { ++calls; }
    int calls = 0;
};
} // namespace

TEST (ImageControl, ShowsTheFrameItsValuePicksRoundingHalvesToEven)
{
    struct Case { int frames; float value; int frame; };
    const Case cases[] = {
        { 1, 0.0f, 0 }, { 1, 0.7f, 0 }, { 1, 1.0f, 0 },
        { 10, 0.0f, 0 }, { 10, 0.5f, 4 }, { 10, 0.55f, 5 }, { 10, 1.0f, 9 },
        { 2, 0.5f, 0 }, { 2, 0.51f, 1 },
        // Meters overshoot and a broken value may be no number: the strip's ends.
        { 10, 1.7f, 9 }, { 10, -0.3f, 0 }, { 10, std::numeric_limits<float>::quiet_NaN(), 0 },
        { 10, std::numeric_limits<float>::infinity(), 9 },
        // A frame count below one is one frame.
        { 0, 1.0f, 0 }, { -4, 1.0f, 0 },
    };
    for (const auto& c : cases)
    {
        ImageControl display (0, 0, c.frames, nullptr, nullptr);
        display.setNormalized (c.value);
        EXPECT_EQ (display.getFramePosition(), c.frame) << c.frames << " frames at " << c.value;
        EXPECT_GE (display.getNormalized(), 0.0f);
        EXPECT_LE (display.getNormalized(), 1.0f);
    }
}

TEST (ImageControl, RepaintsOnlyWhenTheFrameShownChanges)
{
    ImageControl display (0, 0, 10, nullptr, nullptr);
    display.setBounds (0, 0, 20, 20);
    display.setVisible (true);
    auto* counter = new RepaintCounter();
    display.setCachedComponentImage (counter);
    counter->count = 0;

    display.setNormalized (0.5f); // frame 4
    EXPECT_EQ (counter->count, 1);
    display.setNormalized (0.52f); // 4.68: frame 5
    EXPECT_EQ (counter->count, 2);
    display.setNormalized (0.55f); // still frame 5
    display.setNormalized (0.55f);
    EXPECT_EQ (counter->count, 2);
    display.setNormalized (0.0f);
    EXPECT_EQ (counter->count, 3);
}

TEST_F (Strip, AMeterPaintsTheFrameOfItsLevelAtBothScales)
{
    write (4);
    ImageControl meter (3, 4, 4, &source, nullptr);
    meter.applyControlBounds();
    EXPECT_EQ (meter.getBounds(), juce::Rectangle<int> (3, 4, frameWidth, frameHeight));

    struct Case { float level; int frame; };
    for (const auto& c : { Case { 0.0f, 0 }, Case { 0.4f, 1 }, Case { 0.7f, 2 }, Case { 1.0f, 3 } })
    {
        meter.setNormalized (c.level);
        EXPECT_EQ (snapshot (meter, 1.0f).getPixelAt (5, 3), frameColour (c.frame)) << c.level;
        EXPECT_EQ (snapshot (meter, 2.0f).getPixelAt (10, 6), frameColour (c.frame + x2ColourOffset)) << c.level;
    }
    snapshot (meter, 2.0f, "panel-controls", "meter-full");
}

TEST_F (Strip, APushButtonShowsItsPressedFrameOnlyWhileHeldWhateverItsState)
{
    write (2);
    IContactControl contact (0, 0, &source, nullptr);
    contact.applyControlBounds();
    EXPECT_EQ (contact.getFrames(), 2);
    EXPECT_EQ (contact.getBounds(), juce::Rectangle<int> (0, 0, frameWidth, frameHeight));
    RecordingListener listener;
    contact.setListener (&listener);
    contact.setNumberOfStates (3);
    contact.setState (2);

    EXPECT_EQ (snapshot (contact, 1.0f).getPixelAt (4, 3), frameColour (0));
    for (int press = 1; press <= 3; ++press)
    {
        contact.mouseDown (mouseEvent (contact, { 4, 3 }));
        EXPECT_EQ (contact.getFramePosition(), 1);
        EXPECT_EQ (snapshot (contact, 1.0f).getPixelAt (4, 3), frameColour (1));
        contact.mouseUp (mouseEvent (contact, { 4, 3 }));
        EXPECT_EQ (contact.getFramePosition(), 0);
        EXPECT_EQ (snapshot (contact, 1.0f).getPixelAt (4, 3), frameColour (0));
        EXPECT_EQ (listener.calls, press);
    }
}

TEST (LabelForControl, StartsHiddenAndEmptyCentredInTheDefaultFont)
{
    LabelForControl label ({ 10, 20, 60, 16 }, true, false);
    EXPECT_FALSE (label.isVisible());
    EXPECT_TRUE (label.getText().isEmpty());
    EXPECT_TRUE (label.getName().isEmpty());
    EXPECT_TRUE (label.getHelpText().isEmpty());
    EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centred));
    EXPECT_EQ (label.getFont().getTypefaceName(), juce::String (CustomLookAndFeel::defaultTypefaceName));
    EXPECT_FLOAT_EQ (label.getFont().getHeight(), 18.0f);
    EXPECT_TRUE (label.getBounds().isEmpty());

    label.applyControlBounds();
    EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (10, 20, 60, 16));
}

TEST (LabelForControl, OpensForTypingOnASingleClickOnlyWhenEditableWithTheTextCentred)
{
    for (const bool editable : { true, false })
    {
        LabelForControl label ({ 10, 10, 60, 16 }, editable, false);
        EXPECT_EQ (label.isEditableOnSingleClick(), editable);
        EXPECT_FALSE (label.isEditableOnDoubleClick());
        EXPECT_FALSE (label.doesLossOfFocusDiscardChanges());
    }

    juce::Component panel;
    panel.setSize (100, 100);
    LabelForControl label ({ 10, 10, 60, 16 }, true, false);
    label.applyControlBounds();
    panel.addAndMakeVisible (label);
    label.showEditor();
    auto* editor = label.getCurrentTextEditor();
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getJustificationType(), juce::Justification (juce::Justification::centred));
    label.hideEditor (true);
}

TEST (LabelForControl, OneThatHidesAfterEditingDisappearsWhenItsEditorClosesByReturnOrFocusLoss)
{
    enum class Close { returnKey, focusLost };
    struct Case { bool hideAfterEdit; Close how; };
    const Case cases[] = { { true, Close::returnKey }, { true, Close::focusLost },
                           { false, Close::returnKey }, { false, Close::focusLost } };
    for (const auto& c : cases)
    {
        juce::Component panel;
        panel.setSize (100, 100);
        TypingLabel label ({ 10, 10, 60, 16 }, true, c.hideAfterEdit);
        label.applyControlBounds();
        panel.addAndMakeVisible (label);
        label.setText ("1.0", juce::dontSendNotification);

        label.showEditor();
        auto* editor = label.getCurrentTextEditor();
        ASSERT_NE (editor, nullptr);
        editor->setText ("7.5", false);
        if (c.how == Close::returnKey)
            label.textEditorReturnKeyPressed (*editor);
        else
            label.textEditorFocusLost (*editor);

        EXPECT_FALSE (label.isBeingEdited());
        EXPECT_EQ (label.isVisible(), ! c.hideAfterEdit) << c.hideAfterEdit << " " << (int) c.how;
        // Leaving the field keeps what was typed, as Return does.
        EXPECT_EQ (label.getText(), "7.5");
    }
}

TEST (SwitchControl, ClickingTogglesItAndHoveringShowsItsHelpAndHand)
{
    HelpTextVisor visor;
    visor.setSize (200, 20);
    juce::Component panel;
    panel.setSize (100, 100);
    SwitchControl sw ({ 5, 6, 40, 20 }, &visor);
    sw.setHelpText ("Warms the echoes");
    sw.setHandCursor (true);
    sw.applyControlBounds();
    panel.addAndMakeVisible (sw);
    EXPECT_EQ (sw.getBounds(), juce::Rectangle<int> (5, 6, 40, 20));
    EXPECT_FALSE (sw.getToggleState());

    sw.mouseEnter (mouseEvent (sw, { 3, 3 }));
    EXPECT_EQ (visor.getLabel().getText(), "Warms the echoes");
    EXPECT_TRUE (visor.getLabel().isVisible());
    EXPECT_FALSE (visor.isHidePending());
    EXPECT_EQ (sw.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));

    auto& asComponent = static_cast<juce::Component&> (sw);
    asComponent.mouseDown (mouseEvent (sw, { 3, 3 }, juce::ModifierKeys::leftButtonModifier, { 3, 3 }));
    asComponent.mouseUp (mouseEvent (sw, { 3, 3 }, {}, { 3, 3 }));
    EXPECT_TRUE (sw.getToggleState());

    sw.mouseExit (mouseEvent (sw, { 50, 50 }));
    EXPECT_TRUE (visor.isHidePending());
    EXPECT_TRUE (visor.isTimerRunning());
    EXPECT_EQ (sw.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
    finishDesktopAnimations();
}

TEST (SwitchControl, DrawsItsThumbAtTheEndForItsStateInTheLayoutsColours)
{
    juce::Component panel;
    panel.setSize (100, 100);
    SwitchControl sw ({ 0, 0, 40, 20 }, nullptr);
    sw.thumbOnColour = juce::Colour (0xff10e020);
    sw.thumbOffColour = juce::Colour (0xffe01020);
    sw.bgOnColour = juce::Colour (0xff202060);
    sw.bgOffColour = juce::Colour (0xff606020);
    sw.applyControlBounds();
    panel.addAndMakeVisible (sw);

    // Track from x 1 to 39 and y 1 to 19; the thumb's centre a thickness/2 from an end.
    const juce::Point<int> left { 10, 10 }, middle { 20, 10 }, right { 29, 10 };

    const auto off = snapshot (sw, 1.0f, "panel-controls", "switch-off");
    EXPECT_EQ (off.getPixelAt (left.x, left.y), sw.thumbOffColour);
    EXPECT_EQ (off.getPixelAt (middle.x, middle.y), sw.bgOffColour);
    EXPECT_EQ (off.getPixelAt (right.x, right.y), sw.bgOffColour);

    sw.setToggleState (true, juce::dontSendNotification);
    const auto on = snapshot (sw, 2.0f, "panel-controls", "switch-on");
    EXPECT_EQ (on.getPixelAt (2 * right.x, 2 * right.y), sw.thumbOnColour);
    EXPECT_EQ (on.getPixelAt (2 * middle.x, 2 * middle.y), sw.bgOnColour);
    EXPECT_EQ (on.getPixelAt (2 * left.x, 2 * left.y), sw.bgOnColour);

    // Standing, the thumb goes up when on.
    SwitchControl standing ({ 0, 0, 20, 40 }, nullptr);
    standing.applyControlBounds();
    standing.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (snapshot (standing, 1.0f).getPixelAt (10, 10), standing.thumbOnColour);
    standing.setToggleState (false, juce::dontSendNotification);
    EXPECT_EQ (snapshot (standing, 1.0f).getPixelAt (10, 29), standing.thumbOffColour);
}
