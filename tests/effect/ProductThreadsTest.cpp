// The product under the three kinds of caller at once: the audio thread, a host
// automating every parameter, and state saves and restores. Built to be run under
// ThreadSanitizer, which reports any unsynchronised access; here the output must
// also stay finite.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>

#include "tests/effect/ProductTestSupport.h"

using namespace effect_test;

TEST (TarnelloThreads, AutomationStateRestoresAndAudioRunTogether)
{
    TestPlayHead playHead;
    auto product = makeProduct();
    ASSERT_NE (product, nullptr);
    product->setPlayHead (&playHead);
    product->setRateAndBufferSizeDetails (48000.0, 128);
    product->prepareToPlay (48000.0, 128);
    automate (*product, hostIndexOf (*product, "Delay Sync"), 1.0);

    juce::MemoryBlock states[2];
    product->getStateInformation (states[0]);
    automate (*product, hostIndexOf (*product, "Feedback"), 180.0);
    automate (*product, hostIndexOf (*product, "Delay Sync"), 0.0);
    product->getStateInformation (states[1]);

    std::atomic<bool> audioDone { false };
    std::atomic<bool> finite { true };
    std::atomic<int> restores { 0 };
    std::atomic<int> automations { 0 };

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 128);
        juce::MidiBuffer midi;
        std::mt19937 rng (1);
        std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
        // At least a few thousand blocks, and on until the state has been
        // restored under them many times. The bound is time, not a block count:
        // a loaded machine under a sanitizer restores far fewer states per block.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds (120);
        for (int block = 0; (block < 3000 || restores.load() < 40) && finite.load()
                            && std::chrono::steady_clock::now() < giveUp; ++block)
        {
            if (block % 40 == 0)
                playHead.bpm = 60.0 + (block / 40 % 7) * 20.0;
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 128; ++i)
                    buffer.setSample (ch, i, dist (rng));
            product->processBlock (buffer, midi);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 128; ++i)
                    if (! std::isfinite (buffer.getSample (ch, i)))
                        finite = false;
        }
        audioDone = true;
    });

    std::thread automation ([&]
    {
        std::mt19937 rng (2);
        std::uniform_int_distribution<int> index (0, DovrethProcessor::numHostParameters - 1);
        std::uniform_real_distribution<float> value (0.0f, 1.0f);
        while (! audioDone.load())
        {
            auto* host = product->getHostParameter (index (rng));
            host->setValueNotifyingHost (value (rng));
            (void) host->getValue();
            (void) host->getText (host->getValue(), 100);
            (void) host->getName (100);
            ++automations;
        }
    });

    std::thread state ([&]
    {
        int which = 0;
        while (! audioDone.load())
        {
            juce::MemoryBlock saved;
            product->getStateInformation (saved);
            product->setStateInformation (states[which].getData(), (int) states[which].getSize());
            which ^= 1;
            // Stands in for the release pool's timer, so retired modules don't pile up.
            product->moduleFactory->releasePool.timerCallback();
            ++restores;
            std::this_thread::sleep_for (std::chrono::milliseconds (1));
        }
    });

    audio.join();
    automation.join();
    state.join();

    EXPECT_TRUE (finite.load());
    EXPECT_GE (restores.load(), 40);
    EXPECT_GT (automations.load(), 0);
    ASSERT_NE (delayModule (*product), nullptr);
}
