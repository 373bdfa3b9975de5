#include "tests/aax/RuntimeTestSupport.h"

#include "aax/AAX_IPageTable.h"

#include <cmath>
#include <functional>

namespace
{
using namespace tarnello::test;
using tarnello::host::AutomationEvent;
using Kind = AutomationEvent::Kind;

class EffectParameters : public InitializedEffectFixture
{
protected:
    int32_t changes() const
    {
        int32_t n = -1;
        effect.GetNumberOfChanges (&n);
        return n;
    }

    float bypassPosted() const
    {
        const auto payload = context->controller().latestPacket (kBypassField);
        float v = -1.0f;
        EXPECT_EQ (payload.size(), sizeof (float));
        if (payload.size() == sizeof (float))
            std::memcpy (&v, payload.data(), sizeof (float));
        return v;
    }
};

TEST_F (EffectParameters, AnswersUnknownIdsWithMinus20001ButNamesWithAnEmptyText)
{
    AAX_CString text ("stale");
    double d = 0.0;
    int32_t n = 0;
    AAX_CBoolean b = 0;
    AAX_IParameter* parameter = nullptr;

    struct Case { const char* what; std::function<AAX_Result (AAX_CParamID)> call; };
    const std::vector<Case> cases = {
        { "automatable", [&] (AAX_CParamID id) { return effect.GetParameterIsAutomatable (id, &b); } },
        { "steps", [&] (AAX_CParamID id) { return effect.GetParameterNumberOfSteps (id, &n); } },
        { "default", [&] (AAX_CParamID id) { return effect.GetParameterDefaultNormalizedValue (id, &d); } },
        { "set default", [&] (AAX_CParamID id) { return effect.SetParameterDefaultNormalizedValue (id, 0.5); } },
        { "type", [&] (AAX_CParamID id) { return effect.GetParameterType (id, &n); } },
        { "orientation", [&] (AAX_CParamID id) { return effect.GetParameterOrientation (id, &n); } },
        { "parameter", [&] (AAX_CParamID id) { return effect.GetParameter (id, &parameter); } },
        { "index", [&] (AAX_CParamID id) { return effect.GetParameterIndex (id, &n); } },
        { "value info", [&] (AAX_CParamID id) { return effect.GetParameterValueInfo (id, 0, &n); } },
        { "from string", [&] (AAX_CParamID id) { return effect.GetParameterValueFromString (id, &d, AAX_CString ("1")); } },
        { "to string", [&] (AAX_CParamID id) { return effect.GetParameterStringFromValue (id, 0.5, &text, 8); } },
        { "value string", [&] (AAX_CParamID id) { return effect.GetParameterValueString (id, &text, 8); } },
        { "get", [&] (AAX_CParamID id) { return effect.GetParameterNormalizedValue (id, &d); } },
        { "set", [&] (AAX_CParamID id) { return effect.SetParameterNormalizedValue (id, 0.5); } },
        { "relative", [&] (AAX_CParamID id) { return effect.SetParameterNormalizedRelative (id, 0.1); } },
        { "touch", [&] (AAX_CParamID id) { return effect.TouchParameter (id); } },
        { "release", [&] (AAX_CParamID id) { return effect.ReleaseParameter (id); } },
        { "update touch", [&] (AAX_CParamID id) { return effect.UpdateParameterTouch (id, 1); } },
        { "update", [&] (AAX_CParamID id) { return effect.UpdateParameterNormalizedValue (id, 0.5, 0); } },
        { "update relative", [&] (AAX_CParamID id) { return effect.UpdateParameterNormalizedRelative (id, 0.1); } },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (c.call ("24"), AAX_ERROR_INVALID_PARAMETER_ID) << c.what;
        EXPECT_EQ (c.call (nullptr), AAX_ERROR_INVALID_PARAMETER_ID) << c.what;
    }
    EXPECT_EQ (parameter, nullptr);

    EXPECT_EQ (effect.GetParameterName ("24", &text), AAX_SUCCESS);
    EXPECT_EQ (text.StdString(), "");
    text = "stale";
    EXPECT_EQ (effect.GetParameterNameOfLength ("24", &text, 8), AAX_SUCCESS);
    EXPECT_EQ (text.StdString(), "");
    EXPECT_EQ (effect.GetParameterNameOfLength ("0", nullptr, 8), AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F (EffectParameters, ListsItsParametersInRegistrationOrder)
{
    int32_t count = 0;
    EXPECT_EQ (effect.GetNumberOfParameters (&count), AAX_SUCCESS);
    EXPECT_EQ (count, 25);

    int32_t index = -1;
    EXPECT_EQ (effect.GetParameterIndex ("0", &index), AAX_SUCCESS);
    EXPECT_EQ (index, 0);
    EXPECT_EQ (effect.GetParameterIndex ("MasterBypassID", &index), AAX_SUCCESS);
    EXPECT_EQ (index, 24);

    AAX_CString id;
    EXPECT_EQ (effect.GetParameterIDFromIndex (23, &id), AAX_SUCCESS);
    EXPECT_EQ (id.StdString(), "23");
    EXPECT_EQ (effect.GetParameterIDFromIndex (-1, &id), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (id.StdString(), "");
    EXPECT_EQ (effect.GetParameterIDFromIndex (25, &id), AAX_ERROR_INVALID_PARAMETER_ID);

    AAX_CString bypass;
    EXPECT_EQ (effect.GetMasterBypassParameter (&bypass), AAX_SUCCESS);
    EXPECT_EQ (bypass.StdString(), "MasterBypassID");
    EXPECT_EQ (effect.filtered(), (std::set<std::string> { "MasterBypassID" }));
    // Every parameter registered with the host's delegate.
    EXPECT_EQ (context->automation().registered().size(), 25u);
}

TEST_F (EffectParameters, WithoutABypassParameterFiltersNothing)
{
    TestEffect plain (3, false);
    ASSERT_EQ (plain.Initialize (nullptr), AAX_SUCCESS);
    AAX_CString bypass ("stale");
    EXPECT_EQ (plain.GetMasterBypassParameter (&bypass), AAX_SUCCESS);
    EXPECT_EQ (bypass.StdString(), "");
    EXPECT_TRUE (plain.filtered().empty());
    EXPECT_EQ (plain.numChunkedParameters(), 3);
    plain.Uninitialize();
}

TEST_F (EffectParameters, InitializedTwiceRegistersItsParametersOnce)
{
    EXPECT_EQ (effect.Initialize (unknown()), AAX_ERROR_NOT_INITIALIZED);
    int32_t count = 0;
    effect.GetNumberOfParameters (&count);
    EXPECT_EQ (count, 25);
    EXPECT_EQ (effect.effectInits, 1);

    // After Uninitialize it may start again.
    effect.Uninitialize();
    EXPECT_EQ (effect.Initialize (unknown()), AAX_SUCCESS);
    effect.GetNumberOfParameters (&count);
    EXPECT_EQ (count, 25);
}

TEST_F (EffectParameters, AFailedInitializeLeavesItUninitializedSoThatARetryWorks)
{
    TestEffect failing;
    failing.initResult = AAX_ERROR_INVALID_ARGUMENT;
    EXPECT_EQ (failing.Initialize (unknown()), AAX_ERROR_INVALID_ARGUMENT);
    int32_t count = -1;
    failing.GetNumberOfParameters (&count);
    EXPECT_EQ (count, 0);
    EXPECT_EQ (failing.Controller(), nullptr);

    failing.initResult = AAX_SUCCESS;
    EXPECT_EQ (failing.Initialize (unknown()), AAX_SUCCESS);
    failing.GetNumberOfParameters (&count);
    EXPECT_EQ (count, 25);
    EXPECT_EQ (failing.effectInits, 2);
    EXPECT_EQ (failing.filtered(), (std::set<std::string> { "MasterBypassID" }));
    EXPECT_EQ (failing.numChunkedParameters(), 24);
    failing.Uninitialize();
}

TEST_F (EffectParameters, WithANullHostStillInitializesAndItsProxiesAnswerCodes)
{
    TestEffect alone;
    ASSERT_EQ (alone.Initialize (nullptr), AAX_SUCCESS);
    AAX_CSampleRate rate = 0.0f;
    EXPECT_EQ (alone.Controller()->GetSampleRate (&rate), AAX_ERROR_NULL_OBJECT);
    double tempo = 0.0;
    EXPECT_EQ (alone.Transport()->GetCurrentTempo (&tempo), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (alone.AutomationDelegate()->PostTouchRequest ("0"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (alone.GenerateCoefficients(), AAX_ERROR_NULL_OBJECT); // the bypass packet has nowhere to go

    // With no delegate to ask, a set takes effect at once.
    EXPECT_EQ (alone.SetParameterNormalizedValue ("3", 0.75), AAX_SUCCESS);
    double v = 0.0;
    alone.GetParameterNormalizedValue ("3", &v);
    EXPECT_EQ (v, 0.75);
    alone.Uninitialize();
}

TEST_F (EffectParameters, ASetIsAHostRequestThatTakesEffectWhenTheHostAnswers)
{
    context->automation().setMode (tarnello::host::HostAutomationDelegate::Mode::Queued);
    context->automation().clearEvents();
    const int32_t before = changes();

    EXPECT_EQ (effect.SetParameterNormalizedValue ("4", 0.75), AAX_SUCCESS);
    EXPECT_NEAR (value ("4"), 0.4, 1e-7);
    EXPECT_EQ (context->automation().events(),
               (std::vector<AutomationEvent> { { Kind::Touch, "4" }, { Kind::SetRequest, "4", 0.75 }, { Kind::Release, "4" } }));

    EXPECT_EQ (context->automation().pump(), 1);
    EXPECT_EQ (value ("4"), 0.75);
    EXPECT_EQ (changes(), before + 1);
    EXPECT_EQ (context->automation().events().back(), (AutomationEvent { Kind::CurrentValue, "4", 0.75 }));
}

TEST_F (EffectParameters, MovesRelativelyWithinTheRange)
{
    effect.UpdateParameterNormalizedValue ("1", 0.9, 0);
    EXPECT_EQ (effect.SetParameterNormalizedRelative ("1", 0.3), AAX_SUCCESS);
    EXPECT_EQ (value ("1"), 1.0);
    EXPECT_EQ (effect.SetParameterNormalizedRelative ("1", -2.0), AAX_SUCCESS);
    EXPECT_EQ (value ("1"), 0.0);
    EXPECT_EQ (effect.UpdateParameterNormalizedRelative ("1", 0.25), AAX_SUCCESS);
    EXPECT_EQ (value ("1"), 0.25);
    EXPECT_EQ (effect.UpdateParameterNormalizedRelative ("1", 5.0), AAX_SUCCESS);
    EXPECT_EQ (value ("1"), 1.0);
}

TEST_F (EffectParameters, CountsChangedHostValuesAndMarksPacketsEvenWhenUnchanged)
{
    EXPECT_EQ (effect.GenerateCoefficients(), AAX_SUCCESS);
    const size_t postsBefore = context->controller().packets().size();
    const int32_t before = changes();

    effect.UpdateParameterNormalizedValue ("MasterBypassID", 0.0, 0);
    EXPECT_EQ (changes(), before);
    EXPECT_EQ (effect.GenerateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (context->controller().packets().size(), postsBefore + 1);
    EXPECT_EQ (bypassPosted(), 0.0f);

    effect.UpdateParameterNormalizedValue ("MasterBypassID", 1.0, 0);
    EXPECT_EQ (changes(), before + 1);
    effect.GenerateCoefficients();
    EXPECT_EQ (bypassPosted(), 1.0f);

    // Nothing changed, nothing posted.
    const size_t postsNow = context->controller().packets().size();
    EXPECT_EQ (effect.GenerateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (context->controller().packets().size(), postsNow);
}

TEST_F (EffectParameters, TakesNoNaNFromTheHost)
{
    effect.UpdateParameterNormalizedValue ("2", 0.5, 0);
    const int32_t before = changes();
    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("2", std::nan (""), 0), AAX_SUCCESS);
    EXPECT_EQ (value ("2"), 0.0);
    EXPECT_EQ (changes(), before + 1);

    EXPECT_EQ (effect.SetParameterNormalizedValue ("2", std::nan ("")), AAX_SUCCESS);
    EXPECT_EQ (value ("2"), 0.0);
    EXPECT_EQ (effect.SetParameterDefaultNormalizedValue ("2", std::nan ("")), AAX_SUCCESS);
    double d = -1.0;
    effect.GetParameterDefaultNormalizedValue ("2", &d);
    EXPECT_EQ (d, 0.0);
}

TEST_F (EffectParameters, DescribesItsParameters)
{
    AAX_CBoolean automatable = 0;
    int32_t steps = 0;
    AAX_EParameterType type = -1;
    AAX_EParameterOrientation orientation = -1;
    double d = 0.0;
    EXPECT_EQ (effect.GetParameterIsAutomatable ("3", &automatable), AAX_SUCCESS);
    EXPECT_TRUE (automatable);
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("3", &steps), AAX_SUCCESS);
    EXPECT_EQ (steps, 128);
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("MasterBypassID", &steps), AAX_SUCCESS);
    EXPECT_EQ (steps, 2);
    EXPECT_EQ (effect.GetParameterType ("MasterBypassID", &type), AAX_SUCCESS);
    EXPECT_EQ (type, AAX_eParameterType_Discrete);
    EXPECT_EQ (effect.GetParameterOrientation ("3", &orientation), AAX_SUCCESS);
    EXPECT_EQ (orientation, 0);
    EXPECT_EQ (effect.GetParameterDefaultNormalizedValue ("3", &d), AAX_SUCCESS);
    EXPECT_NEAR (d, 0.3, 1e-7);

    AAX_IParameter* parameter = nullptr;
    ASSERT_EQ (effect.GetParameter ("3", &parameter), AAX_SUCCESS);
    parameter->SetNumberOfSteps (0x80000000u);
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("3", &steps), AAX_ERROR_SIGNED_INT_OVERFLOW);

    int32_t info = 7;
    EXPECT_EQ (effect.GetParameterValueInfo ("3", 0, &info), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (info, 0);
}

TEST_F (EffectParameters, TurnsValuesIntoTextAndBack)
{
    effect.UpdateParameterNormalizedValue ("6", 0.5, 0);
    AAX_CString text;
    EXPECT_EQ (effect.GetParameterStringFromValue ("6", 0.25, &text, 8), AAX_SUCCESS);
    EXPECT_EQ (text.StdString(), "0.250");
    EXPECT_EQ (effect.GetParameterStringFromValue ("6", 0.25, &text, 3), AAX_SUCCESS);
    EXPECT_EQ (text.StdString(), "0.2");
    EXPECT_EQ (effect.GetParameterValueString ("6", &text, 2), AAX_SUCCESS);
    EXPECT_EQ (text.StdString(), "0.500");

    double position = 0.0;
    EXPECT_EQ (effect.GetParameterValueFromString ("6", &position, AAX_CString ("0.125")), AAX_SUCCESS);
    EXPECT_EQ (position, 0.125);
    EXPECT_EQ (effect.GetParameterValueFromString ("6", &position, AAX_CString ("soft")),
               AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F (EffectParameters, NamesTheLongestLineThatFitsTheLengthAsked)
{
    AAX_IParameter* parameter = nullptr;
    ASSERT_EQ (effect.GetParameter ("9", &parameter), AAX_SUCCESS);
    parameter->SetName (AAX_CString ("Feedback Amount"));
    parameter->ClearShortenedNames();
    parameter->AddShortenedName (AAX_CString ("Fdbk\nFeedbk\nFb"));

    struct Case { int32_t length; const char* expected; };
    const Case cases[] = { { 6, "Feedbk" }, { 5, "Fdbk" }, { 3, "Fb" }, { 1, "F" }, { 0, "" }, { -3, "" },
                           { 20, "Feedback Amount" } };
    for (const auto& c : cases)
    {
        AAX_CString name ("stale");
        EXPECT_EQ (effect.GetParameterNameOfLength ("9", &name, c.length), AAX_SUCCESS);
        EXPECT_EQ (name.StdString(), c.expected) << c.length;
    }

    AAX_CString full;
    EXPECT_EQ (effect.GetParameterName ("9", &full), AAX_SUCCESS);
    EXPECT_EQ (full.StdString(), "Feedback Amount");
}

TEST_F (EffectParameters, TouchesAndReleasesThroughTheHost)
{
    context->automation().clearEvents();
    EXPECT_EQ (effect.TouchParameter ("5"), AAX_SUCCESS);
    EXPECT_TRUE (context->automation().isTouched ("5"));
    EXPECT_EQ (effect.ReleaseParameter ("5"), AAX_SUCCESS);
    EXPECT_FALSE (context->automation().isTouched ("5"));
    EXPECT_EQ (effect.UpdateParameterTouch ("5", 1), AAX_SUCCESS);
    EXPECT_EQ (context->automation().events(),
               (std::vector<AutomationEvent> { { Kind::Touch, "5" }, { Kind::Release, "5" } }));
}

TEST_F (EffectParameters, ReadsThePreviewStateOnlyFromAWholeWord)
{
    // A preview word shorter than four bytes is ignored, not read past its end.
    const auto shortData = std::make_unique<uint8_t[]> (2);
    EXPECT_EQ (effect.NotificationReceived (AAX_CEffectParameters::kPreviewNotification, shortData.get(), 2),
               AAX_SUCCESS);
    EXPECT_EQ (effect.NotificationReceived (AAX_CEffectParameters::kPreviewNotification, nullptr, 4), AAX_SUCCESS);
    const int32_t on = 1;
    EXPECT_EQ (effect.NotificationReceived (AAX_CEffectParameters::kPreviewNotification, &on, sizeof (on)),
               AAX_SUCCESS);
    EXPECT_EQ (effect.NotificationReceived (0x12345678, nullptr, 0), AAX_SUCCESS);
}

TEST_F (EffectParameters, ZeroesFieldDataAndLeavesTheRestUnimplemented)
{
    uint8_t block[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    EXPECT_EQ (effect.ResetFieldData (4, block, sizeof (block)), AAX_SUCCESS);
    EXPECT_EQ (std::vector<uint8_t> (block, block + 8), std::vector<uint8_t> (8, 0));
    EXPECT_EQ (effect.ResetFieldData (4, nullptr, 8), AAX_ERROR_NULL_ARGUMENT);

    float curve = 0.0f;
    uint32_t ids = 0;
    uint32_t size = 9;
    AAX_CMidiPacket packet {};
    EXPECT_EQ (effect.GetCurveData (0, &curve, 1, &curve), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.GetCurveDataMeterIds (0, &ids, &ids), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.GetCurveDataDisplayRange (0, &curve, &curve, &curve, &curve), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.RenderAudio_Hybrid (nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.GetCustomData (0, 4, &curve, &size), AAX_SUCCESS);
    EXPECT_EQ (size, 0u);
    EXPECT_EQ (effect.SetCustomData (0, 4, &curve), AAX_SUCCESS);
    EXPECT_EQ (effect.TimerWakeup(), AAX_SUCCESS);
    EXPECT_EQ (effect.DoMIDITransfers(), AAX_SUCCESS);
    EXPECT_EQ (effect.UpdateMIDINodes (0, packet), AAX_SUCCESS);
    EXPECT_EQ (effect.UpdateControlMIDINodes (0, packet), AAX_SUCCESS);
}

TEST_F (EffectParameters, MapsNoPageTableButAsksForOne)
{
    EXPECT_EQ (effect.UpdatePageTable (0, 8, unknown(), nullptr), AAX_SUCCESS);

    AAX_IPageTable* table = effect.Controller()->CreateTableCopyForEffect (0x486C7672, 0x54726E6C, 0x54726E31, 0, 8);
    ASSERT_NE (table, nullptr);
    delete table;

    void* raw = nullptr;
    ASSERT_EQ (standIn->createInstance (AAXCompID_PageTable, nullptr, IID_IAAXPageTableV2, &raw), ACF_OK);
    auto* hostTable = static_cast<IAAXPageTableV2*> (raw);
    EXPECT_EQ (effect.UpdatePageTable (0, 8, unknown(), hostTable), AAX_ERROR_UNIMPLEMENTED);
    hostTable->Release();
}

TEST_F (EffectParameters, AnswersTheFourInterfaceVersionsWithItself)
{
    void* out = nullptr;
    for (const auto& iid : { IID_IAAXEffectParametersV1, IID_IAAXEffectParametersV2, IID_IAAXEffectParametersV3,
                             IID_IAAXEffectParametersV4 })
    {
        ASSERT_EQ (effect.QueryInterface (iid, &out), ACF_OK);
        EXPECT_EQ (out, static_cast<AAX_IACFEffectParameters_V4*> (&effect));
    }
    EXPECT_EQ (effect.ReferenceCount(), 4u);
    ASSERT_EQ (effect.QueryInterface (IID_IACFUnknown, &out), ACF_OK);
    EXPECT_EQ (out, effect.GetPrivateUnknown());
    EXPECT_EQ (effect.QueryInterface (IID_IAAXEffectGUIV1, &out), ACF_E_NOINTERFACE);
    EXPECT_EQ (out, nullptr);
    // Hand the references back without letting the count of this stack object reach 0.
    for (int i = 0; i < 4; ++i)
        effect.Release();
    EXPECT_EQ (effect.ReferenceCount(), 1u);
}

TEST_F (EffectParameters, UninitializeLetsGoOfEveryParameterAndHostReference)
{
    effect.Uninitialize();
    int32_t count = -1;
    effect.GetNumberOfParameters (&count);
    EXPECT_EQ (count, 0);
    EXPECT_EQ (effect.Controller(), nullptr);
    EXPECT_TRUE (context->automation().registered().empty());
    EXPECT_EQ (context->referenceCount(), 1u);
}
} // namespace
