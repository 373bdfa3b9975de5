#pragma once

#include "editor/MeterControl.h"
#include "ui/IControl.h"

// A film-strip display: shows the frame that a normalized value picks, from the
// first frame at 0 to the last at 1. Panels use it for pictures bound to a
// parameter and for level meters.
class ImageControl : public juce::Component,
                     public IControl,
                     public MeterControl
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    // A strip at (x, y) in the parent; a frame count below 1 counts as 1.
    ImageControl (int x, int y, int frames, Imaged* image, HelpTextVisor* visor);

    // Kept within 0..1 (a value that is not a number reads as 0); repaints only
    // when the frame shown changes.
    void setNormalized (float value) override;
    float getNormalized() override;
    int getFramePosition() override;
    void applyControlBounds() override;

    void paint (juce::Graphics& g) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

private:
    float normalized = 0.0f;
    int lastFrame = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImageControl)
};
