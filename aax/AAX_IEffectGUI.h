// The plug-in's GUI component: the host's GUI interface on top of the
// component-object base.
#pragma once

#include "aax/CACFUnknown.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown
{
public:
    ACF_FORWARD_UNKNOWN_TO_OUTER

    // The GUI id hands out this object; the base id its inner unknown.
    ACFRESULT InternalQueryInterface (const acfIID& iid, void** outInterface) override;
};
