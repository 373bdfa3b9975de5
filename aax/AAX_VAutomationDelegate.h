// Proxy of the host's automation delegate. Every operation answers -20004 when
// the host has none.
#pragma once

#include "aax/AAX_IAutomationDelegate.h"
#include "aax/ACFPtr.h"

class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    explicit AAX_VAutomationDelegate (IACFUnknown* hostUnknown);
    ~AAX_VAutomationDelegate() override;

    AAX_VAutomationDelegate (const AAX_VAutomationDelegate&) = delete;
    AAX_VAutomationDelegate& operator= (const AAX_VAutomationDelegate&) = delete;

    AAX_Result RegisterParameter (AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter (AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostTouchRequest (AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest (AAX_CParamID parameterID) override;
    AAX_Result GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* outTouched) override;

    bool HasAutomationDelegate() const noexcept { return static_cast<bool> (mAutomationDelegateV1); }

private:
    ACFPtr<IAAXAutomationDelegateV1> mAutomationDelegateV1;
};
