// The delay module's parameters, the settings it derives from them, tempo sync,
// state restore, meters and its channel handling.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/DezorCharacter.h"
#include "tests/effect/ModuleTestSupport.h"

using namespace effect_test;

namespace
{
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

struct ParamCase
{
    const char* name;
    const char* kind;
    double defaultValue, minimum, maximum, step;
    const char* unit;
    int decimals;
    juce::StringArray choices;
};

const char* kindOf (const ModuleParam& p)
{
    if (p.isBool) return "bool";
    if (p.isEnum) return dynamic_cast<const ModuleEnumValParam*> (&p) != nullptr ? "enumval" : "enum";
    if (p.isInt) return "int";
    return "float";
}

void setByUser (ModuleParam* p, double v)
{
    p->setValueNotifyingHost (v);
}

int noteIndex (const ZerAvoroProcessor& m)
{
    return (int) m.timeNote->getValue();
}
} // namespace

TEST (ZerAvoroParameters, ElevenParametersInOrderWithTheirKindsRangesAndUnits)
{
    const std::vector<ParamCase> expected {
        { "Modulation", "float", 50, 0, 100, 0.1, "%", 1, {} },
        { "Tone", "float", 5, 0, 10, 0.1, "Tn", 1, {} },
        { "Low Cut", "bool", 0, 0, 1, 1, "", 0, { "Off", "On" } },
        { "Mix", "float", 50, 0, 100, 0.1, "", 1, {} },
        { "Time", "float", 240, 0, 4000, 0, "ms", 1, {} },
        { "Time Note", "enumval", 10, 0, 20, 1, "", 0, ZerAvoroProcessor::noteNames() },
        { "Delay Sync", "enum", 0, 0, 1, 1, "", 0, { "Time", "Sync" } },
        { "Output", "float", 0, -12, 12, 0.1, "", 1, {} },
        { "Feedback", "float", 60, 0, 200, 0.1, "%", 1, {} },
        { "LR Offset", "float", 0, -50, 50, 0.1, "ms", 1, {} },
        { "Drive", "bool", 0, 0, 1, 1, "", 0, { "Off", "On" } },
    };

    ZerAvoroProcessor module (nullptr);
    EXPECT_EQ (module.typeId, "zeravoro");
    EXPECT_EQ (module.displayName, "Qel Delay");
    EXPECT_EQ (module.panelWidth, 786);
    EXPECT_GE (module.instanceTag, 0);
    EXPECT_LT (module.instanceTag, 100);
    ASSERT_EQ (module.params.size(), (int) expected.size());
    EXPECT_EQ (module.numExposedParams, 11);

    for (int i = 0; i < module.params.size(); ++i)
    {
        const auto& c = expected[(size_t) i];
        auto* p = module.params[i];
        SCOPED_TRACE (c.name);
        EXPECT_EQ (p->name, c.name);
        EXPECT_STREQ (kindOf (*p), c.kind);
        EXPECT_EQ (p->defaultValue, c.defaultValue);
        EXPECT_EQ (p->getValue(), c.defaultValue);
        EXPECT_EQ (p->range.start, c.minimum);
        EXPECT_EQ (p->range.end, c.maximum);
        EXPECT_DOUBLE_EQ (p->range.interval, c.step);
        EXPECT_EQ (p->unit, c.unit);
        EXPECT_EQ (p->getDecimals(), c.decimals);
        EXPECT_TRUE (p->exposeToHost);
        EXPECT_TRUE (p->saveInState);
        EXPECT_EQ (module.getParam (c.name), p);
        if (auto* e = dynamic_cast<ModuleEnumParam*> (p))
        {
            EXPECT_EQ (e->choices, c.choices);
        }
    }

    EXPECT_EQ (module.tone->getDisplayValue(), "5.0 Tn");
    EXPECT_EQ (module.timeNote->getDisplayValue(), "1/8");
    EXPECT_EQ (module.delaySync->getDisplayValue(), "Time");
    EXPECT_EQ (module.lowCut->getDisplayValue(), "Off");
}

TEST (ZerAvoroParameters, TwentyOneNoteValuesFromTripletSixtyFourthToDottedWhole)
{
    const std::vector<std::pair<const char*, double>> notes {
        { "1/64 T", 1.0 / 96 }, { "1/64", 1.0 / 64 }, { "1/64 D", 3.0 / 128 }, { "1/32 T", 1.0 / 48 },
        { "1/32", 1.0 / 32 },   { "1/32 D", 3.0 / 64 }, { "1/16 T", 1.0 / 24 }, { "1/16", 1.0 / 16 },
        { "1/16 D", 3.0 / 32 }, { "1/8 T", 1.0 / 12 }, { "1/8", 1.0 / 8 },     { "1/8 D", 3.0 / 16 },
        { "1/4 T", 1.0 / 6 },   { "1/4", 1.0 / 4 },    { "1/4 D", 3.0 / 8 },   { "1/2 T", 1.0 / 3 },
        { "1/2", 1.0 / 2 },     { "1/2 D", 3.0 / 4 },  { "1 T", 2.0 / 3 },     { "1", 1.0 },
        { "1 D", 3.0 / 2 },
    };

    ZerAvoroProcessor module (nullptr);
    ASSERT_EQ (module.timeNote->choices.size(), 21);
    ASSERT_EQ (module.timeNote->values.size(), 21);
    for (int i = 0; i < 21; ++i)
    {
        EXPECT_EQ (module.timeNote->choices[i], notes[(size_t) i].first);
        EXPECT_DOUBLE_EQ (module.timeNote->values[i], notes[(size_t) i].second);
    }
}

TEST (ZerAvoroParameters, TimeFollowsItsCurveAndSnapsToTenthsBelowAHundredAndWholeMsAbove)
{
    ZerAvoroProcessor module (nullptr);
    auto* t = module.time;

    EXPECT_NEAR (t->getRealValueFor (0.5), 500.0, 1e-9);
    EXPECT_NEAR (t->getRealValueFor (0.25), 500.0 * std::pow (0.5, 1.0 / 0.7), 1e-9);
    EXPECT_NEAR (t->getRealValueFor (0.7), 1000.0, 1e-9);
    EXPECT_NEAR (t->getRealValueFor (1.0), 4000.0, 1e-9);
    EXPECT_NEAR (t->getNormalizedFor (1000.0), 0.7, 1e-12);
    EXPECT_NEAR (t->getNormalizedFor (240.0), 0.5 * std::pow (240.0 / 500.0, 0.7), 1e-12);

    struct SnapCase { double in, stored; int decimals; juce::String text; };
    for (const auto& c : { SnapCase { 123.4, 123.0, 0, "123" }, SnapCase { 12.34, 12.3, 1, "12.3" },
                           SnapCase { 99.9, 99.9, 1, "99.9" }, SnapCase { 99.94, 100.0, 0, "100" },
                           SnapCase { 9999.0, 4000.0, 0, "4000" }, SnapCase { -3.0, 0.0, 1, "0.0" } })
    {
        SCOPED_TRACE (c.in);
        t->setValue (c.in);
        EXPECT_NEAR (t->getValue(), c.stored, 1e-12);
        EXPECT_EQ (t->getDecimals(), c.decimals);
        EXPECT_EQ (t->getValueAsString(), c.text);
    }
}

TEST (ZerAvoroSettings, MixIsEqualPowerAndOutputIsInDecibels)
{
    auto module = makeModule (2, 2);

    struct MixCase { double mix, dry, wet; };
    for (const auto& c : { MixCase { 0, 1, 0 }, MixCase { 100, std::cos (juce::MathConstants<double>::halfPi), 1 },
                           MixCase { 50, std::sqrt (0.5), std::sqrt (0.5) } })
    {
        setByUser (module->mix, c.mix);
        EXPECT_NEAR (module->dryL.load(), c.dry, 1e-15) << c.mix;
        EXPECT_NEAR (module->dryR.load(), c.dry, 1e-15) << c.mix;
        EXPECT_NEAR (module->wetL.load(), c.wet, 1e-15) << c.mix;
        EXPECT_NEAR (module->wetR.load(), c.wet, 1e-15) << c.mix;
    }

    struct GainCase { double db, gain; };
    for (const auto& c : { GainCase { -12, 0.25118864315095801 }, GainCase { 0, 1 }, GainCase { 6, 1.9952623149688795 } })
    {
        setByUser (module->output, c.db);
        EXPECT_NEAR (module->outputGainTarget.load(), c.gain, 1e-13) << c.db;
    }
}

TEST (ZerAvoroSettings, OffsetsReachTheLinesOnlyWithTwoOrMoreOutputs)
{
    struct Case { int ins, outs; double offset, leftMs, rightMs; };
    for (const auto& c : { Case { 2, 2, 10, 250, 240 }, Case { 2, 2, -10, 240, 250 }, Case { 1, 2, 20, 260, 240 },
                           Case { 1, 1, 10, 240, 240 }, Case { 0, 1, -10, 240, 240 } })
    {
        SCOPED_TRACE (testing::Message() << c.ins << " in, " << c.outs << " out, offset " << c.offset);
        auto module = makeModule (c.ins, c.outs);
        setByUser (module->modulation, 0.0);
        setByUser (module->lrOffset, c.offset);
        EXPECT_NEAR (module->leftLine->getDelaySamples(), c.leftMs * 44.1, 1e-9);
        EXPECT_NEAR (module->rightLine->getDelaySamples(), c.rightMs * 44.1, 1e-9);
    }
}

TEST (ZerAvoroSettings, FeedbackAndCharacterSettingsReachBothLines)
{
    auto module = makeModule (2, 2);
    setByUser (module->feedback, 200.0);
    EXPECT_DOUBLE_EQ (module->leftLine->getFeedbackGain(), 2.0);
    EXPECT_DOUBLE_EQ (module->rightLine->getFeedbackGain(), 2.0);

    for (auto* line : { module->leftLine.get(), module->rightLine.get() })
    {
        auto& character = dynamic_cast<const DezorCharacter&> (line->getCharacter (0));
        EXPECT_EQ (line->getCurrentCharacter(), 0);
        EXPECT_TRUE (character.isSaturationOn());
        EXPECT_DOUBLE_EQ (character.getFeedbackGain(), 1.0);
    }

    setByUser (module->drive, 1.0);
    for (auto* line : { module->leftLine.get(), module->rightLine.get() })
    {
        auto& character = dynamic_cast<const DezorCharacter&> (line->getCharacter (0));
        EXPECT_NEAR (character.getFeedbackGain(), 0.5623413251903555, 1e-15);
    }

    // "Low Cut" moves the high-pass corner from 20 to 90 Hz: far less gain at 40 Hz.
    auto lowCutGainAt40 = [&]
    {
        auto& character = dynamic_cast<const DezorCharacter&> (module->leftLine->getCharacter (0));
        return character.getLowCut().getMagnitude (40.0);
    };
    const double before = lowCutGainAt40();
    setByUser (module->lowCut, 1.0);
    EXPECT_LT (lowCutGainAt40(), before * 0.5);
}

TEST (ZerAvoroSettings, EveryChangeRaisesTheRefreshFlag)
{
    auto module = makeModule (2, 2);
    for (auto* p : module->params)
    {
        module->needsRefresh.store (false);
        setByUser (p, p->getValue() == p->range.end ? p->range.start : p->range.end);
        EXPECT_TRUE (module->needsRefresh.load()) << p->name;
    }
}

//==============================================================================
// Switching "Delay Sync" on picks the note nearest the current "Time" at the host
// tempo (a tie picks the lower index), then "Time" follows that note.
TEST (ZerAvoroTempoSync, SwitchingSyncOnPicksTheNearestNoteAtTheHostTempo)
{
    struct Case { double bpm, time; int index; double syncedTime, storedTempo; };
    const std::vector<Case> cases {
        { 120, 240, 10, 250, 120 },   // "1/8" 250 ms beats "1/8 T" 166.7 ms
        { 120, 1750, 17, 1500, 120 }, // halfway between "1/2 D" and "1": the lower index
        { 90, 2600, 19, 2667, 90 },   // "1"
        { 0, 240, 10, 4000, 0 },      // no search at tempo 0; the note time is unbounded
        { -5, 240, 10, 250, 120 },
        { notANumber, 240, 10, 250, 120 },
        { infinity, 240, 10, 250, 120 },
        { 30, 3000, 14, 3000, 30 },   // "1/4 D" exactly
        { 50, 3990, 17, 3600, 50 },   // "1/2 D" 3600 beats "1" at 4800, not at its clamped 4000
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.bpm << " bpm, Time " << c.time);
        auto module = makeModule (2, 2);
        auto block = silence (2, 64);
        run (*module, block, 64, c.bpm);
        EXPECT_EQ (module->tempo.load(), c.storedTempo);

        setByUser (module->time, c.time);
        setByUser (module->delaySync, 1.0);
        EXPECT_EQ (noteIndex (*module), c.index);
        EXPECT_NEAR (module->time->getValue(), c.syncedTime, 1e-9);
        EXPECT_NEAR (module->leftLine->getDelaySamples(), c.syncedTime * 44.1, 1e-6);
    }
}

TEST (ZerAvoroTempoSync, ATempoChangeWhileSyncedRewritesTimeOnceEvenInAnEmptyBlock)
{
    auto module = makeModule (2, 2);
    auto block = silence (2, 64);
    run (*module, block, 64, 120.0);
    setByUser (module->delaySync, 1.0);
    ASSERT_NEAR (module->time->getValue(), 250.0, 1e-9);

    // An empty block still carries the tempo.
    juce::dsp::AudioBlock<float> empty;
    module->processBlock (&empty, 0, 90.0);
    EXPECT_NEAR (module->time->getValue(), 333.0, 1e-9);

    // The same tempo again leaves a user's "Time" alone.
    setByUser (module->time, 300.0);
    run (*module, block, 64, 90.0);
    EXPECT_NEAR (module->time->getValue(), 300.0, 1e-9);

    // A note change while synced follows the stored tempo at once.
    setByUser (module->timeNote, 13.0); // "1/4" at 90 bpm
    EXPECT_NEAR (module->time->getValue(), 667.0, 1e-9);

    // "1 D" at 30 bpm would be 12000 ms: "Time" stops at its end.
    run (*module, block, 64, 30.0);
    setByUser (module->timeNote, 20.0);
    EXPECT_EQ (module->time->getValue(), 4000.0);
}

TEST (ZerAvoroTempoSync, AnUnusableHostTempoIsStoredAsOneTwentyAndNeverRewritesTimeAgain)
{
    for (double bad : { -5.0, notANumber, infinity, -infinity })
    {
        SCOPED_TRACE (bad);
        auto module = makeModule (2, 2);
        setByUser (module->delaySync, 1.0);
        auto block = silence (2, 64);
        run (*module, block, 64, 100.0);
        ASSERT_NEAR (module->time->getValue(), 300.0, 1e-9);

        run (*module, block, 64, bad);
        EXPECT_EQ (module->tempo.load(), 120.0);
        EXPECT_NEAR (module->time->getValue(), 250.0, 1e-9);

        setByUser (module->time, 400.0);
        for (int i = 0; i < 3; ++i)
            run (*module, block, 64, bad);
        EXPECT_NEAR (module->time->getValue(), 400.0, 1e-9);

        auto noise1 = noise (4096, 1);
        Channels<float> signal { noise1, noise1 };
        run (*module, signal, 256, bad);
        EXPECT_TRUE (allFinite (signal[0]) && allFinite (signal[1]));
    }
}

TEST (ZerAvoroTempoSync, NotSyncedTheTempoNeverTouchesTime)
{
    auto module = makeModule (2, 2);
    auto block = silence (2, 64);
    run (*module, block, 64, 90.0);
    run (*module, block, 64, 140.0);
    EXPECT_EQ (module->time->getValue(), 240.0);
    EXPECT_EQ (noteIndex (*module), 10);
}

TEST (ZerAvoroTempoSync, ARestoredStateKeepsItsSavedNote)
{
    // Saved at 90 bpm on "1/4" (667 ms). A fresh module's tempo reads 120, at which
    // 667 ms is nearest "1/2 T": the search must not run during a restore.
    auto module = makeModule (2, 2);
    juce::XmlElement element ("zeravoro");
    element.setAttribute ("index", 0);
    element.setAttribute ("Time", "667");
    element.setAttribute ("Time_Note", "13");
    element.setAttribute ("Delay_Sync", "1");
    module->setStateInformation (&element);

    EXPECT_EQ (noteIndex (*module), 13);
    EXPECT_EQ (module->delaySync->getValue(), 1.0);
    EXPECT_FALSE (module->restoringState.load());

    auto block = silence (2, 64);
    run (*module, block, 64, 90.0);
    EXPECT_EQ (noteIndex (*module), 13);
    EXPECT_NEAR (module->time->getValue(), 667.0, 1e-9);

    // A user's switch still searches.
    setByUser (module->delaySync, 0.0);
    setByUser (module->time, 1300.0);
    setByUser (module->delaySync, 1.0);
    EXPECT_EQ (noteIndex (*module), 16); // "1/2" 1333 ms at 90 bpm
}

//==============================================================================
TEST (ZerAvoroMeters, SettleOnTheMeanLevelAndFallBackToZero)
{
    // A steady input holds the spring where its pull (+0.48 dB) balances the
    // restoring force: 10 x 1.0568 x mean level.
    auto module = makeModule (2, 2);
    setByUser (module->mix, 0.0);
    Channels<float> dc { std::vector<float> (44100 * 4, 0.05f), std::vector<float> (44100 * 4, 0.05f) };
    run (*module, dc);

    const double expected = 10.0 * 1.0568175092136574 * 0.05;
    EXPECT_NEAR (module->getMeterValue (0), expected, 1e-4);
    EXPECT_NEAR (module->getMeterValue (2), expected, 1e-4);
    EXPECT_NEAR (module->getMeterValue (1), expected, 1e-4); // dry only, gain 1

    Channels<float> full { std::vector<float> (44100, 1.0f), std::vector<float> (44100, -1.0f) };
    run (*module, full);
    EXPECT_EQ (module->getMeterValue (0), 1.0f);
    EXPECT_EQ (module->inputMeter.velocity, 0.0);

    auto quiet = silence (2, 44100 * 4);
    run (*module, quiet);
    EXPECT_NEAR (module->getMeterValue (0), 0.0, 1e-6);
    EXPECT_NEAR (module->getMeterValue (1), 0.0, 1e-6);
}

TEST (ZerAvoroMeters, ANotANumberInputSampleLeavesThemReadingTheLevel)
{
    auto module = makeModule (2, 2);
    setByUser (module->mix, 0.0);
    Channels<float> dc { std::vector<float> (44100 * 4, 0.05f), std::vector<float> (44100 * 4, 0.05f) };
    dc[0][44100] = std::numeric_limits<float>::quiet_NaN();
    run (*module, dc);

    const double expected = 10.0 * 1.0568175092136574 * 0.05;
    EXPECT_NEAR (module->getMeterValue (0), expected, 1e-4);
    EXPECT_NEAR (module->getMeterValue (1), expected, 1e-4);
}

TEST (ZerAvoroMeters, IndexOneReadsTheOutputMeter)
{
    // Mix 100 at the start: nothing reaches the output before the first echo.
    auto module = makeModule (2, 2);
    setByUser (module->mix, 100.0);
    Channels<float> dc { std::vector<float> (8000, 0.5f), std::vector<float> (8000, 0.5f) };
    run (*module, dc);
    EXPECT_GT (module->getMeterValue (0), 0.1f);
    EXPECT_GT (module->getMeterValue (2), 0.1f);
    EXPECT_LT (module->getMeterValue (1), 1e-6f);
}

TEST (ZerAvoroMeters, PeriodFollowsTheSampleRate)
{
    for (double rate : { 44100.0, 48000.0, 96000.0 })
    {
        auto module = makeModule (2, 2, rate);
        EXPECT_EQ (module->inputMeter.period, (int) std::lround (rate / 60.0));
        EXPECT_DOUBLE_EQ (module->inputMeter.dt, module->inputMeter.period / rate);
        EXPECT_DOUBLE_EQ (module->inputMeter.mass, 0.00066129594112);
        EXPECT_DOUBLE_EQ (module->outputMeter.mass, 0.00065296);
    }
}

TEST (ZerAvoroMeters, AHostWithoutARateYetLeavesTheModuleAtItsLastRate)
{
    // The processor prepares a new module with its own rate, 0 before the host has
    // chosen one.
    ZerAvoroProcessor module (nullptr);
    module.setPlayDetails (2, 2, 0.0, 0);
    module.prepareToPlay (0.0, 0);
    EXPECT_EQ (module.sampleRate.load(), 44100.0);
    EXPECT_EQ (module.inputMeter.period, 735);
    EXPECT_GT (module.outputGainCoeff.load(), 0.0);
    EXPECT_LT (module.outputGainCoeff.load(), 1e-3);

    Channels<float> signal { noise (44100, 9), noise (44100, 10) };
    run (module, signal);
    EXPECT_TRUE (allFinite (signal[0]) && allFinite (signal[1]));
    EXPECT_TRUE (std::isfinite (module.getMeterValue (0)) && std::isfinite (module.getMeterValue (1)));
    EXPECT_GT (module.getMeterValue (0), 0.0f);
}

//==============================================================================
TEST (ZerAvoroChannels, ChannelsBeyondTheFirstTwoPassUntouched)
{
    auto module = makeModule (2, 2);
    Channels<float> signal { noise (4096, 1), noise (4096, 2), noise (4096, 3), noise (4096, 4) };
    const auto third = signal[2], fourth = signal[3];
    run (*module, signal);
    EXPECT_EQ (signal[2], third);
    EXPECT_EQ (signal[3], fourth);
}

TEST (ZerAvoroChannels, AOneChannelBlockIsProcessedAsMonoWhateverTheLayout)
{
    // Zero inputs and one output, or a stereo layout handed a one-channel block:
    // only channel 0 exists, and only channel 0 is touched.
    struct Case { int ins, outs; };
    for (const auto& c : { Case { 0, 1 }, Case { 2, 2 }, Case { 1, 2 }, Case { 2, 1 } })
    {
        SCOPED_TRACE (testing::Message() << c.ins << " in, " << c.outs << " out");
        auto module = makeModule (c.ins, c.outs);
        setByUser (module->mix, 0.0);
        Channels<float> signal { noise (44100, 5, 0.5) };
        auto expected = signal[0];
        run (*module, signal);
        EXPECT_TRUE (allFinite (signal[0]));
        // Dry only: the input, faded in by the output smoother.
        EXPECT_NEAR (signal[0].back(), expected.back(), 1e-4);
    }
}

TEST (ZerAvoroChannels, FreshModuleFadesItsOutputIn)
{
    auto module = makeModule (2, 2);
    setByUser (module->mix, 0.0);
    Channels<float> dc { std::vector<float> (44100, 1.0f), std::vector<float> (44100, 1.0f) };
    run (*module, dc);
    const double k = 1.0 - std::exp (-2.0 * juce::MathConstants<double>::pi * 6.0 / 44100.0);
    EXPECT_NEAR (dc[0][0], k, 1e-7);
    EXPECT_NEAR (dc[0][4409], 1.0 - std::pow (1.0 - k, 4410), 1e-5);
    EXPECT_NEAR (dc[0][44099], 1.0, 1e-6);
}
