// The renderer's plug-in, reached as a host reaches it: the bundle loaded and
// registered, one instance made through its procedure pointers, parameters set
// by their host names, the 'juce' chunk for the state, and the process
// procedure called block by block.

#include "host/RenderTarget.h"

#include "framework/PlainXml.h"
#include "host/StandInHost.h"
#include "host/runtime/PluginGUI.h"
#include "host/runtime/PluginInstance.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{
using namespace tarnello::host;

constexpr AAX_CTypeID kStateChunk = 0x6A756365; // 'juce'
constexpr const char* kBypassID = "MasterBypassID";

AAX_EStemFormat stemFormatFor (int channels)
{
    return channels == 1 ? AAX::kStemFormat_Mono : (channels == 2 ? AAX::kStemFormat_Stereo : AAX::kStemFormat_None);
}

// JUCE's envelope around plain XML, read as carefully as the plug-in reads it:
// anything else is no state of ours.
bool isStateChunk (const juce::MemoryBlock& chunk)
{
    return PlainXml::fromBinary (chunk.getData(), chunk.getSize()) != nullptr;
}

bool holdsModule (const juce::MemoryBlock& chunk)
{
    const auto state = PlainXml::fromBinary (chunk.getData(), chunk.getSize());
    const auto* slots = state != nullptr ? state->getChildByName ("slots") : nullptr;
    return slots != nullptr && slots->getFirstChildElement() != nullptr;
}

class BundleRenderTarget : public RenderTarget
{
public:
    BundleRenderTarget (std::unique_ptr<StandInHost> h, std::unique_ptr<RegisteredBundle> b)
        : host (std::move (h)), bundle (std::move (b))
    {
    }

    ~BundleRenderTarget() override
    {
        instance.reset();
        bundle.reset();
    }

    juce::String setLayout (int numInputs, int numOutputs) override
    {
        component = bundle->component (stemFormatFor (numInputs), stemFormatFor (numOutputs));
        if (component == nullptr)
            return "the plug-in refuses " + juce::String (numInputs) + " in, " + juce::String (numOutputs) + " out";
        return {};
    }

    juce::String prepare (double sampleRate, int, double bpm) override
    {
        if (component == nullptr)
            return "no layout chosen";
        std::string error;
        instance = PluginInstance::create (*host, bundle->effect(), *component, error);
        if (instance == nullptr)
            return error;
        if (const ACFRESULT result = instance->initialize ((float) sampleRate); result != ACF_OK)
        {
            instance.reset();
            return "the plug-in's Initialize answered " + juce::String (result);
        }
        // The tempo is in place before a state or a parameter arrives: switching
        // to "Sync" picks the note nearest to "Time" at this tempo, not at a default.
        auto& transport = instance->context().transport();
        transport.setTempo (bpm);
        transport.setPlaying (true);
        instance->runSilentBlock();
        return {};
    }

    juce::String loadState (const juce::MemoryBlock& chunk) override
    {
        if (! isStateChunk (chunk))
            return "not a Tarnello state chunk";

        const auto* bytes = static_cast<const uint8_t*> (chunk.getData());
        if (instance->setChunk (kStateChunk, std::vector<uint8_t> (bytes, bytes + chunk.getSize())) != ACF_OK)
            return "the plug-in refused the state chunk";
        // The plug-in drops a module it does not know; one it knows is in its state
        // now, bound to host parameters or not.
        if (! holdsModule (saveState()))
            return "the state holds no module this plug-in knows";
        return {};
    }

    juce::String setParameter (const juce::String& name, const juce::String& value) override
    {
        return instance->setParameterFromText (name.toStdString(), value.toStdString());
    }

    juce::String setBypass (bool bypassed) override
    {
        if (instance->effect().SetParameterNormalizedValue (kBypassID, bypassed ? 1.0 : 0.0) != ACF_OK)
            return "the plug-in has no master bypass";
        return {};
    }

    void process (juce::AudioBuffer<float>& buffer, juce::int64 samplePosition) override
    {
        // In place: the block holds the inputs and receives the outputs.
        instance->processBlock (buffer.getArrayOfReadPointers(), buffer.getArrayOfWritePointers(),
                                buffer.getNumSamples(), samplePosition);
    }

    std::unique_ptr<PluginGUI> createGUI (std::string& error) override
    {
        if (instance == nullptr)
        {
            error = "no instance to show";
            return nullptr;
        }
        return PluginGUI::create (bundle->effect(), *instance, error);
    }

    juce::MemoryBlock saveState() override
    {
        ACFRESULT result = ACF_OK;
        const auto data = instance->getChunk (kStateChunk, result);
        return juce::MemoryBlock (data.data(), data.size());
    }

private:
    std::unique_ptr<StandInHost> host;
    std::unique_ptr<RegisteredBundle> bundle;
    const ComponentRecord* component = nullptr;
    std::unique_ptr<PluginInstance> instance;
};
} // namespace

std::unique_ptr<RenderTarget> createBundleRenderTarget (const std::string& bundlePath, std::string& error)
{
    auto host = std::make_unique<StandInHost>();
    registerRuntimeComponents (*host);
    auto bundle = RegisteredBundle::open (bundlePath, *host, error);
    if (bundle == nullptr)
        return nullptr;
    return std::make_unique<BundleRenderTarget> (std::move (host), std::move (bundle));
}
