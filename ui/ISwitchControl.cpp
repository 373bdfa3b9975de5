#include "ui/ISwitchControl.h"

ISwitchControl::ISwitchControl (int x, int y, int framesInStrip, Imaged* imageSource, HelpTextVisor* helpVisor)
    : IControl (x, y, framesInStrip, imageSource, helpVisor)
{
}

void ISwitchControl::setState (int newState)
{
    state = juce::jlimit (0, numberOfStates - 1, newState);
    repaint();
}

void ISwitchControl::mouseEnter (const juce::MouseEvent&)
{
    showCustomHelpText();
    if (handCursor)
        setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void ISwitchControl::mouseExit (const juce::MouseEvent&)
{
    armHelpTextHiding();
    if (handCursor)
        setMouseCursor (juce::MouseCursor::NormalCursor);
}

void ISwitchControl::mouseDown (const juce::MouseEvent&)
{
    pressed = true;

    if (isEnabled())
    {
        state = (state + 1) % numberOfStates;
        if (listener != nullptr)
            listener->ISwitchChanged (this);
    }

    repaint();
}

void ISwitchControl::mouseUp (const juce::MouseEvent&)
{
    pressed = false;
    repaint();
}

void ISwitchControl::paint (juce::Graphics& g)
{
    drawImage (g);
}

void ISwitchControl::applyControlBounds()
{
    setBounds (controlBounds);
}

int ISwitchControl::getFramePosition()
{
    return state;
}
