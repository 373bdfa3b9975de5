// The effect-parameters object of the bundle: it creates the product through
// createPluginFilter and joins it to the host. It registers one host parameter
// per JUCE parameter and the master bypass, carries values both ways without
// echoing them, keeps the JUCE state as the 'juce' chunk beside 'elck', and runs
// the product's blocks from the native process callback.
#pragma once

#include "aax/AAX_CEffectParameters.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarnello::aax
{
// The algorithm context as the component declares its fields: every field is a pointer.
struct AlgorithmContext
{
    float* const* inputChannels;           // field 0
    float* const* outputChannels;          // field 1
    const int32_t* bufferLength;           // field 2
    const void* bypass;                    // field 3: the bypass packet, a 4-byte float
    class BridgeProcessor* const* instance; // field 4: set by ResetFieldData
    const int32_t* isPrepared;             // field 5: set by ResetFieldData
    void* meterTaps;                       // field 6: placeholder
    void* sideChain;                       // field 7: placeholder
};

class BridgeProcessor : public AAX_CEffectParameters,
                        public juce::AudioPlayHead,
                        private juce::AudioProcessorListener
{
public:
    static constexpr AAX_CTypeID kStateChunkID = 0x6A756365; // 'juce'
    static constexpr AAX_Result kNoChunkPrepared = 20700;
    static constexpr int kMaxBlockSize = 1024;
    static constexpr int kMaxParameterSteps = 2048;

    explicit BridgeProcessor (std::unique_ptr<juce::AudioProcessor> processor);
    ~BridgeProcessor() override;

    // The product through createPluginFilter; null when it cannot be made.
    static BridgeProcessor* Create();

    juce::AudioProcessor& getPluginInstance() const noexcept { return *mProcessor; }

    // The native process procedure of every component.
    static void ProcessCallback (void* const instancesBegin[], const void* instancesEnd);

    // AAX_CEffectParameters
    AAX_Result Uninitialize() override;
    AAX_Result EffectInit() override;
    AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override;
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID id, int32_t* outSteps) const override;
    AAX_Result GetParameterName (AAX_CParamID id, AAX_IString* outName) const override;
    AAX_Result GetParameterNameOfLength (AAX_CParamID id, AAX_IString* outName, int32_t length) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID id, double* outValue) const override;
    AAX_Result GetParameterValueFromString (AAX_CParamID id, double* outValue, const AAX_IString& text) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* outText,
                                            int32_t maxLength) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID id, double* outValue) const override;
    AAX_Result SetParameterNormalizedValue (AAX_CParamID id, double value) override;
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID id, double delta) override;
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source) override;
    AAX_Result ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t dataSize) const override;
    AAX_Result GetNumberOfChunks (int32_t* outCount) const override;
    AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* outChunkID) const override;
    AAX_Result GetChunkSize (AAX_CTypeID chunkID, uint32_t* outSize) const override;
    AAX_Result GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* outChunk) const override;
    AAX_Result SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;
    AAX_Result GetNumberOfChanges (int32_t* outChanges) const override;

    // juce::AudioPlayHead: the host's transport.
    juce::Optional<PositionInfo> getPosition() const override;

private:
    // juce::AudioProcessorListener
    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override;
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex) override;

    AAX_Result PreparePlugin();
    void AddAudioProcessorParameters();
    void SyncParameterAttributes (AAX_IParameter& aaxParameter, const juce::AudioProcessorParameter& parameter);
    juce::AudioProcessorParameter* FindParameter (AAX_CParamID id) const;
    AAX_CParamID IDForIndex (int parameterIndex) const;
    // A host value reaching the JUCE parameter, without coming back as a change of the plug-in's own.
    void SetJuceParameter (AAX_CParamID id, double position);
    void Process (float* const* inputs, float* const* outputs, int numSamples, bool bypassed, bool prepared);

    const juce::ScopedJuceInitialiser_GUI mLibraryInitialiser;
    std::unique_ptr<juce::AudioProcessor> mProcessor;
    std::unique_ptr<juce::AudioProcessorParameter> mOwnedBypassParameter;

    // Written while the effect initialises, read from any thread afterwards.
    std::vector<std::string> mParameterIDs;                               // by JUCE index; the bypass last
    std::map<std::string, juce::AudioProcessorParameter*> mParametersByID;

    double mSampleRate = 0.0;
    std::atomic<bool> mIsPrepared { false };
    std::atomic<int32_t> mNumSetDirtyCalls { 0 };

    // The audio thread's own storage, sized while preparing.
    std::vector<float*> mChannels;
    std::vector<float*> mSliceChannels;
    juce::MidiBuffer mMidi;

    // The 'juce' state between a size query and the read that follows it, per
    // calling thread of this instance.
    mutable std::mutex mChunkLock;
    mutable std::map<std::thread::id, juce::MemoryBlock> mPreparedChunks;
};
} // namespace tarnello::aax
