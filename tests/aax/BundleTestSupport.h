// The product's bundle loaded into the stand-in host, with instances made,
// set and played the way a host does it.
#pragma once

#include "host/runtime/PluginInstance.h"

#include "aax/acf/AAXStemFormats.h"

#include "tests/support/ChunkIds.h"
#include "tests/support/HostObjectLeakCheck.h"
#include "tests/support/Signals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace tarnello::test
{
using Channels = ChannelsOf<float>;

constexpr AAX_EStemFormat kStereo = AAX::kStemFormat_Stereo;
constexpr AAX_EStemFormat kMono = AAX::kStemFormat_Mono;
constexpr float kRate = 48000.0f;

class ProductBundle : public ::testing::Test
{
public:
    void SetUp() override
    {
        leaks.restart();
        standIn = std::make_unique<host::StandInHost>();
        host::registerRuntimeComponents (*standIn);
        std::string error;
        bundle = host::RegisteredBundle::open (TARNELLO_PRODUCT_BUNDLE, *standIn, error);
        ASSERT_NE (bundle, nullptr) << error;
    }

    void TearDown() override
    {
        instances.clear();
        if (bundle != nullptr)
        {
            EXPECT_EQ (bundle->shutdown(), 0) << "plug-in objects left alive";
        }
        bundle.reset();
        standIn.reset();
        leaks.expectNoHostObjectsLeft();
    }

    // A new, initialised instance; null (with a failure) when it cannot be made.
    host::PluginInstance* newInstance (AAX_EStemFormat input = kStereo, AAX_EStemFormat output = kStereo,
                                       ACFRESULT expected = ACF_OK)
    {
        const auto* component = bundle->component (input, output);
        EXPECT_NE (component, nullptr);
        if (component == nullptr)
            return nullptr;
        std::string error;
        auto instance = host::PluginInstance::create (*standIn, bundle->effect(), *component, error);
        EXPECT_NE (instance, nullptr) << error;
        if (instance == nullptr)
            return nullptr;
        EXPECT_EQ (instance->initialize (kRate), expected);
        instances.push_back (std::move (instance));
        return instances.back().get();
    }

public:
    // Sets a parameter by the name the user knows, from a text in its own units,
    // as tarnello-host does.
    static void set (host::PluginInstance& instance, const std::string& name, const std::string& text)
    {
        ASSERT_EQ (instance.setParameterFromText (name, text), "") << name << "=" << text;
    }

    // Plays the input through block by block, as tarnello-host does.
    static Channels render (host::PluginInstance& instance, const Channels& input, int blockSize = 512)
    {
        const auto length = input.empty() ? 0 : input[0].size();
        Channels output (static_cast<size_t> (instance.numOutputs()), std::vector<float> (length, 0.0f));
        std::vector<const float*> in (input.size());
        std::vector<float*> out (output.size());
        for (size_t start = 0; start < length; start += static_cast<size_t> (blockSize))
        {
            const auto n = std::min (static_cast<size_t> (blockSize), length - start);
            for (size_t ch = 0; ch < in.size(); ++ch)
                in[ch] = input[ch].data() + start;
            for (size_t ch = 0; ch < out.size(); ++ch)
                out[ch] = output[ch].data() + start;
            instance.processBlock (in.data(), out.data(), static_cast<int32_t> (n), static_cast<int64_t> (start));
        }
        return output;
    }

    // The first sample at or after `from` that is clearly not silent, or -1.
    static long onsetOf (const std::vector<float>& channel, size_t from) { return firstAbove (channel, from, 1e-3); }

    std::unique_ptr<host::StandInHost> standIn;
    std::unique_ptr<host::RegisteredBundle> bundle;
    std::vector<std::unique_ptr<host::PluginInstance>> instances;
    HostObjectLeakCheck leaks;
};
} // namespace tarnello::test
