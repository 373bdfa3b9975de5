#include "aax/bridge/PluginCallbacks.h"

#include "aax/bridge/BridgeGUI.h"
#include "aax/bridge/BridgeProcessor.h"

namespace tarnello::aax
{
// The new object has no reference yet; the host's first AddRef gives it one.
IACFUnknown* CreateEffectParameters()
{
    auto* effect = BridgeProcessor::Create();
    if (effect == nullptr)
        return nullptr;
    return static_cast<AAX_IACFEffectParameters_V4*> (effect);
}

IACFUnknown* CreateEffectGUI()
{
    return static_cast<AAX_IACFEffectGUI*> (new BridgeGUI());
}

void ProcessNative (void* const instancesBegin[], const void* instancesEnd)
{
    BridgeProcessor::ProcessCallback (instancesBegin, instancesEnd);
}
} // namespace tarnello::aax
