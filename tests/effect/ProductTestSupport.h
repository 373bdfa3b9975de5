#pragma once

// Helpers for driving the product as a host does: created through the bundle's
// factory, with a play head whose tempo the test sets.

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>

#include "effect/PluginProcessor.h"
#include "effect/ZerAvoroProcessor.h"

#include "tests/support/PlayHeads.h"

namespace effect_test
{
using tarnello::test::TestPlayHead;

inline std::unique_ptr<TarnelloAudioProcessor> makeProduct()
{
    std::unique_ptr<juce::AudioProcessor> created (createPluginFilter());
    auto* product = dynamic_cast<TarnelloAudioProcessor*> (created.get());
    if (product == nullptr)
        return nullptr;
    created.release();
    return std::unique_ptr<TarnelloAudioProcessor> (product);
}

inline ZerAvoroProcessor* delayModule (const DovrethProcessor& processor)
{
    return dynamic_cast<ZerAvoroProcessor*> (processor.getModule (0).get());
}

// The host's way of setting a parameter: through the host parameter, in its
// normalised form.
inline void automate (DovrethProcessor& processor, int index, double realValue)
{
    auto* host = processor.getHostParameter (index);
    auto* param = host->getBoundParam();
    host->setValueNotifyingHost ((float) param->getNormalizedFor (realValue));
}

inline int hostIndexOf (const DovrethProcessor& processor, const juce::String& paramName)
{
    for (int i = 0; i < DovrethProcessor::numHostParameters; ++i)
        if (auto* p = processor.getHostParameter (i)->getBoundParam())
            if (p->name == paramName)
                return i;
    return -1;
}
} // namespace effect_test
