#pragma once

#include "ui/Control.h"

// A vector on/off switch: a toggle button with help text, a hit shape and the
// colours the layout gives it. It draws itself as a sliding switch in those colours
// (a track with a border and a round thumb, at the right or top end when on), so a
// layout's colours show on the panel whatever look-and-feel it has.
class SwitchControl : public juce::ToggleButton,
                      public Control
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    SwitchControl (juce::Rectangle<int> bounds, HelpTextVisor* visor);

    void setHandCursor (bool shouldUse) noexcept { handCursor = shouldUse; }
    bool usesHandCursor() const noexcept { return handCursor; }

    void applyControlBounds() override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void paintButton (juce::Graphics& g, bool highlighted, bool down) override;

    juce::Colour thumbOnColour { 0xffdcb98b };
    juce::Colour thumbOffColour { 0xff515151 };
    juce::Colour borderOnColour { 0xff363636 };
    juce::Colour borderOffColour { 0xff363636 };
    juce::Colour bgOnColour { 0xff181818 };
    juce::Colour bgOffColour { 0xff1b1b1b };

private:
    bool handCursor = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SwitchControl)
};
