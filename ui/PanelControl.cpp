#include "ui/PanelControl.h"

void PanelControl::paint (juce::Graphics& g)
{
    g.fillAll (fillColour);
    g.setColour (borderColour);
    g.drawRect (getLocalBounds().toFloat(), 1.0f);
}

void PanelControl::applyControlBounds()
{
    setBounds (controlBounds);
}
