// libFuzzer target: a 'juce' state chunk from the host, handed to the product's
// state loader as the bridge hands it.

#include "framework/DovrethProcessor.h"
#include "framework/ModuleFactory.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <cstdlib>
#include <memory>

juce::AudioProcessor* createPluginFilter();

namespace
{
struct Product
{
    juce::ScopedJuceInitialiser_GUI gui;
    std::unique_ptr<juce::AudioProcessor> processor { createPluginFilter() };
};

Product& product()
{
    static Product instance;
    return instance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;

    auto& processor = *product().processor;
    processor.setStateInformation (data, static_cast<int> (size));

    // Every host parameter still answers a position.
    for (auto* parameter : processor.getParameters())
    {
        const float value = parameter->getValue();
        if (! (value >= 0.0f && value <= 1.0f))
            std::abort();
    }

    // No message loop runs here; let the retired modules go as its timer would.
    if (auto* dovreth = dynamic_cast<DovrethProcessor*> (&processor))
        dovreth->moduleFactory->releasePool.timerCallback();
    return 0;
}
