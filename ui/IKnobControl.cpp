#include "ui/IKnobControl.h"

#include <cmath>

IKnobControl::IKnobControl (int x, int y, int framesInStrip, Imaged* imageSource, HelpTextVisor* helpVisor)
    : IControl (x, y, framesInStrip, imageSource, helpVisor)
{
    // The strip is the whole picture: a slider's value box would be drawn over it.
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
}

void IKnobControl::mouseEnter (const juce::MouseEvent& e)
{
    showCustomHelpText();
    LabeledSlider::mouseEnter (e);
}

void IKnobControl::mouseExit (const juce::MouseEvent& e)
{
    armHelpTextHiding();
    LabeledSlider::mouseExit (e);
}

void IKnobControl::paint (juce::Graphics& g)
{
    drawImage (g);
}

void IKnobControl::applyControlBounds()
{
    setBounds (controlBounds);
}

int IKnobControl::getFramePosition()
{
    if (frames <= 1)
        return 0;

    auto proportion = (float) valueToProportionOfLength (getValue());
    if (! std::isfinite (proportion))
        proportion = 0.0f;
    return juce::roundToInt ((float) (frames - 1) * juce::jlimit (0.0f, 1.0f, proportion));
}
