// The stereo block kernel built for one instruction set (flags in CMakeLists.txt).
#define ECHO_KERNEL_ENTRY runAvx512
#define ECHO_KERNEL_LANES 8
#include "effect/dsp/StereoEchoKernelBody.h"
