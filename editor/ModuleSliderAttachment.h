#pragma once

#include "editor/LabelForControl.h"
#include "editor/ModuleControlAttachment.h"
#include "ui/LabeledSlider.h"

// A knob and its floating value label (may be null). Dragging opens and closes one
// host gesture, whose end records an undo point; every move writes the value and
// shows the floating label. Text typed into the label is read as a number, kept
// within the parameter's range, and moves the knob; text with no number is ignored.
class ModuleSliderAttachment : public ModuleControlAttachment,
                               public juce::Slider::Listener,
                               public juce::Label::Listener
{
public:
    ModuleSliderAttachment (ModuleParam* param, LabeledSlider* slider, LabelForControl* floatingLabel);
    ~ModuleSliderAttachment() override;

    void onTimer() override;
    juce::Component* getControlComponent() override;

    void sliderValueChanged (juce::Slider* s) override;
    void labelTextChanged (juce::Label* l) override;
    void sliderDragStarted (juce::Slider* s) override;
    void sliderDragEnded (juce::Slider* s) override;

    LabeledSlider* getSlider() const noexcept { return slider.getComponent(); }
    LabelForControl* getFloatingLabel() const noexcept { return label.getComponent(); }

private:
    juce::Component::SafePointer<LabeledSlider> slider;
    juce::Component::SafePointer<LabelForControl> label;
};
