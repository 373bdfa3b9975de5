// The renderer's plug-in, reached as a host reaches it: the bundle loaded and
// registered, one instance made through its procedure pointers, parameters set
// by their host names, the 'juce' chunk for the state, and the process
// procedure called block by block.

#include "host/RenderTarget.h"

#include "host/NumberText.h"
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
// Positions looked at to learn a choice's texts; more than any choice has entries.
constexpr int kChoiceProbes = 2048;

AAX_EStemFormat stemFormatFor (int channels)
{
    return channels == 1 ? 0x00000001 : (channels == 2 ? 0x00010002 : AAX::kStemFormat_None);
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

    juce::String prepare (double sampleRate, int) override
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
        rate = sampleRate;
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
        const auto id = instance->findParameter (name.toStdString());
        if (id.empty() || id == kBypassID)
        {
            juce::StringArray names;
            for (const auto& [parameterID, fullName] : instance->parameters())
                if (const auto dot = fullName.find (". "); dot != std::string::npos)
                    names.add (fullName.substr (dot + 2));
            return "unknown parameter \"" + name + "\"; the parameters are: " + names.joinIntoString (", ");
        }

        const juce::String paramName = name.trim();
        const auto lowest = juce::String (instance->parameterText (id, 0.0));
        const auto highest = juce::String (instance->parameterText (id, 1.0));
        double low = 0.0, high = 0.0;
        const bool numeric = parseNumber (lowest, low) && parseNumber (highest, high);

        if (numeric)
        {
            double real = 0.0;
            if (! parseQuantity (value, real))
                return "\"" + value + "\" is no value for \"" + paramName + "\" (" + juce::String (low) + " to "
                       + juce::String (high) + ")";
            if (real < juce::jmin (low, high) || real > juce::jmax (low, high))
                return "\"" + paramName + "\" takes " + juce::String (low) + " to " + juce::String (high) + ", not "
                       + value.trim();
        }
        else
        {
            const auto choices = choicesOf (id);
            double index = 0.0;
            const bool isIndex = parseNumber (value, index) && index == std::floor (index) && index >= 0
                              && index < choices.size();
            if (! isIndex && ! choices.contains (value.trim(), true))
                return "\"" + paramName + "\" takes one of: " + choices.joinIntoString (", ");
        }

        double position = 0.0;
        if (instance->effect().GetParameterValueFromString (id.c_str(), &position, HostString (value.trim().toStdString()))
            != ACF_OK)
            return "\"" + value + "\" is no value for \"" + paramName + "\"";
        instance->effect().SetParameterNormalizedValue (id.c_str(), position);
        return {};
    }

    juce::String setBypass (bool bypassed) override
    {
        if (instance->effect().SetParameterNormalizedValue (kBypassID, bypassed ? 1.0 : 0.0) != ACF_OK)
            return "the plug-in has no master bypass";
        return {};
    }

    void process (juce::AudioBuffer<float>& buffer, double bpm, juce::int64 samplePosition) override
    {
        auto& transport = instance->context().transport();
        transport.setTempo (bpm);
        transport.setPlaying (true);
        transport.setSamplePosition (samplePosition, rate);
        instance->generateCoefficients();
        // In place: the block holds the inputs and receives the outputs.
        instance->process (buffer.getArrayOfReadPointers(), buffer.getArrayOfWritePointers(), buffer.getNumSamples());
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
    // A choice's texts in order, as the host shows them along its range.
    juce::StringArray choicesOf (const std::string& id) const
    {
        juce::StringArray texts;
        for (int i = 0; i <= kChoiceProbes; ++i)
        {
            const juce::String text (instance->parameterText (id, (double) i / kChoiceProbes));
            if (text.isNotEmpty())
                texts.addIfNotAlreadyThere (text);
        }
        return texts;
    }

    std::unique_ptr<StandInHost> host;
    std::unique_ptr<RegisteredBundle> bundle;
    const ComponentRecord* component = nullptr;
    std::unique_ptr<PluginInstance> instance;
    double rate = 48000.0;
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
