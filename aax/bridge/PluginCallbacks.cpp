#include "PluginCallbacks.h"

namespace tarnello::aax
{
IACFUnknown* CreateEffectParameters()
{
    return nullptr;
}

IACFUnknown* CreateEffectGUI()
{
    return nullptr;
}

void ProcessNative (void* const[], const void*)
{
}
} // namespace tarnello::aax
