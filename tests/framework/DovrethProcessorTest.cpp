// The main processor: construction, block processing, the module slot and host binding.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "tests/framework/DovrethProcessorTest.h"
#include "framework/PluginPaths.h"

using tarnello::test::TestPlayHead;
using tarnello::test::HostListener;
using tarnello::test::TestProcessor;

//==============================================================================
TEST (DovrethProcessor, ConstructsWithStereoBusesAndTwentyFourUnboundHostParameters)
{
    TestProcessor processor;

    EXPECT_EQ (processor.getName(), "Tarnello");
    ASSERT_EQ (processor.getBusCount (true), 1);
    ASSERT_EQ (processor.getBusCount (false), 1);
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getBus (true, 0)->getCurrentLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ (processor.getBus (false, 0)->getCurrentLayout(), juce::AudioChannelSet::stereo());

    const auto& list = processor.getParameters();
    ASSERT_EQ (list.size(), 24);

    for (int i = 0; i < 24; ++i)
    {
        auto* host = dynamic_cast<HostParameter*> (list[i]);
        ASSERT_NE (host, nullptr) << i;
        EXPECT_EQ (host->index, i);
        EXPECT_EQ (host->getParameterID(), juce::String (i));
        EXPECT_FALSE (host->isBound());
        EXPECT_EQ (processor.getHostParameter (i), host);
    }

    EXPECT_EQ (processor.getHostParameter (-1), nullptr);
    EXPECT_EQ (processor.getHostParameter (24), nullptr);
    EXPECT_EQ (processor.hostParams->get (5), processor.getHostParameter (5));

    EXPECT_EQ (processor.getModule (0), nullptr);
    EXPECT_TRUE (processor.rebuildEditors.load());
    EXPECT_EQ (processor.oversampling->type, "IIR");
    EXPECT_EQ (processor.oversampling->choice, 0);
    EXPECT_EQ (processor.oversampling->engine32, nullptr);
    EXPECT_EQ (processor.oversampling->engine64, nullptr);
    EXPECT_TRUE (processor.oversampling->releasePool.isTimerRunning());
    EXPECT_EQ (processor.oversampling->releasePool.getTimerInterval(), 5000);
    EXPECT_EQ (processor.moduleFactory->releasePool.getTimerInterval(), 5000);
    EXPECT_EQ (processor.getLatencySamples(), 0);
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (processor.acceptsMidi() || processor.producesMidi() || processor.isMidiEffect());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), juce::String());
    EXPECT_EQ (processor.presetsManager->productId, "tarnello");
    EXPECT_EQ (processor.presetsManager->presetsFolder, PluginPaths::getPresetsDir());
}

TEST (DovrethProcessor, ConstructionCreatesThePresetsFolderAndReadsInlineHelp)
{
    const tarnello::test::ScopedSettingsFile cleanSettings;
    juce::File (PluginPaths::getPresetsDir()).deleteRecursively();

    {
        TestProcessor fresh;
        EXPECT_TRUE (juce::File (PluginPaths::getPresetsDir()).isDirectory());
        EXPECT_TRUE (fresh.inlineHelp);
    }

    {
        juce::PropertiesFile settings (PluginPaths::getSettingsOptions());
        settings.setValue (SettingsKeys::inlineHelp, false);
        settings.setValue (SettingsKeys::oversampling, 3);
        settings.setValue (SettingsKeys::oversamplingType, "FIR");
        ASSERT_TRUE (settings.saveIfNeeded());
    }

    TestProcessor processor;
    EXPECT_FALSE (processor.inlineHelp);
    // Recorded, but nothing runs oversampled.
    EXPECT_EQ (processor.oversampling->choice, 0);
    EXPECT_EQ (processor.oversampling->type, "IIR");
    EXPECT_EQ (processor.appProperties.getUserSettings()->getFile(), tarnello::test::ScopedSettingsFile::file());
}

//==============================================================================
namespace
{
struct BlockCase
{
    const char* what;
    double sampleRate;
    int numInputs;
    int numOutputs;
    int numSamples;
    bool withModule;
    std::optional<double> hostTempo; // no value: no play head at all
    bool playHeadWithoutTempo;
    // expectations
    bool moduleRuns;
    double expectedBpm;
    bool inputsScaled;      // inputs multiplied by the module's gain of 0.5
    bool extraOutputsClear; // outputs beyond the inputs silent
    int expectedLatency;    // the latency was 7 before the block
};

const BlockCase blockCases[] = {
    // what                         rate   in out  n  module tempo        noTempo runs  bpm    scaled clear latency
    { "32 kHz passes through",     32000.0, 1, 2, 64, true,  std::nullopt, false, false, -1.0,  false, true,  7 },
    { "22.05 kHz passes through",  22050.0, 2, 2, 64, true,  std::nullopt, false, false, -1.0,  false, false, 7 },
    { "empty block",               48000.0, 2, 2, 0,  true,  std::nullopt, false, false, -1.0,  false, false, 7 },
    { "no module: input passes",   48000.0, 1, 2, 64, false, std::nullopt, false, false, -1.0,  false, true,  0 },
    { "no play head: 120 bpm",     48000.0, 2, 2, 64, true,  std::nullopt, false, true,  120.0, true,  false, 0 },
    { "play head tempo",           44100.0, 1, 2, 32, true,  93.5,         false, true,  93.5,  true,  true,  0 },
    { "play head without tempo",   96000.0, 2, 2, 16, true,  std::nullopt, true,  true,  120.0, true,  false, 0 },
    { "tempo 0 passed on",         48000.0, 2, 2, 16, true,  0.0,          false, true,  0.0,   true,  false, 0 },
    { "NaN tempo: 120 bpm",        48000.0, 2, 2, 16, true,  std::numeric_limits<double>::quiet_NaN(), false, true, 120.0, true, false, 0 },
    { "negative tempo: 120 bpm",   48000.0, 2, 2, 16, true,  -5.0,         false, true,  120.0, true,  false, 0 },
};

template <typename Sample>
void runBlockCase (const BlockCase& c)
{
    SCOPED_TRACE (c.what);

    TestProcessor processor;
    processor.setPlayConfigDetails (c.numInputs, c.numOutputs, c.sampleRate, 512);
    ASSERT_EQ (processor.getTotalNumInputChannels(), c.numInputs);
    ASSERT_EQ (processor.getTotalNumOutputChannels(), c.numOutputs);

    FakeModule* module = nullptr;
    if (c.withModule)
    {
        module = dynamic_cast<FakeModule*> (processor.addModule (FakeModule::typeName, -1, true));
        ASSERT_NE (module, nullptr);
        module->gain->setValue (0.5);
    }

    TestPlayHead head (c.playHeadWithoutTempo ? std::nullopt : c.hostTempo);
    if (c.hostTempo.has_value() || c.playHeadWithoutTempo)
        processor.setPlayHead (&head);

    processor.setLatencySamples (7);

    const int numChannels = juce::jmax (c.numInputs, c.numOutputs);
    juce::AudioBuffer<Sample> buffer (numChannels, juce::jmax (1, c.numSamples));
    buffer.setSize (numChannels, c.numSamples, false, false, true);

    // Inputs hold a ramp, extra outputs hold what a host might leave there.
    for (int ch = 0; ch < numChannels; ++ch)
        for (int i = 0; i < c.numSamples; ++i)
            buffer.setSample (ch, i, ch < c.numInputs ? (Sample) (0.01 * (i + 1) * (ch + 1)) : (Sample) 0.75);

    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);

    if (module != nullptr)
    {
        EXPECT_EQ (module->blocksProcessed.load(), c.moduleRuns ? 1 : 0);
        if (c.moduleRuns)
        {
            EXPECT_EQ (module->lastBpm.load(), c.expectedBpm);
            EXPECT_EQ (module->lastNumSamples.load(), c.numSamples);
        }
    }

    for (int ch = 0; ch < numChannels; ++ch)
    {
        for (int i = 0; i < c.numSamples; ++i)
        {
            const auto got = buffer.getSample (ch, i);
            if (ch < c.numInputs)
            {
                const auto input = (Sample) (0.01 * (i + 1) * (ch + 1));
                EXPECT_EQ (got, c.inputsScaled ? input * (Sample) 0.5 : input) << "channel " << ch << " sample " << i;
            }
            else
            {
                EXPECT_EQ (got, c.extraOutputsClear ? (Sample) 0 : (Sample) 0.75) << "channel " << ch << " sample " << i;
            }
        }
    }

    EXPECT_EQ (processor.getLatencySamples(), c.expectedLatency);
    processor.setPlayHead (nullptr);
}
} // namespace

TEST (DovrethProcessor, BlockRulesInSinglePrecision)
{
    for (const auto& c : blockCases)
        runBlockCase<float> (c);
}

TEST (DovrethProcessor, BlockRulesInDoublePrecision)
{
    for (const auto& c : blockCases)
        runBlockCase<double> (c);
}

namespace
{
// Multiplies two normal numbers whose product is denormal, while the block runs.
class DenormalProbe : public FakeModule
{
public:
    explicit DenormalProbe (DovrethProcessor* processor) : FakeModule (processor) {}

    void processBlock (juce::dsp::AudioBlock<float>* block, int numSamples, double bpm) override
    {
        volatile float a = 1.0e-30f, b = 1.0e-10f;
        product = a * b;
        FakeModule::processBlock (block, numSamples, bpm);
    }

    std::atomic<float> product { -1.0f };
};
} // namespace

TEST (DovrethProcessor, FlushesDenormalsWhileTheModuleRuns)
{
    TestProcessor processor;
    processor.moduleFactory->registerModule ("probe", [&processor] { return new DenormalProbe (&processor); });
    processor.setPlayConfigDetails (2, 2, 48000.0, 64);
    auto* probe = dynamic_cast<DenormalProbe*> (processor.addModule ("probe", -1, false));
    ASSERT_NE (probe, nullptr);

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);

    EXPECT_EQ (probe->product.load(), 0.0f);

    // Outside the block the product is the denormal it is.
    volatile float a = 1.0e-30f, b = 1.0e-10f;
    EXPECT_GT ((float) (a * b), 0.0f);
}

//==============================================================================
TEST (DovrethProcessor, AddModuleBindsTheExposedParametersFromHostParameterZero)
{
    TestProcessor processor;
    HostListener host;
    processor.addListener (&host);

    auto* module = dynamic_cast<FakeModule*> (processor.addModule (FakeModule::typeName, -1, true));
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (processor.getModule (0).get(), module);
    EXPECT_TRUE (module->paramsAttached.load());

    const char* expected[] = { "Gain", "Low Cut", "Time" };
    for (int i = 0; i < 3; ++i)
    {
        auto* hostParam = processor.getHostParameter (i);
        EXPECT_EQ (processor.boundName (i), expected[i]);
        EXPECT_EQ (module->getParam (expected[i])->getHostParameter(), hostParam);
        EXPECT_EQ (hostParam->getName (64), juce::String (i + 1) + ". " + expected[i]);
        EXPECT_EQ (hostParam->getBinding()->module.get(), module);
        // Each current value reached the host.
        EXPECT_GE (host.changesPerIndex[i].load(), 1) << i;
        EXPECT_FLOAT_EQ (hostParam->getValue(), (float) module->getParam (expected[i])->getNormalized());
    }
    for (int i = 3; i < 24; ++i)
        EXPECT_FALSE (processor.getHostParameter (i)->isBound()) << i;

    EXPECT_GE (host.parameterInfoChanges.load(), 1);

    // The rack is full.
    const auto infoChanges = host.parameterInfoChanges.load();
    EXPECT_EQ (processor.addModule (FakeModule::typeName, -1, true), nullptr);
    EXPECT_EQ (processor.addModule (FakeModule::typeName, 0, true), nullptr);
    EXPECT_EQ (processor.getModule (0).get(), module);
    EXPECT_EQ (processor.boundName (0), "Gain");
    EXPECT_EQ (processor.boundName (3), juce::String());
    EXPECT_EQ (host.parameterInfoChanges.load(), infoChanges);

    processor.removeListener (&host);
}

TEST (DovrethProcessor, AutomaticBindingTakesTheFirstFreeRunLongEnough)
{
    struct RunCase
    {
        int numExtraParams;
        std::vector<int> taken; // host parameters already bound elsewhere
        int expectedStart;      // -1: nothing is bound
    };

    const RunCase cases[] = {
        { 0, {}, 0 },
        { 0, { 0 }, 1 },
        { 0, { 2 }, 3 },
        { 0, { 1, 5 }, 2 },
        { 0, { 0, 3, 6, 9, 12, 15, 18, 21 }, -1 }, // never three free in a row
        { 0, { 0, 1 }, 2 },
        { 21, {}, 0 },                             // exactly 24
        { 21, { 23 }, -1 },
        { 22, {}, -1 },                            // 25 never fit
        { 0, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 }, 21 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE ("extra " + std::to_string (c.numExtraParams) + ", taken " + std::to_string (c.taken.size())
                      + ", start " + std::to_string (c.expectedStart));

        TestProcessor processor (c.numExtraParams);
        // A module outside the rack, one parameter per taken host parameter.
        std::shared_ptr<ModuleProcessor> elsewhere (FakeModule::create (&processor, 21));
        for (size_t j = 0; j < c.taken.size(); ++j)
            processor.getHostParameter (c.taken[j])->bind (elsewhere, elsewhere->params[(int) j]);

        HostListener host;
        processor.addListener (&host);

        auto* module = processor.addModule (FakeModule::typeName, -1, true);
        ASSERT_NE (module, nullptr);

        const int needed = 3 + c.numExtraParams;
        EXPECT_EQ (module->paramsAttached.load(), c.expectedStart >= 0);

        for (int k = 0; k < needed; ++k)
        {
            auto* param = module->params[k];
            if (c.expectedStart >= 0)
            {
                EXPECT_EQ (param->getHostParameter(), processor.getHostParameter (c.expectedStart + k)) << k;
                EXPECT_EQ (processor.boundName (c.expectedStart + k), param->name);
            }
            else
            {
                EXPECT_EQ (param->getHostParameter(), nullptr) << k;
            }
        }

        // Host parameters bound elsewhere keep their binding.
        for (auto index : c.taken)
            EXPECT_EQ (processor.getHostParameter (index)->getBinding()->module, elsewhere) << index;

        if (c.expectedStart < 0)
        {
            EXPECT_EQ (host.parameterInfoChanges.load(), 0);
            EXPECT_EQ (host.parameterChanges.load(), 0);
        }

        processor.removeListener (&host);
        for (auto index : c.taken)
            processor.getHostParameter (index)->unbind();
    }
}

TEST (DovrethProcessor, AddModuleWithoutAutoAttachLeavesTheHostParametersFree)
{
    TestProcessor processor;
    auto* module = processor.addModule (FakeModule::typeName, 0, false);
    ASSERT_NE (module, nullptr);
    EXPECT_FALSE (module->paramsAttached.load());
    for (int i = 0; i < 24; ++i)
        EXPECT_FALSE (processor.getHostParameter (i)->isBound()) << i;
}

TEST (DovrethProcessor, AddModuleRefusesWhatItCannotHold)
{
    TestProcessor processor;
    processor.moduleFactory->registerModule ("nothing", [] { return (ModuleProcessor*) nullptr; });

    EXPECT_EQ (processor.addModule ("unknown", -1, true), nullptr);
    EXPECT_EQ (processor.addModule ("nothing", -1, true), nullptr);
    EXPECT_EQ (processor.addModule (FakeModule::typeName, 1, true), nullptr);
    EXPECT_EQ (processor.addModule (FakeModule::typeName, -2, true), nullptr);
    EXPECT_EQ (processor.getModule (0), nullptr);
    EXPECT_EQ (processor.moduleFactory->releasePool.size(), 0u);
    for (int i = 0; i < 24; ++i)
        EXPECT_FALSE (processor.getHostParameter (i)->isBound()) << i;
}

TEST (DovrethProcessor, AddModuleBeforeTheHostPreparesUsesTheModuleDefaults)
{
    TestProcessor processor;
    ASSERT_EQ (processor.getSampleRate(), 0.0);

    auto* module = dynamic_cast<FakeModule*> (processor.addModule (FakeModule::typeName, -1, true));
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (module->playSampleRate.load(), 44100.0);
    EXPECT_EQ (module->playBlockSize.load(), 512);
    EXPECT_EQ (module->preparedSampleRate.load(), 44100.0);
    EXPECT_EQ (module->preparedBlockSize.load(), 512);
    EXPECT_EQ (module->playInputs.load(), 2);
    EXPECT_EQ (module->playOutputs.load(), 2);

    // Once the host has spoken, its rate and block size are used.
    processor.removeModule (0);
    processor.setPlayConfigDetails (1, 2, 96000.0, 128);
    module = dynamic_cast<FakeModule*> (processor.addModule (FakeModule::typeName, -1, true));
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (module->playSampleRate.load(), 96000.0);
    EXPECT_EQ (module->preparedBlockSize.load(), 128);
    EXPECT_EQ (module->playInputs.load(), 1);
    EXPECT_EQ (module->playOutputs.load(), 2);

    // And prepareToPlay hands the host's details on.
    processor.prepareToPlay (88200.0, 256);
    EXPECT_EQ (module->playSampleRate.load(), 88200.0);
    EXPECT_EQ (module->playBlockSize.load(), 256);
    EXPECT_EQ (module->preparedSampleRate.load(), 88200.0);
    EXPECT_EQ (module->preparedBlockSize.load(), 256);
    EXPECT_EQ (module->prepareCalls.load(), 2);
}

TEST (DovrethProcessor, RemoveModuleUnbindsAndThePoolFreesTheModuleOnALaterTick)
{
    TestProcessor processor;
    processor.addModule (FakeModule::typeName, -1, true);
    std::weak_ptr<ModuleProcessor> weak = processor.getModule (0);
    ASSERT_FALSE (weak.expired());
    auto* gain = weak.lock()->getParam ("Gain");

    HostListener host;
    processor.addListener (&host);

    // The audio thread's copy of the slot, taken before the removal.
    auto audioCopy = processor.getModule (0);

    processor.removeModule (0);
    EXPECT_EQ (processor.getModule (0), nullptr);
    EXPECT_GE (host.parameterInfoChanges.load(), 1);
    EXPECT_FALSE (audioCopy->paramsAttached.load());
    EXPECT_EQ (gain->getHostParameter(), nullptr);
    for (int i = 0; i < 24; ++i)
    {
        EXPECT_FALSE (processor.getHostParameter (i)->isBound()) << i;
        EXPECT_EQ (processor.getHostParameter (i)->getName (64), juce::String (i + 1));
    }

    processor.moduleFactory->releasePool.timerCallback();
    EXPECT_FALSE (weak.expired()) << "still in use by the audio thread";

    // The audio thread lets go; that never destroys the module...
    audioCopy.reset();
    EXPECT_FALSE (weak.expired());

    // ...the pool's next tick does.
    processor.moduleFactory->releasePool.timerCallback();
    EXPECT_TRUE (weak.expired());
    EXPECT_EQ (processor.moduleFactory->releasePool.size(), 0u);

    // Removing from an empty rack changes nothing.
    processor.removeModule (0);
    EXPECT_EQ (processor.getModule (0), nullptr);

    processor.removeListener (&host);
}

TEST (DovrethProcessor, DestructionReleasesTheModule)
{
    std::weak_ptr<ModuleProcessor> weak;
    {
        TestProcessor processor;
        processor.addModule (FakeModule::typeName, -1, true);
        weak = processor.getModule (0);
        ASSERT_FALSE (weak.expired());
    }
    EXPECT_TRUE (weak.expired());
}
