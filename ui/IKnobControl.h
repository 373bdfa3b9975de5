#pragma once

#include "ui/IControl.h"
#include "ui/LabeledSlider.h"

// An image-strip knob: a labelled slider that paints the strip frame for its value
// (frame 0 at the minimum, the last frame at the maximum).
class IKnobControl : public LabeledSlider,
                     public IControl
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    IKnobControl (int x, int y, int frames, Imaged* image, HelpTextVisor* visor);

    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void applyControlBounds() override;
    int getFramePosition() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IKnobControl)
};
