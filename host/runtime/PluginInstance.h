// Drives a loaded bundle the way a host does: registers it, creates effect
// instances through the procedure pointers it registered, initialises them,
// fills their algorithm context and calls their process procedure.
#pragma once

#include "host/runtime/RuntimeObjects.h"

#include "host/BundleLoader.h"
#include "host/StandInHost.h"

#include <memory>
#include <string>
#include <vector>

namespace tarnello::host
{
// The host's own string, for the names and texts the plug-in hands over.
class HostString : public AAX_IString
{
public:
    HostString() = default;
    explicit HostString (std::string text) : mText (std::move (text)) {}

    uint32_t Length() const override { return static_cast<uint32_t> (mText.size()); }
    uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
    const char* Get() const override { return mText.c_str(); }
    void Set (const char* text) override { mText = text != nullptr ? text : ""; }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* text) override
    {
        Set (text);
        return *this;
    }

    const std::string& str() const noexcept { return mText; }

private:
    std::string mText;
};

// A bundle started and registered with a host, shut down when dropped.
class RegisteredBundle
{
public:
    static std::unique_ptr<RegisteredBundle> open (const std::string& path, StandInHost& host, std::string& error);
    ~RegisteredBundle();

    RegisteredBundle (const RegisteredBundle&) = delete;
    RegisteredBundle& operator= (const RegisteredBundle&) = delete;

    const EffectRecord& effect() const noexcept { return mCollection->effects.front(); }
    // The component registered for these main formats, or null.
    const ComponentRecord* component (AAX_EStemFormat input, AAX_EStemFormat output) const;
    Bundle& bundle() const noexcept { return *mBundle; }
    StandInHost& host() const noexcept { return mHost; }

    // Shuts the bundle down now; what ACFCanUnloadNow answers afterwards.
    ACFRESULT shutdown();

private:
    RegisteredBundle (std::unique_ptr<Bundle> bundle, StandInHost& host) : mBundle (std::move (bundle)), mHost (host) {}

    std::unique_ptr<Bundle> mBundle;
    StandInHost& mHost;
    std::shared_ptr<CollectionRecord> mCollection;
    bool mShutDown = false;
};

class PluginInstance
{
public:
    // Null when the effect's procedure 0 gives no effect-parameters object.
    static std::unique_ptr<PluginInstance> create (StandInHost& host, const EffectRecord& effect,
                                                   const ComponentRecord& component, std::string& error);
    ~PluginInstance();

    PluginInstance (const PluginInstance&) = delete;
    PluginInstance& operator= (const PluginInstance&) = delete;

    // Tells the controller the rate and the component's formats, initialises the
    // effect and resets its private context fields.
    ACFRESULT initialize (float sampleRate);

    StandInHost& host() const noexcept { return mHost; }
    AAX_IACFEffectParameters_V4& effect() const noexcept { return *mEffect; }
    InstanceContext& context() const noexcept { return *mContext; }
    int numInputs() const noexcept { return mNumInputs; }
    int numOutputs() const noexcept { return mNumOutputs; }

    // One block as the host runs it: the play position moves to `samplePosition`,
    // the effect makes its packets, then the process procedure runs. `inputs` and
    // `outputs` hold the component's channel counts; in place is allowed. The tempo
    // and the play state are what the transport holds; the bypass field carries
    // what was last posted to it.
    void processBlock (const float* const* inputs, float* const* outputs, int32_t numSamples, int64_t samplePosition);
    // One block of a single silent sample at the current play position, its output
    // dropped. A host's engine runs from the moment an instance exists, so the
    // plug-in has read the transport, its tempo above all, before anything is set;
    // a renderer calls this after setting the transport and before the parameters.
    void runSilentBlock();
    // The bypass field's content as the host delivers it, overriding what was posted.
    void overrideField (AAX_CFieldIndex field, const void* data, size_t size);

    // Parameters as the host lists them: identifier and full name.
    std::vector<std::pair<std::string, std::string>> parameters() const;
    // The identifier of the parameter the user calls `name`: its full host name,
    // or that name without the leading "N. " number; empty when none matches.
    std::string findParameter (const std::string& name) const;
    std::string parameterText (const std::string& id, double position, int32_t maxLength = 64) const;
    // A choice's texts in order, as the host shows them along its range.
    std::vector<std::string> choiceTexts (const std::string& id) const;
    // Sets the parameter the user calls `name` from a value in its own units (the
    // unit may be left out) or, for a choice, one of its texts or its index. The
    // plug-in reads the text; the value must also lie in the range the parameter
    // shows. Empty on success, otherwise a message for the user; nothing is set then.
    std::string setParameterFromText (const std::string& name, const std::string& text);
    double parameterValue (const std::string& id) const;

    // A chunk as the host saves it: size first, then the chunk; the data alone.
    std::vector<uint8_t> getChunk (AAX_CTypeID chunkID, ACFRESULT& result) const;
    ACFRESULT setChunk (AAX_CTypeID chunkID, const std::vector<uint8_t>& data);

private:
    PluginInstance (StandInHost& host, const ComponentRecord& component);

    // The steps of a block: the effect's packets, then the process procedure.
    ACFRESULT generateCoefficients();
    void process (const float* const* inputs, float* const* outputs, int32_t numSamples);

    struct Field
    {
        std::string kind;
        std::vector<uint64_t> storage; // 8-byte aligned
        size_t size = 0;
    };

    StandInHost& mHost;
    const ComponentRecord& mComponent;
    AAX_CProcessProc mProcess = nullptr;
    AAX_EStemFormat mInputFormat = 0;
    AAX_EStemFormat mOutputFormat = 0;
    int mNumInputs = 0;
    int mNumOutputs = 0;
    AAX_IACFEffectParameters_V4* mEffect = nullptr;
    InstanceContext* mContext = nullptr;
    bool mInitialized = false;

    std::vector<Field> mFields;
    std::vector<void*> mContextSlots;
    std::vector<float*> mInputPointers;
    std::vector<float*> mOutputPointers;
    int32_t mBufferLength = 0;
    float mSampleRate = 48000.0f;
    std::vector<std::pair<AAX_CFieldIndex, std::vector<uint8_t>>> mOverrides;
};
} // namespace tarnello::host
