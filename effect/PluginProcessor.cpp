#include "PluginProcessor.h"

#include "ZerAvoroProcessor.h"

TarnelloAudioProcessor::TarnelloAudioProcessor()
{
    moduleFactory->registerModule (ZerAvoroProcessor::moduleTypeId,
                                   [this]() -> ModuleProcessor* { return new ZerAvoroProcessor (this); });
    defaultModules.add (ZerAvoroProcessor::moduleTypeId);
}

TarnelloAudioProcessor::~TarnelloAudioProcessor() = default;

juce::AudioProcessorEditor* TarnelloAudioProcessor::createEditor()
{
    // Stands in for the product's editor until it exists: the host parameters as
    // plain controls.
    return new juce::GenericAudioProcessorEditor (*this);
}

juce::AudioProcessor* createPluginFilter()
{
    auto processor = std::make_unique<TarnelloAudioProcessor>();
    processor->loadDefaultState();
    return processor.release();
}
