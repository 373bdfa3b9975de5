#include "ui/KnobControl.h"

void KnobControl::mouseEnter (const juce::MouseEvent& e)
{
    showCustomHelpText();
    LabeledSlider::mouseEnter (e);
}

void KnobControl::mouseExit (const juce::MouseEvent& e)
{
    armHelpTextHiding();
    LabeledSlider::mouseExit (e);
}

void KnobControl::applyControlBounds()
{
    setBounds (controlBounds);
}
