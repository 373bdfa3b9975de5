#pragma once

#include "framework/ReleasePool.h"

#include <juce_core/juce_core.h>
#include <tsl/robin_map.h>

#include <functional>

class ModuleProcessor;

// The registry of module creators by type id.
class ModuleFactory
{
public:
    using Creator = std::function<ModuleProcessor*()>;

    // Registers (or replaces) the creator for a type id.
    void registerModule (const juce::String& typeId, Creator creator);
    bool isRegistered (const juce::String& typeId) const;
    // A new module of that type, or null for an unregistered id or a creator that yields nothing.
    ModuleProcessor* create (const juce::String& typeId) const;

    tsl::robin_map<juce::String, Creator> creators;
    ReleasePool releasePool;
};
