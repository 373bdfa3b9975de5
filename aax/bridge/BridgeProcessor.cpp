#include "aax/bridge/BridgeProcessor.h"

#include "aax/bridge/EffectDescription.h"
#include "aax/bridge/StemFormats.h"

#include "aax/AAX_CLinearTaperDelegate.h"
#include "aax/AAX_CNumberDisplayDelegate.h"
#include "aax/AAX_CParameter.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace tarnello::aax
{
namespace
{
constexpr AAX_CFieldIndex kBypassField = 3;
constexpr AAX_CFieldIndex kInstanceField = 4;
constexpr AAX_CFieldIndex kPreparedField = 5;
constexpr AAX_CFieldIndex kMeterTapField = 6;
constexpr int kMaxNameLength = 31;
constexpr int kShortNameLength = 4;
constexpr double kTicksPerQuarter = 960000.0;

// Every position that reaches the processor or the host lies in 0..1; a NaN is 0.
double toPosition (double value) noexcept
{
    if (std::isnan (value))
        return 0.0;
    return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
}

// Names are cut here: the processor's parameters may give more than they are asked for.
juce::String cutTo (const juce::String& text, int length)
{
    return length <= 0 ? juce::String() : text.substring (0, length);
}

uint32_t cappedSteps (int steps) noexcept
{
    return static_cast<uint32_t> (juce::jlimit (1, BridgeProcessor::kMaxParameterSteps, steps));
}

// The parameter whose change is being pushed into the processor on this thread,
// so that its own change notification does not go back to the host.
struct PushInProgress
{
    const BridgeProcessor* owner = nullptr;
    int index = -1;
};
thread_local PushInProgress tPush;

class ScopedPush
{
public:
    ScopedPush (const BridgeProcessor* owner, int index) : mPrevious (tPush) { tPush = { owner, index }; }
    ~ScopedPush() { tPush = mPrevious; }
    ScopedPush (const ScopedPush&) = delete;
    ScopedPush& operator= (const ScopedPush&) = delete;

private:
    PushInProgress mPrevious;
};

class ScopedWrapperType
{
public:
    ScopedWrapperType() { juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_AAX); }
    ~ScopedWrapperType() { juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined); }
    ScopedWrapperType (const ScopedWrapperType&) = delete;
    ScopedWrapperType& operator= (const ScopedWrapperType&) = delete;
};
} // namespace

//==============================================================================
BridgeProcessor::BridgeProcessor (std::unique_ptr<juce::AudioProcessor> processor) : mProcessor (std::move (processor))
{
    mProcessor->setPlayHead (this);
    mProcessor->addListener (this);
}

BridgeProcessor::~BridgeProcessor()
{
    mProcessor->removeListener (this);
    mProcessor->setPlayHead (nullptr);
    if (mIsPrepared.exchange (false))
        mProcessor->releaseResources();
}

BridgeProcessor* BridgeProcessor::Create()
{
    const juce::ScopedJuceInitialiser_GUI libraryInitialiser;
    std::unique_ptr<juce::AudioProcessor> processor;
    try
    {
        const ScopedWrapperType wrapperType;
        processor.reset (createPluginFilter());
    }
    catch (...)
    {
        return nullptr;
    }
    if (processor == nullptr)
        return nullptr;
    return new BridgeProcessor (std::move (processor));
}

//==============================================================================
AAX_Result BridgeProcessor::Uninitialize()
{
    mParametersByID.clear();
    mParameterIDs.clear();
    if (mIsPrepared.exchange (false))
        mProcessor->releaseResources();
    return AAX_CEffectParameters::Uninitialize();
}

AAX_Result BridgeProcessor::EffectInit()
{
    AAX_CSampleRate sampleRate = 0.0f;
    if (const AAX_Result result = Controller()->GetSampleRate (&sampleRate); result != AAX_SUCCESS)
        return result;
    if (! (sampleRate > 0.0f))
        return AAX_ERROR_INVALID_ARGUMENT;
    mSampleRate = sampleRate;

    if (const AAX_Result result = PreparePlugin(); result != AAX_SUCCESS)
        return result;

    AddAudioProcessorParameters();
    return AAX_SUCCESS;
}

AAX_Result BridgeProcessor::PreparePlugin()
{
    auto* controller = Controller();
    if (controller == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    AAX_EStemFormat inputFormat = AAX::kStemFormat_None;
    AAX_EStemFormat outputFormat = AAX::kStemFormat_None;
    if (const AAX_Result result = controller->GetInputStemFormat (&inputFormat); result != AAX_SUCCESS)
        return result;
    if (const AAX_Result result = controller->GetOutputStemFormat (&outputFormat); result != AAX_SUCCESS)
        return result;

    auto& processor = getPluginInstance();
    auto layout = processor.getBusesLayout();
    if (processor.getBusCount (true) > 0)
        layout.inputBuses.getReference (0) = ChannelSetForStemFormat (inputFormat);
    if (processor.getBusCount (false) > 0)
        layout.outputBuses.getReference (0) = ChannelSetForStemFormat (outputFormat);

    const bool layoutChanged = layout != processor.getBusesLayout();
    if (! processor.checkBusesLayoutSupported (layout) || (layoutChanged && ! processor.setBusesLayout (layout)))
    {
        if (mIsPrepared.exchange (false))
            processor.releaseResources();
        return AAX_ERROR_UNIMPLEMENTED;
    }

    if (layoutChanged || ! mIsPrepared.load())
    {
        if (mIsPrepared.exchange (false))
            processor.releaseResources();
        processor.setRateAndBufferSizeDetails (mSampleRate, kMaxBlockSize);
        processor.prepareToPlay (mSampleRate, kMaxBlockSize);
        const auto channels = static_cast<size_t> (juce::jmax (processor.getTotalNumInputChannels(),
                                                               processor.getTotalNumOutputChannels()));
        mChannels.assign (channels, nullptr);
        mSliceChannels.assign (channels, nullptr);
        mMidi.ensureSize (2048);
        mMidi.clear();
    }

    controller->SetSignalLatency (processor.getLatencySamples());
    mIsPrepared.store (true);
    return AAX_SUCCESS;
}

void BridgeProcessor::AddAudioProcessorParameters()
{
    mParameterIDs.clear();
    mParametersByID.clear();

    std::vector<juce::AudioProcessorParameter*> parameters;
    for (auto* parameter : getPluginInstance().getParameters())
        parameters.push_back (parameter);
    if (mOwnedBypassParameter == nullptr)
        mOwnedBypassParameter = std::make_unique<juce::AudioParameterBool> (juce::ParameterID (kMasterBypassID, 1),
                                                                            "Master Bypass", false);
    parameters.push_back (mOwnedBypassParameter.get());

    for (size_t index = 0; index < parameters.size(); ++index)
    {
        auto* parameter = parameters[index];
        const bool isBypass = parameter == mOwnedBypassParameter.get();
        juce::String id = isBypass ? juce::String (kMasterBypassID) : juce::String (static_cast<int> (index));
        if (auto* withID = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter); withID != nullptr && ! isBypass)
            if (withID->paramID.isNotEmpty())
                id = withID->paramID;

        auto* aaxParameter = new AAX_CParameter<float> (
            id.toRawUTF8(), AAX_CString (cutTo (parameter->getName (kMaxNameLength), kMaxNameLength).toRawUTF8()),
            static_cast<float> (toPosition (parameter->getDefaultValue())), AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
            AAX_CNumberDisplayDelegate<float, 3u, 0u>(), parameter->isAutomatable());
        aaxParameter->AddShortenedName (
            AAX_CString (cutTo (parameter->getName (kShortNameLength), kShortNameLength).toRawUTF8()));
        aaxParameter->SetNumberOfSteps (cappedSteps (parameter->getNumSteps()));
        aaxParameter->SetType (parameter->isDiscrete() ? AAX_eParameterType_Discrete : AAX_eParameterType_Continuous);
        aaxParameter->SetOrientation (parameter->isOrientationInverted() ? AAX_eParameterOrientation_Inverted
                                                                         : AAX_eParameterOrientation_Default);

        const std::string key = aaxParameter->Identifier();
        // Kept by JUCE index; an id the host already knows gives the parameter no host face.
        const bool added = mParameterManager.AddParameter (aaxParameter);
        mParameterIDs.push_back (added ? key : std::string());
        if (! added)
            continue;
        // The host starts from what the processor holds, which may be a stored default state.
        mParameterManager.GetParameterByID (key.c_str())->UpdateNormalizedValue (toPosition (parameter->getValue()));

        mParametersByID.emplace (key, parameter);
        if (isBypass)
            mPacketDispatcher.RegisterPacket (kMasterBypassID, kBypassField);
    }
}

void BridgeProcessor::SyncParameterAttributes (AAX_IParameter& aaxParameter, const juce::AudioProcessorParameter& parameter)
{
    const auto name = cutTo (parameter.getName (kMaxNameLength), kMaxNameLength);
    if (aaxParameter.Name().StdString() != name.toStdString())
        aaxParameter.SetName (AAX_CString (name.toRawUTF8()));

    const AAX_EParameterType type = parameter.isDiscrete() ? AAX_eParameterType_Discrete : AAX_eParameterType_Continuous;
    if (aaxParameter.GetType() != type)
        aaxParameter.SetType (type);

    // The same cap as at registration: a rebound parameter may report far more steps.
    const uint32_t steps = cappedSteps (parameter.getNumSteps());
    if (aaxParameter.GetNumberOfSteps() != steps)
        aaxParameter.SetNumberOfSteps (steps);

    const double defaultValue = toPosition (parameter.getDefaultValue());
    if (! juce::approximatelyEqual (static_cast<float> (aaxParameter.GetNormalizedDefaultValue()),
                                    static_cast<float> (defaultValue)))
        aaxParameter.SetNormalizedDefaultValue (defaultValue);
}

juce::AudioProcessorParameter* BridgeProcessor::FindParameter (AAX_CParamID id) const
{
    if (id == nullptr)
        return nullptr;
    const auto found = mParametersByID.find (id);
    return found != mParametersByID.end() ? found->second : nullptr;
}

AAX_CParamID BridgeProcessor::IDForIndex (int parameterIndex) const
{
    if (parameterIndex < 0 || static_cast<size_t> (parameterIndex) >= mParameterIDs.size()
        || mParameterIDs[static_cast<size_t> (parameterIndex)].empty())
        return nullptr;
    return mParameterIDs[static_cast<size_t> (parameterIndex)].c_str();
}

void BridgeProcessor::SetJuceParameter (AAX_CParamID id, double position)
{
    auto* parameter = FindParameter (id);
    if (parameter == nullptr)
        return;
    const auto value = static_cast<float> (toPosition (position));
    if (value == parameter->getValue())
        return;

    const ScopedPush push (this, parameter->getParameterIndex());
    parameter->setValue (value);
    parameter->sendValueChangedMessageToListeners (value);
}

//==============================================================================
void BridgeProcessor::audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue)
{
    if (tPush.owner == this && tPush.index == parameterIndex)
        return;
    if (auto* aaxParameter = mParameterManager.GetParameterByID (IDForIndex (parameterIndex)))
        aaxParameter->SetValueWithFloat (static_cast<float> (toPosition (newValue)));
}

void BridgeProcessor::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex)
{
    if (auto* id = IDForIndex (parameterIndex))
        TouchParameter (id);
}

void BridgeProcessor::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex)
{
    if (auto* id = IDForIndex (parameterIndex))
        ReleaseParameter (id);
}

void BridgeProcessor::audioProcessorChanged (juce::AudioProcessor* processor, const ChangeDetails& details)
{
    mNumPlugInChanges.fetch_add (1, std::memory_order_relaxed);

    if (details.parameterInfoChanged)
        for (const auto& [id, parameter] : mParametersByID)
            if (auto* aaxParameter = mParameterManager.GetParameterByID (id.c_str()))
                SyncParameterAttributes (*aaxParameter, *parameter);

    if (details.latencyChanged && Controller() != nullptr)
        Controller()->SetSignalLatency (processor->getLatencySamples());

    if (details.nonParameterStateChanged)
        mNumSetDirtyCalls.fetch_add (1, std::memory_order_relaxed);
}

//==============================================================================
AAX_Result BridgeProcessor::NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size)
{
    return AAX_CEffectParameters::NotificationReceived (type, data, size);
}

AAX_Result BridgeProcessor::GetParameterNumberOfSteps (AAX_CParamID id, int32_t* outSteps) const
{
    if (const auto* parameter = FindParameter (id))
    {
        if (outSteps == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;
        *outSteps = static_cast<int32_t> (cappedSteps (parameter->getNumSteps()));
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterNumberOfSteps (id, outSteps);
}

AAX_Result BridgeProcessor::GetParameterName (AAX_CParamID id, AAX_IString* outName) const
{
    if (const auto* parameter = FindParameter (id))
    {
        if (outName == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;
        outName->Set (cutTo (parameter->getName (kMaxNameLength), kMaxNameLength).toRawUTF8());
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterName (id, outName);
}

AAX_Result BridgeProcessor::GetParameterNameOfLength (AAX_CParamID id, AAX_IString* outName, int32_t length) const
{
    if (const auto* parameter = FindParameter (id))
    {
        if (outName == nullptr)
            return AAX_ERROR_INVALID_STRING_CONVERSION;
        outName->Set (cutTo (parameter->getName (length), length).toRawUTF8());
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterNameOfLength (id, outName, length);
}

AAX_Result BridgeProcessor::GetParameterDefaultNormalizedValue (AAX_CParamID id, double* outValue) const
{
    if (const auto* parameter = FindParameter (id))
    {
        if (outValue == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;
        *outValue = toPosition (parameter->getDefaultValue());
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterDefaultNormalizedValue (id, outValue);
}

AAX_Result BridgeProcessor::GetParameterValueFromString (AAX_CParamID id, double* outValue,
                                                         const AAX_IString& text) const
{
    if (const auto* parameter = FindParameter (id))
    {
        // JUCE's text classes trust their UTF-8 and read past the end of a broken sequence.
        const char* utf8 = text.Get();
        const auto length = text.Length();
        if (utf8 == nullptr || length > static_cast<uint32_t> (std::numeric_limits<int>::max())
            || ! juce::CharPointer_UTF8::isValidString (utf8, static_cast<int> (length)))
            return AAX_ERROR_INVALID_STRING_CONVERSION;
        const float value = parameter->getValueForText (juce::String::fromUTF8 (utf8, static_cast<int> (length)));
        if (outValue == nullptr || ! std::isfinite (value))
            return AAX_ERROR_INVALID_STRING_CONVERSION;
        *outValue = toPosition (value);
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterValueFromString (id, outValue, text);
}

AAX_Result BridgeProcessor::GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* outText,
                                                         int32_t maxLength) const
{
    if (const auto* parameter = FindParameter (id))
    {
        if (outText == nullptr)
            return AAX_ERROR_INVALID_STRING_CONVERSION;
        const auto text = parameter->getText (static_cast<float> (toPosition (value)), maxLength);
        outText->Set (cutTo (text, maxLength).toRawUTF8());
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterStringFromValue (id, value, outText, maxLength);
}

AAX_Result BridgeProcessor::GetParameterNormalizedValue (AAX_CParamID id, double* outValue) const
{
    if (const auto* parameter = FindParameter (id))
    {
        if (outValue == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;
        *outValue = toPosition (parameter->getValue());
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterNormalizedValue (id, outValue);
}

AAX_Result BridgeProcessor::SetParameterNormalizedValue (AAX_CParamID id, double value)
{
    auto* aaxParameter = mParameterManager.GetParameterByID (id);
    if (aaxParameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    const double position = toPosition (value);
    aaxParameter->SetValueWithFloat (static_cast<float> (position));
    MarkPacketsDirtyWithoutHost (id);
    SetJuceParameter (id, position);
    return AAX_SUCCESS;
}

AAX_Result BridgeProcessor::SetParameterNormalizedRelative (AAX_CParamID id, double delta)
{
    double value = 0.0;
    if (const AAX_Result result = GetParameterNormalizedValue (id, &value); result != AAX_SUCCESS)
        return result;
    return SetParameterNormalizedValue (id, toPosition (value + delta));
}

AAX_Result BridgeProcessor::UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source)
{
    const AAX_Result result = AAX_CEffectParameters::UpdateParameterNormalizedValue (id, value, source);
    if (result == AAX_SUCCESS)
        if (const auto* aaxParameter = mParameterManager.GetParameterByID (id))
            SetJuceParameter (id, aaxParameter->GetNormalizedValue());
    return result;
}

//==============================================================================
AAX_Result BridgeProcessor::ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t dataSize) const
{
    if (data == nullptr)
        return dataSize == 0 ? AAX_SUCCESS : AAX_ERROR_NULL_ARGUMENT;

    switch (field)
    {
        case kInstanceField:
        {
            if (dataSize < sizeof (BridgeProcessor*))
                return AAX_ERROR_INVALID_ARGUMENT;
            std::memset (data, 0, dataSize);
            auto* self = const_cast<BridgeProcessor*> (this);
            std::memcpy (data, &self, sizeof (self));
            return AAX_SUCCESS;
        }
        case kPreparedField:
        {
            if (dataSize < sizeof (int32_t))
                return AAX_ERROR_INVALID_ARGUMENT;
            const int32_t prepared = const_cast<BridgeProcessor*> (this)->PreparePlugin() == AAX_SUCCESS ? 1 : 0;
            std::memset (data, 0, dataSize);
            for (uint32_t offset = 0; offset + sizeof (int32_t) <= dataSize; offset += sizeof (int32_t))
                std::memcpy (static_cast<uint8_t*> (data) + offset, &prepared, sizeof (prepared));
            return AAX_SUCCESS;
        }
        case kMeterTapField: // no meters: null tap pointers
        default:
            return AAX_CEffectParameters::ResetFieldData (field, data, dataSize);
    }
}

//==============================================================================
AAX_Result BridgeProcessor::GetNumberOfChunks (int32_t* outCount) const
{
    const AAX_Result result = AAX_CEffectParameters::GetNumberOfChunks (outCount);
    if (result == AAX_SUCCESS)
        *outCount += 1;
    return result;
}

AAX_Result BridgeProcessor::GetChunkIDFromIndex (int32_t index, AAX_CTypeID* outChunkID) const
{
    int32_t ownChunks = 0;
    AAX_CEffectParameters::GetNumberOfChunks (&ownChunks);
    if (index != ownChunks)
        return AAX_CEffectParameters::GetChunkIDFromIndex (index, outChunkID);
    if (outChunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outChunkID = kStateChunkID;
    return AAX_SUCCESS;
}

AAX_Result BridgeProcessor::GetChunkSize (AAX_CTypeID chunkID, uint32_t* outSize) const
{
    if (chunkID != kStateChunkID)
        return AAX_CEffectParameters::GetChunkSize (chunkID, outSize);
    if (outSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    juce::MemoryBlock state;
    getPluginInstance().getStateInformation (state);
    if (state.getSize() > static_cast<size_t> (std::numeric_limits<int32_t>::max()))
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    *outSize = static_cast<uint32_t> (state.getSize());
    const std::lock_guard<std::mutex> lock (mChunkLock);
    mPreparedChunks[std::this_thread::get_id()] = std::move (state);
    return AAX_SUCCESS;
}

AAX_Result BridgeProcessor::GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* outChunk) const
{
    if (chunkID != kStateChunkID)
        return AAX_CEffectParameters::GetChunk (chunkID, outChunk);
    if (outChunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    juce::MemoryBlock state;
    {
        const std::lock_guard<std::mutex> lock (mChunkLock);
        const auto prepared = mPreparedChunks.find (std::this_thread::get_id());
        if (prepared == mPreparedChunks.end())
            return kNoChunkPrepared;
        state = std::move (prepared->second);
        mPreparedChunks.erase (prepared);
    }
    outChunk->fSize = static_cast<int32_t> (state.getSize());
    state.copyTo (outChunk->fData, 0, state.getSize());
    return AAX_SUCCESS;
}

AAX_Result BridgeProcessor::SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (chunkID != kStateChunkID)
    {
        const AAX_Result result = AAX_CEffectParameters::SetChunk (chunkID, chunk);
        // Without a host to answer, the values were taken at once and go straight on to the processor.
        if (result == AAX_SUCCESS && ParameterAutomationDelegate() == nullptr)
            for (const auto& [id, parameter] : mParametersByID)
                if (const auto* aaxParameter = mParameterManager.GetParameterByID (id.c_str()))
                    SetJuceParameter (id.c_str(), aaxParameter->GetNormalizedValue());
        return result;
    }

    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (chunk->fSize < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    getPluginInstance().setStateInformation (chunk->fData, chunk->fSize);

    // The host learns every restored value; the bypass is the host's own.
    for (const auto& [id, parameter] : mParametersByID)
        if (parameter != mOwnedBypassParameter.get())
            if (auto* aaxParameter = mParameterManager.GetParameterByID (id.c_str()))
                aaxParameter->SetValueWithFloat (static_cast<float> (toPosition (parameter->getValue())));
    return AAX_SUCCESS;
}

AAX_Result BridgeProcessor::GetNumberOfChanges (int32_t* outChanges) const
{
    const AAX_Result result = AAX_CEffectParameters::GetNumberOfChanges (outChanges);
    if (result == AAX_SUCCESS)
        *outChanges += mNumSetDirtyCalls.load (std::memory_order_relaxed);
    return result;
}

//==============================================================================
juce::Optional<juce::AudioPlayHead::PositionInfo> BridgeProcessor::getPosition() const
{
    PositionInfo info;
    const auto* transport = Transport();
    if (transport == nullptr)
        return info;

    double bpm = 0.0;
    // A tempo of 0 has a meaning of its own to the module; only an unusable one is left out.
    if (transport->GetCurrentTempo (&bpm) == AAX_SUCCESS && std::isfinite (bpm) && bpm >= 0.0)
        info.setBpm (bpm);

    int32_t numerator = 4, denominator = 4;
    if (transport->GetCurrentMeter (&numerator, &denominator) == AAX_SUCCESS && numerator > 0 && denominator > 0)
        info.setTimeSignature (TimeSignature { numerator, denominator });

    bool playing = false;
    info.setIsPlaying (transport->IsTransportPlaying (&playing) == AAX_SUCCESS && playing);

    int64_t samples = 0;
    const bool hasSamples = (! info.getIsPlaying() && transport->GetTimelineSelectionStartPosition (&samples) == AAX_SUCCESS)
                         || transport->GetCurrentNativeSampleLocation (&samples) == AAX_SUCCESS;
    if (hasSamples)
    {
        info.setTimeInSamples (samples);
        if (mSampleRate > 0.0)
            info.setTimeInSeconds (static_cast<double> (samples) / mSampleRate);
    }

    int64_t ticks = 0;
    const bool hasTicks = (info.getIsPlaying() && transport->GetCustomTickPosition (&ticks, samples) == AAX_SUCCESS)
                       || transport->GetCurrentTickPosition (&ticks) == AAX_SUCCESS;
    if (hasTicks)
        info.setPpqPosition (static_cast<double> (ticks) / kTicksPerQuarter);

    bool looping = false;
    int64_t loopStart = 0, loopEnd = 0;
    if (transport->GetCurrentLoopPosition (&looping, &loopStart, &loopEnd) == AAX_SUCCESS)
    {
        info.setIsLooping (looping);
        info.setLoopPoints (LoopPoints { static_cast<double> (loopStart) / kTicksPerQuarter,
                                         static_cast<double> (loopEnd) / kTicksPerQuarter });
    }
    return info;
}

//==============================================================================
void BridgeProcessor::ProcessCallback (void* const instancesBegin[], const void* instancesEnd)
{
    if (instancesBegin == nullptr)
        return;
    const auto* end = static_cast<void* const*> (instancesEnd);
    for (auto* it = instancesBegin; it < end; ++it)
    {
        const auto* context = static_cast<const AlgorithmContext*> (*it);
        if (context == nullptr || context->instance == nullptr || *context->instance == nullptr)
            continue;
        if (context->bufferLength == nullptr || *context->bufferLength <= 0)
            continue;
        if (context->inputChannels == nullptr || context->outputChannels == nullptr)
            continue;

        // The packet is a float: only 0.5 and above bypass, so -0.0 and NaN do not.
        bool bypassed = false;
        if (context->bypass != nullptr)
        {
            float value = 0.0f;
            std::memcpy (&value, context->bypass, sizeof (value));
            bypassed = value >= 0.5f;
        }
        const bool prepared = context->isPrepared != nullptr && *context->isPrepared != 0;

        (*context->instance)->Process (context->inputChannels, context->outputChannels, *context->bufferLength,
                                       bypassed, prepared);
    }
}

void BridgeProcessor::Process (float* const* inputs, float* const* outputs, int numSamples, bool bypassed,
                               bool prepared)
{
    auto& processor = getPluginInstance();
    const int numIns = processor.getTotalNumInputChannels();
    const int numOuts = processor.getTotalNumOutputChannels();
    const int numChans = juce::jmax (numIns, numOuts);
    if (numChans == 0 || static_cast<size_t> (numChans) > mChannels.size())
        return;
    for (int ch = 0; ch < numIns; ++ch)
        if (inputs[ch] == nullptr)
            return;
    for (int ch = 0; ch < numOuts; ++ch)
        if (outputs[ch] == nullptr)
            return;

    // The processor works in place on the outputs, which start as the inputs.
    const auto bytes = static_cast<size_t> (numSamples) * sizeof (float);
    for (int ch = 0; ch < numOuts; ++ch)
    {
        mChannels[static_cast<size_t> (ch)] = outputs[ch];
        if (ch < numIns)
        {
            if (outputs[ch] != inputs[ch])
                std::memcpy (outputs[ch], inputs[ch], bytes);
        }
        else
        {
            std::memset (outputs[ch], 0, bytes);
        }
    }
    for (int ch = numOuts; ch < numIns; ++ch)
        mChannels[static_cast<size_t> (ch)] = inputs[ch];

    if (! prepared || ! mIsPrepared.load (std::memory_order_relaxed))
        return;

    for (int start = 0; start < numSamples; start += kMaxBlockSize)
    {
        const int length = juce::jmin (kMaxBlockSize, numSamples - start);
        for (int ch = 0; ch < numChans; ++ch)
            mSliceChannels[static_cast<size_t> (ch)] = mChannels[static_cast<size_t> (ch)] + start;
        juce::AudioBuffer<float> buffer (mSliceChannels.data(), numChans, length);
        mMidi.clear();
        if (bypassed)
            processor.processBlockBypassed (buffer, mMidi);
        else
            processor.processBlock (buffer, mMidi);
    }
}
} // namespace tarnello::aax
