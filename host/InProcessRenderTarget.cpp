// The renderer's plug-in, created in this process through createPluginFilter and
// driven through juce::AudioProcessor and its host parameters.

#include "RenderTarget.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "DovrethProcessor.h"
#include "HostParameter.h"
#include "ModuleIntParam.h"
#include "PluginProcessor.h"

namespace
{
class FixedPlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (bpm);
        info.setTimeInSamples (position);
        info.setTimeInSeconds (sampleRate > 0.0 ? (double) position / sampleRate : 0.0);
        info.setIsPlaying (true);
        return info;
    }

    double bpm = 120.0;
    double sampleRate = 0.0;
    juce::int64 position = 0;
};

// A number and nothing else around it.
bool parseNumber (const juce::String& text, double& result)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty())
        return false;
    const auto utf8 = trimmed.toStdString();
    char* end = nullptr;
    result = std::strtod (utf8.c_str(), &end);
    return end == utf8.c_str() + utf8.size() && std::isfinite (result);
}

juce::String rangeText (const ModuleParam& p)
{
    auto text = juce::String (p.range.start) + " to " + juce::String (p.range.end);
    return p.unit.isEmpty() ? text : text + " " + p.unit;
}

class InProcessRenderTarget : public RenderTarget
{
public:
    explicit InProcessRenderTarget (std::unique_ptr<DovrethProcessor> p) : processor (std::move (p))
    {
        processor->setPlayHead (&playHead);
    }

    ~InProcessRenderTarget() override
    {
        processor->setPlayHead (nullptr);
        processor->releaseResources();
    }

    juce::String setLayout (int numInputs, int numOutputs) override
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (juce::AudioChannelSet::canonicalChannelSet (numInputs));
        layout.outputBuses.add (juce::AudioChannelSet::canonicalChannelSet (numOutputs));
        if (! processor->setBusesLayout (layout))
            return "the plug-in refuses " + juce::String (numInputs) + " in, " + juce::String (numOutputs) + " out";
        return {};
    }

    void prepare (double sampleRate, int maxBlockSize) override
    {
        playHead.sampleRate = sampleRate;
        processor->setRateAndBufferSizeDetails (sampleRate, maxBlockSize);
        processor->prepareToPlay (sampleRate, maxBlockSize);
    }

    juce::String loadState (const juce::MemoryBlock& chunk) override
    {
        // The processor ignores a chunk it can't read; the user must hear of it.
        if (chunk.getSize() > (size_t) std::numeric_limits<int>::max()
            || juce::AudioProcessor::getXmlFromBinary (chunk.getData(), (int) chunk.getSize()) == nullptr)
            return "not a Tarnello state chunk";

        processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
        if (processor->getModule (0) == nullptr)
            return "the state holds no module this plug-in knows";
        return {};
    }

    juce::String setParameter (const juce::String& name, const juce::String& value) override
    {
        HostParameter* host = nullptr;
        juce::StringArray names;
        for (int i = 0; i < DovrethProcessor::numHostParameters; ++i)
        {
            auto* candidate = processor->getHostParameter (i);
            if (auto* p = candidate->getBoundParam())
            {
                names.add (p->name);
                if (host == nullptr && p->name.equalsIgnoreCase (name.trim()))
                    host = candidate;
            }
        }

        if (host == nullptr)
            return "unknown parameter \"" + name + "\"; the parameters are: " + names.joinIntoString (", ");

        auto* param = host->getBoundParam();
        double real = 0.0;
        if (auto* choice = dynamic_cast<ModuleEnumParam*> (param))
        {
            const int index = choice->choices.indexOf (value.trim(), true);
            double number = 0.0;
            if (index >= 0)
                real = index;
            else if (parseNumber (value, number) && number == std::floor (number) && number >= 0
                     && number < choice->choices.size())
                real = number;
            else
                return "\"" + param->name + "\" takes one of: " + choice->choices.joinIntoString (", ");
        }
        else
        {
            auto number = value.trim();
            if (param->unit.isNotEmpty() && number.endsWithIgnoreCase (param->unit))
                number = number.dropLastCharacters (param->unit.length());
            if (! parseNumber (number, real))
                return "\"" + value + "\" is no value for \"" + param->name + "\" (" + rangeText (*param) + ")";
            if (real < param->range.start || real > param->range.end)
                return "\"" + param->name + "\" takes " + rangeText (*param) + ", not " + value.trim();
        }

        // As host automation arrives: the normalised value through the host parameter.
        host->setValue ((float) param->getNormalizedFor (real));
        return {};
    }

    void process (juce::AudioBuffer<float>& buffer, double bpm, juce::int64 samplePosition) override
    {
        playHead.bpm = bpm;
        playHead.position = samplePosition;
        processor->processBlock (buffer, midi);
    }

    juce::MemoryBlock saveState() override
    {
        juce::MemoryBlock chunk;
        processor->getStateInformation (chunk);
        return chunk;
    }

private:
    std::unique_ptr<DovrethProcessor> processor;
    FixedPlayHead playHead;
    juce::MidiBuffer midi;
};
} // namespace

std::unique_ptr<RenderTarget> createInProcessRenderTarget()
{
    std::unique_ptr<juce::AudioProcessor> created (createPluginFilter());
    auto* dovreth = dynamic_cast<DovrethProcessor*> (created.get());
    if (dovreth == nullptr)
        return nullptr;
    created.release();
    return std::make_unique<InProcessRenderTarget> (std::unique_ptr<DovrethProcessor> (dovreth));
}
