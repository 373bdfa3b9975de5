#include "tests/aax/RuntimeTestSupport.h"

#include <cmath>
#include <limits>

namespace
{
using namespace tarnello::test;

// What a parameter asked of its automation delegate, in order.
class RecordingDelegate : public AAX_IAutomationDelegate
{
public:
    struct Call
    {
        std::string what;
        std::string id;
        double value = 0.0;
        bool operator== (const Call& other) const { return what == other.what && id == other.id && value == other.value; }
    };

    AAX_Result RegisterParameter (AAX_CParamID id) override { return add ("register", id); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override { return add ("unregister", id); }
    AAX_Result PostSetValueRequest (AAX_CParamID id, double value) const override { return add ("set", id, value); }
    AAX_Result PostCurrentValue (AAX_CParamID id, double value) const override { return add ("current", id, value); }
    AAX_Result PostTouchRequest (AAX_CParamID id) override { return add ("touch", id); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override { return add ("release", id); }
    AAX_Result GetTouchState (AAX_CParamID, AAX_CBoolean*) override { return AAX_SUCCESS; }

    mutable std::vector<Call> calls;

private:
    AAX_Result add (const char* what, AAX_CParamID id, double value = 0.0) const
    {
        calls.push_back ({ what, id, value });
        return AAX_SUCCESS;
    }
};

FloatParameter makeParameter (const char* id = "4", const char* name = "Time", float defaultValue = 0.25f)
{
    return FloatParameter (id, AAX_CString (name), defaultValue, LinearTaper(), NumberDisplay(), true);
}

std::string text (const AAX_CString& s)
{
    return s.StdString();
}

//==============================================================================
TEST (LinearTaper, ConstrainsEveryValueIntoItsBoundsAndNaNToTheMinimum)
{
    const LinearTaper taper (0.0f, 1.0f);
    struct Case { float in; float out; };
    const Case cases[] = { { 0.3f, 0.3f }, { 1.7f, 1.0f }, { -0.2f, 0.0f },
                           { std::numeric_limits<float>::quiet_NaN(), 0.0f },
                           { std::numeric_limits<float>::infinity(), 1.0f },
                           { -std::numeric_limits<float>::infinity(), 0.0f } };
    for (const auto& c : cases)
        EXPECT_EQ (taper.ConstrainRealValue (c.in), c.out) << c.in;

    EXPECT_EQ (taper.NormalizedToReal (std::nan ("")), 0.0f);
    EXPECT_EQ (taper.RealToNormalized (std::numeric_limits<float>::quiet_NaN()), 0.0);
}

TEST (LinearTaper, WithEqualBoundsGivesTheMiddlePositionAndTheMinimum)
{
    const LinearTaper taper (2.0f, 2.0f);
    EXPECT_EQ (taper.RealToNormalized (7.0f), 0.5);
    EXPECT_EQ (taper.RealToNormalized (-3.0f), 0.5);
    EXPECT_EQ (taper.NormalizedToReal (0.9), 2.0f);
}

TEST (LinearTaper, MapsBetweenPositionAndRealValueInDouble)
{
    const LinearTaper taper (-10.0f, 30.0f);
    EXPECT_EQ (taper.NormalizedToReal (0.25), 0.0f);
    EXPECT_EQ (taper.RealToNormalized (20.0f), 0.75);
    EXPECT_EQ (taper.NormalizedToReal (2.0), 30.0f);
}

//==============================================================================
TEST (NumberDisplay, WritesThreeDecimalsAndCutsToTheLengthAsked)
{
    const NumberDisplay display;
    struct Case { float value; int32_t maxLength; const char* expected; };
    const Case cases[] = {
        { 0.5f, -1000, "" },   // no room at all
        { 0.5f, 0, "" },
        { 0.5f, 4, "0.50" },
        { 12.5f, 3, "12" },    // the cut would end on the point
        { 12.5f, 2, "12" },
        { 0.5f, 5, "0.500" },
        { 0.5f, 99, "0.500" },
        { -1.0f, 6, "-1.000" },
    };
    for (const auto& c : cases)
    {
        AAX_CString out ("stale");
        EXPECT_TRUE (display.ValueToString (c.value, c.maxLength, &out));
        EXPECT_EQ (text (out), c.expected) << c.value << " in " << c.maxLength;
    }

    AAX_CString full ("stale");
    EXPECT_TRUE (display.ValueToString (0.5f, &full));
    EXPECT_EQ (text (full), "0.500");
}

TEST (NumberDisplay, ReadsANumberFromTheStartOfATextOrFails)
{
    const NumberDisplay display;
    struct Case { const char* in; bool ok; float value; };
    const Case cases[] = { { "0.25 dB", true, 0.25f }, { "  -3", true, -3.0f }, { "abc", false, 0.0f },
                           { "", false, 0.0f },       { "nan", false, 0.0f },   { "1e999", false, 0.0f } };
    for (const auto& c : cases)
    {
        float value = 99.0f;
        EXPECT_EQ (display.StringToValue (AAX_CString (c.in), &value), c.ok) << c.in;
        EXPECT_EQ (value, c.value) << c.in;
    }
}

//==============================================================================
class ParameterTest : public HostFixture
{
};

TEST_F (ParameterTest, StartsContinuousWith128StepsAtItsDefault)
{
    auto parameter = makeParameter();
    EXPECT_EQ (parameter.GetType(), AAX_eParameterType_Continuous);
    EXPECT_EQ (parameter.GetNumberOfSteps(), 128u);
    EXPECT_EQ (parameter.GetOrientation(), 0);
    EXPECT_FLOAT_EQ (parameter.GetValue(), 0.25f);
    EXPECT_DOUBLE_EQ (parameter.GetNormalizedDefaultValue(), 0.25);
    EXPECT_TRUE (parameter.Automatable());
    EXPECT_TRUE (assertNotes().empty());
}

TEST_F (ParameterTest, CutsALongIdentifierTo31CharactersAndReportsIt)
{
    const std::string longID (40, 'x');
    auto parameter = makeParameter (longID.c_str());
    EXPECT_EQ (std::string (parameter.Identifier()), std::string (31, 'x'));
    EXPECT_EQ (assertNotes(), std::vector<std::string> { "len < eParemeterDefaultMaxIdentifierSize" });

    std::unique_ptr<AAX_IParameterValue> value (parameter.CloneValue());
    EXPECT_EQ (std::string (value->Identifier()), std::string (31, 'x'));
    float real = 0.0f;
    EXPECT_TRUE (value->GetValueAsFloat (&real));
    EXPECT_FLOAT_EQ (real, 0.25f);
}

TEST_F (ParameterTest, RefusesZeroStepsAndReportsIt)
{
    auto parameter = makeParameter();
    parameter.SetNumberOfSteps (0);
    EXPECT_EQ (parameter.GetNumberOfSteps(), 128u);
    EXPECT_EQ (assertNotes(), std::vector<std::string> { "0 < numSteps" });
}

TEST_F (ParameterTest, MapsStepsAndPositions)
{
    auto parameter = makeParameter();
    EXPECT_EQ (parameter.GetNormalizedValueFromStep (127), 1.0);
    EXPECT_EQ (parameter.GetNormalizedValueFromStep (200), 1.0);
    EXPECT_EQ (parameter.GetStepValueFromNormalizedValue (0.5), 64u);
    EXPECT_EQ (parameter.GetStepValueFromNormalizedValue (-3.0), 0u);
    EXPECT_EQ (parameter.GetStepValueFromNormalizedValue (7.0), 127u);
    EXPECT_EQ (parameter.GetStepValueFromNormalizedValue (std::nan ("")), 0u);

    parameter.SetStepValue (127);
    EXPECT_EQ (parameter.GetValue(), 1.0f);
    EXPECT_EQ (parameter.GetStepValue(), 127u);
}

TEST_F (ParameterTest, WithFewerThanTwoStepsHasNoSteps)
{
    auto parameter = makeParameter();
    parameter.SetNumberOfSteps (1);
    EXPECT_EQ (parameter.GetNormalizedValueFromStep (1), 0.0);
    EXPECT_EQ (parameter.GetStepValueFromNormalizedValue (1.0), 0u);
    parameter.SetStepValue (1);
    EXPECT_FLOAT_EQ (parameter.GetValue(), 0.25f);
}

TEST_F (ParameterTest, ChoosesTheLongestShortenedNameThatFitsElseTheShortest)
{
    auto parameter = makeParameter ("8", "Feedback Amount");
    parameter.AddShortenedName (AAX_CString ("Fdbk"));
    parameter.AddShortenedName (AAX_CString ("Feedback"));
    struct Case { int32_t length; const char* expected; };
    const Case cases[] = { { 6, "Fdbk" }, { 2, "Fdbk" }, { 4, "Fdbk" }, { 8, "Feedback" }, { 14, "Feedback" },
                           { 15, "Feedback Amount" }, { 40, "Feedback Amount" }, { -1, "Feedback Amount" } };
    for (const auto& c : cases)
        EXPECT_EQ (text (parameter.ShortenedName (c.length)), c.expected) << c.length;

    parameter.AddShortenedName (AAX_CString ("Fbak"));
    EXPECT_EQ (text (parameter.ShortenedName (5)), "Fbak");
    parameter.ClearShortenedNames();
    EXPECT_EQ (text (parameter.ShortenedName (5)), "Feedback Amount");
}

TEST_F (ParameterTest, WithoutADelegateSetsAtOnceThroughTheTaper)
{
    auto parameter = makeParameter();
    struct Case { double in; float real; };
    const Case cases[] = { { 1.7, 1.0f }, { -0.2, 0.0f }, { 0.5, 0.5f }, { std::nan (""), 0.0f } };
    for (const auto& c : cases)
    {
        parameter.SetNormalizedValue (c.in);
        EXPECT_EQ (parameter.GetValue(), c.real) << c.in;
    }

    EXPECT_TRUE (parameter.SetValueWithFloat (0.75f));
    EXPECT_EQ (parameter.GetValue(), 0.75f);
    EXPECT_TRUE (parameter.SetValueFromString (AAX_CString ("0.125 ms")));
    EXPECT_EQ (parameter.GetValue(), 0.125f);
    EXPECT_FALSE (parameter.SetValueFromString (AAX_CString ("loud")));
    EXPECT_EQ (parameter.GetValue(), 0.125f);
    EXPECT_TRUE (parameter.SetValueWithString (AAX_CString ("0.5")));
    EXPECT_EQ (parameter.GetValue(), 0.5f);

    parameter.SetValueWithFloat (0.9f);
    parameter.SetToDefaultValue();
    EXPECT_EQ (parameter.GetValue(), 0.25f);
}

TEST_F (ParameterTest, WithADelegateAsksTheHostAndWaitsForItsAnswer)
{
    RecordingDelegate delegate;
    auto parameter = makeParameter();
    parameter.SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    EXPECT_TRUE (parameter.SetValueWithFloat (0.75f));
    EXPECT_FLOAT_EQ (parameter.GetValue(), 0.25f);
    using Call = RecordingDelegate::Call;
    EXPECT_EQ (delegate.calls, (std::vector<Call> { { "touch", "4" }, { "set", "4", 0.75 }, { "release", "4" } }));

    delegate.calls.clear();
    parameter.UpdateNormalizedValue (0.75);
    EXPECT_EQ (parameter.GetValue(), 0.75f);
    EXPECT_EQ (delegate.calls, (std::vector<Call> { { "current", "4", 0.75 } }));
}

TEST_F (ParameterTest, ReportsAnUnchangedValueOnlyWhileANotifyIsPending)
{
    RecordingDelegate delegate;
    auto parameter = makeParameter();
    parameter.SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    parameter.UpdateNormalizedValue (0.25);
    EXPECT_TRUE (delegate.calls.empty());

    // A new taper always reports, even when the real value stays.
    LinearTaper sameTaper (0.0f, 1.0f);
    parameter.SetTaperDelegate (sameTaper, false);
    ASSERT_EQ (delegate.calls.size(), 1u);
    EXPECT_EQ (delegate.calls[0].what, "current");
    EXPECT_DOUBLE_EQ (delegate.calls[0].value, 0.25);
}

TEST_F (ParameterTest, ReportsAHostValueOutsideTheRangeAsThePositionItStored)
{
    RecordingDelegate delegate;
    auto parameter = makeParameter();
    parameter.SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    parameter.UpdateNormalizedValue (1.7);
    parameter.UpdateNormalizedValue (std::nan (""));
    EXPECT_EQ (parameter.GetValue(), 0.0f);
    using Call = RecordingDelegate::Call;
    EXPECT_EQ (delegate.calls, (std::vector<Call> { { "current", "4", 1.0 }, { "current", "4", 0.0 } }));
}

TEST_F (ParameterTest, TaperChangeKeepsThePositionOrTheRealValue)
{
    auto parameter = makeParameter();
    parameter.SetValueWithFloat (0.5f);

    LinearTaper wider (0.0f, 2.0f);
    parameter.SetTaperDelegate (wider, false);
    EXPECT_EQ (parameter.GetValue(), 1.0f);
    EXPECT_EQ (parameter.GetNormalizedValue(), 0.5);

    LinearTaper widest (0.0f, 4.0f);
    parameter.SetTaperDelegate (widest, true);
    EXPECT_EQ (parameter.GetValue(), 1.0f);
    EXPECT_EQ (parameter.GetNormalizedValue(), 0.25);
}

TEST_F (ParameterTest, FormatsTheValueItIsAskedAboutNotTheCurrentOne)
{
    auto parameter = makeParameter();
    AAX_CString out;
    EXPECT_TRUE (parameter.GetStringFromNormalizedValue (0.75, out));
    EXPECT_EQ (text (out), "0.750");
    EXPECT_TRUE (parameter.GetStringFromNormalizedValue (0.75, 4, out));
    EXPECT_EQ (text (out), "0.75");
    EXPECT_TRUE (parameter.GetValueString (&out));
    EXPECT_EQ (text (out), "0.250");
    EXPECT_TRUE (parameter.GetValueString (2, &out)); // the current text is never shortened
    EXPECT_EQ (text (out), "0.250");

    AAX_CString host;
    EXPECT_TRUE (parameter.GetValueAsString (&host));
    EXPECT_EQ (text (host), "0.250");
    EXPECT_FALSE (parameter.GetValueAsString (nullptr));

    double position = 0.0;
    EXPECT_TRUE (parameter.GetNormalizedValueFromString (AAX_CString ("0.4"), &position));
    EXPECT_NEAR (position, 0.4, 1e-7);
    EXPECT_FALSE (parameter.GetNormalizedValueFromString (AAX_CString ("x"), &position));
}

TEST_F (ParameterTest, HasNoBoolIntegerOrDoubleForm)
{
    auto parameter = makeParameter();
    bool b = false;
    int32_t i = 0;
    double d = 0.0;
    EXPECT_FALSE (parameter.GetValueAsBool (&b));
    EXPECT_FALSE (parameter.GetValueAsInt32 (&i));
    EXPECT_FALSE (parameter.GetValueAsDouble (&d));
    EXPECT_FALSE (parameter.SetValueWithBool (true));
    EXPECT_FALSE (parameter.SetValueWithInt32 (1));
    EXPECT_FALSE (parameter.SetValueWithDouble (1.0));
    EXPECT_FALSE (parameter.GetNormalizedValueFromBool (true, &d));
    EXPECT_FALSE (parameter.GetNormalizedValueFromInt32 (1, &d));
    EXPECT_FALSE (parameter.GetNormalizedValueFromDouble (1.0, &d));
    EXPECT_FALSE (parameter.GetBoolFromNormalizedValue (1.0, &b));
    EXPECT_FALSE (parameter.GetInt32FromNormalizedValue (1.0, &i));
    EXPECT_FALSE (parameter.GetDoubleFromNormalizedValue (1.0, &d));
    EXPECT_FLOAT_EQ (parameter.GetValue(), 0.25f);

    float f = 0.0f;
    EXPECT_TRUE (parameter.GetFloatFromNormalizedValue (0.5, &f));
    EXPECT_EQ (f, 0.5f);
    EXPECT_TRUE (parameter.GetNormalizedValueFromFloat (0.75f, &d));
    EXPECT_EQ (d, 0.75);
}

TEST_F (ParameterTest, RegistersWithItsDelegateAndUnregistersWhenItGoes)
{
    RecordingDelegate first;
    RecordingDelegate second;
    using Call = RecordingDelegate::Call;
    {
        auto parameter = makeParameter ("7");
        parameter.SetAutomationDelegate (&first);
        parameter.SetAutomationDelegate (&second);
        parameter.Touch();
        parameter.Release();
        parameter.SetDisplayDelegate (*std::make_unique<NumberDisplay>());
    }
    EXPECT_EQ (first.calls, (std::vector<Call> { { "register", "7" }, { "unregister", "7" } }));
    EXPECT_EQ (second.calls, (std::vector<Call> { { "register", "7" }, { "touch", "7" }, { "release", "7" },
                                                  { "current", "7", 0.25 }, { "unregister", "7" } }));
}
} // namespace
