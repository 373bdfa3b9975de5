#include "editor/ModuleImageAttachment.h"

#include "framework/ModuleParam.h"

#include <cmath>

ModuleImageAttachment::ModuleImageAttachment (ModuleParam* paramToUse, ImageControl* controlToUse)
    : ModuleControlAttachment (paramToUse),
      control (controlToUse)
{
}

float ModuleImageAttachment::normalizedFor (double value, double start, double end, double skew)
{
    const double extent = end - start;
    if (! (extent > 0.0) || ! std::isfinite (extent))
        return 0.0f;

    double n = juce::jlimit (0.0, 1.0, (value - start) / extent);
    if (std::isnan (n))
        return 0.0f;
    if (skew != 1.0 && skew > 0.0)
        n = std::pow (n, skew);
    return (float) n;
}

void ModuleImageAttachment::onTimer()
{
    auto* c = control.getComponent();
    if (c == nullptr || param == nullptr)
        return;

    c->setNormalized (normalizedFor (param->getValue(), param->range.start, param->range.end, param->range.skew));
}

juce::Component* ModuleImageAttachment::getControlComponent()
{
    return control.getComponent();
}

int ModuleImageAttachment::getHostParamIndex()
{
    return param != nullptr ? ModuleControlAttachment::getHostParamIndex() : -1;
}

int ModuleImageAttachment::getParamIndex()
{
    return param != nullptr ? ModuleControlAttachment::getParamIndex() : -1;
}
