// The bridge between the host-interface layer and the product, in process: the
// product made through createPluginFilter, joined to a stand-in host instance.

#include "tests/aax/RuntimeTestSupport.h"
#include "tests/support/ChunkIds.h"

#include "aax/bridge/BridgeProcessor.h"

#include "framework/DovrethProcessor.h"
#include "framework/HostParameter.h"
#include "framework/ModuleParam.h"

#include <cmath>
#include <thread>

namespace
{
using namespace tarnello::test;
using tarnello::aax::BridgeProcessor;
using tarnello::host::AutomationEvent;
using Kind = AutomationEvent::Kind;


// One counted reference to a bridge object, as the host holds it.
class BridgeRef
{
public:
    BridgeRef() : mBridge (BridgeProcessor::Create())
    {
        if (mBridge != nullptr)
            mBridge->AddRef();
    }
    ~BridgeRef()
    {
        if (mBridge != nullptr)
        {
            mBridge->Uninitialize();
            mBridge->Release();
        }
    }
    BridgeRef (const BridgeRef&) = delete;
    BridgeRef& operator= (const BridgeRef&) = delete;

    BridgeProcessor* operator->() const { return mBridge; }
    BridgeProcessor& operator*() const { return *mBridge; }
    BridgeProcessor* get() const { return mBridge; }

private:
    BridgeProcessor* mBridge;
};

class Bridge : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ASSERT_NE (bridge.get(), nullptr);
        context->automation().setTarget (bridge.get());
        ASSERT_EQ (bridge->Initialize (unknown()), AAX_SUCCESS);
    }

    void TearDown() override
    {
        context->automation().setTarget (nullptr);
        bridge->Uninitialize();
        HostFixture::TearDown();
    }

    DovrethProcessor& product() const { return dynamic_cast<DovrethProcessor&> (bridge->getPluginInstance()); }
    ModuleParam& moduleParam (int hostIndex) const { return *product().getHostParameter (hostIndex)->getBoundParam(); }

    double value (const char* id) const
    {
        double v = -1.0;
        bridge->GetParameterNormalizedValue (id, &v);
        return v;
    }

    std::string text (const char* id, double position, int32_t maxLength = 32) const
    {
        AAX_CString out;
        EXPECT_EQ (bridge->GetParameterStringFromValue (id, position, &out, maxLength), AAX_SUCCESS);
        return out.StdString();
    }

    std::vector<AutomationEvent> eventsFor (const std::string& id) const
    {
        std::vector<AutomationEvent> events;
        for (const auto& event : context->automation().events())
            if (event.id == id)
                events.push_back (event);
        return events;
    }

    std::vector<uint8_t> stateChunk (BridgeProcessor& effect) const
    {
        uint32_t size = 0;
        EXPECT_EQ (effect.GetChunkSize (kStateChunk, &size), AAX_SUCCESS);
        std::vector<uint8_t> bytes (kPlugInChunkHeaderSize + size, 0);
        auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
        EXPECT_EQ (effect.GetChunk (kStateChunk, chunk), AAX_SUCCESS);
        return bytes;
    }

    BridgeRef bridge;
};

TEST_F (Bridge, AKnobGestureReachesTheHostAsTouchSetAndRelease)
{
    context->automation().clearEvents();
    auto& time = moduleParam (4);
    time.beginChangeGesture();
    time.setValueNotifyingHost (300.0);
    time.endChangeGesture();

    const double position = time.getNormalizedFor (300.0);
    const auto events = eventsFor ("4");
    ASSERT_EQ (events.size(), 6u);
    EXPECT_EQ (events[0].kind, Kind::Touch);
    EXPECT_EQ (events[1].kind, Kind::Touch);
    EXPECT_EQ (events[2].kind, Kind::SetRequest);
    EXPECT_NEAR (events[2].value, position, 1e-6);
    EXPECT_EQ (events[3].kind, Kind::CurrentValue);
    EXPECT_EQ (events[4].kind, Kind::Release);
    EXPECT_EQ (events[5].kind, Kind::Release);
    EXPECT_FALSE (context->automation().isTouched ("4"));
    EXPECT_EQ (text ("4", value ("4")), "300");
}

TEST_F (Bridge, AHostValueReachesTheModuleAndIsNotSentBack)
{
    context->automation().clearEvents();
    const double position = moduleParam (4).getNormalizedFor (500.0);
    ASSERT_EQ (bridge->UpdateParameterNormalizedValue ("4", position, 0), AAX_SUCCESS);
    EXPECT_NEAR (moduleParam (4).getValue(), 500.0, 1e-9);
    for (const auto& event : context->automation().events())
        EXPECT_NE (event.kind, Kind::SetRequest);

    // A host request to set a value takes effect in the module too.
    ASSERT_EQ (bridge->SetParameterNormalizedValue ("8", moduleParam (8).getNormalizedFor (30.0)), AAX_SUCCESS);
    EXPECT_NEAR (moduleParam (8).getValue(), 30.0, 1e-9);
}

TEST_F (Bridge, LetsNoNaNOrOutOfRangeValueReachTheModule)
{
    struct Case { double in; double position; };
    const Case cases[] = { { std::nan (""), 0.0 }, { 7.0, 1.0 }, { -3.0, 0.0 }, { HUGE_VAL, 1.0 } };
    for (const auto& c : cases)
    {
        ASSERT_EQ (bridge->UpdateParameterNormalizedValue ("8", 0.5, 0), AAX_SUCCESS);
        ASSERT_EQ (bridge->UpdateParameterNormalizedValue ("8", c.in, 0), AAX_SUCCESS);
        EXPECT_EQ (value ("8"), c.position) << c.in;
        EXPECT_TRUE (std::isfinite (moduleParam (8).getValue())) << c.in;

        ASSERT_EQ (bridge->UpdateParameterNormalizedValue ("8", 0.5, 0), AAX_SUCCESS);
        ASSERT_EQ (bridge->SetParameterNormalizedValue ("8", c.in), AAX_SUCCESS);
        EXPECT_EQ (value ("8"), c.position) << c.in;
    }
    EXPECT_EQ (bridge->SetParameterNormalizedRelative ("8", 5.0), AAX_SUCCESS);
    EXPECT_EQ (value ("8"), 1.0);

    double position = -1.0;
    EXPECT_EQ (bridge->GetParameterValueFromString ("8", &position, AAX_CString ("1e300")), AAX_SUCCESS);
    EXPECT_EQ (position, 1.0);
}

TEST_F (Bridge, FormatsTheValueItIsAskedAboutAndCutsNamesToTheLengthAsked)
{
    const double at500 = moduleParam (4).getNormalizedFor (500.0);
    EXPECT_EQ (text ("4", at500), "500");
    EXPECT_EQ (text ("4", at500, 2), "50");
    EXPECT_EQ (text ("4", at500, 0), "");
    EXPECT_NEAR (moduleParam (4).getValue(), 240.0, 1e-9); // unchanged by asking

    struct Case { int32_t length; const char* expected; };
    const Case cases[] = { { 3, "5. " }, { 7, "5. Time" }, { 31, "5. Time" }, { 0, "" }, { -1, "" } };
    for (const auto& c : cases)
    {
        AAX_CString name ("stale");
        EXPECT_EQ (bridge->GetParameterNameOfLength ("4", &name, c.length), AAX_SUCCESS);
        EXPECT_EQ (name.StdString(), c.expected) << c.length;
    }
    AAX_CString full;
    EXPECT_EQ (bridge->GetParameterName ("9", &full), AAX_SUCCESS);
    EXPECT_EQ (full.StdString(), "10. LR Offset");
}

TEST_F (Bridge, ShowsTheTimeItIsAskedAboutAsItWouldBeStored)
{
    // "Time" stores whole milliseconds above 99.9 and tenths below, whatever it holds now.
    struct Case { double asked; const char* text; };
    const Case cases[] = { { 0.0000036, "0.0" }, { 12.34, "12.3" }, { 99.96, "100" },  { 733.172, "733" },
                           { 1234.6, "1235" },   { 4000.0, "4000" }, { 0.0, "0.0" },   { 99.0, "99.0" } };
    for (const double current : { 240.0, 50.0 })
    {
        moduleParam (4).setValue (current);
        const int decimals = moduleParam (4).getDecimals();
        for (const auto& c : cases)
        {
            EXPECT_EQ (text ("4", moduleParam (4).getNormalizedFor (c.asked)), c.text) << c.asked << " with Time at " << current;
            EXPECT_EQ (moduleParam (4).getValue(), current);
            EXPECT_EQ (moduleParam (4).getDecimals(), decimals) << "asking changed how the current value is written";
        }
    }
}

TEST_F (Bridge, ReadsNumbersAsIndicesOfAChoiceAndChoiceTextsOtherwise)
{
    // "Time Note" (6th host parameter) has a choice whose text is a plain number: "1".
    const auto positionOf = [this] (const char* id, const char* typed) {
        double position = -1.0;
        const auto result = bridge->GetParameterValueFromString (id, &position, AAX_CString (typed));
        return result == AAX_SUCCESS ? position : -1.0;
    };
    auto& note = moduleParam (5);
    ASSERT_EQ (note.name, "Time Note");
    struct Case { const char* typed; double index; };
    const Case cases[] = { { "1", 1 }, { "01", 1 }, { "2", 2 }, { " 19 ", 19 }, { "1/8", 10 }, { "1 d", 20 },
                           { "1/64 T", 0 }, { "0", 0 } };
    for (const auto& c : cases)
        EXPECT_EQ (positionOf ("5", c.typed), (double) (float) note.getNormalizedFor (c.index)) << c.typed;
    for (const char* refused : { "1/5", "", "one", "0x1" })
        EXPECT_EQ (positionOf ("5", refused), -1.0) << refused;

    // The same rule for a two-state choice ("Low Cut", 3rd).
    EXPECT_EQ (positionOf ("2", "1"), 1.0);
    EXPECT_EQ (positionOf ("2", "on"), 1.0);
    EXPECT_EQ (positionOf ("2", "Off"), 0.0);
}

TEST_F (Bridge, ReadsANumberWithOnlyItsOwnUnit)
{
    const auto positionOf = [this] (const char* id, const char* typed) {
        double position = -1.0;
        const auto result = bridge->GetParameterValueFromString (id, &position, AAX_CString (typed));
        return result == AAX_SUCCESS ? position : -1.0;
    };
    const double at50 = (double) (float) moduleParam (4).getNormalizedFor (50.0);
    for (const char* typed : { "50", "50 ms", "50ms", " 50 MS ", "5e1", "+50.0" })
        EXPECT_EQ (positionOf ("4", typed), at50) << typed;
    for (const char* refused : { "50 dB", "50 %", "0x32", "fifty", "50 ms ms", "inf", "nan" })
        EXPECT_EQ (positionOf ("4", refused), -1.0) << refused;
    // "Mix" has no unit: a plain number only.
    EXPECT_EQ (positionOf ("3", "16"), (double) (float) moduleParam (3).getNormalizedFor (16.0));
    EXPECT_EQ (positionOf ("3", "0x10"), -1.0);
    EXPECT_EQ (positionOf ("3", "16 %"), -1.0);
}

TEST_F (Bridge, RefusesTextThatIsNoValidUtf8BeforeReadingIt)
{
    // Broken sequences at the end of the text, where a reader that trusts them runs past it.
    const char* const broken[] = { "\xff", "\xc3", "\xe2\x82", "\xf0\x9f\x98", "1\xff", "\x80", "\xf8\x88\x80\x80\x80" };
    for (const char* id : { "MasterBypassID", "0", "5" })
        for (const char* text : broken)
        {
            double position = -7.0;
            EXPECT_EQ (bridge->GetParameterValueFromString (id, &position, AAX_CString (text)), AAX_ERROR_INVALID_STRING_CONVERSION)
                << id;
            EXPECT_EQ (position, -7.0);
        }
    double position = -7.0;
    EXPECT_EQ (bridge->GetParameterValueFromString ("1", &position, AAX_CString ("5 Tn")), AAX_SUCCESS); // "Tone"
    EXPECT_EQ (position, (double) (float) moduleParam (1).getNormalizedFor (5.0));
}

TEST_F (Bridge, PassesAHostTempoOfZeroAndReplacesOnlyUnusableOnes)
{
    struct Case { double hostTempo; bool passed; };
    const Case cases[] = { { 0.0, true }, { 4.9e-324, true }, { 60.0, true }, { -1.0, false },
                           { std::nan (""), false }, { HUGE_VAL, false } };
    for (const auto& c : cases)
    {
        context->transport().setTempo (c.hostTempo);
        const auto position = bridge->getPosition();
        ASSERT_TRUE (position.hasValue());
        const auto bpm = position->getBpm();
        EXPECT_EQ (bpm.hasValue(), c.passed) << c.hostTempo;
        if (c.passed && bpm.hasValue())
        {
            EXPECT_EQ (*bpm, c.hostTempo);
        }
    }
}

TEST_F (Bridge, CapsTheStepCountOnEveryResync)
{
    AAX_IParameter* time = nullptr;
    ASSERT_EQ (bridge->GetParameter ("4", &time), AAX_SUCCESS);
    EXPECT_EQ (time->GetNumberOfSteps(), 2048u);

    // The processor reports changed parameter info, as when a host parameter is rebound.
    product().updateHostDisplay (juce::AudioProcessor::ChangeDetails().withParameterInfoChanged (true));
    EXPECT_EQ (time->GetNumberOfSteps(), 2048u);
    int32_t steps = 0;
    EXPECT_EQ (bridge->GetParameterNumberOfSteps ("4", &steps), AAX_SUCCESS);
    EXPECT_EQ (steps, 2048);
    EXPECT_EQ (time->Name().StdString(), "5. Time");
}

TEST_F (Bridge, KeepsTheStateChunkPerInstanceAndPerThread)
{
    BridgeRef other;
    auto* otherContext = new tarnello::host::InstanceContext (*standIn);
    otherContext->AddRef();
    ASSERT_EQ (other->Initialize (otherContext->asUnknown()), AAX_SUCCESS);
    dynamic_cast<DovrethProcessor&> (other->getPluginInstance()).getHostParameter (4)->getBoundParam()->setValue (777.0);

    uint32_t mine = 0, theirs = 0;
    ASSERT_EQ (bridge->GetChunkSize (kStateChunk, &mine), AAX_SUCCESS);
    ASSERT_EQ (other->GetChunkSize (kStateChunk, &theirs), AAX_SUCCESS);
    std::vector<uint8_t> bytes (kPlugInChunkHeaderSize + std::max (mine, theirs), 0);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    ASSERT_EQ (bridge->GetChunk (kStateChunk, chunk), AAX_SUCCESS);
    EXPECT_EQ (static_cast<uint32_t> (chunk->fSize), mine);
    const std::string state (chunk->fData, static_cast<size_t> (chunk->fSize));
    EXPECT_EQ (state.find ("777"), std::string::npos) << "the other instance's state";
    EXPECT_EQ (bridge->GetChunk (kStateChunk, chunk), BridgeProcessor::kNoChunkPrepared); // read once

    // A size query on another thread prepares nothing for this one.
    std::thread ([&] { EXPECT_EQ (bridge->GetChunkSize (kStateChunk, &mine), AAX_SUCCESS); }).join();
    EXPECT_EQ (bridge->GetChunk (kStateChunk, chunk), BridgeProcessor::kNoChunkPrepared);
    other->Uninitialize();
    otherContext->Release();
}

TEST_F (Bridge, RefusesANullOrNegativeStateChunkAndIgnoresAnUnreadableOne)
{
    EXPECT_EQ (bridge->SetChunk (kStateChunk, nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (bridge->GetChunk (kStateChunk, nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (bridge->GetChunkSize (kStateChunk, nullptr), AAX_ERROR_NULL_ARGUMENT);

    auto negative = chunkBytes (kStateChunk, {}, -5);
    EXPECT_EQ (bridge->SetChunk (kStateChunk, asChunk (negative)), AAX_ERROR_INCORRECT_CHUNK_SIZE);

    moduleParam (4).setValue (333.0);
    auto saved = stateChunk (*bridge);
    auto* state = reinterpret_cast<AAX_SPlugInChunk*> (saved.data());
    // A text that ends inside a UTF-8 sequence, where a closing tag should be.
    const std::string data (state->fData, static_cast<size_t> (state->fSize));
    const auto close = data.rfind ("</");
    ASSERT_NE (close, std::string::npos);
    state->fData[close] = static_cast<char> (0xC3);
    state->fData[close + 1] = static_cast<char> (0xC3);
    moduleParam (4).setValue (444.0);
    EXPECT_EQ (bridge->SetChunk (kStateChunk, state), AAX_SUCCESS);
    EXPECT_NEAR (moduleParam (4).getValue(), 444.0, 1e-9);

    const auto garbage = chunkBytes (kStateChunk, { 'V', 'C', '2', '!', 0xFF, 0xFF, 0xFF, 0x7F, '<' });
    EXPECT_EQ (bridge->SetChunk (kStateChunk, asChunk (garbage)), AAX_SUCCESS);
    EXPECT_NEAR (moduleParam (4).getValue(), 444.0, 1e-9);
}

TEST_F (Bridge, RestoresAStateAndTellsTheHostEveryValue)
{
    moduleParam (4).setValue (612.0);
    const auto saved = stateChunk (*bridge);
    moduleParam (4).setValue (100.0);
    context->automation().clearEvents();

    EXPECT_EQ (bridge->SetChunk (kStateChunk, asChunk (saved)), AAX_SUCCESS);
    EXPECT_NEAR (moduleParam (4).getValue(), 612.0, 1e-9);
    const auto events = eventsFor ("4");
    ASSERT_FALSE (events.empty());
    bool requested = false;
    for (const auto& event : events)
        requested = requested || (event.kind == Kind::SetRequest && std::abs (event.value - value ("4")) < 1e-6);
    EXPECT_TRUE (requested);
    // The host's copy of the value follows.
    AAX_IParameter* time = nullptr;
    ASSERT_EQ (bridge->GetParameter ("4", &time), AAX_SUCCESS);
    EXPECT_NEAR (time->GetNormalizedValue(), value ("4"), 1e-6);
}

TEST_F (Bridge, InitializedTwiceRegistersItsParametersOnce)
{
    EXPECT_EQ (bridge->Initialize (unknown()), AAX_ERROR_NOT_INITIALIZED);
    int32_t count = 0;
    bridge->GetNumberOfParameters (&count);
    EXPECT_EQ (count, 25);
}

TEST_F (Bridge, ResetsItsPrivateFields)
{
    uint64_t pointer = 0;
    uint32_t small = 0;
    EXPECT_EQ (bridge->ResetFieldData (4, &small, sizeof (small)), AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ (bridge->ResetFieldData (4, &pointer, sizeof (pointer)), AAX_SUCCESS);
    EXPECT_EQ (reinterpret_cast<BridgeProcessor*> (static_cast<uintptr_t> (pointer)), bridge.get());

    int32_t prepared[2] = { 0, 0 };
    EXPECT_EQ (bridge->ResetFieldData (5, prepared, sizeof (prepared)), AAX_SUCCESS);
    EXPECT_EQ (prepared[0], 1);
    EXPECT_EQ (prepared[1], 1);
    EXPECT_EQ (bridge->ResetFieldData (5, &small, 2), AAX_ERROR_INVALID_ARGUMENT);

    uint64_t taps = ~0ull;
    EXPECT_EQ (bridge->ResetFieldData (6, &taps, sizeof (taps)), AAX_SUCCESS);
    EXPECT_EQ (taps, 0u);
    EXPECT_EQ (bridge->ResetFieldData (6, nullptr, 8), AAX_ERROR_NULL_ARGUMENT);
}

TEST_F (Bridge, TheProcessCallbackSkipsIncompleteContexts)
{
    std::vector<float> left (256, 0.25f), right (256, 0.25f), outLeft (256, 9.0f), outRight (256, 9.0f);
    float* ins[] = { left.data(), right.data() };
    float* outs[] = { outLeft.data(), outRight.data() };
    float* nullOuts[] = { outLeft.data(), nullptr };
    int32_t length = 256, zero = 0, one = 1;
    float bypass = 0.0f;
    BridgeProcessor* self = bridge.get();
    BridgeProcessor* none = nullptr;

    using Context = tarnello::aax::AlgorithmContext;
    const Context cases[] = {
        { ins, outs, &length, &bypass, &none, &one, nullptr, nullptr },
        { ins, outs, &zero, &bypass, &self, &one, nullptr, nullptr },
        { ins, outs, nullptr, &bypass, &self, &one, nullptr, nullptr },
        { nullptr, outs, &length, &bypass, &self, &one, nullptr, nullptr },
        { ins, nullOuts, &length, &bypass, &self, &one, nullptr, nullptr },
        { ins, outs, &length, &bypass, nullptr, &one, nullptr, nullptr },
    };
    for (const auto& c : cases)
    {
        void* const instances[] = { const_cast<Context*> (&c), nullptr };
        BridgeProcessor::ProcessCallback (instances, instances + 2);
        EXPECT_EQ (outRight, std::vector<float> (256, 9.0f));
    }
    BridgeProcessor::ProcessCallback (nullptr, nullptr);

    // Unprepared, the dry signal passes.
    const Context unprepared { ins, outs, &length, &bypass, &self, &zero, nullptr, nullptr };
    void* const instances[] = { const_cast<Context*> (&unprepared) };
    BridgeProcessor::ProcessCallback (instances, instances + 1);
    EXPECT_EQ (outLeft, left);
}

class BridgeWithoutDelegate : public Bridge
{
protected:
    void SetUp() override
    {
        config.omit (IID_IAAXAutomationDelegateV1);
        Bridge::SetUp();
    }
};

TEST_F (BridgeWithoutDelegate, ASettingsChunkReachesTheModuleAtOnce)
{
    moduleParam (4).setValueNotifyingHost (250.0);
    uint32_t size = 0;
    ASSERT_EQ (bridge->GetChunkSize (AAX_CEffectParameters::kControlsChunkID, &size), AAX_SUCCESS);
    std::vector<uint8_t> bytes (kPlugInChunkHeaderSize + size);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    ASSERT_EQ (bridge->GetChunk (AAX_CEffectParameters::kControlsChunkID, chunk), AAX_SUCCESS);

    moduleParam (4).setValue (900.0);
    ASSERT_EQ (bridge->SetChunk (AAX_CEffectParameters::kControlsChunkID, chunk), AAX_SUCCESS);
    EXPECT_NEAR (moduleParam (4).getValue(), 250.0, 0.05);
}
} // namespace
