#include "editor/ModuleSwitchAttachment.h"

#include "framework/ModuleParam.h"

ModuleSwitchAttachment::ModuleSwitchAttachment (ModuleParam* paramToUse, SwitchControl* control)
    : ModuleControlAttachment (paramToUse),
      button (control)
{
    if (control != nullptr)
        control->addListener (this);
}

ModuleSwitchAttachment::~ModuleSwitchAttachment()
{
    if (auto* b = button.getComponent())
        b->removeListener (this);
}

void ModuleSwitchAttachment::onTimer()
{
    if (auto* b = button.getComponent(); b != nullptr && param != nullptr)
        b->setToggleState (param->getValue() > 0.0, juce::dontSendNotification);
}

juce::Component* ModuleSwitchAttachment::getControlComponent()
{
    return button.getComponent();
}

void ModuleSwitchAttachment::buttonStateChanged (juce::Button* b)
{
    // Every state change (hover, press, toggle) writes the toggle state, so the flip
    // of a click is written as soon as the button takes it.
    if (param != nullptr && b != nullptr)
        param->setValueNotifyingHost (b->getToggleState() ? 1.0 : 0.0);
}

void ModuleSwitchAttachment::buttonClicked (juce::Button*) {}
