// The plug-in's view of the host window that holds its editor.
#pragma once

#include "aax/AAX_Errors.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;

    virtual int32_t GetType() = 0;
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers (uint32_t* outModifiers) = 0;
    virtual AAX_Result SetViewSize (AAX_Point& size) = 0;
    virtual AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count,
                                                          uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count,
                                                          uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count,
                                                        uint32_t modifiers) = 0;
};
