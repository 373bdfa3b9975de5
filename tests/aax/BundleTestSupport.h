// The product's bundle loaded into the stand-in host, with instances made,
// set and played the way a host does it.
#pragma once

#include "host/runtime/PluginInstance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace tarnello::test
{
using Channels = std::vector<std::vector<float>>;

constexpr AAX_CTypeID kElckChunk = 0x656C636B;
constexpr AAX_CTypeID kJuceChunk = 0x6A756365;
constexpr AAX_EStemFormat kStereo = 0x00010002;
constexpr AAX_EStemFormat kMono = 0x00000001;
constexpr float kRate = 48000.0f;

class ProductBundle : public ::testing::Test
{
public:
    void SetUp() override
    {
        liveHostObjectsBefore = host::HostObjectBase::liveObjects();
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
        EXPECT_EQ (host::HostObjectBase::liveObjects(), liveHostObjectsBefore) << "host objects left alive";
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

    static Channels noise (int channels, size_t length, uint32_t seed = 1)
    {
        Channels signal (static_cast<size_t> (channels), std::vector<float> (length));
        for (auto& channel : signal)
            for (auto& sample : channel)
            {
                seed = seed * 1664525u + 1013904223u;
                sample = static_cast<float> (seed >> 8) / 16777216.0f - 0.5f;
            }
        return signal;
    }

    static Channels impulse (int channels, size_t at, size_t length)
    {
        Channels signal (static_cast<size_t> (channels), std::vector<float> (length, 0.0f));
        for (auto& channel : signal)
            channel[at] = 1.0f;
        return signal;
    }

    // The first sample at or after `from` that is clearly not silent, or -1.
    static long onsetOf (const std::vector<float>& channel, size_t from)
    {
        for (size_t i = from; i < channel.size(); ++i)
            if (std::abs (channel[i]) > 1e-3f)
                return static_cast<long> (i - from);
        return -1;
    }

    std::unique_ptr<host::StandInHost> standIn;
    std::unique_ptr<host::RegisteredBundle> bundle;
    std::vector<std::unique_ptr<host::PluginInstance>> instances;
    int liveHostObjectsBefore = 0;
};
} // namespace tarnello::test
