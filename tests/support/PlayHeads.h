// A host's play head whose tempo and position the test sets, from any thread.
#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <optional>

namespace tarnello::test
{
class TestPlayHead : public juce::AudioPlayHead
{
public:
    // A playing transport at `tempo`, or one that reports no tempo.
    explicit TestPlayHead (std::optional<double> tempo = 120.0)
        : bpm (tempo.value_or (120.0)), hasTempo (tempo.has_value()) {}

    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        if (hasTempo.load())
            info.setBpm (bpm.load());
        info.setIsPlaying (true);
        info.setTimeInSamples (position.load());
        return info;
    }

    std::atomic<double> bpm;
    std::atomic<bool> hasTempo;
    std::atomic<juce::int64> position { 0 };
};
} // namespace tarnello::test
