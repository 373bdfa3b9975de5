#pragma once

#include <juce_dsp/juce_dsp.h>

#include <functional>
#include <memory>

#include "effect/dsp/LevelMeter.h"
#include "effect/dsp/StereoEchoKernel.h"
#include "framework/ModuleIntParam.h"
#include "framework/ModuleProcessor.h"
#include "framework/Relaxed.h"

class DelayEcho;

// "Qel Delay": the stereo echo module of the product. Two echo lines (left and
// right), equal-power dry/wet mix, a smoothed output gain and two level meters.
//
// parameterChanged runs on whichever thread sets a parameter (message, host
// automation, or the audio thread when a synced "Time" follows the tempo), so
// every setting it derives for the audio thread is a relaxed atomic.
class ZerAvoroProcessor : public ModuleProcessor
{
public:
    static constexpr const char* moduleTypeId = "zeravoro";
    static constexpr int numNotes = 21;

    // "Low Cut" moves the high-pass of the echoes' write path from its lowest corner.
    static constexpr double lowCutOffHz = 20.0;
    static constexpr double lowCutOnHz = 90.0;
    // Cut-off of the output gain's smoother.
    static constexpr double outputGainHz = 6.0;

    explicit ZerAvoroProcessor (DovrethProcessor* owner);
    ~ZerAvoroProcessor() override;

    void parameterChanged (ModuleParam* param) override;
    void setPlayDetails (int numInputs, int numOutputs, double sampleRate, int blockSize) override;
    void prepareToPlay (double sampleRate, int blockSize) override;
    void processBlock (juce::dsp::AudioBlock<float>* block, int numSamples, double bpm) override;
    void processBlock (juce::dsp::AudioBlock<double>* block, int numSamples, double bpm) override;
    // The panel, made by the creator the product installs (the editor is built above
    // the effect); null without one.
    ModuleEditor* createEditor (std::shared_ptr<ModuleProcessor> self, RackEditor* rack) override;
    using EditorCreator = std::function<ModuleEditor* (std::shared_ptr<ModuleProcessor>, RackEditor*)>;
    void setEditorCreator (EditorCreator creator) { editorCreator = std::move (creator); }
    // 1: the output meter; any other index: the input meter. 0 to 1.
    float getMeterValue (int index) override;

    // A "Time Note" choice: its text and the fraction of a whole note it stands for.
    struct Note
    {
        const char* name;
        double value;
    };
    static const Note notes[numNotes];

    // The choices' texts and values, in the form the choice parameter takes them.
    static const juce::StringArray& noteNames();
    static const juce::Array<double>& noteValues();
    // Length in ms of a note value at a tempo, on the "Time" range: a tempo of 0
    // gives the longest time, 4000 ms.
    static double noteTimeMs (double noteValue, double bpm);

    ModuleFloatParam* modulation = nullptr;
    ModuleBoolParam* drive = nullptr;
    ModuleFloatParam* mix = nullptr;
    ModuleFloatParam* time = nullptr;
    ModuleEnumValParam* timeNote = nullptr;
    ModuleEnumParam* delaySync = nullptr;
    ModuleFloatParam* output = nullptr;
    ModuleFloatParam* feedback = nullptr;
    ModuleFloatParam* tone = nullptr;
    ModuleFloatParam* lrOffset = nullptr;
    ModuleBoolParam* lowCut = nullptr;

    // Beats per minute; -1 until the first block or change sets it.
    Relaxed<double> tempo { -1.0 };
    Relaxed<int> numIns { 1 };
    Relaxed<int> numOuts { 1 };
    Relaxed<double> sampleRate { 44100.0 };
    Relaxed<int> blockSize { 512 };

    Relaxed<double> dryL { 1.0 }, wetL { 1.0 }, dryR { 1.0 }, wetR { 1.0 };
    Relaxed<double> outputGainTarget { 1.0 };
    double outputGain = 0.0; // audio thread only; starts silent so the output fades in
    Relaxed<double> outputGainCoeff { 0.1 };

    std::unique_ptr<DelayEcho> leftLine;
    std::unique_ptr<DelayEcho> rightLine;

    LevelMeter inputMeter;
    LevelMeter outputMeter;

    // The block kernel that runs both lines in the stereo layouts. prepareToPlay
    // chooses the fastest this processor runs unless another was asked for here;
    // perSample keeps the lines' own sample-by-sample path. Call while no block runs.
    void setKernelVariant (StereoEchoKernel::Variant variant);
    StereoEchoKernel::Variant getKernelVariant() const { return kernel.getVariant(); }

private:
    template <typename Sample>
    void process (juce::dsp::AudioBlock<Sample>& block, int numSamples, double bpm);

    bool isSynced() const;
    void followTempo (double bpm);
    void selectNearestNote();
    void applyNoteTime();

    EditorCreator editorCreator;

    StereoEchoKernel kernel;
    bool kernelChosen = false;

    JUCE_DECLARE_NON_COPYABLE (ZerAvoroProcessor)
};
