// Cost per stereo frame of the delay module's block processing, float and double
// blocks, at 48 and 96 kHz with blocks of 32, 512 and 4096 frames, beside the plain
// reference echo in the same run. BM_Module runs what the module chooses for this
// processor; BM_ModuleVariant runs each block kernel this processor has, and the
// sample-by-sample path, side by side.
//
//   bench_module --benchmark_counters_tabular=true

#include "bench/BenchSettings.h"
#include "bench/ReferenceEcho.h"
#include "effect/ZerAvoroProcessor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int sourceFrames = 1 << 14;

template <typename Sample>
void runModule (benchmark::State& state, bool chooseVariant)
{
    juce::ScopedNoDenormals noDenormals;
    const double rate = static_cast<double> (state.range (0));
    const int blockSize = static_cast<int> (state.range (1));

    ZerAvoroProcessor module (nullptr);
    module.setPlayDetails (2, 2, rate, blockSize);
    if (chooseVariant)
    {
        const auto variant = static_cast<StereoEchoKernel::Variant> (state.range (2));
        if (! StereoEchoKernel::isSupported (variant))
        {
            state.SkipWithError ("this processor lacks the instruction set");
            return;
        }
        module.setKernelVariant (variant);
    }
    module.prepareToPlay (rate, blockSize);
    state.SetLabel (StereoEchoKernel::getName (module.getKernelVariant()));
    module.time->setValueNotifyingHost (bench::timeMs);
    module.feedback->setValueNotifyingHost (bench::feedbackPct);
    module.modulation->setValueNotifyingHost (bench::modulationPct);
    module.tone->setValueNotifyingHost (bench::tone);
    module.drive->setValueNotifyingHost (bench::drive ? 1.0 : 0.0);

    // Fresh noise for every block, taken in turn from a longer source.
    const auto sourceL = bench::noise<Sample> (sourceFrames, 1);
    const auto sourceR = bench::noise<Sample> (sourceFrames, 2);
    std::vector<Sample> left (static_cast<size_t> (blockSize)), right (static_cast<size_t> (blockSize));
    Sample* channels[] = { left.data(), right.data() };
    juce::dsp::AudioBlock<Sample> block (channels, 2, static_cast<size_t> (blockSize));

    int offset = 0;
    for (auto _ : state)
    {
        if (offset + blockSize > sourceFrames)
            offset = 0;
        std::copy_n (sourceL.begin() + offset, blockSize, left.begin());
        std::copy_n (sourceR.begin() + offset, blockSize, right.begin());
        offset += blockSize;
        module.processBlock (&block, blockSize, 120.0);
        benchmark::DoNotOptimize (left.data());
        benchmark::DoNotOptimize (right.data());
        benchmark::ClobberMemory();
    }
    bench::reportFrames (state, blockSize);
}

template <typename Sample>
void BM_Module (benchmark::State& state)
{
    runModule<Sample> (state, false);
}

template <typename Sample>
void BM_ModuleVariant (benchmark::State& state)
{
    runModule<Sample> (state, true);
}

void variantArgs (benchmark::internal::Benchmark* b)
{
    b->ArgNames ({ "rate", "block", "variant" });
    for (int rate : { 48000, 96000 })
        for (int block : { 32, 512, 4096 })
            for (auto v : { StereoEchoKernel::Variant::perSample, StereoEchoKernel::Variant::baseline,
                            StereoEchoKernel::Variant::avx2, StereoEchoKernel::Variant::avx512 })
                b->Args ({ rate, block, static_cast<int> (v) });
}

template <typename Sample>
void BM_Reference (benchmark::State& state)
{
    const double rate = static_cast<double> (state.range (0));
    const int blockSize = static_cast<int> (state.range (1));
    ReferenceEcho echo (rate, bench::timeMs, bench::feedbackPct * 0.01);

    const auto sourceL = bench::noise<Sample> (sourceFrames, 1);
    const auto sourceR = bench::noise<Sample> (sourceFrames, 2);
    std::vector<Sample> left (static_cast<size_t> (blockSize)), right (static_cast<size_t> (blockSize));

    int offset = 0;
    for (auto _ : state)
    {
        if (offset + blockSize > sourceFrames)
            offset = 0;
        for (int i = 0; i < blockSize; ++i)
        {
            double l = sourceL[static_cast<size_t> (offset + i)];
            double r = sourceR[static_cast<size_t> (offset + i)];
            echo.process (l, r);
            left[static_cast<size_t> (i)] = static_cast<Sample> (l);
            right[static_cast<size_t> (i)] = static_cast<Sample> (r);
        }
        offset += blockSize;
        benchmark::DoNotOptimize (left.data());
        benchmark::DoNotOptimize (right.data());
        benchmark::ClobberMemory();
    }
    bench::reportFrames (state, blockSize);
}
} // namespace

BENCHMARK_TEMPLATE (BM_Module, float)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_Module, double)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_ModuleVariant, float)->Apply (variantArgs);
BENCHMARK_TEMPLATE (BM_ModuleVariant, double)->Apply (variantArgs);
BENCHMARK_TEMPLATE (BM_Reference, float)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_Reference, double)->Apply (bench::rateAndBlockArgs);

BENCHMARK_MAIN();
