// The plug-in's effect-parameters component: the host's interface (all four
// versions through one pointer) on top of the component-object base.
#pragma once

#include "aax/CACFUnknown.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

class AAX_IEffectParameters : public AAX_IACFEffectParameters_V4, public CACFUnknown
{
public:
    ACF_FORWARD_UNKNOWN_TO_OUTER

    // The four effect-parameters ids hand out this object; the base id its inner unknown.
    ACFRESULT InternalQueryInterface (const acfIID& iid, void** outInterface) override;
};
