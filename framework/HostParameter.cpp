#include "framework/HostParameter.h"

#include <cmath>
#include <limits>

#include "framework/ModuleIntParam.h"
#include "framework/ModuleProcessor.h"
#include "framework/ParamText.h"

namespace
{
// Clears `param`'s back-pointer only while it still points at `host`.
void releaseBackPointer (ModuleParam* param, HostParameter* host)
{
    if (param != nullptr)
    {
        HostParameter* expected = host;
        param->hostParameter.compare_exchange_strong (expected, nullptr, std::memory_order_acq_rel);
    }
}

const juce::StringArray* choicesOf (const ModuleParam& param)
{
    if (auto* choice = dynamic_cast<const ModuleEnumParam*> (&param))
        return &choice->choices;
    return nullptr;
}
} // namespace

HostParameter::HostParameter (int hostIndex)
    : juce::AudioProcessorParameterWithID (juce::ParameterID { juce::String (hostIndex) }, juce::String()),
      index (hostIndex)
{
}

HostParameter::~HostParameter()
{
    unbind();
}

void HostParameter::bind (std::shared_ptr<ModuleProcessor> module, ModuleParam* param)
{
    if (module == nullptr || param == nullptr)
    {
        unbind();
        return;
    }

    // Keep bindings one-to-one: a parameter bound elsewhere leaves that binding.
    if (auto* other = param->getHostParameter(); other != nullptr && other != this)
        if (other->getBoundParam() == param)
            other->unbind();

    auto next = std::make_shared<const Binding> (Binding { std::move (module), param });
    auto previous = std::atomic_exchange (&binding, std::shared_ptr<const Binding> (next));

    if (previous != nullptr && previous->param != param)
        releaseBackPointer (previous->param, this);

    param->hostParameter.store (this, std::memory_order_release);
}

void HostParameter::unbind()
{
    // The old binding keeps its module, and so its parameter, alive until here.
    auto previous = std::atomic_exchange (&binding, std::shared_ptr<const Binding>());
    if (previous != nullptr)
        releaseBackPointer (previous->param, this);
}

std::shared_ptr<const HostParameter::Binding> HostParameter::getBinding() const
{
    auto b = std::atomic_load (&binding);
    if (b != nullptr && b->module != nullptr && b->param != nullptr)
        return b;
    return {};
}

bool HostParameter::isBound() const
{
    return getBinding() != nullptr;
}

ModuleParam* HostParameter::getBoundParam() const
{
    auto b = getBinding();
    return b != nullptr ? b->param : nullptr;
}

float HostParameter::getValue() const
{
    if (auto b = getBinding())
        return (float) b->param->getNormalized();
    return 0.0f;
}

void HostParameter::setValue (float newValue)
{
    if (auto b = getBinding())
        b->param->setNormalized ((double) newValue, false);
}

float HostParameter::getDefaultValue() const
{
    if (auto b = getBinding())
        return (float) b->param->getNormalizedFor (b->param->defaultValue);
    return 0.0f;
}

juce::String HostParameter::getName (int) const
{
    const juce::String number (index + 1);
    if (auto b = getBinding())
        return number + ". " + b->param->name;
    return number;
}

juce::String HostParameter::getLabel() const
{
    if (auto b = getBinding())
        return b->param->unit;
    return {};
}

juce::String HostParameter::getText (float normalisedValue, int) const
{
    auto b = getBinding();
    if (b == nullptr)
        return {};

    // The value asked about, as setValue would store it, and not the current one.
    auto& param = *b->param;
    return param.getValueAsStringFor (param.getRealValueFor ((double) normalisedValue));
}

float HostParameter::getValueForText (const juce::String& text) const
{
    auto b = getBinding();
    if (b == nullptr)
    {
        const double v = text.getDoubleValue();
        if (! std::isfinite (v))
            return 0.0f;
        const double limit = (double) std::numeric_limits<float>::max();
        return (float) juce::jlimit (-limit, limit, v);
    }

    // A text that is no value of this parameter gives no position at all, so
    // that the host refuses it instead of setting a value nobody typed.
    auto& param = *b->param;
    const auto* choices = choicesOf (param);
    const auto v = choices != nullptr ? ParamText::readChoice (text, *choices) : ParamText::readQuantity (text, param.unit);
    if (! v.has_value())
        return std::numeric_limits<float>::quiet_NaN();

    // Read at the host's float precision, as any typed value is.
    const double limit = (double) std::numeric_limits<float>::max();
    return (float) param.getNormalizedFor ((double) (float) juce::jlimit (-limit, limit, *v));
}

bool HostParameter::isMetaParameter() const
{
    if (auto b = getBinding())
        return b->param->metaParameter;
    return false;
}
