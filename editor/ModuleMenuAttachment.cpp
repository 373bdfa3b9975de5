#include "editor/ModuleMenuAttachment.h"

#include "framework/ModuleParam.h"

#include <cmath>

ModuleMenuAttachment::ModuleMenuAttachment (ModuleParam* paramToUse, MenuControl* controlToUse)
    : ModuleControlAttachment (paramToUse),
      control (controlToUse)
{
    if (controlToUse != nullptr)
        controlToUse->setListener (this);
}

ModuleMenuAttachment::~ModuleMenuAttachment()
{
    if (auto* c = control.getComponent())
        c->setListener (nullptr);
}

void ModuleMenuAttachment::onTimer()
{
    auto* c = control.getComponent();
    if (c == nullptr || param == nullptr)
        return;

    const double v = param->getValue();
    c->setSelectedIndex (std::isfinite (v) ? (int) juce::jlimit (-1.0e9, 1.0e9, v) : 0);
}

juce::Component* ModuleMenuAttachment::getControlComponent()
{
    return control.getComponent();
}

void ModuleMenuAttachment::menuControlChanged (MenuControl* c)
{
    if (param != nullptr && c != nullptr)
        param->setValueNotifyingHost ((double) c->getSelectedIndex());
}
