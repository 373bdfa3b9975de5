// The inline help strip as the pointer moves over controls: which text shows, when
// it fades and when the hide timer runs.

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/CustomLookAndFeel.h"
#include "ui/HelpTextVisor.h"
#include "ui/IKnobControl.h"
#include "ui/ISwitchControl.h"
#include "ui/KnobControl.h"
#include "ui/MenuControl.h"

using namespace tarnello::test;

namespace
{
struct HelpStrip : ::testing::Test
{
    HelpStrip()
    {
        editor.setSize (300, 200);
        visor.setBounds (0, 170, 300, 30);
        editor.addAndMakeVisible (visor);
        for (auto* c : { &switchA, &switchB, &silent })
        {
            c->setHelpTextVisor (&visor);
            editor.addAndMakeVisible (*c);
        }
        switchA.setHelpText ("Low Cut removes the rumble");
        switchB.setHelpText ("Drive warms the echoes");
        switchA.setBounds (0, 0, 20, 20);
        switchB.setBounds (40, 0, 20, 20);
        silent.setBounds (80, 0, 20, 20);
    }

    ~HelpStrip() override { finishAnimations (visor.getAnimator()); }

    void enter (juce::Component& c) { c.mouseEnter (mouseEvent (c, { 5, 5 })); }
    void leave (juce::Component& c) { c.mouseExit (mouseEvent (c, { 30, 30 })); }
    juce::Label& label() { return visor.getLabel(); }
    bool shownAtFullOpacity() { return label().isVisible() && juce::approximatelyEqual (label().getAlpha(), 1.0f); }

    juce::Component editor;
    HelpTextVisor visor;
    ISwitchControl switchA { 0, 0, 1, nullptr, nullptr };
    ISwitchControl switchB { 0, 0, 1, nullptr, nullptr };
    ISwitchControl silent { 0, 0, 1, nullptr, nullptr };
};
} // namespace

TEST_F (HelpStrip, StartsHiddenWithItsLabelFillingTheStrip)
{
    EXPECT_FALSE (label().isVisible());
    EXPECT_TRUE (visor.isHidePending());
    EXPECT_EQ (label().getBounds(), visor.getLocalBounds());
    EXPECT_EQ (label().getFont().getTypefaceName(), "GuiMedium");
    EXPECT_FLOAT_EQ (label().getFont().getHeight(), 15.0f);
    EXPECT_EQ (label().findColour (juce::Label::textColourId), juce::Colour (0xFFC0C0C0));
    EXPECT_EQ (label().findColour (juce::Label::backgroundColourId).getAlpha(), 0);
}

TEST_F (HelpStrip, EnteringAControlShowsItsTextAndFadesItIn)
{
    enter (switchA);
    EXPECT_TRUE (label().isVisible());
    EXPECT_EQ (label().getText(), "Low Cut removes the rumble");
    EXPECT_FALSE (visor.isHidePending());
    EXPECT_FALSE (visor.isTimerRunning());

    finishAnimations (visor.getAnimator());
    EXPECT_TRUE (shownAtFullOpacity());

    const auto picture = snapshot (editor, 1.0f, "ui", "help-strip");
    bool textPixels = false;
    for (int x = 0; x < 300 && ! textPixels; ++x)
        for (int y = 170; y < 200 && ! textPixels; ++y)
            textPixels = picture.getPixelAt (x, y).getBrightness() > 0.5f;
    EXPECT_TRUE (textPixels);
}

TEST_F (HelpStrip, MovingToAnotherControlWithinTheDelayKeepsTheStripUpWithTheNewText)
{
    enter (switchA);
    finishAnimations (visor.getAnimator());
    leave (switchA);
    EXPECT_TRUE (visor.isHidePending());
    EXPECT_TRUE (visor.isTimerRunning());
    EXPECT_EQ (visor.getTimerInterval(), 2000);

    enter (switchB);
    EXPECT_FALSE (visor.isHidePending());
    // The timer fires while the pointer is over B: nothing fades.
    tick (visor);
    EXPECT_TRUE (shownAtFullOpacity());
    EXPECT_EQ (label().getText(), "Drive warms the echoes");
    EXPECT_FALSE (visor.getAnimator().isAnimating (&label()));
}

TEST_F (HelpStrip, LeavingTheLastControlFadesTheTextOutWhenTheTimerFires)
{
    enter (switchA);
    finishAnimations (visor.getAnimator());
    leave (switchA);
    tick (visor);

    EXPECT_FALSE (label().isVisible());
    EXPECT_FALSE (visor.isTimerRunning());
}

TEST_F (HelpStrip, AControlWithoutHelpTextNeitherShowsNorArmsTheTimer)
{
    enter (silent);
    EXPECT_FALSE (label().isVisible());
    leave (silent);
    EXPECT_FALSE (visor.isTimerRunning());

    // Nor does it restart a running timer.
    enter (switchA);
    leave (switchA);
    visor.startTimer (50);
    leave (silent);
    EXPECT_EQ (visor.getTimerInterval(), 50);
}

TEST_F (HelpStrip, EnteringAControlWhileTheTextFadesOutShowsTheNewTextAtFullOpacity)
{
    enter (switchA);
    finishAnimations (visor.getAnimator());
    leave (switchA);
    tick (visor);
    ASSERT_FALSE (label().isVisible());

    enter (switchB);
    EXPECT_TRUE (label().isVisible());
    finishAnimations (visor.getAnimator());
    EXPECT_TRUE (shownAtFullOpacity());
    EXPECT_EQ (label().getText(), "Drive warms the echoes");
}

TEST_F (HelpStrip, EveryControlKindShowsAndArmsHelp)
{
    KnobControl knob;
    MenuControl menu ({ 0, 0, 30, 20 }, &visor);
    IKnobControl imageKnob (0, 0, 1, nullptr, &visor);
    knob.setHelpTextVisor (&visor);
    std::pair<juce::Component*, Control*> controls[] = { { &knob, &knob }, { &menu, &menu }, { &imageKnob, &imageKnob } };

    int n = 0;
    for (auto [component, control] : controls)
    {
        const auto text = "help " + juce::String (++n);
        control->setHelpText (text);
        editor.addAndMakeVisible (*component);
        component->setBounds (0, 50, 30, 30);

        visor.stopTimer();
        enter (*component);
        EXPECT_EQ (label().getText(), text);
        EXPECT_FALSE (visor.isHidePending()) << text;
        leave (*component);
        EXPECT_TRUE (visor.isHidePending()) << text;
        EXPECT_TRUE (visor.isTimerRunning()) << text;
    }
}
