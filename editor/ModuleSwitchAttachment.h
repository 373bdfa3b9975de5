#pragma once

#include "editor/ModuleControlAttachment.h"
#include "editor/SwitchControl.h"

// A vector switch: on while the value is above 0; any change of the button's state
// writes 1 or 0.
class ModuleSwitchAttachment : public ModuleControlAttachment,
                               public juce::Button::Listener
{
public:
    ModuleSwitchAttachment (ModuleParam* param, SwitchControl* control);
    ~ModuleSwitchAttachment() override;

    void onTimer() override;
    juce::Component* getControlComponent() override;

    void buttonStateChanged (juce::Button* b) override;
    void buttonClicked (juce::Button* b) override;

private:
    juce::Component::SafePointer<SwitchControl> button;
};
