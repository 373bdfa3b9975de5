// The stereo block kernel built for one instruction set (flags in CMakeLists.txt).
#define ECHO_KERNEL_ENTRY runBaseline
#define ECHO_KERNEL_LANES 2
#include "effect/dsp/StereoEchoKernelBody.h"
