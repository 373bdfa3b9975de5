#pragma once

// What the benchmarks run: the sample rates, block sizes and the module's settings,
// shared by bench_module and bench_dsp so that their figures sit side by side.

#include "tests/support/Signals.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace bench
{
// Drive on, Feedback 50 %, Modulation 50 %: every stage of the echo works.
constexpr double timeMs = 240.0;
constexpr double feedbackPct = 50.0;
constexpr double modulationPct = 50.0;
constexpr double tone = 5.0;
constexpr bool drive = true;

// White noise at half scale, the same for the same seed.
template <typename Sample>
std::vector<Sample> noise (int count, unsigned seed)
{
    return tarnello::test::noise<Sample> (static_cast<std::size_t> (count), seed, 0.5);
}

// ns per stereo frame, beside items (frames) per second.
inline void reportFrames (benchmark::State& state, std::int64_t framesPerIteration)
{
    const double frames = static_cast<double> (state.iterations()) * static_cast<double> (framesPerIteration);
    state.SetItemsProcessed (static_cast<std::int64_t> (frames));
    state.counters["ns_per_frame"] = benchmark::Counter (frames * 1.0e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Sample rates 48 and 96 kHz, blocks of 32, 512 and 4096.
inline void rateAndBlockArgs (benchmark::internal::Benchmark* b)
{
    b->ArgNames ({ "rate", "block" });
    for (int rate : { 48000, 96000 })
        for (int block : { 32, 512, 4096 })
            b->Args ({ rate, block });
}
} // namespace bench
