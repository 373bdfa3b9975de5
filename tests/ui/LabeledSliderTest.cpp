// The labelled slider: value snapping, and when its floating value label is shown,
// kept up, hidden or opened for typing.

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/KnobControl.h"
#include "ui/LabeledSlider.h"

#include <limits>

using namespace tarnello::test;

namespace
{
// snapValue is what the slider consults for every new value while it is dragged.
double snap (LabeledSlider& s, double v, juce::Slider::DragMode mode = juce::Slider::absoluteDrag)
{
    return s.snapValue (v, mode);
}

struct FloatingLabel : ::testing::Test
{
    FloatingLabel()
    {
        panel.setSize (200, 200);
        slider.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
        slider.setRange (0.0, 100.0);
        slider.setBounds (50, 50, 60, 60);
        label.setBounds (50, 115, 60, 16);
        panel.addAndMakeVisible (slider);
        panel.addChildComponent (label);
        slider.setFloatingLabel (&label);
    }
    ~FloatingLabel() override
    {
        label.hideEditor (true);
        finishDesktopAnimations();
    }

    bool labelShown() { return label.isVisible() && juce::approximatelyEqual (label.getAlpha(), 1.0f); }

    // The first show after construction is skipped; this spends it.
    void spendFirstShow() { slider.startShowingFloatingLabel(); }

    juce::Component panel;
    LabeledSlider slider;
    juce::Label label;
};
} // namespace

TEST (LabeledSliderSnap, RoundsToTheIntervalOnlyForAbsoluteDrags)
{
    LabeledSlider s;
    s.setRange (0.0, 10.0);
    s.setSnapInterval (0.5);

    struct Case { double v; juce::Slider::DragMode mode; double expected; };
    const Case cases[] = {
        { 1.26, juce::Slider::absoluteDrag, 1.5 },
        { 1.24, juce::Slider::absoluteDrag, 1.0 },
        { 1.25, juce::Slider::absoluteDrag, 1.5 },  // halves round away from zero
        { -1.25, juce::Slider::absoluteDrag, -1.5 },
        { 1.26, juce::Slider::velocityDrag, 1.26 },
        { 1.26, juce::Slider::notDragging, 1.26 },
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ (snap (s, c.v, c.mode), c.expected) << c.v;

    // The current value itself is returned as it is.
    s.setValue (1.3, juce::dontSendNotification);
    EXPECT_DOUBLE_EQ (snap (s, s.getValue()), s.getValue());
}

TEST (LabeledSliderSnap, PicksTheNearestListEntryWithTiesKeepingTheSearchedOne)
{
    LabeledSlider s;
    s.setRange (-100.0, 100.0);
    s.setSnapList ({ 0.0, 1.0, 5.0, 10.0 });

    struct Case { double v; double expected; };
    const Case cases[] = { { 3.2, 5.0 }, { 2.9, 1.0 }, { 3.0, 5.0 }, { -7.0, 0.0 }, { 99.0, 10.0 },
                           { 7.5, 10.0 }, { 7.4, 5.0 }, { 0.4, 0.0 }, { 10.0, 10.0 } };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ (snap (s, c.v), c.expected) << c.v;

    EXPECT_DOUBLE_EQ (snap (s, 3.2, juce::Slider::velocityDrag), 3.2);

    LabeledSlider empty;
    empty.setRange (0.0, 10.0);
    EXPECT_DOUBLE_EQ (snap (empty, 3.7), 3.7);
}

TEST (LabeledSliderSnap, AListGivenOutOfOrderIsSortedSoTheSearchStillFindsTheNearest)
{
    LabeledSlider s;
    s.setRange (0.0, 100.0);
    s.setSnapList ({ 10.0, 0.0, 50.0, 5.0, 1.0 });
    EXPECT_EQ (s.getSnapList(), juce::Array<double> ({ 0.0, 1.0, 5.0, 10.0, 50.0 }));
    EXPECT_DOUBLE_EQ (snap (s, 3.2), 5.0);
    EXPECT_DOUBLE_EQ (snap (s, 40.0), 50.0);
    EXPECT_DOUBLE_EQ (snap (s, 8.0), 10.0);
}

TEST (LabeledSliderSnap, AnIntervalThatIsNotANumberFallsBackToTheList)
{
    LabeledSlider s;
    s.setRange (0.0, 10.0);
    s.setSnapList ({ 2.0, 8.0 });
    for (const double bad : { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        s.setSnapInterval (bad);
        EXPECT_DOUBLE_EQ (snap (s, 3.0), 2.0);
    }
}

TEST (LabeledSliderSnap, ADragWithTheMainMouseSourceLandsOnSnappedValues)
{
    juce::Component panel;
    panel.setSize (200, 300);
    LabeledSlider s;
    s.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    s.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    s.setRange (0.0, 100.0);
    s.setMouseDragSensitivity (250);
    s.setSnapInterval (10.0);
    s.setBounds (50, 100, 60, 60);
    panel.addAndMakeVisible (s);

    const juce::Point<float> down { 30.0f, 30.0f };
    s.mouseDown (mouseEvent (s, down, juce::ModifierKeys::leftButtonModifier, down));
    for (float dy = 5.0f; dy <= 120.0f; dy += 23.0f)
    {
        s.mouseDrag (mouseEvent (s, down.translated (0.0f, -dy), juce::ModifierKeys::leftButtonModifier, down, true));
        const auto v = s.getValue();
        EXPECT_DOUBLE_EQ (v, std::round (v / 10.0) * 10.0) << dy;
    }
    s.mouseUp (mouseEvent (s, down.translated (0.0f, -120.0f), {}, down, true));
    EXPECT_DOUBLE_EQ (s.getValue(), 50.0); // 120 of 250 px: 48, snapped to 50
}

TEST_F (FloatingLabel, TheFirstShowAfterConstructionShowsNothing)
{
    slider.startShowingFloatingLabel();
    EXPECT_FALSE (label.isVisible());
    EXPECT_FALSE (slider.isTimerRunning());

    slider.startShowingFloatingLabel();
    EXPECT_TRUE (label.isVisible());
    finishDesktopAnimations();
    EXPECT_TRUE (labelShown());
    EXPECT_TRUE (slider.isTimerRunning());
    EXPECT_EQ (slider.getTimerInterval(), LabeledSlider::defaultHideDelayMs);
}

TEST_F (FloatingLabel, HidesAtTheFirstTickAfterOneQuietPeriod)
{
    spendFirstShow();
    slider.startShowingFloatingLabel();
    finishDesktopAnimations();

    tick (slider); // the period in which it was shown
    EXPECT_TRUE (labelShown());
    EXPECT_TRUE (slider.isTimerRunning());

    tick (slider);
    EXPECT_FALSE (label.isVisible());
    EXPECT_FALSE (slider.isTimerRunning());
}

TEST_F (FloatingLabel, AValuePushedWhileTheTimerRunsKeepsItUpForAnotherPeriod)
{
    spendFirstShow();
    slider.startShowingFloatingLabel();
    tick (slider);
    slider.startShowingFloatingLabel(); // the attachment pushes a new value
    tick (slider);
    EXPECT_TRUE (label.isVisible());
    tick (slider);
    EXPECT_FALSE (label.isVisible());
}

TEST_F (FloatingLabel, StaysWhileTheMouseIsDownAndHidesAPeriodAfterRelease)
{
    spendFirstShow();
    const juce::Point<float> centre { 30.0f, 30.0f };
    slider.mouseDown (mouseEvent (slider, centre, juce::ModifierKeys::leftButtonModifier, centre));
    slider.mouseDrag (mouseEvent (slider, centre.translated (0, -40), juce::ModifierKeys::leftButtonModifier, centre, true));
    EXPECT_FALSE (slider.isReleased());
    EXPECT_TRUE (label.isVisible());

    for (int i = 0; i < 5; ++i)
        tick (slider);
    EXPECT_TRUE (label.isVisible()); // held while the knob is held

    slider.mouseUp (mouseEvent (slider, centre.translated (0, -40), {}, centre, true));
    EXPECT_TRUE (slider.isReleased());
    tick (slider);
    EXPECT_FALSE (label.isVisible());
}

TEST_F (FloatingLabel, TheTimerStopsWithoutHidingWhileTheValueIsTyped)
{
    spendFirstShow();
    slider.mouseDown (mouseEvent (slider, { 30, 30 }, juce::ModifierKeys::rightButtonModifier, { 30, 30 }));
    EXPECT_TRUE (label.isBeingEdited());
    EXPECT_TRUE (labelShown());
    EXPECT_TRUE (label.isKeyboardFocusContainer());
    slider.mouseUp (mouseEvent (slider, { 30, 30 }, {}, { 30, 30 }));

    slider.startShowingFloatingLabel();
    tick (slider);
    tick (slider);
    EXPECT_FALSE (slider.isTimerRunning());
    EXPECT_TRUE (label.isVisible());
    EXPECT_TRUE (label.isBeingEdited());
}

TEST_F (FloatingLabel, RightClickEditingCanBeSwitchedOff)
{
    spendFirstShow();
    slider.setEditOnRightClick (false);
    slider.mouseDown (mouseEvent (slider, { 30, 30 }, juce::ModifierKeys::rightButtonModifier, { 30, 30 }));
    slider.mouseUp (mouseEvent (slider, { 30, 30 }, {}, { 30, 30 }));
    EXPECT_FALSE (label.isBeingEdited());
    EXPECT_TRUE (slider.isEditOnRightClickConfigured());
}

TEST_F (FloatingLabel, ADisabledLabelIsNeitherShownNorHidden)
{
    spendFirstShow();
    slider.setLabelEnabled (false);
    slider.startShowingFloatingLabel();
    EXPECT_FALSE (label.isVisible());
    EXPECT_TRUE (slider.isTimerRunning());

    // One the panel shows itself stays as it is.
    label.setVisible (true);
    tick (slider);
    tick (slider);
    EXPECT_TRUE (label.isVisible());
    EXPECT_FALSE (slider.isTimerRunning());
}

TEST_F (FloatingLabel, AHideDelayOfZeroStillHidesTheLabel)
{
    slider.setHideDelay (0);
    spendFirstShow();
    slider.startShowingFloatingLabel();
    EXPECT_TRUE (slider.isTimerRunning());
    tick (slider);
    tick (slider);
    EXPECT_FALSE (label.isVisible());
}

TEST (LabeledSliderMouse, WithoutAFloatingLabelARightClickActsAsOnAPlainSlider)
{
    const auto dragWithRightButton = [] (juce::Slider& s) {
        s.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        s.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
        s.setRange (0.0, 100.0);
        s.setBounds (0, 0, 60, 60);
        const juce::Point<float> p { 30.0f, 30.0f };
        s.mouseDown (mouseEvent (s, p, juce::ModifierKeys::rightButtonModifier, p));
        s.mouseDrag (mouseEvent (s, p.translated (0, -50), juce::ModifierKeys::rightButtonModifier, p, true));
        s.mouseUp (mouseEvent (s, p.translated (0, -50), {}, p, true));
        return s.getValue();
    };

    LabeledSlider labelled;
    juce::Slider plain;
    EXPECT_DOUBLE_EQ (dragWithRightButton (labelled), dragWithRightButton (plain));
    EXPECT_GT (labelled.getValue(), 0.0);
}

TEST (KnobControl, PaintsAsASliderThroughItsLookAndFeelAndTakesItsBounds)
{
    KnobControl knob;
    knob.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob.setRange (0.0, 1.0);
    knob.setValue (0.7, juce::dontSendNotification);
    knob.setHitRectangle ({ 10, 10, 48, 48 });
    knob.applyControlBounds();
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (10, 10, 48, 48));

    const auto image = snapshot (knob, 2.0f, "ui", "vector-knob");
    int painted = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            painted += image.getPixelAt (x, y).getAlpha() > 0 ? 1 : 0;
    EXPECT_GT (painted, 200);
}
