#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "tests/framework/FakeModule.h"
#include "framework/HostParameter.h"
#include "framework/ModuleFloatParam.h"
#include "framework/ModuleIntParam.h"

namespace
{
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

struct CountingListener : ModuleParam::Listener
{
    void parameterChanged (ModuleParam* p) override
    {
        ++changes;
        seen.push_back (p->getValue());
    }
    void paramEndChangeGesture (ModuleParam*) override { ++gestureEnds; }

    int changes = 0;
    int gestureEnds = 0;
    std::vector<double> seen;
};

struct Kind
{
    bool isFloat, isInt, isEnum, isBool;
};

void expectKind (const ModuleParam& p, Kind k)
{
    EXPECT_EQ (p.isFloat, k.isFloat);
    EXPECT_EQ (p.isInt, k.isInt);
    EXPECT_EQ (p.isEnum, k.isEnum);
    EXPECT_EQ (p.isBool, k.isBool);
}
} // namespace

TEST (ModuleParam, DecimalsFollowTheStep)
{
    struct Case
    {
        double step;
        int decimals;
    };
    const Case cases[] = { { 1.0, 0 }, { 0.0, 0 }, { 10.0, 0 }, { 0.1, 1 }, { 0.5, 1 }, { 2.5, 1 },
                           { 0.01, 2 }, { 0.25, 2 }, { 0.005, 3 }, { 0.001, 3 }, { 0.0001, 4 }, { 0.0005, 4 } };
    for (const auto& c : cases)
    {
        EXPECT_EQ (ModuleParam::decimalsForStep (c.step), c.decimals) << c.step;
        ModuleFloatParam p (nullptr, "P", 0.0, 0.0, 10.0, c.step, {});
        EXPECT_EQ (p.getDecimals(), c.decimals) << c.step;
    }
}

TEST (ModuleParam, ConstructorsSetFieldsAndExactlyOneKind)
{
    CountingListener l;
    ModuleFloatParam f (&l, "Mix", 0.3, 0.0, 1.0, 0.01, "%");
    EXPECT_EQ (f.name, "Mix");
    EXPECT_EQ (f.unit, "%");
    EXPECT_DOUBLE_EQ (f.getValue(), 0.3);
    EXPECT_DOUBLE_EQ (f.defaultValue, 0.3);
    EXPECT_DOUBLE_EQ (f.range.start, 0.0);
    EXPECT_DOUBLE_EQ (f.range.end, 1.0);
    EXPECT_DOUBLE_EQ (f.range.interval, 0.01);
    EXPECT_EQ (f.listener, &l);
    EXPECT_EQ (f.getHostParameter(), nullptr);
    EXPECT_TRUE (f.exposeToHost);
    EXPECT_TRUE (f.saveInState);
    EXPECT_TRUE (f.enabled);
    EXPECT_TRUE (f.spaceBeforeUnit);
    EXPECT_FALSE (f.metaParameter);
    EXPECT_EQ (f.paramIndex, 1);
    EXPECT_EQ (f.paramRanges, nullptr);
    expectKind (f, { true, false, false, false });

    ModuleIntParam i (&l, "Steps", 3.0, 1.0, 16.0, 0.5, {});
    EXPECT_EQ (i.getDecimals(), 0); // whatever the step
    expectKind (i, { false, true, false, false });

    ModuleEnumParam e (&l, "Mode", { "A", "B", "C" });
    EXPECT_DOUBLE_EQ (e.getValue(), 0.0);
    EXPECT_DOUBLE_EQ (e.range.end, 2.0);
    EXPECT_DOUBLE_EQ (e.range.interval, 1.0);
    EXPECT_TRUE (e.unit.isEmpty());
    expectKind (e, { false, false, true, false });

    ModuleBoolParam b (&l, "Low Cut", "Off", "On");
    EXPECT_EQ (b.choices, juce::StringArray ({ "Off", "On" }));
    EXPECT_DOUBLE_EQ (b.getValue(), 0.0);
    expectKind (b, { false, false, false, true });

    ModuleEnumValParam v (&l, "Note", { "1/4", "1/8" }, { 0.25, 0.125 });
    EXPECT_EQ (v.values.size(), 2);
    EXPECT_DOUBLE_EQ (v.values[1], 0.125);
    expectKind (v, { false, false, true, false });

    EXPECT_EQ (l.changes, 0); // construction tells no one
}

TEST (ModuleParam, ConstructorDoesNotSnapTheDefault)
{
    ModuleFloatParam p (nullptr, "P", 0.33, 0.0, 1.0, 0.1, {});
    EXPECT_DOUBLE_EQ (p.getValue(), 0.33);
}

TEST (ModuleParam, SetValueSnapsAndClamps)
{
    struct Case
    {
        double step, in, stored;
    };
    const Case cases[] = {
        { 0.5, 37.3, 37.5 }, { 0.5, 37.2, 37.0 }, { 0.5, 120.0, 100.0 }, { 0.5, -5.0, 0.0 },
        { 0.0, 37.3, 37.3 }, { 0.0, 100.0, 100.0 }, { 0.0, 100.5, 100.0 }, { 0.0, -0.1, 0.0 },
        { 3.0, 99.0, 99.0 }, { 3.0, 100.0, 99.0 }, { 3.0, 101.0, 100.0 }, // off-grid end: snap, then clamp
    };
    for (const auto& c : cases)
    {
        ModuleFloatParam p (nullptr, "P", 50.0, 0.0, 100.0, c.step, {});
        p.setValue (c.in);
        EXPECT_DOUBLE_EQ (p.getValue(), c.stored) << "step " << c.step << " in " << c.in;
    }
}

TEST (ModuleParam, NonFiniteValuesAreIgnored)
{
    CountingListener l;
    FakeModule m (nullptr);
    ModuleFloatParam p (&l, "P", 50.0, 0.0, 100.0, 0.5, {});

    for (double bad : { notANumber, infinity, -infinity })
    {
        p.setValue (bad);
        p.setNormalized (bad, false);
        p.setNormalized (bad, true);
        p.setValueNotifyingHost (bad);
        m.time->setValue (bad);
        m.time->setNormalized (bad, false);
    }

    EXPECT_DOUBLE_EQ (p.getValue(), 50.0);
    EXPECT_DOUBLE_EQ (m.time->getValue(), 240.0);
    EXPECT_EQ (l.changes, 0);
    EXPECT_EQ (m.changeCount.load(), 0);
}

TEST (ModuleParam, SameValueTwiceTellsTheListenerOnce)
{
    CountingListener l;
    ModuleFloatParam p (&l, "P", 0.0, 0.0, 10.0, 1.0, {});
    p.setValue (4.0);
    p.setValue (4.0);
    p.setValue (4.2); // snaps to 4 again
    EXPECT_EQ (l.changes, 1);
    p.setValue (5.0);
    EXPECT_EQ (l.changes, 2);
    EXPECT_EQ (l.seen, (std::vector<double> { 4.0, 5.0 }));
}

TEST (ModuleParam, CustomSnapIsClampedToTheRange)
{
    FakeModule m (nullptr);
    struct Case
    {
        double in, stored;
    };
    const Case cases[] = { { 123.4, 123.0 }, { 12.34, 12.3 }, { 99.96, 100.0 }, { -1.0, 0.0 }, { -5.0, 0.0 },
                           { 5000.0, 4000.0 }, { 4000.4, 4000.0 } };
    for (const auto& c : cases)
    {
        m.time->setValue (c.in);
        EXPECT_DOUBLE_EQ (m.time->getValue(), c.stored) << c.in;
    }

    // A snap that leaves the range, or yields no number, still can't store one.
    ModuleFloatParam p (nullptr, "P", 1.0, 0.0, 10.0, 0.0, {});
    p.setParamRanges (nullptr, [] (double, double, double v) { return v * 100.0; });
    p.setValue (5.0);
    EXPECT_DOUBLE_EQ (p.getValue(), 10.0);
    p.setParamRanges (nullptr, [] (double, double, double) { return std::numeric_limits<double>::quiet_NaN(); });
    p.setValue (3.0);
    EXPECT_DOUBLE_EQ (p.getValue(), 10.0);
}

TEST (ModuleParam, NormalisedConversionsClampBothSides)
{
    FakeModule m (nullptr);
    auto& gain = *m.gain; // 0..2, step 0.01

    EXPECT_DOUBLE_EQ (gain.getNormalized(), 0.5);
    EXPECT_DOUBLE_EQ (gain.getNormalizedFor (1.5), 0.75);
    EXPECT_DOUBLE_EQ (gain.getNormalizedFor (-1.0), 0.0);
    EXPECT_DOUBLE_EQ (gain.getNormalizedFor (5.0), 1.0);
    EXPECT_DOUBLE_EQ (gain.getNormalizedFor (notANumber), 0.0);
    EXPECT_DOUBLE_EQ (gain.getRealValueFor (0.25), 0.5);
    EXPECT_DOUBLE_EQ (gain.getRealValueFor (2.0), 2.0);
    EXPECT_DOUBLE_EQ (gain.getRealValueFor (-3.0), 0.0);

    gain.setNormalized (0.3333, false);
    EXPECT_DOUBLE_EQ (gain.getValue(), 0.67); // snapped to the step
}

TEST (ModuleParam, CurvedRangeNeverGivesNaN)
{
    FakeModule m (nullptr);
    auto& time = *m.time;

    // Below the curve's start a power of a negative number would be NaN.
    for (double v : { -1.0, -5.0, -1e9 })
        EXPECT_DOUBLE_EQ (time.getNormalizedFor (v), 0.0) << v;
    EXPECT_DOUBLE_EQ (time.getNormalizedFor (9999.0), 1.0);
    EXPECT_DOUBLE_EQ (time.getNormalizedFor (1000.0), 0.7);
    EXPECT_DOUBLE_EQ (time.getRealValueFor (0.5), 500.0);

    time.setNormalized (0.25, false);
    EXPECT_DOUBLE_EQ (time.getValue(), std::round (500.0 * std::pow (0.5, 1.0 / 0.7))); // whole numbers above 100

    time.setNormalized (-0.5, false);
    EXPECT_DOUBLE_EQ (time.getValue(), 0.0);
}

TEST (ModuleParam, SetParamRangesReplacesTheCurveAndKeepsTheEnds)
{
    FakeModule m (nullptr);
    auto& time = *m.time;
    EXPECT_DOUBLE_EQ (time.range.start, 0.0);
    EXPECT_DOUBLE_EQ (time.range.end, 4000.0);
    EXPECT_DOUBLE_EQ (time.range.interval, 0.0);

    time.setParamRanges (new ParamRanges (0.0, 4000.0), {});
    EXPECT_DOUBLE_EQ (time.getNormalizedFor (1000.0), 0.25); // no segments: a straight line
    time.setValue (1234.56);
    EXPECT_DOUBLE_EQ (time.getValue(), 1234.56); // no snap: only clamped
    time.setValue (-3.0);
    EXPECT_DOUBLE_EQ (time.getValue(), 0.0);
}

TEST (ModuleParam, DisplayTexts)
{
    ModuleFloatParam ms (nullptr, "Time", 0.5, 0.0, 10.0, 0.1, "ms");
    EXPECT_EQ (ms.getDisplayValue(), "0.5 ms");
    EXPECT_EQ (ms.getValueAsString(), "0.5");
    ms.spaceBeforeUnit = false;
    EXPECT_EQ (ms.getDisplayValue(), "0.5ms");

    ms.valueTexts[0.0] = "Off";
    ms.setValue (0.0);
    EXPECT_EQ (ms.getDisplayValue(), "Off");
    EXPECT_EQ (ms.getValueAsString(), "0.0"); // the state's text ignores valueTexts
    ms.setValue (0.1);
    EXPECT_EQ (ms.getDisplayValue(), "0.1ms");

    ModuleFloatParam twoPlaces (nullptr, "Gain", 1.0, 0.0, 2.0, 0.01, "x");
    EXPECT_EQ (twoPlaces.getDisplayValue(), "1.00 x");

    ModuleIntParam steps (nullptr, "Steps", 10.0, 0.0, 100.0, 1.0, {});
    EXPECT_EQ (steps.getDisplayValue(), "10 "); // the blank stays with an empty unit
    EXPECT_EQ (steps.getValueAsString(), "10");

    ModuleBoolParam b (nullptr, "Low Cut", "Off", "On");
    b.setValue (1.0);
    EXPECT_EQ (b.getDisplayValue(), "On");
    EXPECT_EQ (b.getValueAsString(), "On");

    ModuleEnumParam e (nullptr, "Mode", { "A", "B", "C" });
    e.setValue (2.0);
    EXPECT_EQ (e.getDisplayValue(), "C");
    e.value.store (5.0); // as if it had come from elsewhere
    EXPECT_EQ (e.getDisplayValue(), "");
    e.value.store (-1.0);
    EXPECT_EQ (e.getValueAsString(), "");
}

TEST (ModuleParam, ReadsTheLeadingNumberOfATextAtFloatPrecision)
{
    ModuleFloatParam p (nullptr, "P", 0.0, -100.0, 100.0, 0.0, {});
    struct Case
    {
        const char* text;
        double value;
    };
    const Case cases[] = { { "250", 250.0 }, { "12.5ms", 12.5 }, { " -3 dB", -3.0 }, { "abc", 0.0 }, { "", 0.0 },
                           { "0.1", (double) 0.1f }, { "1e300", (double) std::numeric_limits<float>::max() } };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ (p.getValueForText (c.text), c.value) << c.text;

    ModuleBoolParam b (nullptr, "Low Cut", "Off", "On");
    EXPECT_DOUBLE_EQ (b.getValueForText ("1"), 1.0);
}

TEST (ModuleParam, UnboundNotifyingChangesTheValueAndTellsOnlyTheModule)
{
    CountingListener l;
    ModuleFloatParam p (&l, "P", 0.0, 0.0, 10.0, 1.0, {});
    p.setValueNotifyingHost (3.0);
    EXPECT_DOUBLE_EQ (p.getValue(), 3.0);
    EXPECT_EQ (l.changes, 1);

    p.setNormalized (0.5, true);
    EXPECT_DOUBLE_EQ (p.getValue(), 5.0);
    EXPECT_EQ (l.changes, 2);
}

TEST (ModuleParam, GestureEndRecordsEvenWhileUnbound)
{
    CountingListener l;
    ModuleFloatParam p (&l, "P", 0.0, 0.0, 10.0, 1.0, {});
    p.beginChangeGesture();
    p.endChangeGesture();
    EXPECT_EQ (l.gestureEnds, 1);

    ModuleFloatParam orphan (nullptr, "Q", 0.0, 0.0, 10.0, 1.0, {});
    orphan.beginChangeGesture();
    orphan.endChangeGesture(); // no listener, no host: nothing to do
}

class BoundParamTest : public ::testing::Test
{
protected:
    tarnello::test::FakeHost processor;
    std::shared_ptr<FakeModule> module = std::make_shared<FakeModule> (nullptr);
};

TEST_F (BoundParamTest, HostReceivesTheClampedNormalisedFormOfTheRequest)
{
    auto& host = processor.host (0);
    host.bind (module, module->gain);
    tarnello::test::HostEvents events (host);

    module->gain->setValueNotifyingHost (3.0); // above the range
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 2.0);
    EXPECT_EQ (events.values, (std::vector<float> { 1.0f }));
    EXPECT_FLOAT_EQ (host.getValue(), 1.0f);

    module->gain->setValueNotifyingHost (0.5);
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 0.5);
    ASSERT_EQ (events.values.size(), 2u);
    EXPECT_FLOAT_EQ (events.values[1], 0.25f);
}

TEST_F (BoundParamTest, HostRoundTripTellsTheModuleAgainOnlyWhenTheValueDiffers)
{
    processor.host (0).bind (module, module->gain);

    module->changeCount = 0;
    module->gain->setValueNotifyingHost (1.37); // on the grid: the float round trip snaps back
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.37);
    EXPECT_EQ (module->changeCount.load(), 1);

    module->changeCount = 0;
    module->gain->setValueNotifyingHost (1.371); // off the grid: stored snapped, the host gets the request
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.37);
    EXPECT_EQ (module->changeCount.load(), 0);
}

TEST_F (BoundParamTest, TheRoundTripStaysWithTheParameterWhileItsHostParameterIsRebound)
{
    // Caught between the two stores of a rebind: host parameter 0 already serves
    // "Time" while "Gain" still points at it.
    auto& host = processor.host (0);
    host.bind (module, module->gain);
    host.bind (module, module->time);
    module->gain->hostParameter.store (&host);
    const double timeBefore = module->time->getValue();

    module->gain->setValueNotifyingHost (1.5);

    EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.5);
    EXPECT_DOUBLE_EQ (module->time->getValue(), timeBefore);
    module->gain->hostParameter.store (nullptr);
}

TEST_F (BoundParamTest, GesturesReachTheHostAndTheEndRecordsFirst)
{
    auto& host = processor.host (2);
    host.bind (module, module->time);
    tarnello::test::HostEvents events (host);

    struct Order : ModuleParam::Listener
    {
        void parameterChanged (ModuleParam*) override {}
        void paramEndChangeGesture (ModuleParam*) override { hostGesturesAtEnd = (int) events->gestures.size(); }
        tarnello::test::HostEvents* events = nullptr;
        int hostGesturesAtEnd = -1;
    } order;
    order.events = &events;
    module->time->listener = &order;

    module->time->beginChangeGesture();
    module->time->setValueNotifyingHost (500.0);
    module->time->endChangeGesture();

    EXPECT_EQ (events.gestures, (std::vector<bool> { true, false }));
    EXPECT_EQ (order.hostGesturesAtEnd, 1); // the undo point is taken before the host hears the end
    ASSERT_EQ (events.values.size(), 1u);
    EXPECT_FLOAT_EQ (events.values[0], 0.5f);
    module->time->listener = module.get();
}
