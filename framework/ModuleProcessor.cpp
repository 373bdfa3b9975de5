#include "framework/ModuleProcessor.h"

#include <cmath>

#include "framework/DovrethProcessor.h"
#include "framework/StateManager.h"

ModuleProcessor::ModuleProcessor (DovrethProcessor* ownerProcessor, const juce::String& name, const juce::String& type)
    : owner (ownerProcessor),
      instanceTag (juce::Random().nextInt (100)),
      displayName (name),
      typeId (type),
      typeIdHash (type.hashCode())
{
}

ModuleProcessor::~ModuleProcessor()
{
    // Parameters go first, last one first, while the look-and-feels still exist.
    params.clear (true);
    paramsByName.clear();
}

void ModuleProcessor::paramEndChangeGesture (ModuleParam*)
{
    // A module made without a processor (or before its services exist) has no
    // history to record into.
    if (owner != nullptr && owner->stateManager != nullptr)
        owner->stateManager->saveToHistoricalStates();
}

float ModuleProcessor::getMeterValue (int)
{
    return 0.0f;
}

void ModuleProcessor::addParam (ModuleParam* param)
{
    if (param == nullptr)
        return;

    if (param->exposeToHost)
        ++numExposedParams;

    params.add (param);
    paramsByName.emplace (param->name, param);
}

ModuleParam* ModuleProcessor::getParam (const juce::String& name) const
{
    auto it = paramsByName.find (name);
    return it != paramsByName.end() ? it->second : nullptr;
}

juce::LookAndFeel* ModuleProcessor::getLookAndFeel (const juce::String& name)
{
    return lookAndFeels[name].get();
}

juce::String ModuleProcessor::attributeNameFor (const juce::String& paramName)
{
    return paramName.replace (" ", "_");
}

void ModuleProcessor::setStateInformation (juce::XmlElement* element)
{
    struct RestoringScope
    {
        explicit RestoringScope (std::atomic<bool>& f) : flag (f) { flag.store (true); }
        ~RestoringScope() { flag.store (false); }
        std::atomic<bool>& flag;
    } restoring (restoringState);

    for (auto* param : params)
    {
        if (! param->saveInState)
            continue;

        const auto attribute = attributeNameFor (param->name);
        double v = param->defaultValue;

        if (element != nullptr && element->hasAttribute (attribute))
        {
            // A leading number counts, anything behind it is ignored; a text that
            // is no finite number restores the default.
            const double parsed = element->getStringAttribute (attribute).getDoubleValue();
            if (std::isfinite (parsed))
                v = parsed;
        }

        param->setValueNotifyingHost (v);
    }

    needsRefresh.store (true);
}
