#pragma once

#include "editor/LabelForControl.h"
#include "editor/ModuleControlAttachment.h"

// A value label: shows the parameter's display text; text typed into it is read as
// a number, kept within the parameter's range and written. Text with no number in
// it changes nothing and the label shows the value again.
class ModuleLabelAttachment : public ModuleControlAttachment,
                              public juce::Label::Listener
{
public:
    ModuleLabelAttachment (ModuleParam* param, LabelForControl* control);
    ~ModuleLabelAttachment() override;

    void onTimer() override;
    juce::Component* getControlComponent() override;

    void labelTextChanged (juce::Label* l) override;

private:
    juce::Component::SafePointer<LabelForControl> label;
};
