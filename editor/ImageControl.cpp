#include "editor/ImageControl.h"

ImageControl::ImageControl (int x, int y, int framesInStrip, Imaged* imageSource, HelpTextVisor* helpVisor)
    : IControl (x, y, framesInStrip, imageSource, helpVisor)
{
}

void ImageControl::setNormalized (float value)
{
    // Meters feed levels that may overshoot, and a bad parameter value may be NaN.
    normalized = value >= 0.0f ? juce::jmin (value, 1.0f) : 0.0f;

    const auto frame = getFramePosition();
    if (frame != lastFrame)
    {
        lastFrame = frame;
        repaint();
    }
}

float ImageControl::getNormalized()
{
    return normalized;
}

int ImageControl::getFramePosition()
{
    // roundToInt rounds halves to even: with 10 frames, 0.5 shows frame 4.
    return juce::roundToInt ((float) (frames - 1) * normalized);
}

void ImageControl::applyControlBounds()
{
    setBounds (controlBounds);
}

void ImageControl::paint (juce::Graphics& g)
{
    drawImage (g);
}

void ImageControl::mouseEnter (const juce::MouseEvent&)
{
    showCustomHelpText();
}

void ImageControl::mouseExit (const juce::MouseEvent&)
{
    armHelpTextHiding();
}
