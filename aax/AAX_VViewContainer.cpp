#include "aax/AAX_VViewContainer.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* viewUnknown)
{
    if (viewUnknown == nullptr)
        return;

    mViewContainerV1.query (viewUnknown, IID_IAAXViewContainerV1);
    mViewContainerV2.query (viewUnknown, IID_IAAXViewContainerV2);
}

AAX_VViewContainer::~AAX_VViewContainer() = default;

int32_t AAX_VViewContainer::GetType()
{
    return mViewContainerV1 ? mViewContainerV1->GetType() : 0;
}

void* AAX_VViewContainer::GetPtr()
{
    return mViewContainerV1 ? mViewContainerV1->GetPtr() : nullptr;
}

AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* outModifiers)
{
    return mViewContainerV1 ? mViewContainerV1->GetModifiers (outModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::SetViewSize (AAX_Point& size)
{
    return mViewContainerV1 ? mViewContainerV1->SetViewSize (size) : AAX_SUCCESS;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers)
{
    return mViewContainerV1 ? mViewContainerV1->HandleParameterMouseDown (parameterID, modifiers)
                            : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers)
{
    return mViewContainerV1 ? mViewContainerV1->HandleParameterMouseDrag (parameterID, modifiers)
                            : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers)
{
    return mViewContainerV1 ? mViewContainerV1->HandleParameterMouseUp (parameterID, modifiers)
                            : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count,
                                                                  uint32_t modifiers)
{
    return mViewContainerV2 ? mViewContainerV2->HandleMultipleParametersMouseDown (parameterIDs, count, modifiers)
                            : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count,
                                                                  uint32_t modifiers)
{
    return mViewContainerV2 ? mViewContainerV2->HandleMultipleParametersMouseDrag (parameterIDs, count, modifiers)
                            : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count,
                                                                uint32_t modifiers)
{
    return mViewContainerV2 ? mViewContainerV2->HandleMultipleParametersMouseUp (parameterIDs, count, modifiers)
                            : AAX_ERROR_UNIMPLEMENTED;
}
