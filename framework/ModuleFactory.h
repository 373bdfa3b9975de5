#pragma once

#include <juce_events/juce_events.h>
#include <tsl/robin_map.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class ModuleProcessor;

// Keeps retired shared objects (removed modules above all) alive until the pool is
// their only owner, then releases them on the message thread, so that the audio
// thread never destroys one. Objects are destroyed outside the pool's mutex.
class ReleasePool : public juce::Timer
{
public:
    ReleasePool() = default;
    ~ReleasePool() override;

    void add (std::shared_ptr<void> object);
    void timerCallback() override;

    size_t size() const;

private:
    std::vector<std::shared_ptr<void>> pool;
    mutable std::mutex lock;
};

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
