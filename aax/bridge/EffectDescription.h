// The registration content: what the bundle describes to the host, learnt
// from a temporary product processor made for the purpose.
#pragma once

#include "aax/AAX_Errors.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

class AAX_VCollection;

// The product's factory function; the product library (or a test) defines it.
juce::AudioProcessor* createPluginFilter();

namespace tarnello::aax
{
// A processor may offer the host a page file for its controls.
class PageFileClient
{
public:
    virtual ~PageFileClient() = default;
    virtual juce::String getPageFileSearchPath() const { return {}; }
    virtual juce::String getPageFileName() const { return {}; }
};

using ProcessorFactory = std::function<juce::AudioProcessor*()>;

// Describes the effect into the collection, with a temporary processor from
// makeProcessor. Answers 0 when an effect was described, -20004 otherwise.
AAX_Result DescribeEffect (AAX_VCollection& collection, const ProcessorFactory& makeProcessor);

// DescribeEffect with the product's createPluginFilter; what ACFRegisterPlugin uses.
AAX_Result DescribeProduct (AAX_VCollection& collection);
} // namespace tarnello::aax
