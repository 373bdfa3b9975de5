#include "aax/AAX_VAutomationDelegate.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* hostUnknown)
{
    if (hostUnknown != nullptr)
        mAutomationDelegateV1.query (hostUnknown, IID_IAAXAutomationDelegateV1);
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate() = default;

AAX_Result AAX_VAutomationDelegate::RegisterParameter (AAX_CParamID parameterID)
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->RegisterParameter (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter (AAX_CParamID parameterID)
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->UnregisterParameter (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->PostSetValueRequest (parameterID, normalizedValue)
                                 : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->PostCurrentValue (parameterID, normalizedValue)
                                 : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest (AAX_CParamID parameterID)
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->PostTouchRequest (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (AAX_CParamID parameterID)
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->PostReleaseRequest (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* outTouched)
{
    return mAutomationDelegateV1 ? mAutomationDelegateV1->GetTouchState (parameterID, outTouched)
                                 : AAX_ERROR_NULL_OBJECT;
}
