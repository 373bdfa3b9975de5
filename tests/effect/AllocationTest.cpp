// The audio thread never allocates. This binary replaces the global operator new
// and delete with counting versions; the count runs only while a flag is raised
// around the audio call, so the test's own allocations don't count. It is a binary
// of its own, so that no other suite runs with the counting allocator.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "tests/effect/ProductTestSupport.h"

namespace
{
std::atomic<bool> counting { false };
std::atomic<long> allocations { 0 };

void* allocate (std::size_t size)
{
    if (counting.load (std::memory_order_relaxed))
        allocations.fetch_add (1, std::memory_order_relaxed);
    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    if (counting.load (std::memory_order_relaxed))
        allocations.fetch_add (1, std::memory_order_relaxed);
    const auto a = std::max (static_cast<std::size_t> (alignment), sizeof (void*));
    void* p = nullptr;
    if (posix_memalign (&p, a, size == 0 ? a : size) == 0)
        return p;
    throw std::bad_alloc();
}

void release (void* p) noexcept
{
    if (p != nullptr && counting.load (std::memory_order_relaxed))
        allocations.fetch_add (1, std::memory_order_relaxed);
    std::free (p);
}

// Counts what happens inside the scope.
struct AudioCall
{
    AudioCall() { counting.store (true); }
    ~AudioCall() { counting.store (false); }
};
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new (std::size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void operator delete (void* p) noexcept { release (p); }
void operator delete[] (void* p) noexcept { release (p); }
void operator delete (void* p, std::size_t) noexcept { release (p); }
void operator delete[] (void* p, std::size_t) noexcept { release (p); }
void operator delete (void* p, const std::nothrow_t&) noexcept { release (p); }
void operator delete[] (void* p, const std::nothrow_t&) noexcept { release (p); }
void operator delete (void* p, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { release (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { release (p); }

using namespace effect_test;

namespace
{
struct AllocationCase
{
    double sampleRate;
    bool doublePrecision;
    int numInputs;
};

void PrintTo (const AllocationCase& c, std::ostream* os)
{
    *os << c.sampleRate << " Hz, " << (c.doublePrecision ? "double" : "float") << ", " << c.numInputs << " in";
}

std::string caseName (const testing::TestParamInfo<AllocationCase>& info)
{
    return std::to_string ((int) info.param.sampleRate) + (info.param.doublePrecision ? "Hz_double" : "Hz_float")
           + (info.param.numInputs == 1 ? "_monoIn" : "_stereoIn");
}

class AudioThreadAllocations : public testing::TestWithParam<AllocationCase>
{
};
} // namespace

TEST (AllocationCounter, CountsAnAllocationInsideTheAudioCall)
{
    allocations = 0;
    {
        AudioCall call;
        auto* p = new int (3);
        delete p;
    }
    EXPECT_EQ (allocations.load(), 2);
    allocations = 0;
}

TEST_P (AudioThreadAllocations, NoneInThousandsOfBlocksWithAutomationTempoChangesAndSyncRewrites)
{
    const auto c = GetParam();
    constexpr int blockSize = 256;
    constexpr int numBlocks = 4000;

    TestPlayHead playHead;
    auto product = makeProduct();
    ASSERT_NE (product, nullptr);
    product->setPlayHead (&playHead);
    if (c.numInputs == 1)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (juce::AudioChannelSet::mono());
        layout.outputBuses.add (juce::AudioChannelSet::stereo());
        ASSERT_TRUE (product->setBusesLayout (layout));
    }
    product->setRateAndBufferSizeDetails (c.sampleRate, blockSize);
    product->prepareToPlay (c.sampleRate, blockSize);

    auto* module = delayModule (*product);
    ASSERT_NE (module, nullptr);
    const int syncIndex = hostIndexOf (*product, "Delay Sync");
    const int noteIndex = hostIndexOf (*product, "Time Note");

    juce::AudioBuffer<float> floats (2, blockSize);
    juce::AudioBuffer<double> doubles (2, blockSize);
    juce::MidiBuffer midi;
    std::mt19937 rng (7);
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);

    int rewrites = 0;
    allocations = 0;
    for (int block = 0; block < numBlocks; ++block)
    {
        // Between blocks, as a host does: automation, and now and then a tempo
        // change or a switch of sync, note or layout-independent settings.
        if (block % 3 == 0)
        {
            const int index = (int) (unit (rng) * 11.0f) % 11;
            if (index != syncIndex)
                product->getHostParameter (index)->setValueNotifyingHost (unit (rng));
        }
        if (block % 50 == 0)
            playHead.bpm = 70.0 + unit (rng) * 110.0;
        if (block % 500 == 0)
        {
            product->getHostParameter (syncIndex)->setValueNotifyingHost (block % 1000 == 0 ? 1.0f : 0.0f);
            product->getHostParameter (noteIndex)->setValueNotifyingHost (unit (rng));
        }

        const double timeBefore = module->time->getValue();
        const double tempoBefore = module->tempo.load();
        if (c.doublePrecision)
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    doubles.setSample (ch, i, unit (rng) - 0.5);
            AudioCall call;
            product->processBlock (doubles, midi);
        }
        else
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    floats.setSample (ch, i, unit (rng) - 0.5f);
            AudioCall call;
            product->processBlock (floats, midi);
        }

        if (module->tempo.load() != tempoBefore && module->time->getValue() != timeBefore)
            ++rewrites;
        ASSERT_EQ (allocations.load(), 0) << "block " << block;
    }

    EXPECT_EQ (allocations.load(), 0);
    // The synced stretches really rewrote "Time" inside the audio call.
    EXPECT_GT (rewrites, 10);
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_TRUE (std::isfinite (c.doublePrecision ? doubles.getSample (ch, 0) : floats.getSample (ch, 0)));
}

INSTANTIATE_TEST_SUITE_P (RatesAndSampleTypes, AudioThreadAllocations,
                          testing::Values (AllocationCase { 44100.0, false, 2 }, AllocationCase { 44100.0, true, 2 },
                                           AllocationCase { 96000.0, false, 2 }, AllocationCase { 96000.0, true, 2 },
                                           AllocationCase { 48000.0, false, 1 }),
                          caseName);
