#include "aax/AAX_IEffectParameters.h"

ACFRESULT AAX_IEffectParameters::InternalQueryInterface (const acfIID& iid, void** outInterface)
{
    if (outInterface == nullptr)
        return ACF_E_POINTER;

    if (iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 || iid == IID_IAAXEffectParametersV3
        || iid == IID_IAAXEffectParametersV4)
    {
        *outInterface = static_cast<AAX_IACFEffectParameters_V4*> (this);
        InternalAddRef();
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface (iid, outInterface);
}
