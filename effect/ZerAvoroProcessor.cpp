#include "effect/ZerAvoroProcessor.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/DspMath.h"
#include "effect/dsp/fmath.h"
#include "framework/HostTempo.h"
#include "framework/ModuleFloatParam.h"

namespace
{
bool isOn (const ModuleParam* p)
{
    return p->getValue() > 0.0;
}
} // namespace

const ZerAvoroProcessor::Note ZerAvoroProcessor::notes[numNotes] = {
    { "1/64 T", 1.0 / 96.0 }, { "1/64", 1.0 / 64.0 }, { "1/64 D", 3.0 / 128.0 },
    { "1/32 T", 1.0 / 48.0 }, { "1/32", 1.0 / 32.0 }, { "1/32 D", 3.0 / 64.0 },
    { "1/16 T", 1.0 / 24.0 }, { "1/16", 1.0 / 16.0 }, { "1/16 D", 3.0 / 32.0 },
    { "1/8 T", 1.0 / 12.0 },  { "1/8", 1.0 / 8.0 },   { "1/8 D", 3.0 / 16.0 },
    { "1/4 T", 1.0 / 6.0 },   { "1/4", 1.0 / 4.0 },   { "1/4 D", 3.0 / 8.0 },
    { "1/2 T", 1.0 / 3.0 },   { "1/2", 1.0 / 2.0 },   { "1/2 D", 3.0 / 4.0 },
    { "1 T", 2.0 / 3.0 },     { "1", 1.0 },           { "1 D", 3.0 / 2.0 },
};

const juce::StringArray& ZerAvoroProcessor::noteNames()
{
    static const juce::StringArray names = []
    {
        juce::StringArray list;
        for (const auto& note : notes)
            list.add (note.name);
        return list;
    }();
    return names;
}

const juce::Array<double>& ZerAvoroProcessor::noteValues()
{
    static const juce::Array<double> values = []
    {
        juce::Array<double> list;
        for (const auto& note : notes)
            list.add (note.value);
        return list;
    }();
    return values;
}

double ZerAvoroProcessor::noteTimeMs (double noteValue, double bpm)
{
    // Note values are used at single precision.
    const double v = (double) (float) noteValue;
    if (! (v > 0.0))
        return 0.0;
    if (! (bpm > 0.0))
        return DelayEcho::maxTimeMs;
    return juce::jlimit (0.0, DelayEcho::maxTimeMs, (60000.0 / bpm) * v * 4.0);
}

namespace
{
// The nearest-note search compares the notes' own lengths, beyond the "Time" range too.
double unclampedNoteTimeMs (double noteValue, double bpm)
{
    return (60000.0 / bpm) * (double) (float) noteValue * 4.0;
}
} // namespace

//==============================================================================
ZerAvoroProcessor::ZerAvoroProcessor (DovrethProcessor* ownerProcessor)
    : ModuleProcessor (ownerProcessor, "Qel Delay", moduleTypeId)
{
    panelWidth = 786;
    instanceTag = juce::Random().nextInt (100);

    modulation = new ModuleFloatParam (this, "Modulation", 50.0, 0.0, 100.0, 0.1, "%");
    addParam (modulation);
    tone = new ModuleFloatParam (this, "Tone", 5.0, 0.0, 10.0, 0.1, "Tn");
    addParam (tone);
    lowCut = new ModuleBoolParam (this, "Low Cut", "Off", "On");
    addParam (lowCut);
    mix = new ModuleFloatParam (this, "Mix", 50.0, 0.0, 100.0, 0.1, "");
    addParam (mix);
    time = new ModuleFloatParam (this, "Time", 240.0, 0.0, DelayEcho::maxTimeMs, 0.1, "ms");
    addParam (time);

    timeNote = new ModuleEnumValParam (this, "Time Note", noteNames(), noteValues());
    // "1/8" by default; set directly, as nothing may listen before every parameter exists.
    timeNote->defaultValue = 10.0;
    timeNote->value.store (10.0);
    addParam (timeNote);

    delaySync = new ModuleEnumParam (this, "Delay Sync", { "Time", "Sync" });
    addParam (delaySync);
    output = new ModuleFloatParam (this, "Output", 0.0, -12.0, 12.0, 0.1, "");
    addParam (output);
    feedback = new ModuleFloatParam (this, "Feedback", 60.0, 0.0, 200.0, 0.1, "%");
    addParam (feedback);
    lrOffset = new ModuleFloatParam (this, "LR Offset", 0.0, -50.0, 50.0, 0.1, "ms");
    addParam (lrOffset);
    drive = new ModuleBoolParam (this, "Drive", "Off", "On");
    addParam (drive);

    // Half the knob's travel for the first 500 ms. Long times snap to whole
    // milliseconds and are written so, short ones to a tenth.
    auto* timeRanges = new ParamRanges (0.0, DelayEcho::maxTimeMs);
    timeRanges->addRange (0.5, 500.0, 0.7);
    timeRanges->addRange (0.7, 1000.0, 0.8);
    timeRanges->addRange (1.0, DelayEcho::maxTimeMs, 0.8);
    time->setParamRanges (
        timeRanges,
        [] (double start, double end, double v)
        {
            v = v > 99.9 ? std::round (v) : std::round (v * 10.0) / 10.0;
            return juce::jlimit (start, end, v);
        },
        // A snapped value above 99.9 came from above 99.9, so the stored value alone decides.
        [] (double stored) { return stored > 99.9 ? 0 : 1; });

    leftLine = std::make_unique<DelayEcho>();
    rightLine = std::make_unique<DelayEcho>();
}

ZerAvoroProcessor::~ZerAvoroProcessor()
{
    rightLine.reset();
    leftLine.reset();
}

void ZerAvoroProcessor::setPlayDetails (int numInputs, int numOutputs, double rate, int size)
{
    numIns.store (numInputs);
    numOuts.store (numOutputs);
    if (rate > 0.0 && std::isfinite (rate)) // see prepareToPlay
        sampleRate.store (rate);
    blockSize.store (size);
}

void ZerAvoroProcessor::prepareToPlay (double rate, int)
{
    // A host that has not chosen a rate yet (0) keeps the last one, so that no
    // setting is derived from a division by zero.
    if (! (rate > 0.0) || ! std::isfinite (rate))
        rate = sampleRate.load();
    sampleRate.store (rate);

    inputMeter.prepare (rate, LevelMeter::inputMeterMass);
    outputMeter.prepare (rate, LevelMeter::outputMeterMass);

    leftLine->reset (rate);
    rightLine->reset (rate);

    outputGainCoeff.store (dsp::smoothingCoefficient (outputGainHz, rate));

    if (! kernelChosen)
        kernel.prepare();

    parameterChanged (nullptr);
}

void ZerAvoroProcessor::setKernelVariant (StereoEchoKernel::Variant variant)
{
    kernel.prepare (variant);
    kernelChosen = true;
}

ModuleEditor* ZerAvoroProcessor::createEditor (std::shared_ptr<ModuleProcessor> self, RackEditor* rack)
{
    return editorCreator ? editorCreator (std::move (self), rack) : nullptr;
}

float ZerAvoroProcessor::getMeterValue (int index)
{
    return (float) (index == 1 ? outputMeter.getValue() : inputMeter.getValue());
}

//==============================================================================
bool ZerAvoroProcessor::isSynced() const
{
    return (int) delaySync->getValue() == 1;
}

void ZerAvoroProcessor::selectNearestNote()
{
    const double bpm = tempo.load();
    if (! (bpm > 0.0))
        return;
    const double current = time->getValue();
    const auto& values = noteValues();

    int best = 0;
    double bestDistance = std::abs (unclampedNoteTimeMs (values[0], bpm) - current);
    for (int i = 1; i < values.size(); ++i)
    {
        const double distance = std::abs (unclampedNoteTimeMs (values[i], bpm) - current);
        if (distance < bestDistance) // a tie keeps the lower index
        {
            best = i;
            bestDistance = distance;
        }
    }

    timeNote->setValueNotifyingHost (best);
}

void ZerAvoroProcessor::applyNoteTime()
{
    const int index = (int) timeNote->getValue();
    const auto& values = noteValues();
    const double v = juce::isPositiveAndBelow (index, values.size()) ? values[index] : 0.0;
    time->setValueNotifyingHost (noteTimeMs (v, tempo.load()));
}

void ZerAvoroProcessor::parameterChanged (ModuleParam* p)
{
    const bool all = p == nullptr;

    if (all || p == mix)
    {
        const double a = mix->getValue() * 0.01 * juce::MathConstants<double>::halfPi;
        const double wet = std::sin (a);
        const double dry = std::cos (a);
        wetL.store (wet);
        wetR.store (wet);
        dryL.store (dry);
        dryR.store (dry);
    }

    if (all || p == output)
        outputGainTarget.store (fmath::expd (output->getValue() * dsp::decibelToNeper));

    if (all || p == timeNote || p == delaySync)
    {
        // Only a user's or host's switch to "Sync" picks the nearest note; a
        // restored state keeps the note it was saved with.
        const bool searchArmed = p == delaySync && isSynced() && tempo.load() > 0.0
                                 && ! restoringState.load();

        if (tempo.load() < 0.0)
            tempo.store (defaultHostTempo);

        if (searchArmed)
            selectNearestNote();

        if (isSynced())
            applyNoteTime();
    }

    if (all || p == time || p == feedback || p == modulation || p == lrOffset)
    {
        const double offset = lrOffset->getValue();
        const bool stereoOut = numOuts.load() >= 2;
        const double leftOffset = stereoOut ? std::max (offset, 0.0) : 0.0;
        const double rightOffset = stereoOut ? std::max (-offset, 0.0) : 0.0;
        const double t = time->getValue();
        const double fb = feedback->getValue();
        const double mod = modulation->getValue();
        leftLine->setDelay (t, fb, mod, leftOffset);
        rightLine->setDelay (t, fb, mod, rightOffset);
    }

    if (all || p == tone || p == drive || p == lowCut)
    {
        const double lowCutHz = isOn (lowCut) ? lowCutOnHz : lowCutOffHz;
        const double toneValue = tone->getValue();
        const bool driveOn = isOn (drive);
        for (auto* line : { leftLine.get(), rightLine.get() })
            line->setCharacters (lowCutHz, toneValue, true, driveOn);
    }

    needsRefresh.store (true);
}

//==============================================================================
void ZerAvoroProcessor::followTempo (double bpm)
{
    bpm = saneHostTempo (bpm);
    if (bpm == tempo.load())
        return;

    tempo.store (bpm);
    if (isSynced())
        applyNoteTime(); // runs parameterChanged and tells the host, from the audio thread
}

void ZerAvoroProcessor::processBlock (juce::dsp::AudioBlock<float>* block, int numSamples, double bpm)
{
    followTempo (bpm);
    if (block != nullptr)
        process (*block, numSamples, bpm);
}

void ZerAvoroProcessor::processBlock (juce::dsp::AudioBlock<double>* block, int numSamples, double bpm)
{
    followTempo (bpm);
    if (block != nullptr)
        process (*block, numSamples, bpm);
}

template <typename Sample>
void ZerAvoroProcessor::process (juce::dsp::AudioBlock<Sample>& block, int numSamples, double)
{
    const int n = juce::jmin (numSamples, (int) block.getNumSamples());
    const auto numChannels = block.getNumChannels();
    if (n <= 0 || numChannels == 0)
        return;

    enum class Layout { mono, monoToStereo, stereo };
    // The block's own channel count has the last word: a loop never touches a
    // channel the block doesn't have.
    Layout layout = Layout::stereo;
    if (numChannels < 2 || (numIns.load() == 1 && numOuts.load() == 1))
        layout = Layout::mono;
    else if (numIns.load() == 1 && numOuts.load() == 2)
        layout = Layout::monoToStereo;

    const double wl = wetL.load(), dl = dryL.load(), wr = wetR.load(), dr = dryR.load();
    const double target = outputGainTarget.load();
    const double k = outputGainCoeff.load();
    double g = outputGain;

    auto& left = *leftLine;
    auto& right = *rightLine;
    Sample* ch0 = block.getChannelPointer (0);

    if (layout == Layout::mono)
    {
        for (int i = 0; i < n; ++i)
        {
            const double x0 = ch0[i];
            inputMeter.add (std::abs (x0));
            const double rL = left.processSample (x0, DelayEcho::noModulation);
            auto out0 = (Sample) (wl * rL + dl * x0);
            g += (target - g) * k;
            out0 = (Sample) (out0 * g);
            ch0[i] = out0;
            outputMeter.add (std::abs ((double) out0));
        }
    }
    else
    {
        Sample* ch1 = block.getChannelPointer (1);

        const StereoEchoKernel::Mix settings { wl, dl, wr, dr, target, k };
        if (kernel.process (left, right, settings, outputGain, inputMeter, outputMeter, ch0, ch1, n,
                            layout == Layout::stereo))
            return;

        // Mono to stereo feeds channel 0 to both lines and both dry paths.
        auto run = [&] (auto stereoIn)
        {
            for (int i = 0; i < n; ++i)
            {
                const Sample s0 = ch0[i];
                const Sample s1 = stereoIn ? ch1[i] : s0;
                const double x0 = s0;
                const double x1 = s1;
                inputMeter.add (stereoIn ? (double) std::max (std::abs (s0), std::abs (s1)) : std::abs (x0));

                const double rL = left.processSample (x0, DelayEcho::noModulation);
                const double rR = right.processSample (x1, left.getModulation());

                auto out0 = (Sample) (wl * rL + dl * x0);
                auto out1 = (Sample) (wr * rR + dr * x1);
                g += (target - g) * k;
                out0 = (Sample) (out0 * g);
                out1 = (Sample) (out1 * g);
                ch0[i] = out0;
                ch1[i] = out1;
                outputMeter.add ((double) std::max (std::abs (out0), std::abs (out1)));
            }
        };

        if (layout == Layout::stereo)
            run (std::true_type {});
        else
            run (std::false_type {});
    }

    outputGain = g;
}
