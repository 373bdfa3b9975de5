// The stereo block kernel built for one instruction set (flags in CMakeLists.txt).
#define ECHO_KERNEL_ENTRY runAvx2
#define ECHO_KERNEL_LANES 4
#include "effect/dsp/StereoEchoKernelBody.h"
