#pragma once

#include "editor/ModuleControlAttachment.h"

// A sub-panel shown while its parameter's value is above 0 and hidden otherwise.
class ModulePanelAttachment : public ModuleControlAttachment
{
public:
    ModulePanelAttachment (ModuleParam* param, juce::Component* panel);

    void onTimer() override;
    juce::Component* getControlComponent() override;

private:
    juce::Component::SafePointer<juce::Component> panel;
};
