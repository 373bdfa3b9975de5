#include "ui/HelpTextVisor.h"

HelpTextVisor::HelpTextVisor()
{
    label.setText ({}, juce::dontSendNotification);
    label.setFont (juce::Font ("GuiMedium", 15.0f, juce::Font::plain));
    label.setColour (juce::Label::textColourId, juce::Colour (0xFFC0C0C0));
    label.setColour (juce::Label::backgroundColourId, juce::Colour (0x00FF0000));
    label.setColour (juce::Label::outlineColourId, juce::Colour (0x00FFFFFF));
    addChildComponent (label);
}

HelpTextVisor::~HelpTextVisor()
{
    animator.cancelAllAnimations (false);
}

void HelpTextVisor::resized()
{
    label.setBounds (0, 0, getWidth(), getHeight());
}

void HelpTextVisor::timerCallback()
{
    // Still pending means the pointer moved on to another control with help.
    if (! hidePending)
        return;

    if (label.isShowing())
        animator.animateComponent (&label, label.getBounds(), 0.0f, fadeOutMs, true, 1.0, 1.0);

    label.setVisible (false);
    stopTimer();
}
