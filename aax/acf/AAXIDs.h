// Our own stand-in for the host application's interface, component and feature
// ids. Only the base interface id (ACFBase.h), the effect-parameters ids and the
// GUI id are fixed values that the plug-in itself answers; every other value
// here is ours and only has to agree between the plug-in and host/.
#pragma once

#include "aax/acf/ACFBase.h"

#define TARNELLO_ACF_ID(n) { 0x5A7E0000u + (n), 0x4C21, 0x11EE, { 0x9B, 0x3D, 0x48, 0x53, 0x54, 0x4E, 0x44, 0x00 } }

// Component-model objects.
inline constexpr acfIID IID_IACFComponentFactory       = TARNELLO_ACF_ID (0x01);
inline constexpr acfIID IID_IACFPluginDefinition       = TARNELLO_ACF_ID (0x02);
inline constexpr acfIID IID_IACFComponentDefinition    = TARNELLO_ACF_ID (0x03);
inline constexpr acfIID IID_IACFDefinition             = TARNELLO_ACF_ID (0x04);

// Host services (start-up).
inline constexpr acfCLSID AAXCompID_HostServices       = TARNELLO_ACF_ID (0x10);
inline constexpr acfIID IID_IAAXHostServicesV1         = TARNELLO_ACF_ID (0x11);
inline constexpr acfIID IID_IAAXHostServicesV2         = TARNELLO_ACF_ID (0x12);
inline constexpr acfIID IID_IAAXHostServicesV3         = TARNELLO_ACF_ID (0x13);

// Description phase (registration).
inline constexpr acfCLSID AAXCompID_AAXCollection          = TARNELLO_ACF_ID (0x20);
inline constexpr acfIID IID_IAAXCollectionV1               = TARNELLO_ACF_ID (0x21);
inline constexpr acfCLSID AAXCompID_AAXEffectDescriptor    = TARNELLO_ACF_ID (0x22);
inline constexpr acfIID IID_IAAXEffectDescriptorV1         = TARNELLO_ACF_ID (0x23);
inline constexpr acfIID IID_IAAXEffectDescriptorV2         = TARNELLO_ACF_ID (0x24);
inline constexpr acfCLSID AAXCompID_AAXComponentDescriptor = TARNELLO_ACF_ID (0x25);
inline constexpr acfIID IID_IAAXComponentDescriptorV1      = TARNELLO_ACF_ID (0x26);
inline constexpr acfIID IID_IAAXComponentDescriptorV2      = TARNELLO_ACF_ID (0x27);
inline constexpr acfIID IID_IAAXComponentDescriptorV3      = TARNELLO_ACF_ID (0x28);
inline constexpr acfCLSID AAXCompID_AAXPropertyMap         = TARNELLO_ACF_ID (0x29);
inline constexpr acfIID IID_IAAXPropertyMapV1              = TARNELLO_ACF_ID (0x2A);
inline constexpr acfIID IID_IAAXPropertyMapV2              = TARNELLO_ACF_ID (0x2B);
inline constexpr acfIID IID_IAAXPropertyMapV3              = TARNELLO_ACF_ID (0x2C);
inline constexpr acfIID IID_IAAXDescriptionHostV1          = TARNELLO_ACF_ID (0x2D);
inline constexpr acfIID IID_IAAXFeatureInfoV1              = TARNELLO_ACF_ID (0x2E);

// Features the description host can be asked about.
inline constexpr acfUID AAXATTR_ClientFeature_StemFormat   = TARNELLO_ACF_ID (0x40);

// Run time.
inline constexpr acfIID IID_IAAXControllerV1               = TARNELLO_ACF_ID (0x50);
inline constexpr acfIID IID_IAAXControllerV2               = TARNELLO_ACF_ID (0x51);
inline constexpr acfIID IID_IAAXControllerV3               = TARNELLO_ACF_ID (0x52);
inline constexpr acfIID IID_IAAXPageTableController        = TARNELLO_ACF_ID (0x53);
inline constexpr acfIID IID_IAAXPageTableControllerV2      = TARNELLO_ACF_ID (0x54);
inline constexpr acfCLSID AAXCompID_PageTable              = TARNELLO_ACF_ID (0x55);
inline constexpr acfIID IID_IAAXPageTableV1                = TARNELLO_ACF_ID (0x56);
inline constexpr acfIID IID_IAAXPageTableV2                = TARNELLO_ACF_ID (0x57);
inline constexpr acfIID IID_IAAXTransportV1                = TARNELLO_ACF_ID (0x58);
inline constexpr acfIID IID_IAAXTransportV2                = TARNELLO_ACF_ID (0x59);
inline constexpr acfIID IID_IAAXTransportV3                = TARNELLO_ACF_ID (0x5A);
inline constexpr acfIID IID_IAAXAutomationDelegateV1       = TARNELLO_ACF_ID (0x5B);
inline constexpr acfIID IID_IAAXViewContainerV1            = TARNELLO_ACF_ID (0x5C);
inline constexpr acfIID IID_IAAXViewContainerV2            = TARNELLO_ACF_ID (0x5D);

#undef TARNELLO_ACF_ID

// The plug-in's own objects: these values are fixed, the host asks the plug-in for them.
inline constexpr acfIID IID_IAAXEffectParametersV1 = { 0x964e333d, 0x334c, 0x533f, { 0xc2, 0xc7, 0x38, 0x34, 0xc3, 0xc2, 0x3e, 0x3e } };
inline constexpr acfIID IID_IAAXEffectParametersV2 = { 0x2e485536, 0x31a3, 0x4697, { 0x9c, 0x16, 0xe5, 0x9b, 0xf6, 0xb2, 0x8a, 0x41 } };
inline constexpr acfIID IID_IAAXEffectParametersV3 = { 0xd2540e9d, 0x9163, 0x42bb, { 0xa6, 0xfd, 0x81, 0xe1, 0x0e, 0xa3, 0x24, 0x98 } };
inline constexpr acfIID IID_IAAXEffectParametersV4 = { 0xf1f47d06, 0x308f, 0x4cc5, { 0x9c, 0x7c, 0x50, 0xa8, 0x3f, 0x8a, 0xb8, 0x13 } };
inline constexpr acfIID IID_IAAXEffectGUIV1        = { 0x964e323d, 0x424c, 0x5e1a, { 0x22, 0x27, 0x28, 0x24, 0x23, 0x22, 0x2e, 0x1e } };
