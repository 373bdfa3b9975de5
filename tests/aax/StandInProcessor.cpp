#include "tests/aax/StandInProcessor.h"

namespace tarnello::test
{
StandInProcessor::StandInProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
}
} // namespace tarnello::test

juce::AudioProcessor* createPluginFilter()
{
    return new tarnello::test::StandInProcessor();
}
