#include "effect/PluginProcessor.h"

#include "effect/ZerAvoroProcessor.h"

#include "editor/ScaledPluginEditor.h"

TarnelloAudioProcessor::TarnelloAudioProcessor()
{
    moduleFactory->registerModule (ZerAvoroProcessor::moduleTypeId,
                                   [this]() -> ModuleProcessor* { return new ZerAvoroProcessor (this); });
    defaultModules.add (ZerAvoroProcessor::moduleTypeId);
}

TarnelloAudioProcessor::~TarnelloAudioProcessor() = default;

juce::AudioProcessorEditor* TarnelloAudioProcessor::createEditor()
{
    // The scalable window, around the host parameters as plain controls until the
    // product's own editor exists.
    return new ScaledPluginEditor (*this, std::make_unique<juce::GenericAudioProcessorEditor> (*this));
}

juce::AudioProcessor* createPluginFilter()
{
    auto processor = std::make_unique<TarnelloAudioProcessor>();
    processor->loadDefaultState();
    return processor.release();
}
