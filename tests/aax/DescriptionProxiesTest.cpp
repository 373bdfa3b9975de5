// The description-phase proxies against the stand-in host, in process: the
// codes for missing versions, the property-map rules, the procedure fallback
// and the references they give back.

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_HostFactory.h"
#include "aax/AAX_VCollection.h"
#include "aax/AAX_VComponentDescriptor.h"
#include "aax/AAX_VDescriptionHost.h"
#include "aax/AAX_VEffectDescriptor.h"
#include "aax/AAX_VPropertyMap.h"
#include "aax/ACFEntryPoints.h"

#include "host/HostObjects.h"
#include "host/StandInHost.h"

#include "tests/support/HostObjectLeakCheck.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using tarnello::host::StandInHost;

void TestProcess (void* const[], const void*) {}
int32_t TestInit (const void*, int32_t) { return 0; }

const tarnello::host::PropertySnapshot& LastNativeProperties (const tarnello::host::ComponentRecord& record)
{
    return record.processProcs.back().properties;
}

class DescriptionProxies : public ::testing::Test
{
protected:
    void SetUp() override { leaks.restart(); }
    void TearDown() override { AAX::Shutdown (nullptr); }

    std::unique_ptr<AAX_VPropertyMap> NewMap() { return std::unique_ptr<AAX_VPropertyMap> (AAX_VPropertyMap::Create (host.unknown())); }

    StandInHost host;
    tarnello::test::HostObjectLeakCheck leaks;
};

TEST_F (DescriptionProxies, StemFormatsNewerThanTheHostKnowsAreRefusedWithoutADescriptionHost)
{
    const struct
    {
        uint32_t id;
        AAX_CPropertyValue value;
        AAX_Result withoutDescriptionHost;
    } cases[] = {
        { 51, 0x000D000A, AAX_ERROR_PROPERTY_UNDEFINED },
        { 52, 0x000D000A, AAX_ERROR_PROPERTY_UNDEFINED },
        { 51, 0x000D0000, AAX_ERROR_PROPERTY_UNDEFINED },
        { 52, 0x00130010, AAX_ERROR_PROPERTY_UNDEFINED },
        { 51, -1, AAX_ERROR_PROPERTY_UNDEFINED },
        { 51, static_cast<AAX_CPropertyValue> (0xFFFF0000u), AAX_SUCCESS },   // any format
        { 52, static_cast<AAX_CPropertyValue> (0xFF9C0000u), AAX_SUCCESS },   // no format
        { 51, 0x000CFFFF, AAX_SUCCESS },
        { 52, 0x000C0008, AAX_SUCCESS },
        { 51, 0, AAX_SUCCESS },
        { 12, 0x000D000A, AAX_SUCCESS },   // only the stem-format ids are checked
    };

    StandInHost oldHost;
    oldHost.config().omit (IID_IAAXDescriptionHostV1);
    std::unique_ptr<AAX_VPropertyMap> oldMap (AAX_VPropertyMap::Create (oldHost.unknown()));
    auto newMap = NewMap();
    ASSERT_NE (oldMap, nullptr);
    ASSERT_NE (newMap, nullptr);
    EXPECT_FALSE (oldMap->HasDescriptionHost());
    EXPECT_TRUE (newMap->HasDescriptionHost());

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.id << " = " << std::hex << c.value);
        EXPECT_EQ (oldMap->AddProperty (c.id, c.value), c.withoutDescriptionHost);
        AAX_CPropertyValue stored = 12345;
        EXPECT_EQ (oldMap->GetProperty (c.id, &stored) != 0, c.withoutDescriptionHost == AAX_SUCCESS);
        oldMap->RemoveProperty (c.id);
        EXPECT_EQ (newMap->AddProperty (c.id, c.value), AAX_SUCCESS);
    }
}

TEST_F (DescriptionProxies, PointerPropertiesWithoutVersion3StayInTheProxy)
{
    host.config().omit (IID_IAAXPropertyMapV3);
    auto map = NewMap();
    ASSERT_NE (map, nullptr);
    int target = 0;
    const void* pointer = &target;

    for (uint32_t id = 36; id <= 43; ++id)
        EXPECT_EQ (map->AddPointerProperty (id, pointer), AAX_SUCCESS) << id;
    EXPECT_EQ (map->AddPointerProperty (44, pointer), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (map->AddPointerProperty (35, pointer), AAX_ERROR_UNIMPLEMENTED);

    const void* read = nullptr;
    EXPECT_TRUE (map->GetPointerProperty (36, &read));
    EXPECT_EQ (read, pointer);
    EXPECT_FALSE (map->GetPointerProperty (44, &read));
    EXPECT_FALSE (map->GetPointerProperty (36, nullptr));

    // A later pointer replaces the first.
    int other = 0;
    EXPECT_EQ (map->AddPointerProperty (36, static_cast<const void*> (&other)), AAX_SUCCESS);
    EXPECT_TRUE (map->GetPointerProperty (36, &read));
    EXPECT_EQ (read, &other);

    // The text form forwards to the pointer form.
    const char* name = "module.so";
    EXPECT_EQ (map->AddPointerProperty (39, name), AAX_SUCCESS);
    EXPECT_TRUE (map->GetPointerProperty (39, &read));
    EXPECT_EQ (read, name);

    // Nothing of it reached the host's map.
    const auto* hostMap = tarnello::host::HostPropertyMap::from (map->GetIUnknown());
    ASSERT_NE (hostMap, nullptr);
    EXPECT_TRUE (hostMap->snapshot().pointers.empty());
}

TEST_F (DescriptionProxies, PointerPropertiesWithVersion3ReachTheHost)
{
    auto map = NewMap();
    int target = 0;
    EXPECT_EQ (map->AddPointerProperty (44, static_cast<const void*> (&target)), AAX_SUCCESS);
    const void* read = nullptr;
    EXPECT_TRUE (map->GetPointerProperty (44, &read));
    EXPECT_EQ (read, &target);
    const auto* hostMap = tarnello::host::HostPropertyMap::from (map->GetIUnknown());
    ASSERT_NE (hostMap, nullptr);
    ASSERT_EQ (hostMap->snapshot().pointers.size(), 1u);
}

TEST_F (DescriptionProxies, MapIsPassedAsItsNewestVersion)
{
    const struct
    {
        const char* name;
        std::vector<acfIID> omitted;
        acfIID expected;
    } cases[] = {
        { "all versions", {}, IID_IAAXPropertyMapV3 },
        { "without version 3", { IID_IAAXPropertyMapV3 }, IID_IAAXPropertyMapV2 },
        { "version 1 only", { IID_IAAXPropertyMapV3, IID_IAAXPropertyMapV2 }, IID_IAAXPropertyMapV1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        StandInHost partial;
        for (const auto& iid : c.omitted)
            partial.config().omit (iid);
        std::unique_ptr<AAX_VPropertyMap> map (AAX_VPropertyMap::Create (partial.unknown()));
        ASSERT_NE (map->GetIUnknown(), nullptr);
        void* expected = nullptr;
        ASSERT_EQ (map->GetIUnknown()->QueryInterface (c.expected, &expected), ACF_OK);
        EXPECT_EQ (expected, static_cast<void*> (map->GetIUnknown()));
        static_cast<IACFUnknown*> (expected)->Release();
    }
    EXPECT_EQ (AAX_PropertyMapUnknown (nullptr), nullptr);
}

TEST_F (DescriptionProxies, DuplicateCopiesIntegerAndPointerPropertiesInRange)
{
    for (const bool withVersion3 : { true, false })
    {
        SCOPED_TRACE (withVersion3 ? "with version 3" : "without version 3");
        StandInHost partial;
        if (! withVersion3)
            partial.config().omit (IID_IAAXPropertyMapV3);
        AAX_VComponentDescriptor component (partial.unknown());

        AAX_VPropertyMap* source = component.NewPropertyMap();
        ASSERT_NE (source, nullptr);
        int target = 0;
        source->AddProperty (11, 0x486C7672);
        source->AddPointerProperty (36, static_cast<const void*> (&target));
        source->AddProperty (9, 1);      // below the copied range
        source->AddProperty (402, 1);    // above it

        AAX_VPropertyMap* copy = component.DuplicatePropertyMap (source);
        ASSERT_NE (copy, nullptr);
        ASSERT_NE (copy, source);
        AAX_CPropertyValue value = 0;
        EXPECT_TRUE (copy->GetProperty (11, &value));
        EXPECT_EQ (value, 0x486C7672);
        const void* pointer = nullptr;
        EXPECT_TRUE (copy->GetPointerProperty (36, &pointer));
        EXPECT_EQ (pointer, &target);
        EXPECT_FALSE (copy->GetProperty (9, &value));
        EXPECT_FALSE (copy->GetProperty (402, &value));

        const auto* hostCopy = tarnello::host::HostPropertyMap::from (copy->GetIUnknown());
        ASSERT_NE (hostCopy, nullptr);
        EXPECT_EQ (hostCopy->snapshot().values.size(), 1u);
        EXPECT_EQ (component.DuplicatePropertyMap (nullptr), nullptr);
    }
}

TEST_F (DescriptionProxies, DuplicateWithoutAFactoryGivesNull)
{
    StandInHost partial;
    partial.config().omit (IID_IACFComponentFactory);
    AAX_VComponentDescriptor component (partial.unknown());
    EXPECT_EQ (component.NewPropertyMap(), nullptr);

    AAX_VComponentDescriptor full (host.unknown());
    AAX_VPropertyMap* source = full.NewPropertyMap();
    source->AddProperty (11, 1);
    EXPECT_EQ (component.DuplicatePropertyMap (source), nullptr);
}

TEST_F (DescriptionProxies, MissingVersionsAnswerTheirCodes)
{
    struct Case
    {
        const char* name;
        acfIID omitted;
    };
    const Case cases[] = {
        { "collection", IID_IAAXCollectionV1 },
        { "effect descriptor", IID_IAAXEffectDescriptorV1 },
        { "effect descriptor version 2", IID_IAAXEffectDescriptorV2 },
        { "component descriptor", IID_IAAXComponentDescriptorV1 },
        { "component descriptor version 2", IID_IAAXComponentDescriptorV2 },
        { "component descriptor version 3", IID_IAAXComponentDescriptorV3 },
        { "property map", IID_IAAXPropertyMapV1 },
        { "property map version 2", IID_IAAXPropertyMapV2 },
        { "feature info", IID_IAAXFeatureInfoV1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        StandInHost partial;
        partial.config().stemFormatFeature.present = true;
        partial.config().omit (c.omitted);
        auto missing = [&c] (const acfIID& iid) { return c.omitted == iid; };

        AAX_VCollection collection (partial.unknown());
        const AAX_Result collectionCode = missing (IID_IAAXCollectionV1) ? AAX_ERROR_NULL_OBJECT : AAX_SUCCESS;
        EXPECT_EQ (collection.SetManufacturerName ("Halvory"), collectionCode);
        EXPECT_EQ (collection.AddPackageName ("Tarnello"), collectionCode);
        EXPECT_EQ (collection.SetPackageVersion (1), collectionCode);
        EXPECT_EQ (collection.SetProperties (nullptr), collectionCode);

        AAX_VEffectDescriptor* effect = collection.NewDescriptor();
        ASSERT_NE (effect, nullptr);   // always made
        const bool effectV1 = ! missing (IID_IAAXEffectDescriptorV1);
        const AAX_Result effectCode = effectV1 ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT;
        EXPECT_EQ (effect->AddName ("Tarnello"), effectCode);
        EXPECT_EQ (effect->AddCategory (0x2030), effectCode);
        EXPECT_EQ (effect->AddCategoryBypassParameter (0x2030, "MasterBypassID"), effectCode);
        EXPECT_EQ (effect->AddProcPtr (reinterpret_cast<void*> (&TestProcess), 0), effectCode);
        EXPECT_EQ (effect->AddResourceInfo (1, "page"), effectCode);
        EXPECT_EQ (effect->AddMeterDescription (1, "meter", nullptr), effectCode);
        EXPECT_EQ (effect->SetProperties (nullptr), effectCode);
        EXPECT_EQ (effect->AddControlMIDINode (1, 0, "midi", 1),
                   effectV1 && ! missing (IID_IAAXEffectDescriptorV2) ? AAX_SUCCESS : AAX_ERROR_UNIMPLEMENTED);

        AAX_VComponentDescriptor* component = effect->NewComponentDescriptor();
        const bool componentV1 = ! missing (IID_IAAXComponentDescriptorV1);
        const AAX_Result componentCode = componentV1 ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT;
        EXPECT_EQ (component->Clear(), componentCode);
        EXPECT_EQ (component->AddAudioIn (0), componentCode);
        EXPECT_EQ (component->AddAudioOut (1), componentCode);
        EXPECT_EQ (component->AddAudioBufferLength (2), componentCode);
        EXPECT_EQ (component->AddSampleRate (3), componentCode);
        EXPECT_EQ (component->AddClock (4), componentCode);
        EXPECT_EQ (component->AddSideChainIn (5), componentCode);
        EXPECT_EQ (component->AddDataInPort (6, 4, 1), componentCode);
        EXPECT_EQ (component->AddAuxOutputStem (0, AAX::kStemFormat_Stereo, "Aux"), componentCode);
        EXPECT_EQ (component->AddPrivateData (7, 8, 0), componentCode);
        EXPECT_EQ (component->AddDmaInstance (8, 0), componentCode);
        const AAX_CTypeID meters[] = { 1, 2 };
        EXPECT_EQ (component->AddMeters (9, meters, 2), componentCode);
        EXPECT_EQ (component->AddMIDINode (10, 0, "midi", 1), componentCode);
        EXPECT_EQ (component->AddReservedField (11, 0), componentCode);
        EXPECT_EQ (component->AddTemporaryData (12, 4),
                   componentV1 && ! missing (IID_IAAXComponentDescriptorV2) ? AAX_SUCCESS : AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (component->AddProcessProc_TI ("chip.dll", "Process", nullptr), componentCode);

        AAX_VPropertyMap* map = component->NewPropertyMap();
        ASSERT_NE (map, nullptr);   // the factory answers, so the proxy exists
        const bool mapV1 = ! missing (IID_IAAXPropertyMapV1);
        EXPECT_EQ (map->AddProperty (13, 7), mapV1 ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT);
        AAX_CPropertyValue value = 0;
        EXPECT_EQ (map->GetProperty (13, &value) != 0, mapV1);
        EXPECT_EQ (map->RemoveProperty (13), mapV1 ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT);
        const acfUID ids[] = { IID_IACFUnknown };
        const bool mapV2 = mapV1 && ! missing (IID_IAAXPropertyMapV2);
        EXPECT_EQ (map->AddPropertyWithIDArray (20, ids, 1), mapV2 ? AAX_SUCCESS : AAX_ERROR_UNIMPLEMENTED);
        const acfUID* readIds = nullptr;
        uint32_t count = 0;
        EXPECT_EQ (map->GetPropertyWithIDArray (20, &readIds, &count) != 0, mapV2);

        EXPECT_EQ (component->AddProcessProc_Native (&TestProcess, map), componentCode);
        EXPECT_EQ (effect->AddComponent (component), effectV1 && componentV1 ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (collection.AddEffect ("com.Halvory.Tarnello", effect),
                   effectV1 && ! missing (IID_IAAXCollectionV1) ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (collection.AddEffect ("com.Halvory.Tarnello", nullptr), AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (effect->AddComponent (nullptr), AAX_ERROR_NULL_OBJECT);

        ASSERT_NE (collection.DescriptionHost(), nullptr);
        std::unique_ptr<AAX_VFeatureInfo> feature (collection.DescriptionHost()->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
        ASSERT_NE (feature, nullptr);
        int32_t level = 0;
        EXPECT_EQ (feature->SupportLevel (&level), missing (IID_IAAXFeatureInfoV1) ? AAX_ERROR_NULL_OBJECT : AAX_SUCCESS);
        EXPECT_EQ (std::unique_ptr<AAX_VPropertyMap> (feature->AcquireProperties()) == nullptr, missing (IID_IAAXFeatureInfoV1));
        EXPECT_EQ (feature->ID(), AAXATTR_ClientFeature_StemFormat);
    }
    leaks.expectNoHostObjectsLeft();
}

TEST_F (DescriptionProxies, DescriptionHostAnswersOnlyWithItsInterface)
{
    {
        AAX_VCollection collection (host.unknown());
        ASSERT_NE (collection.DescriptionHost(), nullptr);
        EXPECT_NE (collection.HostDefinition(), nullptr);
        // Not offered by this host: no feature object.
        EXPECT_EQ (collection.DescriptionHost()->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat), nullptr);
    }
    host.config().omit (IID_IAAXDescriptionHostV1).omit (IID_IACFDefinition);
    AAX_VCollection collection (host.unknown());
    EXPECT_EQ (collection.DescriptionHost(), nullptr);
    EXPECT_EQ (static_cast<const AAX_VCollection&> (collection).DescriptionHost(), nullptr);
    EXPECT_EQ (collection.HostDefinition(), nullptr);
}

TEST_F (DescriptionProxies, NullFactoryOnSuccessThrowsTheInteger)
{
    host.config().nullFactoryOnSuccess = true;
    auto expectThrowsInteger = [] (auto&& make) {
        try
        {
            make();
            ADD_FAILURE() << "nothing thrown";
        }
        catch (int code)
        {
            EXPECT_EQ (static_cast<uint32_t> (code), 0x80000005u);
        }
    };
    expectThrowsInteger ([&] { AAX_VCollection collection (host.unknown()); });
    expectThrowsInteger ([&] { AAX_VEffectDescriptor effect (host.unknown()); });
    expectThrowsInteger ([&] { AAX_VComponentDescriptor component (host.unknown()); });
    expectThrowsInteger ([&] { std::unique_ptr<AAX_VPropertyMap> (AAX_VPropertyMap::Create (host.unknown())); });
    // The references taken before the throw are given back.
    leaks.expectNoHostObjectsLeft();
}

TEST_F (DescriptionProxies, WithoutFactoryTheProxiesExistButAnswerNullObject)
{
    host.config().omit (IID_IACFComponentFactory);
    AAX_VCollection collection (host.unknown());
    EXPECT_EQ (collection.GetIUnknown(), nullptr);
    EXPECT_EQ (collection.NewPropertyMap(), nullptr);
    AAX_VEffectDescriptor* effect = collection.NewDescriptor();
    ASSERT_NE (effect, nullptr);
    EXPECT_EQ (effect->AddName ("Tarnello"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (effect->NewPropertyMap(), nullptr);
    EXPECT_EQ (effect->NewComponentDescriptor()->AddAudioIn (0), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (AAX_VPropertyMap::Create (nullptr), nullptr);
}

//==============================================================================
// AddProcessProc: forwarded with version 3, assembled from the map's pointers without it.
class AddProcessProc : public DescriptionProxies
{
protected:
    void SetUp() override
    {
        DescriptionProxies::SetUp();
        host.config().omit (IID_IAAXComponentDescriptorV3);
        ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
        host.clearRecords();
    }

    // The host's record of the component behind a proxy.
    static const tarnello::host::ComponentRecord& HostRecord (const AAX_VComponentDescriptor& component)
    {
        return dynamic_cast<const tarnello::host::HostComponentDescriptor&> (*component.GetIUnknown()).record();
    }
};

TEST_F (AddProcessProc, NativeProceduresComeFromThePointerProperties)
{
    AAX_VComponentDescriptor component (host.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (13, 0x6A636161);
    map->AddPointerProperty (36, reinterpret_cast<const void*> (&TestProcess));
    map->AddPointerProperty (37, reinterpret_cast<const void*> (&TestInit));

    AAX_CTypeID ids[3] = { 99, 99, 99 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 3), AAX_SUCCESS);
    const auto& record = HostRecord (component);
    ASSERT_EQ (record.processProcs.size(), 1u);
    EXPECT_EQ (record.processProcs[0].processProc, reinterpret_cast<const void*> (&TestProcess));
    EXPECT_EQ (record.processProcs[0].instanceInitProc, reinterpret_cast<const void*> (&TestInit));
    EXPECT_EQ (record.processProcs[0].backgroundProc, nullptr);
    EXPECT_EQ (ids[0], record.processProcs[0].procID);
    EXPECT_EQ (ids[1], 0u);
    EXPECT_EQ (ids[2], 99u);
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (AddProcessProc, MissingNativeProcedureIsNeverRegistered)
{
    AAX_VComponentDescriptor component (host.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (13, 0x6A636161);

    AAX_CTypeID ids[2] = { 99, 99 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 2), AAX_ERROR_PROPERTY_UNDEFINED);
    EXPECT_TRUE (HostRecord (component).processProcs.empty());
    EXPECT_EQ (ids[0], 99u);
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].priority, AAX::kTracePriority_Critical);
    EXPECT_EQ (host.traces()[0].message,
               "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_NativeProcessProc");

    // Nor through the direct call.
    EXPECT_EQ (component.AddProcessProc_Native (nullptr, map), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_TRUE (HostRecord (component).processProcs.empty());
}

TEST_F (AddProcessProc, BufferLengthPropertyIsLeftOutOfTheRegisteredMap)
{
    AAX_VComponentDescriptor component (host.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (14, 0x6A796161);
    map->AddProperty (54, 1024);
    map->AddPointerProperty (36, reinterpret_cast<const void*> (&TestProcess));

    EXPECT_EQ (component.AddProcessProc (map), AAX_SUCCESS);
    const auto& record = HostRecord (component);
    ASSERT_EQ (record.processProcs.size(), 1u);
    const auto& registered = LastNativeProperties (record);
    EXPECT_EQ (registered.find (54), nullptr);
    ASSERT_NE (registered.find (14), nullptr);
    AAX_CPropertyValue value = 0;
    EXPECT_TRUE (map->GetProperty (54, &value));   // the caller's map is left alone
    EXPECT_TRUE (host.asserts().empty());
}

TEST_F (AddProcessProc, OffloadProceduresNeedTheirNames)
{
    AAX_VComponentDescriptor component (host.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (15, 1);
    EXPECT_EQ (component.AddProcessProc (map), AAX_ERROR_PROPERTY_UNDEFINED);
    EXPECT_TRUE (HostRecord (component).processProcs.empty());
    ASSERT_EQ (host.traces().size(), 2u);
    EXPECT_EQ (host.traces()[0].message, "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_TIDLLFileName");
    EXPECT_EQ (host.traces()[1].message, "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_TIProcessProc");

    map->AddPointerProperty (39, "chip.dll");
    map->AddPointerProperty (40, "Process");
    EXPECT_EQ (component.AddProcessProc (map), AAX_SUCCESS);
    ASSERT_EQ (HostRecord (component).processProcs.size(), 1u);
    EXPECT_EQ (HostRecord (component).processProcs[0].dllFileName, "chip.dll");
}

TEST_F (AddProcessProc, IdsThatDoNotFitAreNotWritten)
{
    AAX_VComponentDescriptor component (host.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (13, 1);
    map->AddPointerProperty (36, reinterpret_cast<const void*> (&TestProcess));
    AAX_CTypeID ids[1] = { 99 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 1), AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW);
    EXPECT_EQ (ids[0], 99u);
}

TEST_F (AddProcessProc, NeedsAMapAndVersion1)
{
    AAX_VComponentDescriptor component (host.unknown());
    EXPECT_EQ (component.AddProcessProc (nullptr), AAX_ERROR_NULL_OBJECT);

    StandInHost partial;
    partial.config().omit (IID_IAAXComponentDescriptorV1);
    AAX_VComponentDescriptor without (partial.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    EXPECT_EQ (without.AddProcessProc (map), AAX_ERROR_NULL_OBJECT);
}

TEST_F (DescriptionProxies, AddProcessProcGoesToTheHostWithVersion3)
{
    AAX_VComponentDescriptor component (host.unknown());
    AAX_VPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (13, 1);
    map->AddPointerProperty (36, reinterpret_cast<const void*> (&TestProcess));
    AAX_CTypeID ids[2] = {};
    EXPECT_EQ (component.AddProcessProc (map, ids, 2), AAX_SUCCESS);
    const auto& record = dynamic_cast<const tarnello::host::HostComponentDescriptor&> (*component.GetIUnknown()).record();
    ASSERT_EQ (record.processProcs.size(), 1u);
    EXPECT_EQ (ids[0], record.processProcs[0].procID);
}
} // namespace
