// Cost per stereo frame of the delay module's block processing at 48 kHz, float
// and double blocks, beside the echo line's own figure in bench_dsp.
//
//   bench_module --benchmark_counters_tabular=true

#include "effect/ZerAvoroProcessor.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

template <typename Sample>
void BM_ModuleProcessBlock (benchmark::State& state)
{
    juce::ScopedNoDenormals noDenormals;
    ZerAvoroProcessor module (nullptr);
    module.setPlayDetails (2, 2, sampleRate, blockSize);
    module.prepareToPlay (sampleRate, blockSize);

    std::mt19937 rng (12345);
    std::uniform_real_distribution<double> dist (-0.5, 0.5);
    std::vector<Sample> source[2];
    for (auto& channel : source)
    {
        channel.resize (blockSize);
        for (auto& x : channel)
            x = (Sample) dist (rng);
    }

    std::vector<Sample> left (blockSize), right (blockSize);
    Sample* channels[] = { left.data(), right.data() };
    juce::dsp::AudioBlock<Sample> block (channels, 2, blockSize);

    for (auto _ : state)
    {
        std::copy (source[0].begin(), source[0].end(), left.begin());
        std::copy (source[1].begin(), source[1].end(), right.begin());
        module.processBlock (&block, blockSize, 120.0);
        benchmark::DoNotOptimize (left.data());
        benchmark::DoNotOptimize (right.data());
        benchmark::ClobberMemory();
    }

    state.SetItemsProcessed (state.iterations() * blockSize);
    state.counters["ns_per_frame"] = benchmark::Counter (
        static_cast<double> (state.iterations()) * blockSize * 1.0e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
} // namespace

BENCHMARK_TEMPLATE (BM_ModuleProcessBlock, float);
BENCHMARK_TEMPLATE (BM_ModuleProcessBlock, double);

BENCHMARK_MAIN();
