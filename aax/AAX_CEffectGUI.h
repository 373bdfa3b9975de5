// Base of the effect's GUI object: the window's link to the host's view
// container and to the effect-parameters object of the same instance. A
// derived class makes the view (CreateViewContents), puts it into the host's
// native view (CreateViewContainer) and takes it out again (DeleteViewContainer).
#pragma once

#include "aax/AAX_IEffectGUI.h"
#include "aax/AAX_VController.h"
#include "aax/AAX_VTransport.h"
#include "aax/AAX_VViewContainer.h"
#include "aax/ACFPtr.h"

#include <memory>

class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    ~AAX_CEffectGUI() override;

    AAX_CEffectGUI (const AAX_CEffectGUI&) = delete;
    AAX_CEffectGUI& operator= (const AAX_CEffectGUI&) = delete;

    // AAX_IACFEffectGUI
    AAX_Result Initialize (IACFUnknown* hostUnknown) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override;
    AAX_Result SetViewContainer (IACFUnknown* viewContainer) override;
    AAX_Result GetViewSize (AAX_Point* outSize) const override;
    AAX_Result Draw (AAX_Rect* drawRect) override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated (AAX_CParamID parameterID) override;
    AAX_Result GetCustomLabel (AAX_EPlugInStrings selector, AAX_IString* outString) const override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                        AAX_EHighlightColor colour) override;

protected:
    virtual void CreateViewContents() = 0;
    virtual void CreateViewContainer() = 0;
    virtual void DeleteViewContainer() = 0;
    // ParameterUpdated for every parameter of the effect, in index order.
    virtual void UpdateAllParameters();

    // Null before Initialize, after Uninitialize, or when the host gives none.
    AAX_IACFEffectParameters* GetEffectParameters() const noexcept { return mEffectParameters.get(); }
    AAX_IController* GetController() const noexcept { return mController.get(); }
    AAX_ITransport* Transport() const noexcept { return mTransport.get(); }
    // The host's window while it is open, else null.
    AAX_IViewContainer* GetViewContainer() const noexcept { return mViewContainer.get(); }

private:
    void ReleaseHostObjects() noexcept;

    std::unique_ptr<AAX_VController> mController;
    ACFPtr<AAX_IACFEffectParameters> mEffectParameters;
    std::unique_ptr<AAX_VViewContainer> mViewContainer;
    std::unique_ptr<AAX_VTransport> mTransport;
};
