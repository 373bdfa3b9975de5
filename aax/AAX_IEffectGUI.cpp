#include "aax/AAX_IEffectGUI.h"

#include "aax/acf/AAXIDs.h"

ACFRESULT AAX_IEffectGUI::InternalQueryInterface (const acfIID& iid, void** outInterface)
{
    if (outInterface == nullptr)
        return ACF_E_POINTER;

    if (iid == IID_IAAXEffectGUIV1)
    {
        *outInterface = static_cast<AAX_IACFEffectGUI*> (this);
        InternalAddRef();
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface (iid, outInterface);
}
