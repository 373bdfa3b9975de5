#pragma once

#include "ui/Control.h"
#include "ui/LabeledSlider.h"

// The vector knob: a labelled slider with help text and a hit shape, painted by the
// slider itself through the look-and-feel the panel gives it.
class KnobControl : public LabeledSlider,
                    public Control
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    KnobControl() = default;

    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void applyControlBounds() override;

    // The look a layout gives the knob, kept for look-and-feels that draw with it.
    juce::Colour trackFillColour { 0xffebbf8a };
    juce::Colour trackBgColour { 0xff383838 };
    juce::Colour knobBorderColour { 0xff313131 };
    juce::Colour knobColour { 0xff2a2a2a };
    juce::Colour pointerColour { 0xffcccccc };
    juce::Colour shadowColour { 0x99000000 };
    // Where the track's fill starts, as a proportion of the slider's length.
    double trackFillStart = 0.0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KnobControl)
};
