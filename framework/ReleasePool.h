#pragma once

#include <juce_events/juce_events.h>

#include <memory>
#include <mutex>
#include <vector>

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
