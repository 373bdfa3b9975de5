// The work behind the seven exports, in process against the stand-in host:
// start-up and shut-down, the host-services proxy, traces, and the way
// registration turns what the description throws into a result.

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_CheckedResult.h"
#include "aax/AAX_Exception.h"
#include "aax/AAX_VCollection.h"
#include "aax/AAX_VHostServices.h"
#include "aax/ACFEntryPoints.h"
#include "aax/CACFUnknown.h"

#include "host/HostObject.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
using tarnello::host::HostObjectBase;
using tarnello::host::StandInHost;

class EntryPoints : public ::testing::Test
{
protected:
    void TearDown() override { AAX::Shutdown (nullptr); }

    static AAX_VHostServices* services() { return AAX_CHostServices::GetAAXHostServices(); }

    StandInHost host;
};

TEST_F (EntryPoints, StartupWithoutHostChangesNothing)
{
    EXPECT_EQ (AAX::Startup (nullptr), ACF_OK);
    EXPECT_EQ (services(), nullptr);
}

TEST_F (EntryPoints, StartupMakesTheProxyWithAllThreeVersions)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    ASSERT_NE (services(), nullptr);
    EXPECT_TRUE (services()->HasVersion1());
    EXPECT_TRUE (services()->HasVersion2());
    EXPECT_TRUE (services()->HasVersion3());

    EXPECT_EQ (services()->Trace (7, "hello"), ACF_OK);
    EXPECT_EQ (services()->StackTrace (1, 2, "stack"), ACF_OK);
    EXPECT_EQ (services()->HandleAssertFailure ("file.cpp", 12, "x != 0", 1), ACF_OK);
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].priority, 7);
    EXPECT_EQ (host.traces()[0].message, "hello");
    ASSERT_EQ (host.stackTraces().size(), 1u);
    EXPECT_EQ (host.stackTraces()[0].stackTraceLevel, 2);
    ASSERT_EQ (host.asserts().size(), 1u);
    EXPECT_EQ (host.asserts()[0].note, "x != 0");
    EXPECT_EQ (host.asserts()[0].line, 12);
}

TEST_F (EntryPoints, SecondStartupKeepsTheFirstProxy)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    AAX_VHostServices* first = services();

    StandInHost other;
    EXPECT_EQ (AAX::Startup (other.unknown()), ACF_OK);
    EXPECT_EQ (services(), first);

    AAX_CHostServices::Trace (1, "to the first host");
    EXPECT_EQ (host.traces().size(), 1u);
    EXPECT_TRUE (other.traces().empty());
}

TEST_F (EntryPoints, StartupWithNullHostDestroysTheProxy)
{
    const int before = HostObjectBase::liveObjects();
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    EXPECT_EQ (HostObjectBase::liveObjects(), before + 3);   // one services object per version
    EXPECT_EQ (AAX::Startup (nullptr), ACF_OK);
    EXPECT_EQ (services(), nullptr);
    EXPECT_EQ (HostObjectBase::liveObjects(), before);
}

TEST_F (EntryPoints, HostWithoutFactoryGivesAnEmptyProxy)
{
    host.config().omit (IID_IACFComponentFactory);
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    ASSERT_NE (services(), nullptr);
    EXPECT_EQ (services()->Trace (1, "lost"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (services()->StackTrace (1, 1, "lost"), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (services()->HandleAssertFailure ("f", 1, "n", 1), AAX_ERROR_NULL_OBJECT);
    AAX_CHostServices::Trace (1, "vanishes");
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (EntryPoints, NullFactoryOnSuccessLeavesNoProxy)
{
    const int before = HostObjectBase::liveObjects();
    host.config().nullFactoryOnSuccess = true;
    EXPECT_EQ (AAX::Startup (host.unknown()), ACF_E_UNEXPECTED);
    EXPECT_EQ (static_cast<uint32_t> (ACF_E_UNEXPECTED), 0x8000FFFFu);
    EXPECT_EQ (services(), nullptr);
    EXPECT_EQ (HostObjectBase::liveObjects(), before);

    // The host can start the bundle once it offers a factory.
    host.config().nullFactoryOnSuccess = false;
    EXPECT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    EXPECT_NE (services(), nullptr);
}

TEST_F (EntryPoints, EachMissingVersionAnswersItsCode)
{
    const struct
    {
        const char* name;
        acfIID omitted;
        AAX_Result trace, stackTrace, assertFailure;
    } cases[] = {
        { "version 1", IID_IAAXHostServicesV1, AAX_ERROR_NULL_OBJECT, ACF_OK, ACF_OK },
        { "version 2", IID_IAAXHostServicesV2, ACF_OK, AAX_ERROR_UNIMPLEMENTED, ACF_OK },
        { "version 3", IID_IAAXHostServicesV3, ACF_OK, ACF_OK, AAX_ERROR_NULL_OBJECT },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        StandInHost partial;
        partial.config().omit (c.omitted);
        ASSERT_EQ (AAX::Startup (partial.unknown()), ACF_OK);
        EXPECT_EQ (services()->Trace (1, "t"), c.trace);
        EXPECT_EQ (services()->StackTrace (1, 1, "s"), c.stackTrace);
        EXPECT_EQ (services()->HandleAssertFailure ("f", 1, "n", 1), c.assertFailure);
        AAX::Shutdown (partial.unknown());
    }
}

TEST_F (EntryPoints, FailedCreationLeavesItsSlotEmpty)
{
    host.config().failCreation (AAXCompID_HostServices);
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    EXPECT_FALSE (services()->HasVersion1());
    EXPECT_FALSE (services()->HasVersion2());
    EXPECT_FALSE (services()->HasVersion3());
}

TEST_F (EntryPoints, TraceIsCutTo511Characters)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    const std::string longText (600, 'a');
    AAX_CHostServices::Trace (AAX::kTracePriority_Critical, "%s", longText.c_str());
    AAX_CHostServices::Trace (3, "%d-%s", 42, "x");
    ASSERT_EQ (host.traces().size(), 2u);
    EXPECT_EQ (host.traces()[0].message, std::string (511, 'a'));
    EXPECT_EQ (host.traces()[0].priority, AAX::kTracePriority_Critical);
    EXPECT_EQ (host.traces()[1].message, "42-x");
}

TEST_F (EntryPoints, TracesBeforeStartupAndAfterShutdownVanish)
{
    AAX_CHostServices::Trace (1, "before");
    AAX_CHostServices::HandleAssertFailure ("f", 1, "before", 1);
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    AAX_CHostServices::Trace (1, "during");
    EXPECT_EQ (AAX::Shutdown (host.unknown()), ACF_OK);
    EXPECT_EQ (services(), nullptr);
    AAX_CHostServices::Trace (1, "after");
    AAX_CHostServices::HandleAssertFailure ("f", 1, "after", 1);

    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].message, "during");
    EXPECT_TRUE (host.asserts().empty());
}

TEST_F (EntryPoints, CheckedResultTracesOnceBeforeThrowing)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    AAX_CheckedResult result;
    result = AAX_SUCCESS;
    EXPECT_TRUE (host.traces().empty());
    EXPECT_THROW (result = AAX_ERROR_NULL_OBJECT, AAX::Exception::ResultError);
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].priority, AAX::kTracePriority_Important);
    EXPECT_EQ (host.traces()[0].message, "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)");
}

TEST_F (EntryPoints, SmallExportsAnswerTheirFixedResults)
{
    IACFComponentDefinition* component = reinterpret_cast<IACFComponentDefinition*> (0x1);
    EXPECT_EQ (AAX::RegisterComponent (host.unknown(), IID_IACFUnknown, &component), ACF_OK);
    EXPECT_EQ (component, nullptr);
    EXPECT_EQ (AAX::RegisterComponent (nullptr, IID_IACFUnknown, nullptr), ACF_OK);

    void* factory = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (AAX::GetClassFactory (host.unknown(), IID_IACFUnknown, IID_IACFUnknown, &factory), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (factory, nullptr);
    EXPECT_EQ (AAX::GetClassFactory (nullptr, IID_IACFUnknown, IID_IACFUnknown, nullptr), AAX_ERROR_UNIMPLEMENTED);

    acfUInt64 version = 0;
    EXPECT_EQ (AAX::GetSDKVersion (&version), ACF_OK);
    EXPECT_EQ (version, 0x00000204013449E0ull);
    EXPECT_EQ (version >> 32, 0x204u);
    EXPECT_EQ (version & 0xFFFFFFFFu, 20204000u);
    EXPECT_EQ (AAX::GetSDKVersion (nullptr), AAX_ERROR_NULL_ARGUMENT);

    EXPECT_EQ (AAX::Shutdown (nullptr), ACF_OK);   // without a proxy
}

TEST_F (EntryPoints, CanUnloadNowCountsLiveComponentObjects)
{
    const int32_t base = AAX::CanUnloadNow (nullptr);
    EXPECT_EQ (base, CACFUnknown::ActiveObjects());
    {
        CACFUnknown a;
        CACFUnknown b;
        EXPECT_EQ (AAX::CanUnloadNow (host.unknown()), base + 2);
    }
    EXPECT_EQ (AAX::CanUnloadNow (host.unknown()), base);
}

//==============================================================================
// Registration with a description that fails in each of the ways it can.
AAX_Result DescribeThrowingResultError (AAX_VCollection&) { throw AAX::Exception::ResultError (AAX_ERROR_INVALID_PATH); }
AAX_Result DescribeThrowingAny (AAX_VCollection&) { throw AAX::Exception::Any ("layer failure", "Describe", "9"); }
AAX_Result DescribeThrowingStd (AAX_VCollection&) { throw std::runtime_error ("out of luck"); }
AAX_Result DescribeThrowingInt (AAX_VCollection&) { throw 17; }
AAX_Result DescribeNothing (AAX_VCollection&) { return AAX_ERROR_NULL_OBJECT; }
AAX_Result DescribeEmpty (AAX_VCollection&) { return AAX_SUCCESS; }

TEST_F (EntryPoints, RegistrationTurnsWhatEscapesIntoAResult)
{
    const struct
    {
        const char* name;
        AAX::DescribeFunction describe;
        AAX_Result result;
        std::vector<std::string> traces;
    } cases[] = {
        { "result error", &DescribeThrowingResultError, AAX_ERROR_INVALID_PATH,
          { "AAXRegisterPlugin exception caught: AAX_ERROR_INVALID_PATH (-20040)" } },
        { "layer error", &DescribeThrowingAny, AAX_ERROR_UNKNOWN_EXCEPTION,
          { "AAXRegisterPlugin exception caught: layer failure func:Describe line:9" } },
        { "standard exception", &DescribeThrowingStd, AAX_ERROR_UNKNOWN_EXCEPTION,
          { "AAXRegisterPlugin exception caught: out of luck" } },
        { "anything else", &DescribeThrowingInt, AAX_ERROR_UNKNOWN_EXCEPTION, { "AAXRegisterPlugin exception caught: unknown" } },
        { "no effect described", &DescribeNothing, AAX_ERROR_NULL_OBJECT,
          { "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)",
            "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)" } },
        { "no description at all", nullptr, AAX_ERROR_NULL_OBJECT,
          { "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)",
            "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)" } },
        { "empty description", &DescribeEmpty, AAX_SUCCESS, {} },
    };

    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    const int liveBefore = HostObjectBase::liveObjects();
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        host.clearRecords();
        IACFPluginDefinition* definition = reinterpret_cast<IACFPluginDefinition*> (0x1);
        EXPECT_EQ (AAX::RegisterPlugin (host.unknown(), &definition, c.describe), c.result);

        std::vector<std::string> traces;
        for (const auto& trace : host.traces())
        {
            traces.push_back (trace.message);
            const bool fromCheck = trace.message.rfind ("AAX_CheckedResult", 0) == 0;
            EXPECT_EQ (trace.priority, fromCheck ? AAX::kTracePriority_Important : AAX::kTracePriority_Critical);
        }
        EXPECT_EQ (traces, c.traces);

        if (c.result == AAX_SUCCESS)
        {
            ASSERT_NE (definition, nullptr);
            definition->Release();
        }
        else
        {
            EXPECT_EQ (definition, nullptr);
        }
        // Everything the registration took from the host is given back.
        EXPECT_EQ (HostObjectBase::liveObjects(), liveBefore);
    }
}

TEST_F (EntryPoints, RegistrationWithoutOutPointerDoesNothing)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    bool described = false;
    static bool* sDescribed = nullptr;
    sDescribed = &described;
    EXPECT_EQ (AAX::RegisterPlugin (host.unknown(), nullptr, [] (AAX_VCollection&) -> AAX_Result {
                   *sDescribed = true;
                   return AAX_SUCCESS;
               }),
               AAX_ERROR_NULL_ARGUMENT);
    EXPECT_FALSE (described);
    EXPECT_TRUE (host.collections().empty());
}

TEST_F (EntryPoints, RegistrationWithoutHostFailsWithNullObject)
{
    ASSERT_EQ (AAX::Startup (host.unknown()), ACF_OK);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (AAX::RegisterPlugin (nullptr, &definition, &DescribeEmpty), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (host.traces().size(), 2u);
}
} // namespace
