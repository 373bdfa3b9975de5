#include "tests/aax/RuntimeTestSupport.h"

#include "aax/AAX_IPageTable.h"
#include "aax/AAX_VPageTable.h"
#include "aax/AAX_VViewContainer.h"

#include <functional>

namespace
{
using namespace tarnello::test;

const acfIID kNothingOmitted = { 0, 0, 0, { 0, 0, 0, 0, 0, 0, 0, 0 } };

// One operation of a proxy, and what it answers with one host interface left out.
struct OmissionCase
{
    const char* what;
    acfIID omitted;
    std::function<AAX_Result (IACFUnknown*)> call;
    AAX_Result expected;
};

class RuntimeProxies : public HostFixture
{
protected:
    void restartWithout (const acfIID& iid)
    {
        makeContext();
        standIn->config().omittedInterfaces = { iid };
    }
};

template <class Proxy, class Call>
std::function<AAX_Result (IACFUnknown*)> on (Call call)
{
    return [call] (IACFUnknown* unknown) {
        Proxy proxy (unknown);
        return call (proxy);
    };
}

TEST_F (RuntimeProxies, AnswerTheirCodesForEachMissingVersion)
{
    AAX_CSampleRate rate = 0.0f;
    AAX_CBoolean flag = 0;
    AAX_CString text;
    int32_t n = 0;
    int64_t position = 0;
    double tempo = 0.0;
    AAX_EFrameRate frameRate = 0;
    AAX_CMidiPacket midi {};
    AAX_CFieldIndex port = 0;

    const std::vector<OmissionCase> cases = {
        // Controller
        { "sample rate", kNothingOmitted, on<AAX_VController> ([&] (auto& c) { return c.GetSampleRate (&rate); }), 0 },
        { "sample rate", IID_IAAXControllerV1, on<AAX_VController> ([&] (auto& c) { return c.GetSampleRate (&rate); }), -20004 },
        { "latency", IID_IAAXControllerV1, on<AAX_VController> ([&] (auto& c) { return c.SetSignalLatency (5); }), -20004 },
        { "stem format", IID_IAAXControllerV1, on<AAX_VController> ([&] (auto& c) { return c.GetInputStemFormat (&n); }), -20004 },
        { "packet", IID_IAAXControllerV1, on<AAX_VController> ([&] (auto& c) { return c.PostPacket (3, &rate, 4); }), -20004 },
        { "midi", IID_IAAXControllerV1, on<AAX_VController> ([&] (auto& c) { return c.GetNextMIDIPacket (&port, &midi); }), -20004 },
        { "meters", IID_IAAXControllerV1, on<AAX_VController> ([&] (auto& c) { return c.ClearMeterClipped (0); }), -20004 },
        { "notification", IID_IAAXControllerV2, on<AAX_VController> ([&] (auto& c) { return c.SendNotification (0x41535076); }), -20009 },
        { "notification", kNothingOmitted, on<AAX_VController> ([&] (auto& c) { return c.SendNotification (7, &n, 4); }), 0 },
        { "host name", IID_IAAXControllerV2, on<AAX_VController> ([&] (auto& c) { return c.GetHostName (&text); }), -20009 },
        { "latency with V1 only", IID_IAAXControllerV2, on<AAX_VController> ([&] (auto& c) { return c.SetSignalLatency (5); }), 0 },
        { "audio suite", IID_IAAXControllerV3, on<AAX_VController> ([&] (auto& c) { return c.GetIsAudioSuite (&flag); }), -20009 },
        { "platform", IID_IAAXControllerV3, on<AAX_VController> ([&] (auto& c) { return c.GetPlugInTargetPlatform (&n); }), -20009 },
        { "host name with V2", IID_IAAXControllerV3, on<AAX_VController> ([&] (auto& c) { return c.GetHostName (&text); }), 0 },
        // Transport
        { "tempo", IID_IAAXTransportV1, on<AAX_VTransport> ([&] (auto& t) { return t.GetCurrentTempo (&tempo); }), -20004 },
        { "samples", IID_IAAXTransportV1, on<AAX_VTransport> ([&] (auto& t) { return t.GetCurrentNativeSampleLocation (&position); }), -20004 },
        { "selection", IID_IAAXTransportV2, on<AAX_VTransport> ([&] (auto& t) { return t.GetTimelineSelectionStartPosition (&position); }), -20009 },
        { "time code", IID_IAAXTransportV2, on<AAX_VTransport> ([&] (auto& t) { return t.GetTimeCodeInfo (&frameRate, &n); }), -20009 },
        { "HD time code", IID_IAAXTransportV3, on<AAX_VTransport> ([&] (auto& t) { return t.GetHDTimeCodeInfo (&frameRate, &position); }), -20009 },
        { "time code with V2", IID_IAAXTransportV3, on<AAX_VTransport> ([&] (auto& t) { return t.GetTimeCodeInfo (&frameRate, &n); }), 0 },
        { "tempo", kNothingOmitted, on<AAX_VTransport> ([&] (auto& t) { return t.GetCurrentTempo (&tempo); }), 0 },
        // Automation delegate
        { "touch", IID_IAAXAutomationDelegateV1, on<AAX_VAutomationDelegate> ([&] (auto& a) { return a.PostTouchRequest ("0"); }), -20004 },
        { "set", IID_IAAXAutomationDelegateV1, on<AAX_VAutomationDelegate> ([&] (auto& a) { return a.PostSetValueRequest ("0", 0.5); }), -20004 },
        { "touch state", IID_IAAXAutomationDelegateV1, on<AAX_VAutomationDelegate> ([&] (auto& a) { return a.GetTouchState ("0", &flag); }), -20004 },
        { "touch", kNothingOmitted, on<AAX_VAutomationDelegate> ([&] (auto& a) { return a.PostTouchRequest ("0"); }), 0 },
    };

    for (const auto& c : cases)
    {
        restartWithout (c.omitted);
        EXPECT_EQ (c.call (unknown()), c.expected) << c.what;
    }
}

TEST_F (RuntimeProxies, ControllerOnANullHostAnswersItsCodes)
{
    AAX_VController controller (nullptr);
    AAX_CSampleRate rate = 0.0f;
    AAX_CBoolean audioSuite = 1;
    EXPECT_EQ (controller.GetSampleRate (&rate), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (controller.GetIsAudioSuite (&audioSuite), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (audioSuite, 1);
    EXPECT_EQ (controller.CreateTableCopyForEffect (1, 2, 3, 0, 8), nullptr);
}

TEST_F (RuntimeProxies, ControllerReachesTheHost)
{
    context->controller().setSampleRate (44100.0f);
    context->controller().setStemFormats (AAX::kStemFormat_Mono, AAX::kStemFormat_Stereo);
    AAX_VController controller (unknown());
    AAX_CSampleRate rate = 0.0f;
    AAX_EStemFormat in = 0, out = 0;
    EXPECT_EQ (controller.GetSampleRate (&rate), AAX_SUCCESS);
    EXPECT_EQ (rate, 44100.0f);
    EXPECT_EQ (controller.GetInputStemFormat (&in), AAX_SUCCESS);
    EXPECT_EQ (controller.GetOutputStemFormat (&out), AAX_SUCCESS);
    EXPECT_EQ (in, AAX::kStemFormat_Mono);
    EXPECT_EQ (out, AAX::kStemFormat_Stereo);
    EXPECT_EQ (controller.SetSignalLatency (64), AAX_SUCCESS);
    EXPECT_EQ (context->controller().signalLatency(), 64);
    const uint8_t payload[4] = { 1, 2, 3, 4 };
    EXPECT_EQ (controller.PostPacket (3, payload, 4), AAX_SUCCESS);
    EXPECT_EQ (context->controller().latestPacket (3), (std::vector<uint8_t> { 1, 2, 3, 4 }));
    EXPECT_EQ (controller.SendNotification (0x41535076), AAX_SUCCESS);
    ASSERT_EQ (context->controller().notifications().size(), 1u);
    EXPECT_TRUE (context->controller().notifications()[0].data.empty());
}

TEST_F (RuntimeProxies, ControllerWithoutAFactoryStillWorksButCopiesNoTables)
{
    restartWithout (IID_IACFComponentFactory);
    AAX_VController controller (unknown());
    AAX_CSampleRate rate = 0.0f;
    EXPECT_EQ (controller.GetSampleRate (&rate), AAX_SUCCESS);
    EXPECT_EQ (controller.CreateTableCopyForEffect (1, 2, 3, 0, 8), nullptr);

    standIn->config().omittedInterfaces.clear();
    standIn->config().nullFactoryOnSuccess = true;
    makeContext();
    AAX_VController nullFactory (unknown());
    EXPECT_EQ (nullFactory.GetSampleRate (&rate), AAX_SUCCESS);
    EXPECT_EQ (nullFactory.CreateTableCopyForLayout ("com.Halvory.Tarnello", "layout", 0, 8), nullptr);
}

TEST_F (RuntimeProxies, CopiesTablesOnlyWhenEveryStepSucceeds)
{
    struct Case
    {
        const char* what;
        std::function<void()> arrange;
        bool expectTable;
    };
    const std::vector<Case> cases = {
        { "everything there", [] {}, true },
        { "no page-table controller", [&] { standIn->config().omit (IID_IAAXPageTableController); }, false },
        { "no page-table component", [&] { standIn->config().failCreation (AAXCompID_PageTable); }, false },
        { "page table without its newer version", [&] { standIn->config().omit (IID_IAAXPageTableV2); }, false },
        { "copy refused", [&] { context->controller().setPageTableCopyResult (ACF_E_FAIL); }, false },
    };
    for (const auto& c : cases)
    {
        standIn->config() = {};
        makeContext();
        c.arrange();
        const int liveBefore = tarnello::host::HostObjectBase::liveObjects();
        {
            AAX_VController controller (unknown());
            std::unique_ptr<AAX_IPageTable> table (controller.CreateTableCopyForEffect (1, 2, 3, 0, 8));
            EXPECT_EQ (table != nullptr, c.expectTable) << c.what;
            if (table != nullptr)
            {
                int32_t pages = 0;
                AAX_CString id;
                EXPECT_EQ (table->GetNumPages (&pages), AAX_SUCCESS);
                EXPECT_EQ (pages, 1);
                EXPECT_EQ (table->GetMappedParameterID (0, 0, &id), AAX_SUCCESS);
                EXPECT_EQ (id.StdString(), "0");
            }
        }
        EXPECT_EQ (tarnello::host::HostObjectBase::liveObjects(), liveBefore) << c.what;
    }

    // The V2 page-table controller carries the copies from files.
    standIn->config() = {};
    makeContext();
    standIn->config().omit (IID_IAAXPageTableControllerV2);
    AAX_VController controller (unknown());
    EXPECT_EQ (controller.CreateTableCopyForEffectFromFile ("a.xml", 0, 1, 2, 3, 0, 8), nullptr);
    EXPECT_EQ (controller.CreateTableCopyForLayoutFromFile ("a.xml", 0, "l", 0, 8), nullptr);
    std::unique_ptr<AAX_IPageTable> table (controller.CreateTableCopyForLayout ("e", "l", 0, 8));
    EXPECT_NE (table, nullptr);
}

TEST_F (RuntimeProxies, PageTableAnswersMinus20009ForAMissingVersion)
{
    AAX_VPageTable none (nullptr);
    int32_t n = 0;
    AAX_CString text;
    EXPECT_EQ (none.Clear(), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (none.GetNumPages (&n), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (none.MapParameterID ("0", 0, 0), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (none.GetNumParametersWithNameVariations (&n), AAX_ERROR_UNIMPLEMENTED);

    void* raw = nullptr;
    ASSERT_EQ (standIn->createInstance (AAXCompID_PageTable, nullptr, IID_IAAXPageTableV1, &raw), ACF_OK);
    auto* hostTable = static_cast<IAAXPageTableV1*> (raw);
    standIn->config().omit (IID_IAAXPageTableV2);
    {
        AAX_VPageTable v1Only (hostTable);
        EXPECT_EQ (v1Only.InsertPage (0), AAX_SUCCESS);
        EXPECT_EQ (v1Only.MapParameterID ("3", 0, 2), AAX_SUCCESS);
        EXPECT_EQ (v1Only.GetNumMappedParameterIDs (0, &n), AAX_SUCCESS);
        EXPECT_EQ (n, 1);
        EXPECT_EQ (v1Only.SetParameterNameVariation ("3", AAX_CString ("Tm"), 2), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (v1Only.GetParameterNameVariationOfLength ("3", 2, &text), AAX_ERROR_UNIMPLEMENTED);
    }
    hostTable->Release();
}

TEST_F (RuntimeProxies, ViewContainerWithoutItsInterfaceGivesZeroAndNull)
{
    auto* view = new tarnello::host::HostViewContainer (*standIn, 1, reinterpret_cast<void*> (0x1234));
    view->AddRef();
    AAX_Point size { 10.0f, 20.0f };
    const AAX_CParamID ids[] = { "0", "1" };

    standIn->config().omit (IID_IAAXViewContainerV1).omit (IID_IAAXViewContainerV2);
    for (IACFUnknown* unknownView : { static_cast<IACFUnknown*> (nullptr), view->asUnknown() })
    {
        AAX_VViewContainer container (unknownView);
        uint32_t modifiers = 0;
        EXPECT_EQ (container.GetType(), 0);
        EXPECT_EQ (container.GetPtr(), nullptr);
        EXPECT_EQ (container.SetViewSize (size), AAX_SUCCESS);
        EXPECT_EQ (container.GetModifiers (&modifiers), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (container.HandleParameterMouseDown ("0", 0), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (container.HandleParameterMouseDrag ("0", 0), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (container.HandleParameterMouseUp ("0", 0), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (container.HandleMultipleParametersMouseDown (ids, 2, 0), AAX_ERROR_UNIMPLEMENTED);
    }

    standIn->config() = {};
    standIn->config().omit (IID_IAAXViewContainerV2);
    {
        AAX_VViewContainer container (view->asUnknown());
        EXPECT_EQ (view->referenceCount(), 2u);
        EXPECT_EQ (container.GetType(), 1);
        EXPECT_EQ (container.GetPtr(), reinterpret_cast<void*> (0x1234));
        EXPECT_EQ (container.HandleParameterMouseDown ("0", 0), AAX_SUCCESS);
        EXPECT_EQ (container.HandleMultipleParametersMouseUp (ids, 2, 0), AAX_ERROR_UNIMPLEMENTED);
    }

    standIn->config() = {};
    {
        AAX_VViewContainer container (view->asUnknown());
        EXPECT_EQ (view->referenceCount(), 3u); // one reference per version
        EXPECT_EQ (container.SetViewSize (size), AAX_SUCCESS);
        EXPECT_EQ (container.HandleMultipleParametersMouseUp (ids, 2, 0), AAX_SUCCESS);
    }
    EXPECT_EQ (view->referenceCount(), 1u);
    EXPECT_EQ (view->viewSize().horz, 20.0f);
    EXPECT_EQ (view->mouseEvents(), (std::vector<std::string> { "down 0", "up 0", "up 1" }));
    view->Release();
}

TEST_F (RuntimeProxies, ReleaseEveryHostReferenceWhenDeleted)
{
    const auto countBefore = context->referenceCount();
    {
        AAX_VController controller (unknown());
        AAX_VTransport transport (unknown());
        AAX_VAutomationDelegate automation (unknown());
        EXPECT_GT (context->referenceCount(), countBefore); // the factory is the context itself
    }
    EXPECT_EQ (context->referenceCount(), countBefore);
    EXPECT_EQ (context->controller().referenceCount(), 1u);
    EXPECT_EQ (context->transport().referenceCount(), 1u);
    EXPECT_EQ (context->automation().referenceCount(), 1u);
}
} // namespace
