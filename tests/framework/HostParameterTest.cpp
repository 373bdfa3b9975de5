#include <gtest/gtest.h>

#include <cmath>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "tests/framework/FakeModule.h"
#include "framework/HostParameter.h"

using tarnello::test::FakeHost;
using tarnello::test::HostEvents;

namespace
{
class HostParameterTest : public ::testing::Test
{
protected:
    void bindFake()
    {
        processor.host (0).bind (module, module->gain);
        processor.host (1).bind (module, module->lowCut);
        processor.host (2).bind (module, module->time);
    }

    // A three-way choice beside the fake's parameters.
    ModuleEnumParam* addMode()
    {
        auto* mode = new ModuleEnumParam (module.get(), "Mode", { "A", "B", "C" });
        module->addParam (mode);
        return mode;
    }

    FakeHost processor;
    std::shared_ptr<FakeModule> module = std::make_shared<FakeModule> (nullptr);
};
} // namespace

TEST_F (HostParameterTest, AllTwentyFourExistUnboundBeforeAnyModule)
{
    ASSERT_EQ (processor.getParameters().size(), 24);
    for (int i = 0; i < 24; ++i)
    {
        auto& host = processor.host (i);
        SCOPED_TRACE (i);
        EXPECT_EQ (host.index, i);
        EXPECT_EQ (host.getParameterIndex(), i);
        EXPECT_EQ (host.getParameterID(), juce::String (i));
        EXPECT_EQ (host.getName (100), juce::String (i + 1));
        EXPECT_FALSE (host.isBound());
        EXPECT_FLOAT_EQ (host.getValue(), 0.0f);
        EXPECT_FLOAT_EQ (host.getDefaultValue(), 0.0f);
        EXPECT_EQ (host.getLabel(), "");
        EXPECT_EQ (host.getText (0.5f, 100), "");
        EXPECT_FALSE (host.isMetaParameter());
        EXPECT_TRUE (host.isAutomatable());

        host.setValue (0.7f); // ignored
        EXPECT_FLOAT_EQ (host.getValue(), 0.0f);
    }
    EXPECT_EQ (processor.host (23).getName (100), "24");
}

TEST_F (HostParameterTest, UnboundTextReadsAsItsNumber)
{
    auto& host = processor.host (5);
    EXPECT_FLOAT_EQ (host.getValueForText ("0.25"), 0.25f);
    EXPECT_FLOAT_EQ (host.getValueForText ("abc"), 0.0f);
    EXPECT_FLOAT_EQ (host.getValueForText ("nan"), 0.0f); // no NaN to the host
    EXPECT_FLOAT_EQ (host.getValueForText ("inf"), 0.0f);
}

TEST_F (HostParameterTest, BoundNamesLabelsAndValues)
{
    bindFake();
    struct Case
    {
        int index;
        const char* name;
        const char* label;
        float value;
    };
    const Case cases[] = {
        { 0, "1. Gain", "x", 0.5f },
        { 1, "2. Low Cut", "", 0.0f },
        { 2, "3. Time", "ms", (float) module->time->getNormalizedFor (240.0) },
    };
    for (const auto& c : cases)
    {
        auto& host = processor.host (c.index);
        EXPECT_EQ (host.getName (100), c.name);
        EXPECT_EQ (host.getName (2), c.name); // never shortened
        EXPECT_EQ (host.getLabel(), c.label);
        EXPECT_FLOAT_EQ (host.getValue(), c.value);
        EXPECT_TRUE (host.isBound());
    }

    for (int i = 3; i < 24; ++i)
    {
        EXPECT_EQ (processor.host (i).getName (100), juce::String (i + 1));
        processor.host (i).setValue (1.0f);
    }
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.0); // the unbound ones reach nothing
}

TEST_F (HostParameterTest, BindingPointsTheParameterBack)
{
    auto& host = processor.host (4);
    EXPECT_EQ (host.getBinding(), nullptr);
    host.bind (module, module->time);

    EXPECT_EQ (module->time->getHostParameter(), &host);
    EXPECT_EQ (host.getBoundParam(), module->time);
    auto b = host.getBinding();
    ASSERT_NE (b, nullptr);
    EXPECT_EQ (b->module, module);
    EXPECT_EQ (b->param, module->time);
}

TEST_F (HostParameterTest, HostSetValueStoresTheSnappedRealValueWithoutEchoing)
{
    bindFake();
    HostEvents events (processor.host (2));

    module->changeCount = 0;
    processor.host (2).setValue (0.5f);
    EXPECT_DOUBLE_EQ (module->time->getValue(), 500.0);
    EXPECT_EQ (module->changeCount.load(), 1);
    EXPECT_TRUE (events.values.empty()); // the host is not told what it just set

    processor.host (0).setValue (0.3333f);
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 0.67);

    processor.host (1).setValue (0.8f);
    EXPECT_DOUBLE_EQ (module->lowCut->getValue(), 1.0);
    EXPECT_FLOAT_EQ (processor.host (1).getValue(), 1.0f);
}

TEST_F (HostParameterTest, DefaultPositionMapsBackToTheDefault)
{
    bindFake();
    module->time->setValue (3000.0);
    module->gain->setValue (0.2);

    auto& time = processor.host (2);
    EXPECT_FLOAT_EQ (time.getDefaultValue(), (float) module->time->getNormalizedFor (240.0));
    time.setValue (time.getDefaultValue());
    EXPECT_DOUBLE_EQ (module->time->getValue(), 240.0);

    EXPECT_FLOAT_EQ (processor.host (0).getDefaultValue(), 0.5f);
    EXPECT_FLOAT_EQ (processor.host (1).getDefaultValue(), 0.0f);
}

TEST_F (HostParameterTest, TypedTextGivesThePositionOfThatValue)
{
    bindFake();
    auto* mode = addMode();
    processor.host (3).bind (module, mode);

    struct Case
    {
        int index;
        const char* text;
        float normalized;
    };
    const Case cases[] = {
        { 2, "250", (float) module->time->getNormalizedFor (250.0) },
        { 2, "250 ms", (float) module->time->getNormalizedFor (250.0) },
        { 2, "-5", 0.0f }, // below a curved range: its start, not NaN
        { 2, "99999", 1.0f },
        { 0, "1.5", 0.75f },
        { 1, "On", 1.0f },  // a choice's own text
        { 1, "off", 0.0f },
        { 1, " ON ", 1.0f },
        { 1, "1", 1.0f },   // or its index
        { 1, "0", 0.0f },
        { 3, "B", 0.5f },
        { 3, "c", 1.0f },
        { 3, "2", 1.0f },
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ (processor.host (c.index).getValueForText (c.text), c.normalized)
            << c.index << " '" << c.text << "'";

    // Texts that are no value of the parameter give no position, so the host refuses them.
    const struct { int index; const char* text; } refused[] = {
        { 2, "nan" }, { 2, "inf" }, { 2, "250 dB" }, { 2, "0x10" }, { 2, "" }, { 2, "ms" }, { 0, "1.5 %" },
        { 1, "maybe" }, { 3, "d" },
    };
    for (const auto& r : refused)
        EXPECT_TRUE (std::isnan (processor.host (r.index).getValueForText (r.text))) << r.index << " '" << r.text << "'";

    auto& time = processor.host (2);
    time.setValue (time.getValueForText ("250"));
    EXPECT_DOUBLE_EQ (module->time->getValue(), 250.0);
}

TEST_F (HostParameterTest, TextShowsTheValueAskedForWithoutTheUnit)
{
    bindFake();
    auto* mode = addMode();
    processor.host (3).bind (module, mode);

    struct Case
    {
        int index;
        float normalized;
        const char* text;
    };
    const Case cases[] = {
        { 0, 0.25f, "0.50" }, { 0, 1.0f, "2.00" }, { 0, 0.5f, "1.00" }, { 0, 0.3333f, "0.67" },
        { 2, 0.0f, "0.0" },   { 2, 0.5f, "500.0" }, { 2, 0.7f, "1000.0" }, { 2, 1.0f, "4000.0" },
        { 1, 0.0f, "Off" },   { 1, 0.4f, "Off" },   { 1, 0.6f, "On" },     { 1, 1.0f, "On" },
        { 3, 0.0f, "A" },     { 3, 0.2f, "A" },     { 3, 0.3f, "B" },      { 3, 1.0f, "C" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (processor.host (c.index).getText (c.normalized, 100), c.text) << c.index << " " << c.normalized;

    // The current values are untouched by asking.
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.0);
    EXPECT_DOUBLE_EQ (module->time->getValue(), 240.0);
    EXPECT_EQ (processor.host (2).getCurrentValueAsText(), "240.0");
}

TEST_F (HostParameterTest, MetaFlagIsForwarded)
{
    bindFake();
    module->time->metaParameter = true;
    EXPECT_TRUE (processor.host (2).isMetaParameter());
    EXPECT_FALSE (processor.host (0).isMetaParameter());
}

TEST_F (HostParameterTest, UnbindingRestoresTheBareNumber)
{
    bindFake();
    auto& host = processor.host (2);
    host.unbind();

    EXPECT_EQ (host.getName (100), "3");
    EXPECT_EQ (host.getText (0.5f, 100), "");
    EXPECT_EQ (host.getLabel(), "");
    EXPECT_FLOAT_EQ (host.getValue(), 0.0f);
    EXPECT_EQ (module->time->getHostParameter(), nullptr);

    host.setValue (1.0f);
    EXPECT_DOUBLE_EQ (module->time->getValue(), 240.0);
    host.unbind(); // twice is harmless
    EXPECT_EQ (processor.host (0).getName (100), "1. Gain");
}

TEST_F (HostParameterTest, RebindingClearsTheOldParametersBackPointer)
{
    auto& host = processor.host (0);
    host.bind (module, module->gain);
    host.bind (module, module->time);

    EXPECT_EQ (module->gain->getHostParameter(), nullptr);
    EXPECT_EQ (module->time->getHostParameter(), &host);
    EXPECT_EQ (host.getName (100), "1. Time");

    host.bind (module, module->time); // the same pair again
    EXPECT_EQ (module->time->getHostParameter(), &host);

    host.bind (nullptr, module->gain); // no module: nothing bound
    EXPECT_FALSE (host.isBound());
    EXPECT_EQ (module->time->getHostParameter(), nullptr);
}

TEST_F (HostParameterTest, BindingAParameterBoundElsewhereMovesIt)
{
    processor.host (0).bind (module, module->gain);
    processor.host (1).bind (module, module->gain);

    EXPECT_FALSE (processor.host (0).isBound());
    EXPECT_EQ (processor.host (0).getName (100), "1");
    EXPECT_EQ (processor.host (1).getName (100), "2. Gain");
    EXPECT_EQ (module->gain->getHostParameter(), &processor.host (1));
}

TEST_F (HostParameterTest, GesturesReachTheHostOnlyWhileBound)
{
    bindFake();
    HostEvents events (processor.host (0));

    module->gain->beginChangeGesture();
    module->gain->setValueNotifyingHost (1.5);
    module->gain->endChangeGesture();
    EXPECT_EQ (events.gestures, (std::vector<bool> { true, false }));
    EXPECT_EQ (events.values, (std::vector<float> { 0.75f }));

    processor.host (0).unbind();
    module->gain->beginChangeGesture();
    module->gain->setValueNotifyingHost (0.5);
    module->gain->endChangeGesture();
    EXPECT_EQ (events.gestures.size(), 2u);
    EXPECT_EQ (events.values.size(), 1u);
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 0.5);
}

TEST_F (HostParameterTest, BindingKeepsTheModuleAliveUntilReleased)
{
    std::weak_ptr<FakeModule> watch = module;
    {
        FakeHost other;
        other.host (7).bind (module, module->gain);
        module.reset();
        EXPECT_FALSE (watch.expired());
        EXPECT_EQ (other.host (7).getName (100), "8. Gain");
    } // destroying the host parameters lets go of it
    EXPECT_TRUE (watch.expired());
}

TEST_F (HostParameterTest, HostThreadSeesAConsistentPairWhileTheMessageThreadRebinds)
{
    auto& host = processor.host (0);
    module.reset();

    std::atomic<bool> stop { false };
    std::atomic<int> mismatches { 0 };
    std::atomic<int> reads { 0 };

    std::thread hostThread ([&]
    {
        while (! stop.load())
        {
            if (auto b = host.getBinding())
                if (b->module->getParam (b->param->name) != b->param)
                    mismatches.fetch_add (1);

            host.setValue (0.25f);
            (void) host.getValue();
            (void) host.getText (0.5f, 100);
            (void) host.getName (100);
            (void) host.getDefaultValue();
            reads.fetch_add (1);
        }
    });

    // Each rebinding retires the previous module; its last owner may be either thread.
    for (int i = 0; i < 2000 || reads.load() < 100; ++i)
    {
        auto next = std::make_shared<FakeModule> (nullptr);
        host.bind (next, (i % 2) == 0 ? static_cast<ModuleParam*> (next->gain) : next->time);
        if (i % 7 == 0)
            host.unbind();
    }

    stop = true;
    hostThread.join();
    EXPECT_EQ (mismatches.load(), 0);
    host.unbind();
}
