#pragma once

// What the stereo block kernel works on: plain copies of both echo lines' settings
// and states, lane 0 the left line and lane 1 the right line, and the module's mix,
// gain and meters. StereoEchoKernel fills it from the lines before a block and
// writes the states back after it.
//
// The instruction-set variants of the kernel are built from one source with
// different code-generation flags. This header is all they share with the rest of
// the program, and it holds no functions, so that no inline function can be built
// with one variant's instructions and picked by the linker for the others.

struct LevelMeter;

namespace echokernel
{
// The four modulation oscillators of a line.
struct LfoBank
{
    double phase[4];
    double increment[4];
    double depth[4];
};

struct Lanes
{
    // Settings, read once per block.
    double feedbackGain[2];
    double delaySamples[2];
    double readK[2];
    double maxReadPosition[2];

    double feedbackHighB0[2], feedbackHighB1[2], feedbackHighA1[2];
    double feedbackLowB0[2], feedbackLowB1[2], feedbackLowA1[2];
    double characterFeedbackGain[2];

    double peakingB0[2], peakingB1[2], peakingB2[2], peakingA1[2], peakingA2[2];
    double lowCutB0[2], lowCutB1[2], lowCutB2[2], lowCutA1[2], lowCutA2[2];

    double saturationInputGain[2], saturationOutputGain[2];
    double saturationKMemory[2], saturationKEnvelope[2], saturationKDc[2];
    double preShelfB0[2], preShelfB1[2], preShelfA1[2];
    double postShelfB0[2], postShelfB1[2], postShelfA1[2];

    double lowPassB0[2], lowPassB1[2], lowPassB2[2], lowPassA1[2], lowPassA2[2];
    double toneGainTarget[2], toneGainK[2];

    double offsetShelfB0[2], offsetShelfB1[2], offsetShelfA1[2];
    double characterOutputGain[2];

    // States.
    double lastRead[2];
    double readPosition[2];
    double modulation[2];

    double feedbackHighX1[2], feedbackHighY1[2];
    double feedbackLowX1[2], feedbackLowY1[2];
    double peakingX1[2], peakingX2[2], peakingY1[2], peakingY2[2];
    double lowCutS1[2], lowCutS2[2];
    double preShelfX1[2], preShelfY1[2];
    double postShelfX1[2], postShelfY1[2];
    double saturationMemorySmoothed[2], saturationEnvelope[2], saturationDc[2];
    double saturationPrevious[2], saturationMemory[2];
    double lowPassX1[2], lowPassX2[2], lowPassY1[2], lowPassY2[2];
    double toneGain[2];
    double offsetShelfX1[2], offsetShelfY1[2];

    double* ring[2];
    int writeIndex[2];
    int mask[2];

    // The left line's oscillators drive both lines; the right line's run only in
    // the samples where the left line's modulation equals the no-modulation marker.
    LfoBank leftLfos;
    LfoBank rightLfos;

    bool saturationOn;
};

struct Module
{
    double wet[2], dry[2];
    double gainTarget, gainK;
    double gain; // state
    LevelMeter* inputMeter;
    LevelMeter* outputMeter;
    bool stereoIn; // false: channel 0 feeds both lines and both dry paths
};

// One kernel variant per sample type, built for one instruction set.
using FloatKernel = void (*) (Lanes&, Module&, float* ch0, float* ch1, int numFrames);
using DoubleKernel = void (*) (Lanes&, Module&, double* ch0, double* ch1, int numFrames);

void runBaseline (Lanes&, Module&, float*, float*, int);
void runBaseline (Lanes&, Module&, double*, double*, int);
void runAvx2 (Lanes&, Module&, float*, float*, int);
void runAvx2 (Lanes&, Module&, double*, double*, int);
void runAvx512 (Lanes&, Module&, float*, float*, int);
void runAvx512 (Lanes&, Module&, double*, double*, int);
} // namespace echokernel
