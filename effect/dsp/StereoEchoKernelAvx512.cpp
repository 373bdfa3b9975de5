// The stereo block kernel built for one instruction set (flags in CMakeLists.txt).
#define ECHO_KERNEL_ENTRY runAvx512
// 256-bit vectors even here: the oscillators' sines run no faster 512 bits wide (the
// divider takes as long per lane), and the narrower registers keep the clock up.
#define ECHO_KERNEL_LANES 4
#include "effect/dsp/StereoEchoKernelBody.h"
