// Proxy of the host window that holds the editor. Without the host's
// interface the view queries answer 0 or null and the mouse handlers -20009.
#pragma once

#include "aax/AAX_IViewContainer.h"
#include "aax/ACFPtr.h"

class AAX_VViewContainer : public AAX_IViewContainer
{
public:
    explicit AAX_VViewContainer (IACFUnknown* viewUnknown);
    ~AAX_VViewContainer() override;

    AAX_VViewContainer (const AAX_VViewContainer&) = delete;
    AAX_VViewContainer& operator= (const AAX_VViewContainer&) = delete;

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* outModifiers) override;
    AAX_Result SetViewSize (AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count,
                                                  uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count,
                                                  uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count,
                                                uint32_t modifiers) override;

private:
    ACFPtr<IAAXViewContainerV1> mViewContainerV1;
    ACFPtr<IAAXViewContainerV2> mViewContainerV2;
};
