#include "effect/PluginProcessor.h"

#include "effect/ZerAvoroProcessor.h"

#include "editor/PluginEditor.h"
#include "editor/ScaledPluginEditor.h"
#include "editor/ZerAvoroEditor.h"

TarnelloAudioProcessor::TarnelloAudioProcessor()
{
    // The module's panel is made above the effect, so the product hands every new
    // delay module the creator of its panel.
    moduleFactory->registerModule (ZerAvoroProcessor::moduleTypeId, [this]() -> ModuleProcessor* {
        auto* module = new ZerAvoroProcessor (this);
        module->setEditorCreator (&ZerAvoroEditor::create);
        return module;
    });
    defaultModules.add (ZerAvoroProcessor::moduleTypeId);
}

TarnelloAudioProcessor::~TarnelloAudioProcessor() = default;

juce::AudioProcessorEditor* TarnelloAudioProcessor::createEditor()
{
    // The product's editor, laid out at its own size, inside the window that scales it.
    return new ScaledPluginEditor (*this, std::make_unique<PluginEditor> (*this));
}

juce::AudioProcessor* createPluginFilter()
{
    auto processor = std::make_unique<TarnelloAudioProcessor>();
    processor->loadDefaultState();
    return processor.release();
}
