#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "framework/DovrethProcessor.h"
#include "tests/framework/FakeModule.h"

namespace
{
int javaStyleHash (const juce::String& s)
{
    int h = 0;
    for (auto p = s.getCharPointer(); ! p.isEmpty();)
        h = (int) (31u * (unsigned) h + (unsigned) p.getAndAdvance());
    return h;
}

// A module with a few hand-made parameters, for the cases FakeModule doesn't show.
class BareModule : public ModuleProcessor
{
public:
    BareModule() : ModuleProcessor (nullptr, "Bare", "bare") {}

    void parameterChanged (ModuleParam*) override { ++changes; }
    void setPlayDetails (int, int, double, int) override {}
    void prepareToPlay (double, int) override {}
    void processBlock (juce::dsp::AudioBlock<float>*, int, double) override {}
    void processBlock (juce::dsp::AudioBlock<double>*, int, double) override {}
    ModuleEditor* createEditor (std::shared_ptr<ModuleProcessor>, RackEditor*) override { return nullptr; }

    int changes = 0;
};
} // namespace

TEST (ModuleProcessor, ConstructionSetsIdentityAndFlags)
{
    FakeModule m (nullptr);
    EXPECT_EQ (m.typeId, "fake");
    EXPECT_EQ (m.displayName, "Fake");
    EXPECT_EQ (m.typeIdHash, javaStyleHash ("fake"));
    EXPECT_GE (m.instanceTag, 0);
    EXPECT_LT (m.instanceTag, 100);
    EXPECT_TRUE (m.needsRefresh.load());
    EXPECT_FALSE (m.paramsAttached.load());
    EXPECT_FALSE (m.restoringState.load());
    EXPECT_EQ (m.numExposedParams, 3);
    EXPECT_EQ (m.params.size(), 3);
    EXPECT_FLOAT_EQ (m.getMeterValue (0), 0.0f);
}

TEST (ModuleProcessor, FindsParametersByName)
{
    FakeModule m (nullptr, 2);
    EXPECT_EQ (m.getParam ("Gain"), m.gain);
    EXPECT_EQ (m.getParam ("Low Cut"), m.lowCut);
    EXPECT_EQ (m.getParam ("Time"), m.time);
    EXPECT_NE (m.getParam ("Extra 2"), nullptr);
    EXPECT_EQ (m.getParam ("Low_Cut"), nullptr);
    EXPECT_EQ (m.getParam ("gain"), nullptr);
    EXPECT_EQ (m.getParam ({}), nullptr);
    EXPECT_EQ (m.numExposedParams, 5);
    EXPECT_EQ (m.params[0]->nameHash, javaStyleHash ("Gain"));
}

TEST (ModuleProcessor, FirstParameterOfANameWinsAndBothAreKept)
{
    BareModule m;
    auto* first = new ModuleFloatParam (&m, "Mix", 0.5, 0.0, 1.0, 0.01, "%");
    auto* second = new ModuleFloatParam (&m, "Mix", 0.1, 0.0, 1.0, 0.01, "%");
    auto* hidden = new ModuleFloatParam (&m, "Hidden", 0.0, 0.0, 1.0, 0.0, {});
    hidden->exposeToHost = false;
    m.addParam (first);
    m.addParam (second);
    m.addParam (hidden);

    EXPECT_EQ (m.getParam ("Mix"), first);
    ASSERT_EQ (m.params.size(), 3);
    EXPECT_EQ (m.params[1], second);
    EXPECT_EQ (m.numExposedParams, 2); // only exposed parameters count
}

TEST (ModuleProcessor, UnknownLookAndFeelIsNullAndLeavesAnEntry)
{
    FakeModule m (nullptr);
    EXPECT_EQ (m.lookAndFeels.count ("Knob"), 0u);
    EXPECT_EQ (m.getLookAndFeel ("Knob"), nullptr);
    EXPECT_EQ (m.lookAndFeels.count ("Knob"), 1u);

    auto* laf = new juce::LookAndFeel_V4();
    m.lookAndFeels["Menu"].reset (laf);
    EXPECT_EQ (m.getLookAndFeel ("Menu"), laf);
}

TEST (ModuleProcessor, AttributeNamesReplaceBlanks)
{
    EXPECT_EQ (ModuleProcessor::attributeNameFor ("Low Cut"), "Low_Cut");
    EXPECT_EQ (ModuleProcessor::attributeNameFor ("LR Offset"), "LR_Offset");
    EXPECT_EQ (ModuleProcessor::attributeNameFor ("A  B"), "A__B");
    EXPECT_EQ (ModuleProcessor::attributeNameFor ("Gain"), "Gain");
}

TEST (ModuleProcessor, RestoresSavedParametersFromAStateElement)
{
    struct Case
    {
        const char* gain;      // null: attribute missing
        const char* lowCut;
        const char* time;
        double expectedGain, expectedLowCut, expectedTime;
    };
    const Case cases[] = {
        { "1.5", "1", "500.0", 1.5, 1.0, 500.0 },
        { nullptr, nullptr, nullptr, 1.0, 0.0, 240.0 }, // all missing: defaults
        { "0.25x", "1 On", "12.5ms", 0.25, 1.0, 12.5 }, // units behind the number are ignored
        { "abc", "", "", 0.0, 0.0, 0.0 },               // no number reads as 0
        { "9", "7", "-1", 2.0, 1.0, 0.0 },              // clamped to the range, curved one included
        { "nan", "inf", "nan", 1.0, 0.0, 240.0 },       // no finite number: the default
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "gain=" << (c.gain ? c.gain : "-") << " time=" << (c.time ? c.time : "-"));
        FakeModule m (nullptr);
        m.gain->setValue (0.7);
        m.lowCut->setValue (1.0);
        m.time->setValue (1000.0);
        m.needsRefresh = false;

        juce::XmlElement e ("fake");
        e.setAttribute ("index", 0);
        if (c.gain != nullptr) e.setAttribute ("Gain", c.gain);
        if (c.lowCut != nullptr) e.setAttribute ("Low_Cut", c.lowCut);
        if (c.time != nullptr) e.setAttribute ("Time", c.time);

        m.setStateInformation (&e);

        EXPECT_DOUBLE_EQ (m.gain->getValue(), c.expectedGain);
        EXPECT_DOUBLE_EQ (m.lowCut->getValue(), c.expectedLowCut);
        EXPECT_DOUBLE_EQ (m.time->getValue(), c.expectedTime);
        EXPECT_TRUE (m.needsRefresh.load());
        EXPECT_FALSE (m.restoringState.load());
    }
}

TEST (ModuleProcessor, RestoreReadsOnlyTheExactAttributeAndSkipsUnsavedParameters)
{
    BareModule m;
    auto* lowCut = new ModuleFloatParam (&m, "Low Cut", 0.0, 0.0, 10.0, 1.0, {});
    auto* scratch = new ModuleFloatParam (&m, "Scratch", 0.0, 0.0, 10.0, 1.0, {});
    scratch->saveInState = false;
    m.addParam (lowCut);
    m.addParam (scratch);
    scratch->setValue (3.0);

    juce::XmlElement e ("bare");
    e.setAttribute ("Low Cut", "7"); // not the state's spelling
    e.setAttribute ("low_cut", "8"); // wrong case
    e.setAttribute ("Scratch", "9");
    lowCut->setValue (5.0);
    m.needsRefresh = false;
    m.setStateInformation (&e);

    EXPECT_DOUBLE_EQ (lowCut->getValue(), 0.0); // missing "Low_Cut": the default
    EXPECT_DOUBLE_EQ (scratch->getValue(), 3.0);
    EXPECT_TRUE (m.needsRefresh.load()); // raised by the restore itself, not by the module

    e.setAttribute ("Low_Cut", "4");
    m.setStateInformation (&e);
    EXPECT_DOUBLE_EQ (lowCut->getValue(), 4.0);
}

TEST (ModuleProcessor, RestoreFlagIsRaisedOnlyWhileRestoring)
{
    struct Watching : FakeModule
    {
        Watching() : FakeModule (nullptr) {}
        void parameterChanged (ModuleParam* p) override
        {
            FakeModule::parameterChanged (p);
            restoringSeen += restoringState.load() ? 1 : 0;
        }
        int restoringSeen = 0;
    } m;

    m.gain->setValue (0.5);
    EXPECT_EQ (m.restoringSeen, 0);

    juce::XmlElement e ("fake");
    e.setAttribute ("Gain", "1.25");
    e.setAttribute ("Low_Cut", "1");
    const int before = m.changeCount.load();
    m.setStateInformation (&e);

    EXPECT_EQ (m.changeCount.load() - before, 2); // Time stays at its default: no change
    EXPECT_EQ (m.restoringSeen, 2);
    EXPECT_FALSE (m.restoringState.load());
}

TEST (ModuleProcessor, RestoreFromNoElementGivesDefaults)
{
    FakeModule m (nullptr);
    m.gain->setValue (0.3);
    m.needsRefresh = false;
    m.setStateInformation (nullptr);
    EXPECT_DOUBLE_EQ (m.gain->getValue(), 1.0);
    EXPECT_TRUE (m.needsRefresh.load());
}

TEST (ModuleProcessor, GestureEndWithoutOwnerRecordsNothingAndDoesNotCrash)
{
    FakeModule m (nullptr);
    m.gain->beginChangeGesture();
    m.gain->setValueNotifyingHost (1.5);
    m.gain->endChangeGesture();
    EXPECT_DOUBLE_EQ (m.gain->getValue(), 1.5);
}

TEST (ModuleProcessor, EveryFinishedGestureRecordsOneUndoPoint)
{
    struct Processor : DovrethProcessor
    {
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    } processor;
    FakeModule m (&processor);
    auto& history = processor.stateManager->history;
    const auto snapshots = [&history] { return history.undoStates.size() + (history.current != nullptr ? 1 : 0); };
    const int before = snapshots();

    m.gain->beginChangeGesture();
    m.gain->setValueNotifyingHost (1.5);
    m.gain->endChangeGesture();
    EXPECT_EQ (snapshots(), before + 1);

    m.time->endChangeGesture();
    EXPECT_EQ (snapshots(), before + 2);
    EXPECT_TRUE (processor.stateManager->canUndo());

    m.gain->beginChangeGesture(); // a begin alone records nothing
    EXPECT_EQ (snapshots(), before + 2);
    m.gain->endChangeGesture();
}

TEST (ModuleProcessor, FakeProcessesWithItsGainAndRecordsTheCall)
{
    FakeModule m (nullptr);
    m.gain->setValue (0.5);

    juce::AudioBuffer<float> buffer (2, 8);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 8; ++i)
            buffer.setSample (ch, i, 1.0f);
    juce::dsp::AudioBlock<float> block (buffer);
    m.processBlock (&block, 8, 98.0);

    EXPECT_FLOAT_EQ (buffer.getSample (1, 7), 0.5f);
    EXPECT_EQ (m.lastNumSamples.load(), 8);
    EXPECT_DOUBLE_EQ (m.lastBpm.load(), 98.0);
    EXPECT_FLOAT_EQ (m.getMeterValue (0), 0.5f);
}
