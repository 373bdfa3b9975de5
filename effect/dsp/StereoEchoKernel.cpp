#include "effect/dsp/StereoEchoKernel.h"

#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/DezorCharacter.h"
#include "effect/dsp/LevelMeter.h"
#include "effect/dsp/StereoEchoBlock.h"

namespace
{
void readFilter (const OnePoleDF1& f, int lane, double* b0, double* b1, double* a1, double* x1, double* y1)
{
    b0[lane] = f.b0;
    b1[lane] = f.b1;
    a1[lane] = f.a1;
    x1[lane] = f.x1;
    y1[lane] = f.y1;
}

void readFilter (const TwoPolesDF1& f, int lane, double* b0, double* b1, double* b2, double* a1, double* a2)
{
    b0[lane] = f.b0;
    b1[lane] = f.b1;
    b2[lane] = f.b2;
    a1[lane] = f.a1;
    a2[lane] = f.a2;
}

void writeState (OnePoleDF1& f, int lane, const double* x1, const double* y1)
{
    f.x1 = x1[lane];
    f.y1 = y1[lane];
}
} // namespace

bool StereoEchoKernel::isSupported (Variant v)
{
#if defined(__x86_64__) && defined(__GNUC__)
    switch (v)
    {
        case Variant::perSample:
        case Variant::baseline:
            return true;
        case Variant::avx2:
            return __builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma");
        case Variant::avx512:
            return __builtin_cpu_supports ("avx512f") && __builtin_cpu_supports ("avx512dq")
                   && __builtin_cpu_supports ("avx512vl") && __builtin_cpu_supports ("fma");
    }
    return false;
#else
    return v == Variant::perSample;
#endif
}

StereoEchoKernel::Variant StereoEchoKernel::fastest()
{
    for (auto v : { Variant::avx512, Variant::avx2, Variant::baseline })
        if (isSupported (v))
            return v;
    return Variant::perSample;
}

const char* StereoEchoKernel::getName (Variant v)
{
    switch (v)
    {
        case Variant::perSample: return "per-sample";
        case Variant::baseline: return "baseline";
        case Variant::avx2: return "avx2";
        case Variant::avx512: return "avx512";
    }
    return "?";
}

void StereoEchoKernel::prepare (Variant v)
{
    variant.store (static_cast<int> (isSupported (v) ? v : fastest()));
}

bool StereoEchoKernel::process (DelayEcho& left, DelayEcho& right, const Mix& mix, double& outputGain,
                                LevelMeter& inputMeter, LevelMeter& outputMeter, float* ch0, float* ch1,
                                int numFrames, bool stereoIn) const
{
    return run (left, right, mix, outputGain, inputMeter, outputMeter, ch0, ch1, numFrames, stereoIn);
}

bool StereoEchoKernel::process (DelayEcho& left, DelayEcho& right, const Mix& mix, double& outputGain,
                                LevelMeter& inputMeter, LevelMeter& outputMeter, double* ch0, double* ch1,
                                int numFrames, bool stereoIn) const
{
    return run (left, right, mix, outputGain, inputMeter, outputMeter, ch0, ch1, numFrames, stereoIn);
}

template <typename Sample>
bool StereoEchoKernel::run (DelayEcho& left, DelayEcho& right, const Mix& mix, double& outputGain,
                            LevelMeter& inputMeter, LevelMeter& outputMeter, Sample* ch0, Sample* ch1, int numFrames,
                            bool stereoIn) const
{
    const auto v = getVariant();
    if (v == Variant::perSample || left.silenced || right.silenced || numFrames <= 0)
        return false;

    DelayEcho* const lines[2] = { &left, &right };
    DezorCharacter* characters[2];
    for (int lane = 0; lane < 2; ++lane)
    {
        auto& line = *lines[lane];
        const int index = line.currentCharacter.load();
        if (index < 0 || index >= line.getNumCharacters())
            return false;
        characters[lane] = dynamic_cast<DezorCharacter*> (line.characters[static_cast<size_t> (index)].get());
        if (characters[lane] == nullptr)
            return false;
    }
    const bool saturationOn = characters[0]->saturationOn.load();
    if (characters[1]->saturationOn.load() != saturationOn)
        return false;

    // Settings and states in, each setting read once for the whole block.
    echokernel::Lanes s;
    s.saturationOn = saturationOn;
    for (int lane = 0; lane < 2; ++lane)
    {
        const DelayEcho& line = *lines[lane];
        const DezorCharacter& c = *characters[lane];

        s.feedbackGain[lane] = line.feedbackGain;
        s.delaySamples[lane] = line.delaySamples;
        s.readK[lane] = line.readK;
        s.maxReadPosition[lane] = line.maxReadPosition;
        s.lastRead[lane] = line.lastRead;
        s.readPosition[lane] = line.readPosition;
        s.modulation[lane] = line.modulation;
        s.ring[lane] = line.ring.get();
        s.writeIndex[lane] = line.writeIndex;
        s.mask[lane] = line.mask;

        readFilter (c.feedbackHighShelf, lane, s.feedbackHighB0, s.feedbackHighB1, s.feedbackHighA1, s.feedbackHighX1, s.feedbackHighY1);
        readFilter (c.feedbackLowShelf, lane, s.feedbackLowB0, s.feedbackLowB1, s.feedbackLowA1, s.feedbackLowX1, s.feedbackLowY1);
        s.characterFeedbackGain[lane] = c.feedbackGain;

        readFilter (c.peaking, lane, s.peakingB0, s.peakingB1, s.peakingB2, s.peakingA1, s.peakingA2);
        s.peakingX1[lane] = c.peaking.x1;
        s.peakingX2[lane] = c.peaking.x2;
        s.peakingY1[lane] = c.peaking.y1;
        s.peakingY2[lane] = c.peaking.y2;

        readFilter (c.lowCut, lane, s.lowCutB0, s.lowCutB1, s.lowCutB2, s.lowCutA1, s.lowCutA2);
        s.lowCutS1[lane] = c.lowCut.x1;
        s.lowCutS2[lane] = c.lowCut.x2;

        const DezorSaturation& sat = c.saturation;
        s.saturationInputGain[lane] = sat.inputGain;
        s.saturationOutputGain[lane] = sat.outputGain;
        s.saturationKMemory[lane] = sat.kMemory;
        s.saturationKEnvelope[lane] = sat.kEnvelope;
        s.saturationKDc[lane] = sat.kDc;
        readFilter (sat.preShelf, lane, s.preShelfB0, s.preShelfB1, s.preShelfA1, s.preShelfX1, s.preShelfY1);
        readFilter (sat.postShelf, lane, s.postShelfB0, s.postShelfB1, s.postShelfA1, s.postShelfX1, s.postShelfY1);
        s.saturationMemorySmoothed[lane] = sat.memorySmoothed;
        s.saturationEnvelope[lane] = sat.envelope;
        s.saturationDc[lane] = sat.dc;
        s.saturationPrevious[lane] = sat.previous;
        s.saturationMemory[lane] = sat.memory;

        readFilter (c.lowPass, lane, s.lowPassB0, s.lowPassB1, s.lowPassB2, s.lowPassA1, s.lowPassA2);
        s.lowPassX1[lane] = c.lowPass.x1;
        s.lowPassX2[lane] = c.lowPass.x2;
        s.lowPassY1[lane] = c.lowPass.y1;
        s.lowPassY2[lane] = c.lowPass.y2;
        s.toneGainTarget[lane] = c.toneGainTarget;
        s.toneGainK[lane] = c.toneGainK;
        s.toneGain[lane] = c.toneGain;

        readFilter (line.offsetShelf, lane, s.offsetShelfB0, s.offsetShelfB1, s.offsetShelfA1, s.offsetShelfX1, s.offsetShelfY1);
        s.characterOutputGain[lane] = c.outputGain;

        echokernel::LfoBank& bank = lane == 0 ? s.leftLfos : s.rightLfos;
        const DelayEcho::Lfo* lfos[4] = { &line.lfo1, &line.lfo2, &line.lfo3, &line.lfo4 };
        for (int k = 0; k < 4; ++k)
        {
            bank.phase[k] = lfos[k]->phase;
            bank.increment[k] = lfos[k]->increment;
            bank.depth[k] = lfos[k]->depth;
        }
    }

    echokernel::Module m;
    m.wet[0] = mix.wetL;
    m.wet[1] = mix.wetR;
    m.dry[0] = mix.dryL;
    m.dry[1] = mix.dryR;
    m.gainTarget = mix.gainTarget;
    m.gainK = mix.gainK;
    m.gain = outputGain;
    m.inputMeter = &inputMeter;
    m.outputMeter = &outputMeter;
    m.stereoIn = stereoIn;

    switch (v)
    {
        case Variant::avx512: echokernel::runAvx512 (s, m, ch0, ch1, numFrames); break;
        case Variant::avx2: echokernel::runAvx2 (s, m, ch0, ch1, numFrames); break;
        case Variant::baseline:
        case Variant::perSample: echokernel::runBaseline (s, m, ch0, ch1, numFrames); break;
    }

    // States out.
    outputGain = m.gain;
    for (int lane = 0; lane < 2; ++lane)
    {
        DelayEcho& line = *lines[lane];
        DezorCharacter& c = *characters[lane];

        line.lastRead = s.lastRead[lane];
        line.readPosition = s.readPosition[lane];
        line.modulation = s.modulation[lane];
        line.writeIndex = s.writeIndex[lane];

        writeState (c.feedbackHighShelf, lane, s.feedbackHighX1, s.feedbackHighY1);
        writeState (c.feedbackLowShelf, lane, s.feedbackLowX1, s.feedbackLowY1);
        c.peaking.x1 = s.peakingX1[lane];
        c.peaking.x2 = s.peakingX2[lane];
        c.peaking.y1 = s.peakingY1[lane];
        c.peaking.y2 = s.peakingY2[lane];
        c.lowCut.x1 = s.lowCutS1[lane];
        c.lowCut.x2 = s.lowCutS2[lane];

        DezorSaturation& sat = c.saturation;
        writeState (sat.preShelf, lane, s.preShelfX1, s.preShelfY1);
        writeState (sat.postShelf, lane, s.postShelfX1, s.postShelfY1);
        sat.memorySmoothed = s.saturationMemorySmoothed[lane];
        sat.envelope = s.saturationEnvelope[lane];
        sat.dc = s.saturationDc[lane];
        sat.previous = s.saturationPrevious[lane];
        sat.memory = s.saturationMemory[lane];

        c.lowPass.x1 = s.lowPassX1[lane];
        c.lowPass.x2 = s.lowPassX2[lane];
        c.lowPass.y1 = s.lowPassY1[lane];
        c.lowPass.y2 = s.lowPassY2[lane];
        c.toneGain = s.toneGain[lane];

        writeState (line.offsetShelf, lane, s.offsetShelfX1, s.offsetShelfY1);

        const echokernel::LfoBank& bank = lane == 0 ? s.leftLfos : s.rightLfos;
        DelayEcho::Lfo* lfos[4] = { &line.lfo1, &line.lfo2, &line.lfo3, &line.lfo4 };
        for (int k = 0; k < 4; ++k)
            lfos[k]->phase = bank.phase[k];
    }
    return true;
}
