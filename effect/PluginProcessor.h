#pragma once

#include "framework/DovrethProcessor.h"

// The product: the framework's processor with the one echo module "zeravoro"
// registered and made the default module list.
class TarnelloAudioProcessor : public DovrethProcessor
{
public:
    TarnelloAudioProcessor();
    ~TarnelloAudioProcessor() override;

    juce::AudioProcessorEditor* createEditor() override;

    JUCE_DECLARE_NON_COPYABLE (TarnelloAudioProcessor)
};

// The bundle's factory: a new product processor holding its default state, that
// is one bound "zeravoro" module unless the user stored a default of their own.
juce::AudioProcessor* createPluginFilter();
