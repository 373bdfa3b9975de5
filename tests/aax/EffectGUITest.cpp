// The GUI object's base behaviour against the stand-in host's instance
// context and view containers: what opening, replacing and closing the window
// do, and what it asks of the effect's parameters.

#include "tests/aax/RuntimeTestSupport.h"

#include "aax/AAX_CEffectGUI.h"

#include "aax/acf/AAXIDs.h"
#include "aax/acf/AAXViewTypes.h"

namespace
{
using tarnello::host::HostViewContainer;

// Records every call the base makes on what a derived class supplies.
class RecordingGUI : public AAX_CEffectGUI
{
public:
    AAX_Result ParameterUpdated (AAX_CParamID id) override
    {
        updated.emplace_back (id);
        return AAX_CEffectGUI::ParameterUpdated (id);
    }

    using AAX_CEffectGUI::GetController;
    using AAX_CEffectGUI::GetEffectParameters;
    using AAX_CEffectGUI::GetViewContainer;

    int contentsMade = 0;
    int containersMade = 0;
    int containersDeleted = 0;
    void* viewSeenOnCreate = nullptr;
    std::vector<std::string> updated;

protected:
    void CreateViewContents() override { ++contentsMade; }
    void CreateViewContainer() override
    {
        ++containersMade;
        viewSeenOnCreate = GetViewContainer() != nullptr ? GetViewContainer()->GetPtr() : nullptr;
    }
    void DeleteViewContainer() override { ++containersDeleted; }
};

class EffectGUI : public tarnello::test::InitializedEffectFixture
{
protected:
    void SetUp() override
    {
        InitializedEffectFixture::SetUp();
        // The fixture owns the effect; this reference keeps the GUI's release from deleting it.
        effect.AddRef();
        context->setEffect (&effect);
        gui = new RecordingGUI();
        gui->AddRef();
    }

    void TearDown() override
    {
        gui->Uninitialize();
        gui->Release();
        for (auto* view : views)
        {
            EXPECT_EQ (view->referenceCount(), 1u) << "the GUI object kept a view container";
            view->Release();
        }
        context->setEffect (nullptr);
        InitializedEffectFixture::TearDown();
    }

    HostViewContainer* newView (uintptr_t window)
    {
        auto* view = new HostViewContainer (*standIn, AAX_eViewContainer_Type_XWindow, reinterpret_cast<void*> (window));
        view->AddRef();
        views.push_back (view);
        return view;
    }

    RecordingGUI* gui = nullptr;
    std::vector<HostViewContainer*> views;
};

TEST_F (EffectGUI, InitializeMakesTheViewContentsAndFindsTheEffect)
{
    ASSERT_EQ (gui->Initialize (unknown()), AAX_SUCCESS);
    EXPECT_EQ (gui->contentsMade, 1);
    EXPECT_EQ (gui->containersMade, 0);
    EXPECT_EQ (static_cast<void*> (gui->GetEffectParameters()),
               static_cast<void*> (static_cast<AAX_IACFEffectParameters*> (&effect)));
    AAX_CSampleRate rate = 0.0f;
    EXPECT_EQ (gui->GetController()->GetSampleRate (&rate), AAX_SUCCESS);
}

TEST_F (EffectGUI, InitializeWithoutAHostAnswersNotInitializedYetHasAController)
{
    EXPECT_EQ (gui->Initialize (nullptr), AAX_ERROR_NOT_INITIALIZED);
    ASSERT_NE (gui->GetController(), nullptr);
    AAX_CSampleRate rate = 0.0f;
    AAX_CBoolean audioSuite = 0;
    EXPECT_EQ (gui->GetController()->GetSampleRate (&rate), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (gui->GetController()->GetIsAudioSuite (&audioSuite), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (gui->contentsMade, 0);
    EXPECT_EQ (gui->GetEffectParameters(), nullptr);
}

TEST_F (EffectGUI, OpeningTheWindowUpdatesEveryParameterOnceInIndexOrder)
{
    ASSERT_EQ (gui->Initialize (unknown()), AAX_SUCCESS);
    ASSERT_EQ (gui->SetViewContainer (newView (0x2a)->asUnknown()), AAX_SUCCESS);

    EXPECT_EQ (gui->containersMade, 1);
    EXPECT_EQ (gui->viewSeenOnCreate, reinterpret_cast<void*> (0x2a));
    std::vector<std::string> expected;
    for (int i = 0; i < 24; ++i)
        expected.push_back (std::to_string (i));
    expected.emplace_back (AAX_CEffectParameters::kMasterBypassID);
    EXPECT_EQ (gui->updated, expected);
}

TEST_F (EffectGUI, ClosingDeletesTheContainerOnceAndReleasesIt)
{
    ASSERT_EQ (gui->Initialize (unknown()), AAX_SUCCESS);
    auto* view = newView (1);
    ASSERT_EQ (gui->SetViewContainer (view->asUnknown()), AAX_SUCCESS);
    EXPECT_GT (view->referenceCount(), 1u);

    EXPECT_EQ (gui->SetViewContainer (nullptr), AAX_SUCCESS);
    EXPECT_EQ (gui->containersDeleted, 1);
    EXPECT_EQ (gui->GetViewContainer(), nullptr);
    EXPECT_EQ (view->referenceCount(), 1u);
}

TEST_F (EffectGUI, ASecondContainerReplacesTheFirstWithoutDeletingIt)
{
    ASSERT_EQ (gui->Initialize (unknown()), AAX_SUCCESS);
    auto* first = newView (1);
    auto* second = newView (2);
    ASSERT_EQ (gui->SetViewContainer (first->asUnknown()), AAX_SUCCESS);
    ASSERT_EQ (gui->SetViewContainer (second->asUnknown()), AAX_SUCCESS);

    EXPECT_EQ (gui->containersMade, 2);
    EXPECT_EQ (gui->containersDeleted, 0);
    EXPECT_EQ (gui->viewSeenOnCreate, reinterpret_cast<void*> (2));
    EXPECT_EQ (first->referenceCount(), 1u);
    EXPECT_EQ (gui->updated.size(), 2u * 25u);
}

TEST_F (EffectGUI, UninitializeClosesAnOpenWindowFirst)
{
    ASSERT_EQ (gui->Initialize (unknown()), AAX_SUCCESS);
    auto* view = newView (7);
    ASSERT_EQ (gui->SetViewContainer (view->asUnknown()), AAX_SUCCESS);

    EXPECT_EQ (gui->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (gui->containersDeleted, 1);
    EXPECT_EQ (gui->GetViewContainer(), nullptr);
    EXPECT_EQ (gui->GetEffectParameters(), nullptr);
    EXPECT_EQ (gui->GetController(), nullptr);
    EXPECT_EQ (view->referenceCount(), 1u);
}

TEST_F (EffectGUI, AHostWithoutTheEffectsInterfaceOpensTheWindowWithoutUpdates)
{
    standIn->config().omit (IID_IAAXEffectParametersV1);
    ASSERT_EQ (gui->Initialize (unknown()), AAX_SUCCESS);
    ASSERT_EQ (gui->SetViewContainer (newView (3)->asUnknown()), AAX_SUCCESS);
    EXPECT_EQ (gui->containersMade, 1);
    EXPECT_TRUE (gui->updated.empty());
}

TEST_F (EffectGUI, AnswersItsOwnInterfaceAndNoLabels)
{
    void* found = nullptr;
    EXPECT_EQ (gui->QueryInterface (IID_IAAXEffectGUIV1, &found), ACF_OK);
    EXPECT_EQ (found, static_cast<void*> (static_cast<AAX_IACFEffectGUI*> (gui)));
    EXPECT_EQ (gui->ReferenceCount(), 2u);
    gui->Release();

    found = reinterpret_cast<void*> (1);
    EXPECT_EQ (gui->QueryInterface (IID_IAAXEffectParametersV1, &found), ACF_E_NOINTERFACE);
    EXPECT_EQ (found, nullptr);

    AAX_CString label;
    EXPECT_EQ (gui->GetCustomLabel (0, &label), AAX_ERROR_NULL_OBJECT);
    AAX_Point size { 5.0f, 5.0f };
    EXPECT_EQ (gui->GetViewSize (&size), AAX_SUCCESS);
    EXPECT_EQ (gui->TimerWakeup(), AAX_SUCCESS);
}
} // namespace
