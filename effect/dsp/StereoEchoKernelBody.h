// The stereo block kernel's body, built once per instruction set: each including
// source defines ECHO_KERNEL_ENTRY (the name of its entry points) and
// ECHO_KERNEL_LANES (how many doubles its widest register holds) first.
//
// It does the arithmetic of DelayEcho::processSample, DezorCharacter and the
// module's block loop operation for operation and in the same order, with the left
// and right lines in the two lanes of one register, so that the baseline build gives
// the per-sample path's output bit for bit. Builds with fused multiply-add may round
// less often, and nothing else.
//
// Everything here has internal linkage and calls no library function: a function
// that the linker could share between variants would carry one variant's
// instructions into the others. (See StereoEchoBlock.h.)

#include "effect/dsp/LevelMeter.h"
#include "effect/dsp/StereoEchoBlock.h"

#include <utility>

#ifndef ECHO_KERNEL_ENTRY
#error "define ECHO_KERNEL_ENTRY before including the kernel body"
#endif

namespace
{
typedef double v2d __attribute__ ((vector_size (16)));
typedef long long v2l __attribute__ ((vector_size (16)));
typedef int v2i __attribute__ ((vector_size (8)));
typedef float v2f __attribute__ ((vector_size (8)));
typedef double vNd __attribute__ ((vector_size (8 * ECHO_KERNEL_LANES)));
typedef long long vNl __attribute__ ((vector_size (8 * ECHO_KERNEL_LANES)));

constexpr int lanesN = ECHO_KERNEL_LANES;

// Frames per pass of the oscillator loop; the arrays live on the stack.
constexpr int chunkFrames = 256;

// External modulation equal to this means "none" (DelayEcho::noModulation).
constexpr double noModulation = 2.2250738585072014e-308;

constexpr double clipLimit = 0.9892335545547122;
constexpr double clipKnee = 2.9208486;

// A register's worth of doubles from memory and back, wherever they are aligned.
template <typename V>
inline V loadLanes (const double* p)
{
    V v;
    __builtin_memcpy (&v, p, sizeof v);
    return v;
}

template <typename V>
inline void storeLanes (double* p, V v)
{
    __builtin_memcpy (p, &v, sizeof v);
}

// The left and right lanes of one setting or state.
inline v2d load2 (const double* p)
{
    return loadLanes<v2d> (p);
}

// A product kept out of a fused multiply-add: where the other operand of the sum is
// the one a loop waits for (the saturation's, an oscillator's phase), a plain add is
// done in half the time of a fused one on the processors we measure (two cycles
// against four). Nothing changes in a build that doesn't fuse.
template <typename V>
inline V apart (V product)
{
    __asm__ ("" : "+x"(product));
    return product;
}

inline v2d splat2 (double x)
{
    return v2d { x, x };
}

// The oscillators' sine: t = 2 (2 - |p|) p, then t (t² + 27) / (9 t² + 27).
template <typename V>
inline V rationalSine (V p)
{
    const V magnitude = p < 0.0 ? -p : p;
    const V t = (2.0 * (2.0 - magnitude)) * p;
    return (t * ((t * t) + 27.0)) / (((9.0 * t) * t) + 27.0);
}

// One step of one oscillator, as DelayEcho's own.
inline double lfoStep (double& phase, double increment, double factor)
{
    double p = phase + increment * factor;
    if (p > 2.0)
        p -= 4.0;
    phase = p;
    const double magnitude = p < 0.0 ? -p : p;
    const double t = (2.0 * (2.0 - magnitude)) * p;
    return (t * ((t * t) + 27.0)) / (((9.0 * t) * t) + 27.0);
}

// The right line's modulation when the left line's is the marker: its own four
// oscillators, stepped as the left line's are.
inline double ownModulation (echokernel::LfoBank& lfos)
{
    const double s2 = lfoStep (lfos.phase[1], lfos.increment[1], 1.0);
    const double s1 = lfoStep (lfos.phase[0], lfos.increment[0], 1.0 + 0.1 * lfos.depth[1] * s2);
    const double s4 = lfoStep (lfos.phase[3], lfos.increment[3], 1.0);
    const double s3 = lfoStep (lfos.phase[2], lfos.increment[2], 1.0 + 0.075 * lfos.depth[3] * s4);
    return 0.35 * lfos.depth[2] * s3 + lfos.depth[0] * s1;
}

// The modulation of both lines, a chunk of frames at a time ahead of the audio. The
// oscillators' phases are running sums and stay sequential; their sines run across
// frames in the widest registers. LFO 2 and LFO 4 step with the factor 1, so their
// sums for the next chunk run in the same loop as the sums of LFO 1 and LFO 3 for this
// one, two pairs of chains side by side.
class Modulation
{
public:
    Modulation (echokernel::Lanes& l, int numFrames) : lanes (l), lfo (l.leftLfos)
    {
        stepPlain (numFrames < chunkFrames ? numFrames : chunkFrames);
    }

    // The next n frames' modulation; nNext is the size of the chunk after them (0 at
    // the end of the block), never more than n.
    void next (int n, int nNext, double* left, double* right)
    {
        const int padded = roundUp (n);

        // The sines of LFO 2 and LFO 4 set the factors of LFO 1 and LFO 3. The phases
        // and factors are kept in pairs, LFO 1 (or 2) then LFO 3 (or 4) for each frame.
        const vNd bend = alternate (0.1 * lfo.depth[1], 0.075 * lfo.depth[3]);
        const double* const p24 = plain[current];
        for (int k = 0; k < 2 * padded; k += lanesN)
            storeLanes (f13 + k, 1.0 + bend * rationalSine (loadLanes<vNd> (p24 + k)));

        current ^= 1;
        stepDriven (n, nNext);

        // m = 0.35 depth3 s3 + depth1 s1: the weighted sines of each pair, summed.
        const vNd weight = alternate (lfo.depth[0], 0.35 * lfo.depth[2]);
        vNl markers = {};
        for (int k = 0; k < 2 * padded; k += 2 * lanesN)
        {
            const vNd w0 = weight * rationalSine (loadLanes<vNd> (p13 + k));
            const vNd w1 = weight * rationalSine (loadLanes<vNd> (p13 + k + lanesN));
            const vNd m = everyOtherLane<1> (w0, w1) + everyOtherLane<0> (w0, w1);
            storeLanes (left + k / 2, m);
            // The right line takes the left line's modulation; a value that is not
            // finite moves nothing.
            storeLanes (right + k / 2, (m - m) == 0.0 ? m : vNd {});
            markers |= (m == noModulation);
        }

        // Where the left line's modulation is the marker, the right line runs its own.
        bool anyMarker = false;
        for (int k = 0; k < lanesN; ++k)
            anyMarker |= markers[k] != 0;
        if (__builtin_expect (anyMarker, 0))
            for (int i = 0; i < n; ++i)
                if (left[i] == noModulation)
                    right[i] = ownModulation (lanes.rightLfos);
    }

private:
    // Frames come a register's worth at a time, and whole pairs of registers of
    // phase pairs.
    static int roundUp (int n) { return (n + lanesN - 1) / lanesN * lanesN; }

    static vNd alternate (double even, double odd)
    {
        vNd v;
        for (int k = 0; k < lanesN; ++k)
            v[k] = (k & 1) ? odd : even;
        return v;
    }

    // Every other lane of a and then of b, from lane `first` (0 or 1) on.
    template <int first, typename V, int... k>
    static V everyOtherLane (V a, V b, std::integer_sequence<int, k...>)
    {
        return __builtin_shufflevector (a, b, (first + 2 * k)...);
    }

    template <int first, typename V>
    static V everyOtherLane (V a, V b)
    {
        return everyOtherLane<first> (a, b, std::make_integer_sequence<int, sizeof (V) / sizeof (double)> {});
    }

    // A step of a pair of phase sums. The wraps come once a cycle; as a branch they
    // stay off the sums' chains.
    static v2d wrapped (v2d p)
    {
        const v2l over = p > 2.0;
        if (__builtin_expect ((over[0] | over[1]) != 0, 0))
            p = over ? p - 4.0 : p;
        return p;
    }

    // LFO 2 and LFO 4 alone, for the block's first chunk.
    void stepPlain (int n)
    {
        v2d cd = { lfo.phase[1], lfo.phase[3] };
        const v2d increment = { lfo.increment[1], lfo.increment[3] };
        double* const p24 = plain[current];
        for (int i = 0; i < n; ++i)
        {
            cd = wrapped (cd + increment);
            storeLanes (p24 + 2 * i, cd);
        }
        pad (p24, n);
        lfo.phase[1] = cd[0];
        lfo.phase[3] = cd[1];
    }

    // LFO 1 and LFO 3 for this chunk, beside LFO 2 and LFO 4 for the next one.
    void stepDriven (int n, int nNext)
    {
        v2d ab = { lfo.phase[0], lfo.phase[2] };
        v2d cd = { lfo.phase[1], lfo.phase[3] };
        const v2d increment13 = { lfo.increment[0], lfo.increment[2] };
        const v2d increment24 = { lfo.increment[1], lfo.increment[3] };
        double* const p24 = plain[current];

        int i = 0;
        for (; i < nNext; ++i)
        {
            ab = wrapped (ab + apart (increment13 * load2 (f13 + 2 * i)));
            cd = wrapped (cd + increment24);
            storeLanes (p13 + 2 * i, ab);
            storeLanes (p24 + 2 * i, cd);
        }
        for (; i < n; ++i)
        {
            ab = wrapped (ab + apart (increment13 * load2 (f13 + 2 * i)));
            storeLanes (p13 + 2 * i, ab);
        }
        pad (p13, n);
        pad (p24, nNext);
        lfo.phase[0] = ab[0];
        lfo.phase[2] = ab[1];
        lfo.phase[1] = cd[0];
        lfo.phase[3] = cd[1];
    }

    // The pairs past the end of a chunk hold a phase of 0, whose sine is 0: a whole
    // register pair's worth of them, which the arrays have room for.
    static void pad (double* pairs, int n)
    {
        storeLanes (pairs + 2 * n, vNd {});
        storeLanes (pairs + 2 * n + lanesN, vNd {});
    }

    echokernel::Lanes& lanes;
    echokernel::LfoBank& lfo;
    int current = 0;
    alignas (64) double plain[2][2 * chunkFrames + 2 * lanesN];
    alignas (64) double p13[2 * chunkFrames + 2 * lanesN];
    alignas (64) double f13[2 * chunkFrames + 2 * lanesN];
};

inline void addToMeter (LevelMeter& meter, int period, double& sum, int& count, double level)
{
    sum += level;
    if (__builtin_expect (++count >= period, 0))
    {
        meter.sum = sum;
        meter.count = count;
        meter.update();
        sum = meter.sum;
        count = meter.count;
    }
}

inline float magnitudeOf (float x)
{
    return __builtin_fabsf (x);
}

inline double magnitudeOf (double x)
{
    return __builtin_fabs (x);
}

template <typename Sample>
inline v2d roundToSample (v2d x)
{
    if constexpr (sizeof (Sample) == sizeof (float))
        return __builtin_convertvector (__builtin_convertvector (x, v2f), v2d);
    else
        return x;
}

// Two neighbours of a ring: the sample at index and the one after it.
inline v2d ringPair (const double* ring, int index, int mask)
{
    if (__builtin_expect (index == mask, 0))
        return v2d { ring[index], ring[0] };
    return load2 (ring + index);
}

// A chunk may run staged: the front of a frame (its input and read) stagesAhead frames
// before its saturation, and its back (the write into the ring and the mix)
// stagesBehind frames after. Its reads then run ahead of the writes, and must stay
// stagedReadLag frames behind the write position: the newer of the two samples a read
// takes must be at least that many frames old.
constexpr int stagesAhead = 1, stagesBehind = 1;
constexpr int stagedReadLag = stagesAhead + stagesBehind + 1;

// Whether every read of the next n frames stays stagedReadLag frames or more behind
// the write, from readPosition on: the read position glides toward its target by a fraction readK of the
// way, so it never falls below both where it starts and the lowest target ahead.
// The margin of one frame covers the glide's rounding.
inline bool readsStayBehind (const echokernel::Lanes& s, v2d readPosition, const double* modL, const double* modR,
                             int n)
{
    constexpr double lowest = stagedReadLag + 1.0;
    bool ok = true;
    for (int lane = 0; lane < 2; ++lane)
        ok = ok && s.readK[lane] >= 0.0 && s.readK[lane] <= 1.0 && readPosition[lane] >= lowest
             && s.maxReadPosition[lane] >= lowest;
    if (! ok)
        return false;

    // A target that is not a number clamps to 0, and fails here too. The oscillators
    // fill the arrays to a whole number of registers, the lanes past n with no
    // modulation.
    const double floorL = lowest - s.delaySamples[0], floorR = lowest - s.delaySamples[1];
    vNl above = ~vNl {};
    for (int i = 0; i < n; i += lanesN)
        above &= (loadLanes<vNd> (modL + i) >= floorL) & (loadLanes<vNd> (modR + i) >= floorR);
    bool all = true;
    for (int k = 0; k < lanesN; ++k)
        all = all && above[k] != 0;
    return all;
}

template <typename Sample, bool stereoIn, bool saturationOn>
void runBlock (echokernel::Lanes& s, echokernel::Module& mod, Sample* ch0, Sample* ch1, int numFrames)
{
    const v2d feedbackGain = load2 (s.feedbackGain);
    const v2d delaySamples = load2 (s.delaySamples);
    const v2d readK = load2 (s.readK);
    const v2d maxRead = load2 (s.maxReadPosition);

    const v2d fhB0 = load2 (s.feedbackHighB0), fhB1 = load2 (s.feedbackHighB1), fhA1 = load2 (s.feedbackHighA1);
    const v2d flB0 = load2 (s.feedbackLowB0), flB1 = load2 (s.feedbackLowB1), flA1 = load2 (s.feedbackLowA1);
    const v2d characterFeedbackGain = load2 (s.characterFeedbackGain);

    const v2d pkB0 = load2 (s.peakingB0), pkB1 = load2 (s.peakingB1), pkB2 = load2 (s.peakingB2);
    const v2d pkA1 = load2 (s.peakingA1), pkA2 = load2 (s.peakingA2);
    const v2d lcB0 = load2 (s.lowCutB0), lcB1 = load2 (s.lowCutB1), lcB2 = load2 (s.lowCutB2);
    const v2d lcA1 = load2 (s.lowCutA1), lcA2 = load2 (s.lowCutA2);

    const v2d satIn = load2 (s.saturationInputGain), satOut = load2 (s.saturationOutputGain);
    const v2d kMemory = load2 (s.saturationKMemory), kEnvelope = load2 (s.saturationKEnvelope);
    const v2d kDc = load2 (s.saturationKDc);
    const v2d preB0 = load2 (s.preShelfB0), preB1 = load2 (s.preShelfB1), preA1 = load2 (s.preShelfA1);
    const v2d postB0 = load2 (s.postShelfB0), postB1 = load2 (s.postShelfB1), postA1 = load2 (s.postShelfA1);

    const v2d lpB0 = load2 (s.lowPassB0), lpB1 = load2 (s.lowPassB1), lpB2 = load2 (s.lowPassB2);
    const v2d lpA1 = load2 (s.lowPassA1), lpA2 = load2 (s.lowPassA2);
    const v2d toneTarget = load2 (s.toneGainTarget), toneK = load2 (s.toneGainK);

    const v2d osB0 = load2 (s.offsetShelfB0), osB1 = load2 (s.offsetShelfB1), osA1 = load2 (s.offsetShelfA1);
    const v2d characterOutputGain = load2 (s.characterOutputGain);

    const v2d wet = load2 (mod.wet), dry = load2 (mod.dry);
    const double gainTarget = mod.gainTarget, gainK = mod.gainK;

    v2d lastRead = load2 (s.lastRead);
    v2d readPosition = load2 (s.readPosition);
    v2d modulation = load2 (s.modulation);
    v2d fhX1 = load2 (s.feedbackHighX1), fhY1 = load2 (s.feedbackHighY1);
    v2d flX1 = load2 (s.feedbackLowX1), flY1 = load2 (s.feedbackLowY1);
    v2d pkX1 = load2 (s.peakingX1), pkX2 = load2 (s.peakingX2), pkY1 = load2 (s.peakingY1), pkY2 = load2 (s.peakingY2);
    v2d lcS1 = load2 (s.lowCutS1), lcS2 = load2 (s.lowCutS2);
    v2d preX1 = load2 (s.preShelfX1), preY1 = load2 (s.preShelfY1);
    v2d postX1 = load2 (s.postShelfX1), postY1 = load2 (s.postShelfY1);
    v2d memorySmoothed = load2 (s.saturationMemorySmoothed), envelope = load2 (s.saturationEnvelope);
    v2d dc = load2 (s.saturationDc), previous = load2 (s.saturationPrevious), memory = load2 (s.saturationMemory);
    v2d lpX1 = load2 (s.lowPassX1), lpX2 = load2 (s.lowPassX2), lpY1 = load2 (s.lowPassY1), lpY2 = load2 (s.lowPassY2);
    v2d toneGain = load2 (s.toneGain);
    v2d osX1 = load2 (s.offsetShelfX1), osY1 = load2 (s.offsetShelfY1);

    double* const ringL = s.ring[0];
    double* const ringR = s.ring[1];
    const int maskL = s.mask[0], maskR = s.mask[1];
    // The write position as the reads see it (the frame's own sample written), and
    // where the writes are: the same, except while a chunk runs staged.
    int headL = s.writeIndex[0], headR = s.writeIndex[1];
    int writeL = headL, writeR = headR;

    double gain = mod.gain;
    LevelMeter& inputMeter = *mod.inputMeter;
    LevelMeter& outputMeter = *mod.outputMeter;
    double inputSum = inputMeter.sum, outputSum = outputMeter.sum;
    int inputCount = inputMeter.count, outputCount = outputMeter.count;
    const int inputPeriod = inputMeter.period, outputPeriod = outputMeter.period;

    alignas (64) double modL[chunkFrames + 8];
    alignas (64) double modR[chunkFrames + 8];

    // What one stage of a frame hands to a later one.
    alignas (64) v2d dryIn[chunkFrames];      // the input, for the mix
    alignas (64) v2d saturating[chunkFrames]; // the saturation's input, past its pre-shelf
    alignas (64) v2d toWrite[chunkFrames];    // the write path's signal ahead of the low-pass
    alignas (64) v2d echoOut[chunkFrames];    // the line's output, for the mix

    Sample* out0 = ch0;
    Sample* out1 = ch1;

    // A frame runs in five stages. Run in this order they are the per-sample path's
    // frame; each stage keeps its own states, so its frames stay in order however the
    // stages of neighbouring frames interleave.

    // The input, its meter, the feedback shelves and the write path up to the saturation.
    const auto writeFront = [&] (int i) __attribute__ ((always_inline))
    {
        const Sample s0 = out0[i];
        const Sample s1 = stereoIn ? out1[i] : s0;
        const v2d x = v2d { (double) s0, (double) s1 };
        dryIn[i] = x;

        if constexpr (stereoIn)
        {
            const Sample a = magnitudeOf (s0), b = magnitudeOf (s1);
            addToMeter (inputMeter, inputPeriod, inputSum, inputCount, (double) (a < b ? b : a));
        }
        else
        {
            addToMeter (inputMeter, inputPeriod, inputSum, inputCount, (double) magnitudeOf ((double) s0));
        }

        // A sample that is not finite enters the lines as silence.
        const v2d in = (x - x) == 0.0 ? x : v2d { 0.0, 0.0 };

        // Feedback shelves and gain.
        const v2d fed = lastRead * feedbackGain;
        const v2d fh = ((fhB0 * fed) + (fhB1 * fhX1)) - (fhA1 * fhY1);
        fhY1 = fh;
        fhX1 = fed;
        const v2d fl = ((flB0 * fh) + (flB1 * flX1)) - (flA1 * flY1);
        flY1 = fl;
        flX1 = fh;
        const v2d f = fl * characterFeedbackGain;

        // The write path: peaking filter, low cut, and the saturation's pre-shelf.
        const v2d w0 = f + in;
        const v2d pk = ((((pkB0 * w0) + (pkB1 * pkX1)) + (pkB2 * pkX2)) - (pkA1 * pkY1)) - (pkA2 * pkY2);
        pkX2 = pkX1;
        pkX1 = w0;
        pkY2 = pkY1;
        pkY1 = pk;

        const v2d lc = (lcB0 * pk) + lcS1;
        lcS1 = ((lcB1 * pk) - (lcA1 * lc)) + lcS2;
        lcS2 = (lcB2 * pk) - (lcA2 * lc);

        if constexpr (saturationOn)
        {
            const v2d u = lc * satIn;
            const v2d pre = ((preB0 * u) + (preB1 * preX1)) - (preA1 * preY1);
            preY1 = pre;
            preX1 = u;
            saturating[i] = pre;
        }
        else
        {
            toWrite[i] = lc;
        }
    };

    // The saturation's loop, the one long chain of operations from frame to frame.
    const auto saturate = [&] (int i) __attribute__ ((always_inline))
    {
        if constexpr (saturationOn)
        {
            const v2d pre = saturating[i];
            envelope = envelope + (((previous * previous) - envelope) * kEnvelope);
            const v2d z = ((pre - memory) - ((0.4 * previous) * envelope)) - apart (0.15 * envelope);
            const v2d curve = apart (z * 0.1071000671) + (z / (((0.37011709966 * z) * z) + 1.1605589854));
            const v2d clipped = z > clipKnee ? splat2 (clipLimit) : (z < -clipKnee ? splat2 (-clipLimit) : curve);
            const v2d v = apart (0.85 * memory) + clipped;

            memorySmoothed = memorySmoothed + ((v - memorySmoothed) * kMemory);
            memory = 0.75 * memorySmoothed;

            const v2d post = ((postB0 * v) + (postB1 * postX1)) - apart (postA1 * postY1);
            postY1 = post;
            postX1 = v;
            previous = post;
            dc = dc + ((post - dc) * kDc);
            toWrite[i] = (post - dc) * satOut;
        }
        else
        {
            (void) i;
        }
    };

    // The low-pass and tone gain, and the write into the rings.
    const auto writeBack = [&] (int i) __attribute__ ((always_inline))
    {
        const v2d w = toWrite[i];
        const v2d lp = ((((lpB0 * w) + (lpB1 * lpX1)) + (lpB2 * lpX2)) - (lpA1 * lpY1)) - (lpA2 * lpY2);
        lpX2 = lpX1;
        lpX1 = w;
        lpY2 = lpY1;
        lpY1 = lp;
        toneGain = toneGain + ((toneTarget - toneGain) * toneK);
        const v2d written = lp * toneGain;

        writeL = (writeL + 1) & maskL;
        writeR = (writeR + 1) & maskR;
        ringL[writeL] = written[0];
        ringR[writeR] = written[1];
    };

    // The read behind the write, gliding toward the modulated delay, and the offset shelf.
    const auto read = [&] (int i) __attribute__ ((always_inline))
    {
        headL = (headL + 1) & maskL;
        headR = (headR + 1) & maskR;

        modulation = v2d { modL[i], modR[i] };
        v2d target = modulation + delaySamples;
        target = target > 0.0 ? target : v2d { 0.0, 0.0 };
        target = target < maxRead ? target : maxRead;
        readPosition = readPosition + ((target - readPosition) * readK);

        const v2i whole = __builtin_convertvector (readPosition, v2i);
        const v2d frac = readPosition - __builtin_convertvector (whole, v2d);
        const v2d pairL = ringPair (ringL, (headL - whole[0] - 1) & maskL, maskL);
        const v2d pairR = ringPair (ringR, (headR - whole[1] - 1) & maskR, maskR);
        const v2d a = __builtin_shufflevector (pairL, pairR, 0, 2);
        const v2d b = __builtin_shufflevector (pairL, pairR, 1, 3);
        const v2d y = b + ((a - b) * frac);
        lastRead = y;

        const v2d os = ((osB0 * y) + (osB1 * osX1)) - (osA1 * osY1);
        osY1 = os;
        osX1 = y;
        echoOut[i] = os * characterOutputGain;
    };

    // The module: equal-power mix, the smoothed output gain, the meters.
    const auto mixOut = [&] (int i) __attribute__ ((always_inline))
    {
        v2d out = roundToSample<Sample> ((wet * echoOut[i]) + (dry * dryIn[i]));
        gain = gain + ((gainTarget - gain) * gainK);
        out = roundToSample<Sample> (out * gain);
        const Sample o0 = (Sample) out[0];
        const Sample o1 = (Sample) out[1];
        out0[i] = o0;
        out1[i] = o1;

        const Sample m0 = magnitudeOf (o0), m1 = magnitudeOf (o1);
        addToMeter (outputMeter, outputPeriod, outputSum, outputCount, (double) (m0 < m1 ? m1 : m0));
    };

    Modulation oscillators (s, numFrames);
    for (int start = 0; start < numFrames; start += chunkFrames)
    {
        const int n = numFrames - start < chunkFrames ? numFrames - start : chunkFrames;
        const int rest = numFrames - start - n;
        oscillators.next (n, rest < chunkFrames ? rest : chunkFrames, modL, modR);
        out0 = ch0 + start;
        out1 = ch1 + start;

        if (readsStayBehind (s, readPosition, modL, modR, n))
        {
            // Staged: the front of the next frame and the back of the one before run
            // beside the saturation of this one, so that the work that doesn't wait
            // for the saturation's chain fills the time it takes. The reads run ahead
            // of the writes by at most stagedReadLag frames, which readsStayBehind
            // has checked the delay allows.
            const auto stagesAt = [&] (int i) __attribute__ ((always_inline))
            {
                if (i + stagesAhead >= 0 && i + stagesAhead < n)
                {
                    writeFront (i + stagesAhead);
                    read (i + stagesAhead);
                }
                if (i >= 0 && i < n)
                    saturate (i);
                if (i - stagesBehind >= 0 && i - stagesBehind < n)
                {
                    writeBack (i - stagesBehind);
                    mixOut (i - stagesBehind);
                }
            };
            int i = -stagesAhead;
            for (; i < stagesBehind && i < n + stagesBehind; ++i)
                stagesAt (i);
            for (; i < n - stagesAhead; ++i)
            {
                writeFront (i + stagesAhead);
                read (i + stagesAhead);
                saturate (i);
                writeBack (i - stagesBehind);
                mixOut (i - stagesBehind);
            }
            for (; i < n + stagesBehind; ++i)
                stagesAt (i);
        }
        else
        {
            for (int i = 0; i < n; ++i)
            {
                writeFront (i);
                saturate (i);
                writeBack (i);
                read (i);
                mixOut (i);
            }
        }
    }

    storeLanes (s.lastRead, lastRead);
    storeLanes (s.readPosition, readPosition);
    storeLanes (s.modulation, modulation);
    storeLanes (s.feedbackHighX1, fhX1);
    storeLanes (s.feedbackHighY1, fhY1);
    storeLanes (s.feedbackLowX1, flX1);
    storeLanes (s.feedbackLowY1, flY1);
    storeLanes (s.peakingX1, pkX1);
    storeLanes (s.peakingX2, pkX2);
    storeLanes (s.peakingY1, pkY1);
    storeLanes (s.peakingY2, pkY2);
    storeLanes (s.lowCutS1, lcS1);
    storeLanes (s.lowCutS2, lcS2);
    storeLanes (s.preShelfX1, preX1);
    storeLanes (s.preShelfY1, preY1);
    storeLanes (s.postShelfX1, postX1);
    storeLanes (s.postShelfY1, postY1);
    storeLanes (s.saturationMemorySmoothed, memorySmoothed);
    storeLanes (s.saturationEnvelope, envelope);
    storeLanes (s.saturationDc, dc);
    storeLanes (s.saturationPrevious, previous);
    storeLanes (s.saturationMemory, memory);
    storeLanes (s.lowPassX1, lpX1);
    storeLanes (s.lowPassX2, lpX2);
    storeLanes (s.lowPassY1, lpY1);
    storeLanes (s.lowPassY2, lpY2);
    storeLanes (s.toneGain, toneGain);
    storeLanes (s.offsetShelfX1, osX1);
    storeLanes (s.offsetShelfY1, osY1);
    s.writeIndex[0] = writeL;
    s.writeIndex[1] = writeR;

    mod.gain = gain;
    inputMeter.sum = inputSum;
    inputMeter.count = inputCount;
    outputMeter.sum = outputSum;
    outputMeter.count = outputCount;
}

template <typename Sample>
void runLayout (echokernel::Lanes& lanes, echokernel::Module& module, Sample* ch0, Sample* ch1, int numFrames)
{
    if (module.stereoIn)
    {
        if (lanes.saturationOn)
            runBlock<Sample, true, true> (lanes, module, ch0, ch1, numFrames);
        else
            runBlock<Sample, true, false> (lanes, module, ch0, ch1, numFrames);
    }
    else
    {
        if (lanes.saturationOn)
            runBlock<Sample, false, true> (lanes, module, ch0, ch1, numFrames);
        else
            runBlock<Sample, false, false> (lanes, module, ch0, ch1, numFrames);
    }
}
} // namespace

namespace echokernel
{
void ECHO_KERNEL_ENTRY (Lanes& lanes, Module& module, float* ch0, float* ch1, int numFrames)
{
    runLayout (lanes, module, ch0, ch1, numFrames);
}

void ECHO_KERNEL_ENTRY (Lanes& lanes, Module& module, double* ch0, double* ch1, int numFrames)
{
    runLayout (lanes, module, ch0, ch1, numFrames);
}
} // namespace echokernel
