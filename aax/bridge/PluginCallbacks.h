// The procedures the description hands to the host: the creators of the
// effect-parameters object (procedure id 0) and of the GUI object (id 1), and
// the native process callback of every component.
#pragma once

#include "aax/acf/AAXDescriptionInterfaces.h"

namespace tarnello::aax
{
IACFUnknown* CreateEffectParameters();
IACFUnknown* CreateEffectGUI();
void ProcessNative (void* const instancesBegin[], const void* instancesEnd);
} // namespace tarnello::aax
