#pragma once

#include "editor/ModuleControlAttachment.h"
#include "ui/ISwitchControl.h"

// A multi-state image switch: its state is the value's whole part; a click writes
// the new state.
class ModuleISwitchAttachment : public ModuleControlAttachment,
                                public ISwitchControl::Listener
{
public:
    ModuleISwitchAttachment (ModuleParam* param, ISwitchControl* control);
    ~ModuleISwitchAttachment() override;

    void onTimer() override;
    juce::Component* getControlComponent() override;

    void ISwitchChanged (ISwitchControl* control) override;

private:
    juce::Component::SafePointer<ISwitchControl> control;
};
