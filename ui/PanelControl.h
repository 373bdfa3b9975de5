#pragma once

#include "ui/Control.h"

// A plain painted rectangle with help text.
class PanelControl : public juce::Component,
                     public Control
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    PanelControl() = default;

    juce::Colour colour { 0xFF212121 };       // kept for layouts that set it; not painted
    juce::Colour borderColour { 0xFF121212 };
    juce::Colour fillColour { 0xFF212121 };

    void paint (juce::Graphics& g) override;
    void applyControlBounds() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PanelControl)
};
