// The registration content the bridge builds from a temporary processor, in
// process against the stand-in host: names, category, procedures, and one
// component per pair of stem formats that the host and the processor accept.

#include "tests/support/HostObjectLeakCheck.h"
#include "tests/support/StubProcessor.h"

#include "aax/AAX_VCollection.h"
#include "aax/ACFEntryPoints.h"
#include "aax/bridge/EffectDescription.h"
#include "aax/bridge/PluginCallbacks.h"
#include "aax/bridge/StemFormats.h"
#include "aax/bridge/TarnelloIdentity.h"

#include "host/HostObject.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>

namespace
{
using tarnello::host::CollectionRecord;
using tarnello::host::ComponentRecord;
using tarnello::host::EffectRecord;
using tarnello::host::StandInHost;
using tarnello::test::StubProcessor;
namespace bridge = tarnello::aax;

std::vector<AAX_EStemFormat> ClassicFormats()
{
    std::vector<AAX_EStemFormat> formats;
    for (const auto format : AAX::kMainStemFormats)
        if (format <= 0x000CFFFF)
            formats.push_back (format);
    return formats;
}

int32_t Property (const ComponentRecord& component, uint32_t id)
{
    const int32_t* value = component.processProcs.at (0).properties.find (id);
    return value != nullptr ? *value : -12345;
}

std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> Pairs (const EffectRecord& effect)
{
    std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> pairs;
    for (const auto& component : effect.components)
        pairs.emplace_back (Property (component, 51), Property (component, 52));
    return pairs;
}

// A stand-in processor whose layout rule, names or ids a test chooses.
class ConfigurableProcessor : public StubProcessor
{
public:
    std::function<bool (const BusesLayout&)> layoutRule;
    juce::StringArray alternateNames;
    bool constantTypeID = false;

    bool isBusesLayoutSupported (const BusesLayout& layout) const override { return ! layoutRule || layoutRule (layout); }
    juce::StringArray getAlternateDisplayNames() const override
    {
        return alternateNames.isEmpty() ? StubProcessor::getAlternateDisplayNames() : alternateNames;
    }
    juce::int32 getAAXPluginIDForMainBusConfig (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out, bool offline) const override
    {
        return constantTypeID ? 0x54455354 : StubProcessor::getAAXPluginIDForMainBusConfig (in, out, offline);
    }
};

// Stand-in processors with other buses than stereo in and out.
class BusesProcessor : public StubProcessor
{
public:
    static juce::AudioProcessor* WithoutInputs()
    {
        return new BusesProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true));
    }

    static juce::AudioProcessor* WithMonoSideChain()
    {
        return new BusesProcessor (BusesProperties()
                                       .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                       .withInput ("Sidechain", juce::AudioChannelSet::mono(), true)
                                       .withOutput ("Output", juce::AudioChannelSet::stereo(), true));
    }

    static juce::AudioProcessor* WithAuxOutputs()
    {
        return new BusesProcessor (BusesProperties()
                                       .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                       .withOutput ("Output", juce::AudioChannelSet::stereo(), true)
                                       .withOutput ("Aux A", juce::AudioChannelSet::stereo(), true)
                                       .withOutput ("Odd", juce::AudioChannelSet::discreteChannels (11), true)
                                       .withOutput ("Aux Mono", juce::AudioChannelSet::mono(), true));
    }

private:
    using StubProcessor::StubProcessor;
};

class MeterParameter : public juce::AudioProcessorParameter
{
public:
    MeterParameter (juce::String name, Category category) : mName (std::move (name)), mCategory (category) {}
    float getValue() const override { return 0.0f; }
    void setValue (float) override {}
    float getDefaultValue() const override { return 0.0f; }
    juce::String getName (int maximumLength) const override { return mName.substring (0, maximumLength); }
    juce::String getLabel() const override { return {}; }
    float getValueForText (const juce::String&) const override { return 0.0f; }
    Category getCategory() const override { return mCategory; }

private:
    juce::String mName;
    Category mCategory;
};

class PageFileProcessor : public StubProcessor, public bridge::PageFileClient
{
public:
    juce::String getPageFileSearchPath() const override { return "/pages"; }
    juce::String getPageFileName() const override { return "Tarnello.xml"; }
};

class EffectDescription : public ::testing::Test
{
protected:
    void SetUp() override { leaks.restart(); }
    void TearDown() override
    {
        AAX::Shutdown (nullptr);
        leaks.expectNoHostObjectsLeft();
    }

    // Describes with a fresh collection and hands back what the host recorded.
    CollectionRecord Describe (const bridge::ProcessorFactory& make, AAX_Result expected = AAX_SUCCESS)
    {
        {
            AAX_VCollection collection (host.unknown());
            EXPECT_EQ (bridge::DescribeEffect (collection, make), expected);
        }
        auto record = host.lastCollection();
        return record != nullptr ? *record : CollectionRecord();
    }

    static bridge::ProcessorFactory StandIn()
    {
        return [] { return new StubProcessor(); };
    }

    void OfferStemFormats (std::map<int32_t, int32_t> values)
    {
        auto& feature = host.config().stemFormatFeature;
        feature.present = true;
        feature.values = std::move (values);
    }

    // Every one of the 18 formats with value 0, except those given.
    static std::map<int32_t, int32_t> AllFormats (std::map<int32_t, int32_t> overrides)
    {
        std::map<int32_t, int32_t> values;
        for (const auto format : AAX::kMainStemFormats)
            values[format] = 0;
        for (const auto& [format, value] : overrides)
            values[format] = value;
        return values;
    }

    StandInHost host;
    tarnello::test::HostObjectLeakCheck leaks;
};

TEST_F (EffectDescription, DescribesTheProductOnce)
{
    const auto record = Describe (StandIn());
    ASSERT_EQ (record.effects.size(), 1u);
    const auto& effect = record.effects[0];
    EXPECT_EQ (effect.effectID, "com.Halvory.Tarnello");
    EXPECT_EQ (effect.names, std::vector<std::string> { "Tarnello" });
    EXPECT_EQ (effect.categories, std::vector<uint32_t> { 0x2030 });
    EXPECT_TRUE (effect.meters.empty());
    EXPECT_TRUE (effect.resources.empty());

    ASSERT_EQ (effect.procPtrs.size(), 2u);
    EXPECT_EQ (effect.procPtrs[0].second, 1);
    EXPECT_EQ (effect.procPtrs[0].first, reinterpret_cast<const void*> (&bridge::CreateEffectGUI));
    EXPECT_EQ (effect.procPtrs[1].second, 0);
    EXPECT_EQ (effect.procPtrs[1].first, reinterpret_cast<const void*> (&bridge::CreateEffectParameters));

    EXPECT_EQ (record.manufacturerName, "Halvory");
    EXPECT_EQ (record.packageNames, (std::vector<std::string> { "Vazu Duzor", "Tarnello" }));
    EXPECT_TRUE (record.hasPackageVersion);
    EXPECT_EQ (record.packageVersion, 0x10000u);
}

TEST_F (EffectDescription, EveryComponentHasEightFieldsNinePropertiesAndItsProcedure)
{
    const auto record = Describe (StandIn());
    ASSERT_EQ (record.effects.size(), 1u);
    const auto& effect = record.effects[0];
    ASSERT_FALSE (effect.components.empty());

    StubProcessor processor;
    std::set<int32_t> nativeIDs;
    for (const auto& component : effect.components)
    {
        ASSERT_EQ (component.fields.size(), 8u);
        const struct
        {
            const char* kind;
            std::vector<int64_t> args;
        } fields[] = {
            { "AudioIn", {} },           { "AudioOut", {} },          { "AudioBufferLength", {} }, { "DataInPort", { 4, 1 } },
            { "PrivateData", { 8, 0 } }, { "PrivateData", { 4, 0 } }, { "PrivateData", { 8, 0 } }, { "PrivateData", { 8, 0 } },
        };
        for (size_t i = 0; i < 8; ++i)
        {
            EXPECT_EQ (component.fields[i].field, i);
            EXPECT_EQ (component.fields[i].kind, fields[i].kind);
            EXPECT_EQ (component.fields[i].args, fields[i].args);
        }

        ASSERT_EQ (component.processProcs.size(), 1u);
        const auto& proc = component.processProcs[0];
        EXPECT_TRUE (proc.native);
        EXPECT_EQ (proc.processProc, reinterpret_cast<const void*> (&bridge::ProcessNative));
        EXPECT_EQ (proc.instanceInitProc, nullptr);
        EXPECT_EQ (proc.backgroundProc, nullptr);

        const auto in = Property (component, 51);
        const auto out = Property (component, 52);
        const auto inSet = bridge::ChannelSetForStemFormat (in);
        const auto outSet = bridge::ChannelSetForStemFormat (out);
        const std::vector<std::pair<uint32_t, int32_t>> expected = {
            { 11, 0x486C7672 },   // 'Hlvr'
            { 12, static_cast<int32_t> (bridge::kProductID) },
            { 60, 1 },
            { 51, in },
            { 52, out },
            { 13, processor.getAAXPluginIDForMainBusConfig (inSet, outSet, false) },
            { 14, processor.getAAXPluginIDForMainBusConfig (inSet, outSet, true) },
            { 304, 1 },
            { 309, 1 },
        };
        EXPECT_EQ (proc.properties.values, expected);
        EXPECT_TRUE (nativeIDs.insert (Property (component, 13)).second) << "native id repeats";
    }
}

TEST_F (EffectDescription, WithoutTheFeatureOnlyClassicFormatsArePaired)
{
    const auto record = Describe (StandIn());
    ASSERT_EQ (record.effects.size(), 1u);
    std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> expected;
    for (const auto in : ClassicFormats())
        for (const auto out : ClassicFormats())
            expected.emplace_back (in, out);
    EXPECT_EQ (Pairs (record.effects[0]), expected);
    EXPECT_EQ (ClassicFormats().back(), AAX::kStemFormat_7_1);
}

TEST_F (EffectDescription, FeatureDecidesWhichFormatsArePaired)
{
    const auto stereo = std::pair<AAX_EStemFormat, AAX_EStemFormat> (AAX::kStemFormat_Stereo, AAX::kStemFormat_Stereo);
    const size_t classic = ClassicFormats().size() * ClassicFormats().size();
    const struct
    {
        const char* name;
        std::map<int32_t, int32_t> values;
        int32_t level;
        ACFRESULT levelResult;
        bool hasProperties;
        std::vector<AAX_EStemFormat> supported;   // empty: the classic formats
    } cases[] = {
        { "value 2 only for stereo", AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }), 4, ACF_OK, true, { AAX::kStemFormat_Stereo } },
        { "every format", AllFormats ({ { AAX::kStemFormat_Mono, 2 }, { AAX::kStemFormat_Stereo, 2 }, { AAX::kStemFormat_LCR, 2 }, { AAX::kStemFormat_LCRS, 2 }, { AAX::kStemFormat_Quad, 2 },
                                         { AAX::kStemFormat_5_0, 2 }, { AAX::kStemFormat_5_1, 2 }, { AAX::kStemFormat_6_0, 2 }, { AAX::kStemFormat_6_1, 2 }, { AAX::kStemFormat_7_0_SDDS, 2 },
                                         { AAX::kStemFormat_7_1_SDDS, 2 }, { AAX::kStemFormat_7_0, 2 }, { AAX::kStemFormat_7_1, 2 }, { AAX::kStemFormat_7_0_2, 2 }, { AAX::kStemFormat_7_1_2, 2 },
                                         { AAX::kStemFormat_Ambisonics1, 2 }, { AAX::kStemFormat_Ambisonics2, 2 }, { AAX::kStemFormat_Ambisonics3, 2 } }),
          4, ACF_OK, true, { AAX::kMainStemFormats.begin(), AAX::kMainStemFormats.end() } },
        { "another support level", AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }), 3, ACF_OK, true, {} },
        { "support level refused", AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }), 4, ACF_E_FAIL, true, {} },
        { "no properties", AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }), 4, ACF_OK, false, {} },
        { "a missing classic format falls back", [] { auto v = AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }); v.erase (AAX::kStemFormat_Mono); return v; }(), 4,
          ACF_OK, true, { AAX::kStemFormat_Mono, AAX::kStemFormat_Stereo } },
        { "a missing newer format falls back", [] { auto v = AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }); v.erase (AAX::kStemFormat_7_0_2); return v; }(), 4,
          ACF_OK, true, { AAX::kStemFormat_Stereo } },
        { "first-order ambisonics asks under the second-order key", AllFormats ({ { AAX::kStemFormat_Stereo, 2 }, { AAX::kStemFormat_Ambisonics2, 2 } }), 4, ACF_OK, true,
          { AAX::kStemFormat_Stereo, AAX::kStemFormat_Ambisonics1, AAX::kStemFormat_Ambisonics2 } },
        { "first-order ambisonics' own key is not asked", AllFormats ({ { AAX::kStemFormat_Stereo, 2 }, { AAX::kStemFormat_Ambisonics1, 2 } }), 4, ACF_OK, true,
          { AAX::kStemFormat_Stereo } },
        { "other values than 2", AllFormats ({ { AAX::kStemFormat_Stereo, 2 }, { AAX::kStemFormat_Mono, 1 }, { AAX::kStemFormat_LCR, 3 } }), 4, ACF_OK, true, { AAX::kStemFormat_Stereo } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        host.clearRecords();
        OfferStemFormats (c.values);
        host.config().stemFormatFeature.supportLevel = c.level;
        host.config().stemFormatFeature.supportLevelResult = c.levelResult;
        host.config().stemFormatFeature.hasProperties = c.hasProperties;

        const auto record = Describe (StandIn());
        ASSERT_EQ (record.effects.size(), 1u);
        const auto pairs = Pairs (record.effects[0]);
        if (c.supported.empty())
        {
            EXPECT_EQ (pairs.size(), classic);
            continue;
        }
        std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> expected;
        for (const auto in : AAX::kMainStemFormats)
            for (const auto out : AAX::kMainStemFormats)
                if (std::count (c.supported.begin(), c.supported.end(), in) && std::count (c.supported.begin(), c.supported.end(), out))
                    expected.emplace_back (in, out);
        EXPECT_EQ (pairs, expected);
    }

    // The case the host cares about most: exactly one stereo component.
    host.clearRecords();
    OfferStemFormats (AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }));
    host.config().stemFormatFeature.supportLevel = 4;
    host.config().stemFormatFeature.supportLevelResult = ACF_OK;
    host.config().stemFormatFeature.hasProperties = true;
    const auto record = Describe (StandIn());
    ASSERT_EQ (record.effects.size(), 1u);
    EXPECT_EQ (Pairs (record.effects[0]), (std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> { stereo }));
}

TEST_F (EffectDescription, FeatureIsUnreachableWithoutItsHostInterfaces)
{
    for (const acfIID omitted : { IID_IAAXDescriptionHostV1, IID_IAAXFeatureInfoV1 })
    {
        host.clearRecords();
        host.config().omittedInterfaces = { omitted };
        OfferStemFormats (AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }));
        const auto record = Describe (StandIn());
        ASSERT_EQ (record.effects.size(), 1u);
        EXPECT_EQ (record.effects[0].components.size(), ClassicFormats().size() * ClassicFormats().size());
        // Every stem-format property still reaches the host.
        for (const auto& component : record.effects[0].components)
            EXPECT_EQ (component.processProcs.at (0).properties.values.size(), 9u);
    }
}

TEST_F (EffectDescription, LayoutRulesDecideWhichPairsExist)
{
    auto sameChannelCount = [] {
        auto* p = new ConfigurableProcessor();
        p->layoutRule = [] (const juce::AudioProcessor::BusesLayout& l) {
            return l.getMainInputChannels() == l.getMainOutputChannels();
        };
        return p;
    };
    const auto record = Describe (sameChannelCount);
    ASSERT_EQ (record.effects.size(), 1u);

    std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> expected;
    for (const auto in : ClassicFormats())
        for (const auto out : ClassicFormats())
            if (AAX::StemFormatChannelCount (in) == AAX::StemFormatChannelCount (out))
                expected.emplace_back (in, out);
    EXPECT_EQ (Pairs (record.effects[0]), expected);

    host.clearRecords();
    auto stereoOnly = [] {
        auto* p = new ConfigurableProcessor();
        p->layoutRule = [] (const juce::AudioProcessor::BusesLayout& l) {
            return l.getMainInputChannelSet() == juce::AudioChannelSet::stereo()
                   && l.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
        };
        return p;
    };
    const auto stereo = Describe (stereoOnly);
    ASSERT_EQ (stereo.effects.size(), 1u);
    EXPECT_EQ (Pairs (stereo.effects[0]), (std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> { { AAX::kStemFormat_Stereo, AAX::kStemFormat_Stereo } }));
}

TEST_F (EffectDescription, ProcessorWithoutInputsHasNoInputFormat)
{
    const auto record = Describe (&BusesProcessor::WithoutInputs);
    ASSERT_EQ (record.effects.size(), 1u);
    const auto pairs = Pairs (record.effects[0]);
    ASSERT_EQ (pairs.size(), ClassicFormats().size());
    for (size_t i = 0; i < pairs.size(); ++i)
    {
        EXPECT_EQ (pairs[i].first, static_cast<AAX_EStemFormat> (0xFF9C0000u));
        EXPECT_EQ (pairs[i].second, ClassicFormats()[i]);
    }
}

TEST_F (EffectDescription, MonoSideChainTakesField7AndItsProperty)
{
    const auto record = Describe (&BusesProcessor::WithMonoSideChain);
    ASSERT_EQ (record.effects.size(), 1u);
    ASSERT_FALSE (record.effects[0].components.empty());
    for (const auto& component : record.effects[0].components)
    {
        ASSERT_EQ (component.fields.size(), 8u);
        EXPECT_EQ (component.fields[7].kind, "SideChainIn");
        EXPECT_EQ (component.fields[7].field, 7u);
        const auto& values = component.processProcs.at (0).properties.values;
        ASSERT_EQ (values.size(), 10u);
        EXPECT_EQ (values.back(), (std::pair<uint32_t, int32_t> (116, 1)));
    }
}

TEST_F (EffectDescription, FurtherOutputBusesBecomeAuxiliaryStems)
{
    const auto record = Describe (&BusesProcessor::WithAuxOutputs);
    ASSERT_EQ (record.effects.size(), 1u);
    ASSERT_FALSE (record.effects[0].components.empty());
    const auto& fields = record.effects[0].components[0].fields;
    ASSERT_EQ (fields.size(), 10u);   // eight, then one stem per bus that has a format
    EXPECT_EQ (fields[8].kind, "AuxOutputStem");
    EXPECT_EQ (fields[8].field, 0u);
    EXPECT_EQ (fields[8].args, std::vector<int64_t> { AAX::kStemFormat_Stereo });
    EXPECT_EQ (fields[8].text, "Aux A");
    EXPECT_EQ (fields[9].args, std::vector<int64_t> { AAX::kStemFormat_Mono });
    EXPECT_EQ (fields[9].text, "Aux Mono");
}

TEST_F (EffectDescription, MeterParametersBecomeMeters)
{
    const juce::String longName = juce::String::repeatedString ("m", 1100);
    const auto record = Describe ([longName] {
        auto* p = new StubProcessor();
        using Category = juce::AudioProcessorParameter::Category;
        p->addParameter (new MeterParameter ("Gain", Category::genericParameter));
        p->addParameter (new MeterParameter ("Out gain", Category::outputGain));
        p->addParameter (new MeterParameter ("In", Category::inputMeter));
        p->addParameter (new MeterParameter (longName, Category::otherMeter));
        p->addParameter (new MeterParameter ("Beyond", static_cast<Category> (Category::inputMeter + 7)));
        return p;
    });
    ASSERT_EQ (record.effects.size(), 1u);
    const auto& meters = record.effects[0].meters;
    ASSERT_EQ (meters.size(), 3u);
    const uint32_t metr = 0x4D657472;
    EXPECT_EQ (meters[0].id, metr);
    EXPECT_EQ (meters[0].name, "In");
    EXPECT_EQ (meters[0].properties.values, (std::vector<std::pair<uint32_t, int32_t>> { { 200, 0 }, { 201, 1 } }));
    EXPECT_EQ (meters[1].id, metr + 1);
    EXPECT_EQ (meters[1].name.size(), 1024u);
    EXPECT_EQ (meters[1].properties.values[0], (std::pair<uint32_t, int32_t> (200, 5)));
    EXPECT_EQ (meters[2].id, metr + 2);
    EXPECT_EQ (meters[2].properties.values[0], (std::pair<uint32_t, int32_t> (200, 5)));   // capped

    const auto& field6 = record.effects[0].components.at (0).fields.at (6);
    EXPECT_EQ (field6.kind, "Meters");
    EXPECT_EQ (field6.args, (std::vector<int64_t> { metr, metr + 1, metr + 2 }));
}

TEST_F (EffectDescription, NamesAreTheProductNameThenTheDistinctAlternatives)
{
    const auto record = Describe ([] {
        auto* p = new ConfigurableProcessor();
        p->alternateNames = { "Tarnello", "Tarn", "Delay", "Tarn" };
        return p;
    });
    ASSERT_EQ (record.effects.size(), 1u);
    EXPECT_EQ (record.effects[0].names, (std::vector<std::string> { "Tarnello", "Tarn", "Delay" }));
}

TEST_F (EffectDescription, PageFileComesFromTheProcessorWhenItHasOne)
{
    const auto record = Describe ([] { return new PageFileProcessor(); });
    ASSERT_EQ (record.effects.size(), 1u);
    EXPECT_EQ (record.effects[0].resources,
               (std::vector<std::pair<int32_t, std::string>> { { 2, "/pages" }, { 1, "Tarnello.xml" } }));
}

TEST_F (EffectDescription, RepeatedNativeIdIsNotDescribedTwice)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    OfferStemFormats (AllFormats ({ { AAX::kStemFormat_Mono, 2 }, { AAX::kStemFormat_Stereo, 2 } }));
    const auto record = Describe ([] {
        auto* p = new ConfigurableProcessor();
        p->constantTypeID = true;
        return p;
    });
    ASSERT_EQ (record.effects.size(), 1u);
    EXPECT_EQ (record.effects[0].components.size(), 1u);
    ASSERT_EQ (host.traces().size(), 3u);
    EXPECT_EQ (host.traces()[0].priority, AAX::kTracePriority_Critical);
    EXPECT_NE (host.traces()[0].message.find ("repeats"), std::string::npos);
}

// The main stem formats in the order the wrapper tries them, written out.
constexpr AAX_EStemFormat kLiteralMainFormats[] = {
    0x00000001, 0x00010002, 0x00020003, 0x00030004, 0x00040004, 0x00050005, 0x00060006, 0x00070006, 0x00080007,
    0x00090007, 0x000A0008, 0x000B0007, 0x000C0008, 0x00140009, 0x000D000A, 0x000E0004, 0x00120009, 0x00130010,
};

TEST_F (EffectDescription, TriesTheEighteenMainFormatsInTheirFixedOrder)
{
    // Every format supported, and a layout rule that pairs each only with itself:
    // the components come out in the order the formats are tried.
    std::map<int32_t, int32_t> everyFormat;
    for (const auto format : kLiteralMainFormats)
        everyFormat[format] = 2;
    everyFormat[AAX::kStemFormat_Ambisonics2] = 2; // also answers for 0x000E0004
    OfferStemFormats (everyFormat);
    const auto record = Describe ([] {
        auto* p = new ConfigurableProcessor();
        p->layoutRule = [] (const juce::AudioProcessor::BusesLayout& layout) {
            return layout.getMainInputChannelSet() == layout.getMainOutputChannelSet();
        };
        return p;
    });
    ASSERT_EQ (record.effects.size(), 1u);
    std::vector<std::pair<AAX_EStemFormat, AAX_EStemFormat>> expected;
    for (const auto format : kLiteralMainFormats)
        expected.emplace_back (format, format);
    EXPECT_EQ (Pairs (record.effects[0]), expected);
    EXPECT_TRUE (std::equal (std::begin (kLiteralMainFormats), std::end (kLiteralMainFormats),
                             std::begin (AAX::kMainStemFormats), std::end (AAX::kMainStemFormats)));
}

// A processor with a meter and a page file, so that every step of the description shows.
class MeteredPageFileProcessor : public PageFileProcessor
{
public:
    MeteredPageFileProcessor() { addParameter (new MeterParameter ("In", juce::AudioProcessorParameter::inputMeter)); }
};

TEST_F (EffectDescription, MakesItsCallsInTheirFixedOrder)
{
    OfferStemFormats (AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }));
    {
        AAX_VCollection collection (host.unknown());
        host.clearRecords();
        ASSERT_EQ (bridge::DescribeEffect (collection, [] { return new MeteredPageFileProcessor(); }), AAX_SUCCESS);
    }
    const std::vector<std::string> expected {
        "AcquireFeatureProperties",
        "new EffectDescriptor",
        "AddName Tarnello",
        "AddCategory 0x00002030",
        "new PropertyMap", "AddProperty 200", "AddProperty 201",
        "AddMeterDescription 0x4D657472 In",
        "AddResourceInfo 2 /pages",
        "AddResourceInfo 1 Tarnello.xml",
        "AddProcPtr 1",
        "AddProcPtr 0",
        "new ComponentDescriptor",
        "AddAudioIn 0", "AddAudioOut 1", "AddAudioBufferLength 2", "AddDataInPort 3 4 1",
        "AddPrivateData 4 8 0", "AddPrivateData 5 4 0", "AddMeters 6 1298494578", "AddPrivateData 7 8 0",
        "new PropertyMap",
        "AddProperty 11", "AddProperty 12", "AddProperty 60", "AddProperty 51", "AddProperty 52",
        "AddProperty 13", "AddProperty 14", "AddProperty 304", "AddProperty 309",
        "AddProcessProc_Native",
        "AddComponent",
        "AddEffect com.Halvory.Tarnello",
        "SetManufacturerName Halvory",
        "AddPackageName Vazu Duzor",
        "AddPackageName Tarnello",
        "SetPackageVersion 0x00010000",
    };
    EXPECT_EQ (host.descriptionCalls(), expected);
}

TEST_F (EffectDescription, EveryNonNegativeAnswerToTheProcessProcedureIsASuccess)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    OfferStemFormats (AllFormats ({ { AAX::kStemFormat_Stereo, 2 } }));
    const struct { ACFRESULT answer; size_t components; bool traced; } cases[] = {
        { 0, 1, false }, { 1, 1, false }, { 0x7FFFFFFF, 1, false }, { -1, 0, true }, { ACF_E_FAIL, 0, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.answer);
        host.clearRecords();
        host.config().processProcResult = c.answer;
        const auto record = Describe (StandIn());
        ASSERT_EQ (record.effects.size(), 1u);
        EXPECT_EQ (record.effects[0].components.size(), c.components);
        const auto traces = host.traces();
        ASSERT_EQ (traces.empty(), ! c.traced);
        if (c.traced)
        {
            EXPECT_EQ (traces[0].priority, AAX::kTracePriority_Critical);
            EXPECT_NE (traces[0].message.find ("refused the process procedure"), std::string::npos) << traces[0].message;
        }
    }
}

TEST_F (EffectDescription, NoProcessorMeansNoEffect)
{
    const auto record = Describe ([] { return nullptr; }, AAX_ERROR_NULL_OBJECT);
    EXPECT_TRUE (record.effects.empty());
    EXPECT_TRUE (record.packageNames.empty());
}

TEST_F (EffectDescription, ProductDescriptionUsesCreatePluginFilter)
{
    {
        AAX_VCollection collection (host.unknown());
        EXPECT_EQ (bridge::DescribeProduct (collection), AAX_SUCCESS);
    }
    ASSERT_NE (host.lastCollection(), nullptr);
    ASSERT_EQ (host.lastCollection()->effects.size(), 1u);
    EXPECT_EQ (host.lastCollection()->effects[0].components.size(), ClassicFormats().size() * ClassicFormats().size());
}

TEST_F (EffectDescription, ThrowingProcessorLeavesTheWrapperTypeAsItWas)
{
    AAX_VCollection collection (host.unknown());
    EXPECT_THROW (bridge::DescribeEffect (collection, []() -> juce::AudioProcessor* { throw std::runtime_error ("no"); }),
                  std::runtime_error);
    EXPECT_EQ (juce::PluginHostType::getPluginLoadedAs(), juce::AudioProcessor::wrapperType_Undefined);
    StubProcessor after;
    EXPECT_EQ (after.wrapperType, juce::AudioProcessor::wrapperType_Undefined);
}
} // namespace
