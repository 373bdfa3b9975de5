#pragma once

#include "ui/IControl.h"

// A multi-state image switch: each click steps to the next state, shown as the strip
// frame of the same number.
class ISwitchControl : public juce::Component,
                       public IControl
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void ISwitchChanged (ISwitchControl* control) = 0;
    };

    ISwitchControl (int x, int y, int frames, Imaged* image, HelpTextVisor* visor);

    // A number of states below 1 counts as 1.
    void setNumberOfStates (int states) noexcept { numberOfStates = std::max (1, states); }
    int getNumberOfStates() const noexcept { return numberOfStates; }

    // Kept within 0 .. number of states - 1.
    void setState (int newState);
    int getState() const noexcept { return state; }

    void setListener (Listener* l) noexcept { listener = l; }
    void setHandCursor (bool shouldUse) noexcept { handCursor = shouldUse; }
    bool isPressed() const noexcept { return pressed; }

    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void applyControlBounds() override;
    int getFramePosition() override;

private:
    int numberOfStates = 1;
    Listener* listener = nullptr;
    bool pressed = false;
    int state = 0;
    bool handCursor = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ISwitchControl)
};
