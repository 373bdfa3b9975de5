#pragma once

#include <juce_core/juce_core.h>

#include <memory>

#include "framework/ReleasePool.h"

// The processor's oversampling record. The state and the settings record the choice,
// but no engine is ever created: the module runs at the host's rate, latency 0.
struct Oversampling
{
    Oversampling();

    std::shared_ptr<void> engine32;
    std::shared_ptr<void> engine64;
    ReleasePool releasePool;
    juce::String type { "IIR" };
    int choice = 0;
};
