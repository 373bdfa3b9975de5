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

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KnobControl)
};
