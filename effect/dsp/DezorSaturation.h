#pragma once

#include "effect/dsp/Effect.h"
#include "effect/dsp/OnePoleDF1.h"
#include "framework/Relaxed.h"

// The saturation stage on the write path: a soft clipper between shelves, with a
// memory, an envelope of its own output and a DC tracker.
class DezorSaturation final : public Effect
{
public:
    static constexpr double clipLimit = 0.9892335545547122;
    static constexpr double clipKnee = 2.9208486;

    // The shelves around the clipper: a low boost before it and a low cut after it,
    // with make-up gains that leave the clean path about level.
    static constexpr double preShelfHz = 900.0;
    static constexpr double preShelfDb = 3.0;
    static constexpr double preShelfMakeUpDb = -1.5;
    static constexpr double postShelfHz = 1366.0;
    static constexpr double postShelfDb = -3.0;
    static constexpr double postShelfMakeUpDb = 1.5;

    // Cut-offs of the memory smoother, the output envelope and the DC tracker.
    static constexpr double memoryHz = 250.0;
    static constexpr double envelopeHz = 6.0;
    static constexpr double dcHz = 10.0;

    void reset (double sampleRate) override;
    double process (double x) override;

    // The clip curve; it meets ±clipLimit with zero slope at ±clipKnee.
    static double clip (double z)
    {
        if (z > clipKnee)
            return clipLimit;
        if (z < -clipKnee)
            return -clipLimit;
        return z * 0.1071000671 + z / (0.37011709966 * z * z + 1.1605589854);
    }

    const OnePoleDF1& getPreShelf() const { return preShelf; }
    const OnePoleDF1& getPostShelf() const { return postShelf; }

    // Set by the owning character.
    Relaxed<double> inputGain { 1.0 };
    Relaxed<double> outputGain { 1.0 };

private:
    // The block kernel runs the line on copies of its state and settings.
    friend class StereoEchoKernel;

    OnePoleDF1 preShelf, postShelf;
    double sampleRate = 44100.0;
    double kMemory = 0.0, kEnvelope = 0.0, kDc = 0.0;
    double memorySmoothed = 0.0, envelope = 0.0, dc = 0.0;
    double previous = 0.0, memory = 0.0;
};
