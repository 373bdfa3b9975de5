// Registration through the built bundle: what the host is told when every
// interface is there, when each one is left out in turn, and which stem-format
// pairs become components.

#include "tests/host/BundleSupport.h"

#include "host/HostObject.h"
#include "host/StandInHost.h"

#include "aax/acf/AAXIDs.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace
{
using tarnello::host::CollectionRecord;
using tarnello::host::HostConfig;
using tarnello::host::HostObjectBase;
using tarnello::host::StandInHost;
using tarnello::test::standInBundle;

const std::string kNullObjectCheck = "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)";
const std::string kNullObjectCaught = "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)";
const std::string kUnknownCaught = "AAXRegisterPlugin exception caught: unknown";

// The stand-in processor's formats up to 0x000C0008, paired with each other.
constexpr size_t kClassicPairs = 13 * 13;

class Registration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        liveBefore = HostObjectBase::liveObjects();
        ASSERT_EQ (bundle.startup (host.unknown()), ACF_OK);
    }

    void TearDown() override
    {
        EXPECT_EQ (bundle.shutdown (host.unknown()), ACF_OK);
        EXPECT_EQ (bundle.canUnloadNow (host.unknown()), 0);
        EXPECT_EQ (HostObjectBase::liveObjects(), liveBefore);
    }

    // Registers and releases the definition; the host keeps its record.
    ACFRESULT Register (IACFUnknown* hostUnknown)
    {
        IACFPluginDefinition* definition = nullptr;
        const ACFRESULT result = bundle.registerPlugin (hostUnknown, &definition);
        EXPECT_EQ (definition != nullptr, result == ACF_OK);
        if (definition != nullptr)
            definition->Release();
        return result;
    }

    std::vector<std::string> TraceTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& trace : host.traces())
            texts.push_back (trace.message);
        return texts;
    }

    size_t ComponentCount() const
    {
        auto record = host.lastCollection();
        if (record == nullptr || record->effects.empty())
            return 0;
        return record->effects[0].components.size();
    }

    tarnello::host::Bundle& bundle = standInBundle();
    StandInHost host;
    int liveBefore = 0;
};

TEST_F (Registration, FullHostReceivesTheWholeDescription)
{
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    EXPECT_TRUE (host.traces().empty());
    EXPECT_TRUE (host.asserts().empty());

    const auto record = host.lastCollection();
    ASSERT_NE (record, nullptr);
    ASSERT_EQ (record->effects.size(), 1u);
    const auto& effect = record->effects[0];
    EXPECT_EQ (effect.effectID, "com.Halvory.Tarnello");
    EXPECT_EQ (effect.names, std::vector<std::string> { "Tarnello" });
    EXPECT_EQ (effect.categories, std::vector<uint32_t> { 0x2030 });
    EXPECT_TRUE (effect.meters.empty());
    EXPECT_TRUE (effect.resources.empty());
    ASSERT_EQ (effect.procPtrs.size(), 2u);
    EXPECT_EQ (effect.procPtrs[0].second, 1);
    EXPECT_EQ (effect.procPtrs[1].second, 0);
    EXPECT_NE (effect.procPtrs[0].first, nullptr);
    EXPECT_NE (effect.procPtrs[1].first, nullptr);
    EXPECT_EQ (record->manufacturerName, "Halvory");
    EXPECT_EQ (record->packageNames, (std::vector<std::string> { "Vazu Duzor", "Tarnello" }));
    EXPECT_EQ (record->packageVersion, 0x10000u);

    ASSERT_EQ (effect.components.size(), kClassicPairs);
    std::set<int32_t> nativeIDs;
    for (const auto& component : effect.components)
    {
        ASSERT_EQ (component.fields.size(), 8u);
        for (uint32_t i = 0; i < 8; ++i)
            EXPECT_EQ (component.fields[i].field, i);
        ASSERT_EQ (component.processProcs.size(), 1u);
        EXPECT_NE (component.processProcs[0].processProc, nullptr);
        std::vector<uint32_t> ids;
        for (const auto& [id, value] : component.processProcs[0].properties.values)
            ids.push_back (id);
        EXPECT_EQ (ids, (std::vector<uint32_t> { 11, 12, 60, 51, 52, 13, 14, 304, 309 }));
        EXPECT_EQ (*component.processProcs[0].properties.find (11), 0x486C7672);
        EXPECT_TRUE (nativeIDs.insert (*component.processProcs[0].properties.find (13)).second);
    }
}

TEST_F (Registration, EachInterfaceLeftOutInTurn)
{
    const struct
    {
        const char* name;
        std::function<void (HostConfig&)> leaveOut;
        ACFRESULT result;
        std::vector<std::string> traces;
        bool effectRecorded;
        size_t components;
    } cases[] = {
        { "nothing", [] (HostConfig&) {}, 0, {}, true, kClassicPairs },
        { "component factory", [] (HostConfig& c) { c.omit (IID_IACFComponentFactory); }, -20004, { kNullObjectCheck, kNullObjectCaught }, false, 0 },
        { "factory answers null", [] (HostConfig& c) { c.nullFactoryOnSuccess = true; }, -20042, { kUnknownCaught }, false, 0 },
        { "collection creation", [] (HostConfig& c) { c.failCreation (AAXCompID_AAXCollection); }, -20004,
          { kNullObjectCheck, kNullObjectCaught }, false, 0 },
        { "collection interface", [] (HostConfig& c) { c.omit (IID_IAAXCollectionV1); }, -20004, { kNullObjectCheck, kNullObjectCaught }, false, 0 },
        { "plug-in definition", [] (HostConfig& c) { c.omit (IID_IACFPluginDefinition); }, -20004, { kNullObjectCheck, kNullObjectCaught }, true,
          kClassicPairs },
        { "effect descriptor creation", [] (HostConfig& c) { c.failCreation (AAXCompID_AAXEffectDescriptor); }, 0, {}, false, 0 },
        { "effect descriptor", [] (HostConfig& c) { c.omit (IID_IAAXEffectDescriptorV1); }, 0, {}, false, 0 },
        { "effect descriptor version 2", [] (HostConfig& c) { c.omit (IID_IAAXEffectDescriptorV2); }, 0, {}, true, kClassicPairs },
        { "component descriptor creation", [] (HostConfig& c) { c.failCreation (AAXCompID_AAXComponentDescriptor); }, 0, {}, true, 0 },
        { "component descriptor", [] (HostConfig& c) { c.omit (IID_IAAXComponentDescriptorV1); }, 0, {}, true, 0 },
        { "component descriptor version 2", [] (HostConfig& c) { c.omit (IID_IAAXComponentDescriptorV2); }, 0, {}, true, kClassicPairs },
        { "component descriptor version 3", [] (HostConfig& c) { c.omit (IID_IAAXComponentDescriptorV3); }, 0, {}, true, kClassicPairs },
        { "property map creation", [] (HostConfig& c) { c.failCreation (AAXCompID_AAXPropertyMap); }, 0, {}, true, kClassicPairs },
        { "property map version 2", [] (HostConfig& c) { c.omit (IID_IAAXPropertyMapV2); }, 0, {}, true, kClassicPairs },
        { "property map version 3", [] (HostConfig& c) { c.omit (IID_IAAXPropertyMapV3); }, 0, {}, true, kClassicPairs },
        { "description host", [] (HostConfig& c) { c.omit (IID_IAAXDescriptionHostV1); }, 0, {}, true, kClassicPairs },
        { "host definition", [] (HostConfig& c) { c.omit (IID_IACFDefinition); }, 0, {}, true, kClassicPairs },
        { "feature info", [] (HostConfig& c) { c.omit (IID_IAAXFeatureInfoV1); }, 0, {}, true, kClassicPairs },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        host.clearRecords();
        host.config() = {};
        c.leaveOut (host.config());
        const int liveAtStart = HostObjectBase::liveObjects();

        EXPECT_EQ (Register (host.unknown()), c.result);
        EXPECT_EQ (TraceTexts(), c.traces);
        for (const auto& trace : host.traces())
            EXPECT_EQ (trace.priority, trace.message == kNullObjectCheck ? 0x4000000 : 0x8000000);

        const auto record = host.lastCollection();
        const bool effectRecorded = record != nullptr && ! record->effects.empty();
        EXPECT_EQ (effectRecorded, c.effectRecorded);
        EXPECT_EQ (ComponentCount(), c.components);
        // Every component the host received can be run.
        if (effectRecorded)
        {
            for (const auto& component : record->effects[0].components)
                for (const auto& proc : component.processProcs)
                    EXPECT_NE (proc.processProc, nullptr);
        }
        EXPECT_EQ (HostObjectBase::liveObjects(), liveAtStart);
    }
    host.config() = {};
}

TEST_F (Registration, PartialHostsGetPartialDescriptions)
{
    // Without effect descriptors the package is still named.
    host.config().failCreation (AAXCompID_AAXEffectDescriptor);
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    auto record = host.lastCollection();
    ASSERT_NE (record, nullptr);
    EXPECT_TRUE (record->effects.empty());
    EXPECT_EQ (record->manufacturerName, "Halvory");
    EXPECT_EQ (record->packageNames.size(), 2u);

    // Without property maps the components come without properties but with their procedure.
    host.clearRecords();
    host.config() = {};
    host.config().failCreation (AAXCompID_AAXPropertyMap);
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    record = host.lastCollection();
    ASSERT_EQ (record->effects.size(), 1u);
    for (const auto& component : record->effects[0].components)
    {
        ASSERT_EQ (component.processProcs.size(), 1u);
        EXPECT_TRUE (component.processProcs[0].properties.values.empty());
        EXPECT_NE (component.processProcs[0].processProc, nullptr);
    }
}

TEST_F (Registration, HostServicesLeftOutSilenceTheTraces)
{
    StandInHost quiet;
    quiet.config().omit (IID_IAAXHostServicesV1);
    bundle.shutdown (host.unknown());
    ASSERT_EQ (bundle.startup (quiet.unknown()), ACF_OK);
    quiet.config().omit (IID_IACFPluginDefinition);

    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (bundle.registerPlugin (quiet.unknown(), &definition), -20004);
    EXPECT_TRUE (quiet.traces().empty());
    bundle.shutdown (quiet.unknown());
    ASSERT_EQ (bundle.startup (host.unknown()), ACF_OK);
}

TEST_F (Registration, StemFormatFeatureChoosesTheComponents)
{
    auto everyFormat = [] (int32_t stereoValue, int32_t otherValue) {
        std::map<int32_t, int32_t> values;
        for (const auto format : AAX::kMainStemFormats)
            values[format] = format == AAX::kStemFormat_Stereo ? stereoValue : otherValue;
        return values;
    };

    // Value 2 only for stereo: exactly one component, stereo in and stereo out.
    host.config().stemFormatFeature.present = true;
    host.config().stemFormatFeature.values = everyFormat (2, 0);
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    auto record = host.lastCollection();
    ASSERT_EQ (record->effects.size(), 1u);
    ASSERT_EQ (record->effects[0].components.size(), 1u);
    const auto& stereo = record->effects[0].components[0].processProcs.at (0).properties;
    EXPECT_EQ (*stereo.find (51), AAX::kStemFormat_Stereo);
    EXPECT_EQ (*stereo.find (52), AAX::kStemFormat_Stereo);

    // Every format supported: the newer ones pair too.
    host.clearRecords();
    host.config().stemFormatFeature.values = everyFormat (2, 2);
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    EXPECT_EQ (ComponentCount(), std::size (AAX::kMainStemFormats) * std::size (AAX::kMainStemFormats));

    // Without the feature, only the classic formats.
    host.clearRecords();
    host.config().stemFormatFeature.present = false;
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    EXPECT_EQ (ComponentCount(), kClassicPairs);
    for (const auto& component : host.lastCollection()->effects[0].components)
        for (const uint32_t id : { 51u, 52u })
            EXPECT_LE (*component.processProcs.at (0).properties.find (id), AAX::kStemFormat_7_1);
}

TEST_F (Registration, SecondRegistrationDescribesTheSame)
{
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    ASSERT_EQ (Register (host.unknown()), ACF_OK);
    const auto collections = host.collections();
    ASSERT_EQ (collections.size(), 2u);
    ASSERT_EQ (collections[0]->effects.size(), 1u);
    ASSERT_EQ (collections[1]->effects.size(), 1u);
    EXPECT_EQ (collections[0]->effects[0].components.size(), collections[1]->effects[0].components.size());
    EXPECT_EQ (collections[0]->effects[0].names, collections[1]->effects[0].names);
}

TEST_F (Registration, WithoutHostUnknownFailsWithNullObject)
{
    EXPECT_EQ (Register (nullptr), -20004);
    EXPECT_EQ (TraceTexts(), (std::vector<std::string> { kNullObjectCheck, kNullObjectCaught }));
}
} // namespace
