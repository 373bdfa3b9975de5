// Shared pieces of the run-time layer's tests: a JUCE-free effect with the
// product's parameter set, and a stand-in host with one instance context.
#pragma once

#include "aax/AAX_CEffectParameters.h"
#include "aax/AAX_CLinearTaperDelegate.h"
#include "aax/AAX_CNumberDisplayDelegate.h"
#include "aax/AAX_CParameter.h"
#include "aax/ACFEntryPoints.h"

#include "host/StandInHost.h"
#include "host/runtime/RuntimeObjects.h"

#include "tests/support/HostObjectLeakCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tarnello::test
{
using FloatParameter = AAX_CParameter<float>;
using LinearTaper = AAX_CLinearTaperDelegate<float, 0>;
using NumberDisplay = AAX_CNumberDisplayDelegate<float, 3u, 0u>;

// The bypass packet's field in the algorithm context.
constexpr AAX_CFieldIndex kBypassField = 3;

// An effect registering what the product registers: "0".."23" with defaults
// spread over the range, and, unless asked not to, "MasterBypassID" with its
// packet.
class TestEffect : public AAX_CEffectParameters
{
public:
    explicit TestEffect (int numParameters = 24, bool withBypass = true)
        : mNumParameters (numParameters), mWithBypass (withBypass) {}

    static double defaultFor (int index) { return (index % 10) / 10.0; }

    AAX_Result EffectInit() override
    {
        for (int i = 0; i < mNumParameters; ++i)
        {
            const std::string id = std::to_string (i);
            auto* parameter = new FloatParameter (id.c_str(), AAX_CString (("Param " + id).c_str()),
                                                  static_cast<float> (defaultFor (i)), LinearTaper(), NumberDisplay(),
                                                  true);
            parameter->AddShortenedName (AAX_CString (("P" + id).c_str()));
            mParameterManager.AddParameter (parameter);
        }
        if (mWithBypass)
        {
            auto* bypass = new FloatParameter (kMasterBypassID, AAX_CString ("Master Bypass"), 0.0f, LinearTaper(),
                                               NumberDisplay(), true);
            bypass->SetNumberOfSteps (2);
            bypass->SetType (AAX_eParameterType_Discrete);
            mParameterManager.AddParameter (bypass);
            mPacketDispatcher.RegisterPacket (kMasterBypassID, kBypassField);
        }
        ++effectInits;
        return initResult;
    }

    // Parameters added before (or without) Initialize, for tests of the pieces.
    void addParameter (AAX_IParameter* parameter) { mParameterManager.AddParameter (parameter); }
    AAX_CPacketDispatcher& dispatcher() { return mPacketDispatcher; }
    AAX_CChunkDataParser& parser() { return mChunkParser; }
    int32_t numChunkedParameters() const { return mNumChunkedParameters; }
    const std::set<std::string>& filtered() const { return mFilteredParameters; }

    int effectInits = 0;
    AAX_Result initResult = AAX_SUCCESS; // what EffectInit answers, after registering everything

private:
    int mNumParameters;
    bool mWithBypass;
};

// A host with its services started, as after ACFStartup, and one instance context.
class HostFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        leaks.restart();
        standIn = std::make_unique<host::StandInHost> (config);
        host::registerRuntimeComponents (*standIn);
        ASSERT_EQ (AAX::Startup (standIn->unknown()), ACF_OK);
        makeContext();
    }

    void TearDown() override
    {
        dropContext();
        AAX::Shutdown (standIn->unknown());
        standIn.reset();
        leaks.expectNothingLeft();
    }

    void makeContext()
    {
        dropContext();
        context = new host::InstanceContext (*standIn);
        context->AddRef();
    }

    void dropContext()
    {
        if (context != nullptr)
            context->Release();
        context = nullptr;
    }

    IACFUnknown* unknown() const { return context->asUnknown(); }

    std::vector<std::string> assertNotes() const
    {
        std::vector<std::string> notes;
        for (const auto& record : standIn->asserts())
            notes.push_back (record.note);
        return notes;
    }

    std::vector<std::string> traceMessages() const
    {
        std::vector<std::string> messages;
        for (const auto& record : standIn->traces())
            messages.push_back (record.message);
        return messages;
    }

    host::HostConfig config;
    std::unique_ptr<host::StandInHost> standIn;
    host::InstanceContext* context = nullptr;
    HostObjectLeakCheck leaks;
};

// A TestEffect initialised in the fixture's instance context, its automation
// delegate answering it directly.
class InitializedEffectFixture : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        context->automation().setTarget (&effect);
        ASSERT_EQ (effect.Initialize (unknown()), AAX_SUCCESS);
    }

    void TearDown() override
    {
        effect.Uninitialize();
        HostFixture::TearDown();
    }

    double value (const char* id) const
    {
        double v = -1.0;
        EXPECT_EQ (effect.GetParameterNormalizedValue (id, &v), AAX_SUCCESS) << id;
        return v;
    }

    TestEffect effect;
};

// A chunk in a buffer of exactly its size, so that a read past its data is caught.
inline std::vector<uint8_t> chunkBytes (AAX_CTypeID id, const std::vector<uint8_t>& data, int32_t declaredSize)
{
    std::vector<uint8_t> bytes (kPlugInChunkHeaderSize + data.size(), 0);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    chunk->fSize = declaredSize;
    chunk->fChunkID = id;
    if (! data.empty())
        std::memcpy (bytes.data() + kPlugInChunkHeaderSize, data.data(), data.size());
    return bytes;
}

inline std::vector<uint8_t> chunkBytes (AAX_CTypeID id, const std::vector<uint8_t>& data)
{
    return chunkBytes (id, data, static_cast<int32_t> (data.size()));
}

inline const AAX_SPlugInChunk* asChunk (const std::vector<uint8_t>& bytes)
{
    return reinterpret_cast<const AAX_SPlugInChunk*> (bytes.data());
}

// The data bytes of a chunk the effect wrote into `bytes`.
inline std::vector<uint8_t> chunkData (const std::vector<uint8_t>& bytes)
{
    const auto* chunk = asChunk (bytes);
    return std::vector<uint8_t> (bytes.begin() + kPlugInChunkHeaderSize,
                                 bytes.begin() + kPlugInChunkHeaderSize + chunk->fSize);
}
} // namespace tarnello::test
