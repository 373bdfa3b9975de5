#include "tests/support/StubProcessor.h"

namespace tarnello::test
{
StubProcessor::StubProcessor (juce::String name)
    : StubProcessor (BusesProperties()
                         .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                         .withOutput ("Output", juce::AudioChannelSet::stereo(), true),
                     std::move (name))
{
}
} // namespace tarnello::test
