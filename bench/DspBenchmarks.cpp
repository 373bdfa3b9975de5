// Cost per stereo frame of the echo pair (the left and right echo lines, the right
// one taking the left one's modulation, as the module runs them), float and double
// blocks, at 48 and 96 kHz with blocks of 32, 512 and 4096 frames, beside the plain
// reference echo in the same run: BM_EchoPair sample by sample through the lines'
// own processSample, BM_EchoPairKernel through the stereo block kernel this
// processor runs best (wet only, unity gain).
//
//   bench_dsp --benchmark_counters_tabular=true

#include "bench/BenchSettings.h"
#include "bench/ReferenceEcho.h"
#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/LevelMeter.h"
#include "effect/dsp/StereoEchoKernel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int sourceFrames = 1 << 14;

struct EchoPair
{
    explicit EchoPair (double rate)
    {
        for (auto* line : { &left, &right })
        {
            line->reset (rate);
            line->setDelay (bench::timeMs, bench::feedbackPct, bench::modulationPct, 0.0);
            line->setCharacters (20.0, bench::tone, true, bench::drive);
        }
    }

    DelayEcho left, right;
};

template <typename Sample>
struct Stereo
{
    explicit Stereo (int blockSize)
        : sourceL (bench::noise<Sample> (sourceFrames, 1)), sourceR (bench::noise<Sample> (sourceFrames, 2)),
          left (static_cast<size_t> (blockSize)), right (static_cast<size_t> (blockSize)), size (blockSize)
    {
    }

    // The next block of noise into the channels.
    void refill()
    {
        if (offset + size > sourceFrames)
            offset = 0;
        std::copy_n (sourceL.begin() + offset, size, left.begin());
        std::copy_n (sourceR.begin() + offset, size, right.begin());
        offset += size;
    }

    std::vector<Sample> sourceL, sourceR, left, right;
    int size;
    int offset = 0;
};

template <typename Sample>
void BM_EchoPair (benchmark::State& state)
{
    const double rate = static_cast<double> (state.range (0));
    const int blockSize = static_cast<int> (state.range (1));
    EchoPair echo (rate);
    Stereo<Sample> io (blockSize);

    for (auto _ : state)
    {
        io.refill();
        for (size_t i = 0; i < io.left.size(); ++i)
        {
            const double l = echo.left.processSample (io.left[i], DelayEcho::noModulation);
            const double r = echo.right.processSample (io.right[i], echo.left.getModulation());
            io.left[i] = static_cast<Sample> (l);
            io.right[i] = static_cast<Sample> (r);
        }
        benchmark::DoNotOptimize (io.left.data());
        benchmark::DoNotOptimize (io.right.data());
        benchmark::ClobberMemory();
    }
    bench::reportFrames (state, blockSize);
}

template <typename Sample>
void BM_EchoPairKernel (benchmark::State& state)
{
    const double rate = static_cast<double> (state.range (0));
    const int blockSize = static_cast<int> (state.range (1));
    EchoPair echo (rate);
    Stereo<Sample> io (blockSize);

    StereoEchoKernel kernel;
    kernel.prepare();
    state.SetLabel (StereoEchoKernel::getName (kernel.getVariant()));
    const StereoEchoKernel::Mix wetOnly { 1.0, 0.0, 1.0, 0.0, 1.0, 0.0 };
    double gain = 1.0;
    LevelMeter inputMeter, outputMeter;
    inputMeter.prepare (rate, LevelMeter::inputMeterMass);
    outputMeter.prepare (rate, LevelMeter::outputMeterMass);

    for (auto _ : state)
    {
        io.refill();
        kernel.process (echo.left, echo.right, wetOnly, gain, inputMeter, outputMeter, io.left.data(), io.right.data(),
                        blockSize, true);
        benchmark::DoNotOptimize (io.left.data());
        benchmark::DoNotOptimize (io.right.data());
        benchmark::ClobberMemory();
    }
    bench::reportFrames (state, blockSize);
}

template <typename Sample>
void BM_Reference (benchmark::State& state)
{
    const double rate = static_cast<double> (state.range (0));
    const int blockSize = static_cast<int> (state.range (1));
    ReferenceEcho echo (rate, bench::timeMs, bench::feedbackPct * 0.01);
    Stereo<Sample> io (blockSize);

    for (auto _ : state)
    {
        io.refill();
        for (size_t i = 0; i < io.left.size(); ++i)
        {
            double l = io.left[i];
            double r = io.right[i];
            echo.process (l, r);
            io.left[i] = static_cast<Sample> (l);
            io.right[i] = static_cast<Sample> (r);
        }
        benchmark::DoNotOptimize (io.left.data());
        benchmark::DoNotOptimize (io.right.data());
        benchmark::ClobberMemory();
    }
    bench::reportFrames (state, blockSize);
}
} // namespace

BENCHMARK_TEMPLATE (BM_EchoPair, float)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_EchoPair, double)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_EchoPairKernel, float)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_EchoPairKernel, double)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_Reference, float)->Apply (bench::rateAndBlockArgs);
BENCHMARK_TEMPLATE (BM_Reference, double)->Apply (bench::rateAndBlockArgs);

BENCHMARK_MAIN();
