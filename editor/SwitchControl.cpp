#include "editor/SwitchControl.h"

SwitchControl::SwitchControl (juce::Rectangle<int> bounds, HelpTextVisor* helpVisor)
{
    controlBounds = bounds;
    visor = helpVisor;
}

void SwitchControl::applyControlBounds()
{
    setBounds (controlBounds);
}

void SwitchControl::mouseEnter (const juce::MouseEvent& e)
{
    showCustomHelpText();
    if (handCursor)
        setMouseCursor (juce::MouseCursor::PointingHandCursor);
    juce::ToggleButton::mouseEnter (e);
}

void SwitchControl::mouseExit (const juce::MouseEvent& e)
{
    armHelpTextHiding();
    if (handCursor)
        setMouseCursor (juce::MouseCursor::NormalCursor);
    juce::ToggleButton::mouseExit (e);
}
