#include "aax/AAX_CEffectGUI.h"

#include "aax/AAX_CString.h"

#include "aax/acf/AAXIDs.h"

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    // A derived class closes its window before it goes; only the host's references are left here.
    mViewContainer.reset();
    ReleaseHostObjects();
}

void AAX_CEffectGUI::ReleaseHostObjects() noexcept
{
    mEffectParameters.reset();
    mController.reset();
    mTransport.reset();
}

AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* hostUnknown)
{
    // The controller exists even without a host; it then answers its own missing-interface codes.
    mController = std::make_unique<AAX_VController> (hostUnknown);
    if (hostUnknown == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    // A host that gives no effect parameters leaves the window without parameter updates.
    mEffectParameters.query (hostUnknown, IID_IAAXEffectParametersV1);
    mTransport = std::make_unique<AAX_VTransport> (hostUnknown);
    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    if (mViewContainer != nullptr)
        SetViewContainer (nullptr);
    ReleaseHostObjects();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::NotificationReceived (AAX_CTypeID, const void*, uint32_t)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* viewContainer)
{
    if (viewContainer != nullptr)
    {
        // A second container takes the place of the first without closing it.
        mViewContainer = std::make_unique<AAX_VViewContainer> (viewContainer);
        CreateViewContainer();
        UpdateAllParameters();
        return AAX_SUCCESS;
    }

    DeleteViewContainer();
    mViewContainer.reset();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point*) const
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Draw (AAX_Rect*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::ParameterUpdated (AAX_CParamID)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetCustomLabel (AAX_EPlugInStrings, AAX_IString*) const
{
    return AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    auto* effect = GetEffectParameters();
    if (effect == nullptr)
        return;

    int32_t count = 0;
    if (effect->GetNumberOfParameters (&count) != AAX_SUCCESS || count < 0)
        return;

    for (int32_t index = 0; index < count; ++index)
    {
        AAX_CString id;
        if (effect->GetParameterIDFromIndex (index, &id) == AAX_SUCCESS)
            ParameterUpdated (id.Get());
    }
}
