#include "editor/ModuleIContactAttachment.h"

#include "framework/ModuleParam.h"

#include <cmath>

ModuleIContactAttachment::ModuleIContactAttachment (ModuleParam* paramToUse, IContactControl* controlToUse)
    : ModuleControlAttachment (paramToUse),
      control (controlToUse)
{
    if (controlToUse != nullptr)
        controlToUse->setListener (this);
}

ModuleIContactAttachment::~ModuleIContactAttachment()
{
    if (auto* c = control.getComponent())
        c->setListener (nullptr);
}

void ModuleIContactAttachment::onTimer() {}

juce::Component* ModuleIContactAttachment::getControlComponent()
{
    return control.getComponent();
}

double ModuleIContactAttachment::steppedValue (double value, double increment, bool limited, double start, double end)
{
    if (limited)
    {
        const double r = value + increment;
        if (r < start)
            return start;
        return juce::jmin (end, r);
    }

    // A range with no extent (or a broken one) has nowhere to wrap to.
    const double s = end - start;
    if (! (s > 0.0) || ! std::isfinite (s) || ! std::isfinite (value) || ! std::isfinite (increment))
        return start;

    const double rel = (value - start) - std::floor ((value - start) / s) * s;
    double t = rel + std::fmod (increment, s);
    if (t < 0.0)
        t += s;
    else if (t > s)
        t -= s;
    return start + t;
}

void ModuleIContactAttachment::ISwitchChanged (ISwitchControl*)
{
    auto* c = control.getComponent();
    if (param == nullptr || c == nullptr)
        return;

    param->setValueNotifyingHost (steppedValue (param->getValue(), c->increment, c->limited,
                                                param->range.start, param->range.end));
}
