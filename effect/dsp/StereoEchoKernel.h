#pragma once

// Both echo lines of the module, and the module's own mix, output gain and meters,
// run in one pass over a block: the lines' states live in locals, the left and right
// lanes share registers, the settings that other threads write are read once per
// block, and the oscillators are stepped in a loop of their own ahead of the audio.
// The output is the per-sample path's (DelayEcho::processSample in the module's
// loop) bit for bit in the baseline variant; variants built for wider instruction
// sets may differ from it by the rounding that fused multiply-adds save.
//
// The kernel is chosen once, at prepare, from what the processor can run.

#include "framework/Relaxed.h"

class DelayEcho;
struct LevelMeter;

class StereoEchoKernel
{
public:
    enum class Variant
    {
        perSample, // no kernel: the lines' own processSample, sample by sample
        baseline,  // plain x86-64
        avx2,      // AVX2 with fused multiply-add
        avx512     // AVX-512
    };

    // The module's side of the pass.
    struct Mix
    {
        double wetL, dryL, wetR, dryR;
        double gainTarget, gainK;
    };

    static bool isSupported (Variant variant);
    // The widest variant this processor runs.
    static Variant fastest();
    static const char* getName (Variant variant);

    // Chooses the variant for the blocks to come; one the processor cannot run falls
    // back to the fastest one it can. Call while no block is running.
    void prepare (Variant variant);
    void prepare() { prepare (fastest()); }
    Variant getVariant() const { return static_cast<Variant> (variant.load()); }

    // Runs numFrames frames in place and returns true, or returns false having
    // touched nothing when the kernel cannot take these lines now: no variant is
    // chosen, a line has no ring, or the lines' current characters differ in kind or
    // in their saturation switch. The caller then runs the per-sample path.
    // stereoIn false: channel 0 feeds both lines and both dry paths (mono to
    // stereo), and channel 1 is only written. outputGain is the module's smoothed
    // gain state.
    bool process (DelayEcho& left, DelayEcho& right, const Mix& mix, double& outputGain, LevelMeter& inputMeter,
                  LevelMeter& outputMeter, float* ch0, float* ch1, int numFrames, bool stereoIn) const;
    bool process (DelayEcho& left, DelayEcho& right, const Mix& mix, double& outputGain, LevelMeter& inputMeter,
                  LevelMeter& outputMeter, double* ch0, double* ch1, int numFrames, bool stereoIn) const;

private:
    template <typename Sample>
    bool run (DelayEcho& left, DelayEcho& right, const Mix& mix, double& outputGain, LevelMeter& inputMeter,
              LevelMeter& outputMeter, Sample* ch0, Sample* ch1, int numFrames, bool stereoIn) const;

    Relaxed<int> variant { static_cast<int> (Variant::perSample) };
};
