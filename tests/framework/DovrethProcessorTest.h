#pragma once

// Helpers shared by the processor and processor-state suites.

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>
#include <optional>

#include "framework/DovrethProcessor.h"
#include "tests/framework/FakeModule.h"
#include "framework/PluginPaths.h"

#include "tests/support/PlayHeads.h"

namespace tarnello::test
{
// The framework processor with the fake module registered as the default module;
// the editor is the product's business, so there is none.
class TestProcessor : public DovrethProcessor
{
public:
    explicit TestProcessor (int numExtraParams = 0)
    {
        moduleFactory->registerModule (FakeModule::typeName, FakeModule::creator (this, numExtraParams));
        defaultModules.add (FakeModule::typeName);
    }

    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

    FakeModule* fake() const { return dynamic_cast<FakeModule*> (getModule (0).get()); }

    // The name of the module parameter bound to a host parameter, empty when unbound.
    juce::String boundName (int hostIndex) const
    {
        if (auto* host = getHostParameter (hostIndex))
            if (auto* param = host->getBoundParam())
                return param->name;
        return {};
    }
};

// What the host hears from the processor.
struct HostListener : public juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override
    {
        parameterChanges.fetch_add (1);
        if (index >= 0 && index < 32)
            changesPerIndex[index].fetch_add (1);
    }

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        if (details.parameterInfoChanged)
            parameterInfoChanges.fetch_add (1);
    }

    std::atomic<int> parameterChanges { 0 };
    std::atomic<int> changesPerIndex[32] {};
    std::atomic<int> parameterInfoChanges { 0 };
};

// A play head that may or may not know the tempo.
// Deletes the settings file when it goes, so that settings a test wrote don't reach
// the next test in the same process. Declare it before the processors it outlives.
struct ScopedSettingsFile
{
    ScopedSettingsFile() { file().deleteFile(); }
    ~ScopedSettingsFile() { file().deleteFile(); }
    static juce::File file() { return PluginPaths::getSettingsOptions().getDefaultFile(); }
};

// The state chunk as the host stores it.
inline juce::MemoryBlock stateChunk (DovrethProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    return block;
}

// The XML text inside JUCE's envelope, without its terminating zero.
inline juce::String chunkText (const juce::MemoryBlock& block)
{
    if (block.getSize() < 9)
        return {};
    return juce::String::fromUTF8 (static_cast<const char*> (block.getData()) + 8, (int) block.getSize() - 9);
}

// Restores a chunk from its XML text.
inline void setStateFromText (DovrethProcessor& processor, const juce::String& xmlText)
{
    auto xml = juce::parseXML (xmlText);
    juce::MemoryBlock block;
    if (xml != nullptr)
        juce::AudioProcessor::copyXmlToBinary (*xml, block);
    processor.setStateInformation (block.getData(), (int) block.getSize());
}
} // namespace tarnello::test
