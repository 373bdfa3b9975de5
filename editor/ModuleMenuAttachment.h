#pragma once

#include "editor/ModuleControlAttachment.h"
#include "ui/MenuControl.h"

// A pop-up menu hot spot: its selected index is the value's whole part; a choice
// writes the chosen index.
class ModuleMenuAttachment : public ModuleControlAttachment,
                             public MenuControl::Listener
{
public:
    ModuleMenuAttachment (ModuleParam* param, MenuControl* control);
    ~ModuleMenuAttachment() override;

    void onTimer() override;
    juce::Component* getControlComponent() override;

    void menuControlChanged (MenuControl* control) override;

private:
    juce::Component::SafePointer<MenuControl> control;
};
