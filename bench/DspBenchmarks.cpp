// Cost per sample of the echo line, beside a plain echo (power-of-two ring, linear
// interpolation, feedback gain, nothing else) measured in the same binary, so that
// the ratio of the two holds from machine to machine.
//
//   bench_dsp --benchmark_counters_tabular=true

#include "effect/dsp/DelayEcho.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 4800;

std::vector<double> noiseBlock()
{
    std::mt19937 rng (12345);
    std::uniform_real_distribution<double> dist (-0.5, 0.5);
    std::vector<double> block (blockSize);
    for (auto& x : block)
        x = dist (rng);
    return block;
}

class ReferenceEcho
{
public:
    explicit ReferenceEcho (double delaySamples_, double feedback_)
        : delaySamples (delaySamples_), feedback (feedback_)
    {
        int length = 1;
        while (length < delaySamples + 2.0)
            length <<= 1;
        ring.assign (static_cast<size_t> (length), 0.0);
        mask = length - 1;
    }

    double process (double x)
    {
        writeIndex = (writeIndex + 1) & mask;
        ring[static_cast<size_t> (writeIndex)] = x + lastRead * feedback;
        const int i = static_cast<int> (delaySamples);
        const double frac = delaySamples - i;
        const double a = ring[static_cast<size_t> ((writeIndex - i - 1) & mask)];
        const double b = ring[static_cast<size_t> ((writeIndex - i) & mask)];
        lastRead = b + (a - b) * frac;
        return lastRead;
    }

private:
    std::vector<double> ring;
    int mask = 0;
    int writeIndex = 0;
    double delaySamples;
    double feedback;
    double lastRead = 0.0;
};

void setPerSampleCounter (benchmark::State& state)
{
    state.SetItemsProcessed (state.iterations() * blockSize);
    // Seconds per sample, printed with an SI prefix (ns, ps).
    state.counters["time_per_sample"] = benchmark::Counter (static_cast<double> (state.iterations()) * blockSize,
                                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DelayEcho (benchmark::State& state)
{
    const auto input = noiseBlock();
    DelayEcho line;
    line.reset (sampleRate);
    line.setDelay (240.0, 60.0, 50.0, 0.0);
    line.setCharacters (20.0, 5.0, true, false);

    for (auto _ : state)
    {
        double sum = 0.0;
        for (double x : input)
            sum += line.processSample (x, DelayEcho::noModulation);
        benchmark::DoNotOptimize (sum);
    }
    setPerSampleCounter (state);
}
BENCHMARK (BM_DelayEcho);

void BM_ReferenceEcho (benchmark::State& state)
{
    const auto input = noiseBlock();
    ReferenceEcho line (240.0 * sampleRate * 0.001 + 0.37, 0.6);

    for (auto _ : state)
    {
        double sum = 0.0;
        for (double x : input)
            sum += line.process (x);
        benchmark::DoNotOptimize (sum);
    }
    setPerSampleCounter (state);
}
BENCHMARK (BM_ReferenceEcho);
} // namespace
