#include "framework/ModuleFactory.h"

#include "framework/ModuleProcessor.h"

void ModuleFactory::registerModule (const juce::String& typeId, Creator creator)
{
    creators.insert_or_assign (typeId, std::move (creator));
}

bool ModuleFactory::isRegistered (const juce::String& typeId) const
{
    return creators.find (typeId) != creators.end();
}

ModuleProcessor* ModuleFactory::create (const juce::String& typeId) const
{
    auto it = creators.find (typeId);
    if (it == creators.end() || ! it->second)
        return nullptr;

    return it->second();
}
