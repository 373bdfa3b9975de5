#include "editor/ModuleISwitchAttachment.h"

#include "framework/ModuleParam.h"

#include <cmath>

ModuleISwitchAttachment::ModuleISwitchAttachment (ModuleParam* paramToUse, ISwitchControl* controlToUse)
    : ModuleControlAttachment (paramToUse),
      control (controlToUse)
{
    if (controlToUse != nullptr)
        controlToUse->setListener (this);
}

ModuleISwitchAttachment::~ModuleISwitchAttachment()
{
    if (auto* c = control.getComponent())
        c->setListener (nullptr);
}

void ModuleISwitchAttachment::onTimer()
{
    auto* c = control.getComponent();
    if (c == nullptr || param == nullptr)
        return;

    const double v = param->getValue();
    // The switch keeps the state within its count.
    c->setState (std::isfinite (v) ? (int) juce::jlimit (-1.0e9, 1.0e9, v) : 0);
    c->repaint();
}

juce::Component* ModuleISwitchAttachment::getControlComponent()
{
    return control.getComponent();
}

void ModuleISwitchAttachment::ISwitchChanged (ISwitchControl* c)
{
    if (param != nullptr && c != nullptr)
        param->setValueNotifyingHost ((double) c->getState());
}
