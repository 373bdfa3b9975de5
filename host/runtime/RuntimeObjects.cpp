#include "host/runtime/RuntimeObjects.h"

#include "host/StandInHost.h"

#include "aax/acf/AAXIDs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace tarnello::host
{
namespace
{
std::string textOf (const char* text)
{
    return text != nullptr ? std::string (text) : std::string();
}

bool isController (const acfIID& iid)
{
    return iid == IID_IAAXControllerV1 || iid == IID_IAAXControllerV2 || iid == IID_IAAXControllerV3
        || iid == IID_IAAXPageTableController || iid == IID_IAAXPageTableControllerV2;
}

bool isTransport (const acfIID& iid)
{
    return iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2 || iid == IID_IAAXTransportV3;
}
} // namespace

//==============================================================================
void* HostController::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXControllerV1 || iid == IID_IAAXControllerV2 || iid == IID_IAAXControllerV3)
        return static_cast<IAAXControllerV3*> (this);
    if (iid == IID_IAAXPageTableController)
        return static_cast<IAAXPageTableController*> (this);
    if (iid == IID_IAAXPageTableControllerV2)
        return static_cast<IAAXPageTableControllerV2*> (this);
    return nullptr;
}

void HostController::setStemFormats (AAX_EStemFormat input, AAX_EStemFormat output) noexcept
{
    mInputFormat.store (input);
    mOutputFormat.store (output);
}

std::vector<PostedPacket> HostController::packets() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mPackets;
}

std::vector<uint8_t> HostController::latestPacket (AAX_CFieldIndex field) const
{
    const std::lock_guard<std::mutex> lock (mLock);
    const auto found = mLatest.find (field);
    return found != mLatest.end() ? found->second : std::vector<uint8_t>();
}

bool HostController::copyLatestPacket (AAX_CFieldIndex field, void* dest, size_t size) const
{
    const std::lock_guard<std::mutex> lock (mLock);
    const auto found = mLatest.find (field);
    if (found == mLatest.end() || dest == nullptr)
        return false;
    std::memcpy (dest, found->second.data(), std::min (size, found->second.size()));
    return true;
}

std::vector<HostNotification> HostController::notifications() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mNotifications;
}

ACFRESULT HostController::GetEffectID (AAX_IString* outEffectID) const
{
    if (outEffectID == nullptr)
        return ACF_E_POINTER;
    outEffectID->Set ("com.Halvory.Tarnello");
    return ACF_OK;
}

ACFRESULT HostController::GetSampleRate (AAX_CSampleRate* outSampleRate) const
{
    if (outSampleRate == nullptr)
        return ACF_E_POINTER;
    *outSampleRate = mSampleRate.load();
    return ACF_OK;
}

ACFRESULT HostController::GetInputStemFormat (AAX_EStemFormat* outFormat) const
{
    if (outFormat == nullptr)
        return ACF_E_POINTER;
    *outFormat = mInputFormat.load();
    return ACF_OK;
}

ACFRESULT HostController::GetOutputStemFormat (AAX_EStemFormat* outFormat) const
{
    if (outFormat == nullptr)
        return ACF_E_POINTER;
    *outFormat = mOutputFormat.load();
    return ACF_OK;
}

ACFRESULT HostController::GetSignalLatency (int32_t* outSamples) const
{
    if (outSamples == nullptr)
        return ACF_E_POINTER;
    *outSamples = mLatency.load();
    return ACF_OK;
}

ACFRESULT HostController::SetSignalLatency (int32_t samples)
{
    mLatency.store (samples);
    mLatencyReports.fetch_add (1);
    return ACF_OK;
}

ACFRESULT HostController::GetCycleCount (uint32_t, AAX_CPropertyValue* outCount) const
{
    if (outCount == nullptr)
        return ACF_E_POINTER;
    *outCount = 0;
    return ACF_OK;
}

ACFRESULT HostController::SetCycleCount (uint32_t*, AAX_CPropertyValue*, int32_t)
{
    return ACF_OK;
}

ACFRESULT HostController::GetTODLocation (AAX_CTransportCounter* outTODLocation) const
{
    if (outTODLocation == nullptr)
        return ACF_E_POINTER;
    *outTODLocation = 0;
    return ACF_OK;
}

ACFRESULT HostController::PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t payloadSize)
{
    if (payload == nullptr && payloadSize > 0)
        return ACF_E_POINTER;
    const auto* bytes = static_cast<const uint8_t*> (payload);
    PostedPacket packet { field, std::vector<uint8_t> (bytes, bytes + payloadSize) };
    const std::lock_guard<std::mutex> lock (mLock);
    mLatest[field] = packet.payload;
    mPackets.push_back (std::move (packet));
    return ACF_OK;
}

ACFRESULT HostController::GetCurrentMeterValue (AAX_CTypeID, float* outValue) const
{
    if (outValue != nullptr)
        *outValue = 0.0f;
    return ACF_OK;
}

ACFRESULT HostController::GetMeterPeakValue (AAX_CTypeID, float* outValue) const
{
    if (outValue != nullptr)
        *outValue = 0.0f;
    return ACF_OK;
}

ACFRESULT HostController::ClearMeterPeakValue (AAX_CTypeID) const
{
    return ACF_OK;
}

ACFRESULT HostController::GetMeterCount (uint32_t* outCount) const
{
    if (outCount != nullptr)
        *outCount = 0;
    return ACF_OK;
}

ACFRESULT HostController::GetMeterClipped (AAX_CTypeID, AAX_CBoolean* outClipped) const
{
    if (outClipped != nullptr)
        *outClipped = 0;
    return ACF_OK;
}

ACFRESULT HostController::ClearMeterClipped (AAX_CTypeID) const
{
    return ACF_OK;
}

ACFRESULT HostController::GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*)
{
    return ACF_E_FAIL; // no MIDI in this host
}

ACFRESULT HostController::SendNotification (AAX_CTypeID type, const void* data, uint32_t size)
{
    const auto* bytes = static_cast<const uint8_t*> (data);
    HostNotification notification { type, bytes != nullptr ? std::vector<uint8_t> (bytes, bytes + size)
                                                            : std::vector<uint8_t>() };
    const std::lock_guard<std::mutex> lock (mLock);
    mNotifications.push_back (std::move (notification));
    return ACF_OK;
}

ACFRESULT HostController::GetHybridSignalLatency (int32_t* outSamples) const
{
    if (outSamples == nullptr)
        return ACF_E_POINTER;
    *outSamples = 0;
    return ACF_OK;
}

ACFRESULT HostController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const
{
    if (outTimestamp == nullptr)
        return ACF_E_POINTER;
    *outTimestamp = 0;
    return ACF_OK;
}

ACFRESULT HostController::GetHostName (AAX_IString* outHostName) const
{
    if (outHostName == nullptr)
        return ACF_E_POINTER;
    outHostName->Set ("tarnello-host");
    return ACF_OK;
}

ACFRESULT HostController::GetPlugInTargetPlatform (AAX_CTargetPlatform* outPlatform) const
{
    if (outPlatform == nullptr)
        return ACF_E_POINTER;
    *outPlatform = 0; // native
    return ACF_OK;
}

ACFRESULT HostController::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const
{
    if (outIsAudioSuite == nullptr)
        return ACF_E_POINTER;
    *outIsAudioSuite = 0;
    return ACF_OK;
}

ACFRESULT HostController::copyTable (IACFUnknown* outTable) const
{
    const ACFRESULT result = mCopyResult.load();
    if (ACFFAILED (result))
        return result;
    if (outTable == nullptr)
        return ACF_E_POINTER;

    void* raw = nullptr;
    if (ACFFAILED (outTable->QueryInterface (IID_IAAXPageTableV1, &raw)) || raw == nullptr)
        return ACF_E_NOINTERFACE;
    auto* table = static_cast<IAAXPageTableV1*> (raw);
    // The host's table for this effect: one page holding the first parameter.
    table->Clear();
    table->InsertPage (0);
    table->MapParameterID ("0", 0, 0);
    table->Release();
    return result;
}

ACFRESULT HostController::CopyTableForEffect (AAX_CPropertyValue, AAX_CPropertyValue, AAX_CPropertyValue, uint32_t,
                                              int32_t, IACFUnknown* outTable) const
{
    return copyTable (outTable);
}

ACFRESULT HostController::CopyTableForLayout (const char*, const char*, uint32_t, int32_t, IACFUnknown* outTable) const
{
    return copyTable (outTable);
}

ACFRESULT HostController::CopyTableForEffectFromFile (const char*, int32_t, AAX_CPropertyValue, AAX_CPropertyValue,
                                                      AAX_CPropertyValue, uint32_t, int32_t, IACFUnknown* outTable) const
{
    return copyTable (outTable);
}

ACFRESULT HostController::CopyTableForLayoutFromFile (const char*, int32_t, const char*, uint32_t, int32_t,
                                                      IACFUnknown* outTable) const
{
    return copyTable (outTable);
}

//==============================================================================
void* HostTransport::findInterface (const acfIID& iid)
{
    return isTransport (iid) ? static_cast<IAAXTransportV3*> (this) : nullptr;
}

void HostTransport::setSamplePosition (int64_t samples, double sampleRate) noexcept
{
    mSamplePosition.store (samples);
    if (sampleRate > 0.0)
        mSampleRate.store (sampleRate);
}

int64_t HostTransport::ticksAt (int64_t sampleLocation) const noexcept
{
    const double quarters = static_cast<double> (sampleLocation) / mSampleRate.load() * mTempo.load() / 60.0;
    const double ticks = std::floor (quarters * static_cast<double> (kTicksPerQuarter));
    // A tempo that is no number gives no position; an enormous one stops at the
    // end of the range. Converting either unchecked would be undefined.
    if (std::isnan (ticks))
        return 0;
    constexpr double lastTick = 9.2e18; // just inside int64_t
    return static_cast<int64_t> (std::clamp (ticks, -lastTick, lastTick));
}

ACFRESULT HostTransport::GetCurrentTempo (double* outTempo) const
{
    if (outTempo == nullptr)
        return ACF_E_POINTER;
    *outTempo = mTempo.load();
    return ACF_OK;
}

ACFRESULT HostTransport::GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const
{
    if (outNumerator == nullptr || outDenominator == nullptr)
        return ACF_E_POINTER;
    *outNumerator = 4;
    *outDenominator = 4;
    return ACF_OK;
}

ACFRESULT HostTransport::IsTransportPlaying (bool* outIsPlaying) const
{
    if (outIsPlaying == nullptr)
        return ACF_E_POINTER;
    *outIsPlaying = mPlaying.load();
    return ACF_OK;
}

ACFRESULT HostTransport::GetCurrentTickPosition (int64_t* outTickPosition) const
{
    if (outTickPosition == nullptr)
        return ACF_E_POINTER;
    *outTickPosition = ticksAt (mSamplePosition.load());
    return ACF_OK;
}

ACFRESULT HostTransport::GetCurrentLoopPosition (bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const
{
    if (outLooping == nullptr || outStartTick == nullptr || outEndTick == nullptr)
        return ACF_E_POINTER;
    *outLooping = false;
    *outStartTick = 0;
    *outEndTick = 0;
    return ACF_OK;
}

ACFRESULT HostTransport::GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const
{
    if (outSampleLocation == nullptr)
        return ACF_E_POINTER;
    *outSampleLocation = mSamplePosition.load();
    return ACF_OK;
}

ACFRESULT HostTransport::GetCustomTickPosition (int64_t* outTickPosition, int64_t sampleLocation) const
{
    if (outTickPosition == nullptr)
        return ACF_E_POINTER;
    *outTickPosition = ticksAt (sampleLocation);
    return ACF_OK;
}

ACFRESULT HostTransport::GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                             int64_t sampleLocation) const
{
    if (outBars == nullptr || outBeats == nullptr || outDisplayTicks == nullptr)
        return ACF_E_POINTER;
    const int64_t ticks = ticksAt (sampleLocation);
    const int64_t quarters = ticks / kTicksPerQuarter;
    *outBars = static_cast<int32_t> (std::clamp<int64_t> (quarters / 4 + 1, std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
    *outBeats = static_cast<int32_t> (quarters % 4 + 1);
    *outDisplayTicks = ticks % kTicksPerQuarter;
    return ACF_OK;
}

ACFRESULT HostTransport::GetTicksPerQuarter (uint32_t* outTicks) const
{
    if (outTicks == nullptr)
        return ACF_E_POINTER;
    *outTicks = static_cast<uint32_t> (kTicksPerQuarter);
    return ACF_OK;
}

ACFRESULT HostTransport::GetCurrentTicksPerBeat (uint32_t* outTicks) const
{
    return GetTicksPerQuarter (outTicks);
}

ACFRESULT HostTransport::GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const
{
    return GetCurrentNativeSampleLocation (outSampleLocation);
}

ACFRESULT HostTransport::GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const
{
    if (outFrameRate == nullptr || outOffset == nullptr)
        return ACF_E_POINTER;
    *outFrameRate = 0; // undeclared
    *outOffset = 0;
    return ACF_OK;
}

ACFRESULT HostTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* outRate, int64_t* outOffset) const
{
    if (outRate == nullptr || outOffset == nullptr)
        return ACF_E_POINTER;
    *outRate = 0;
    *outOffset = 0;
    return ACF_OK;
}

ACFRESULT HostTransport::IsMetronomeEnabled (int32_t* outEnabled) const
{
    if (outEnabled == nullptr)
        return ACF_E_POINTER;
    *outEnabled = 0;
    return ACF_OK;
}

ACFRESULT HostTransport::GetHDTimeCodeInfo (AAX_EFrameRate* outFrameRate, int64_t* outOffset) const
{
    if (outFrameRate == nullptr || outOffset == nullptr)
        return ACF_E_POINTER;
    *outFrameRate = 0;
    *outOffset = 0;
    return ACF_OK;
}

//==============================================================================
void* HostAutomationDelegate::findInterface (const acfIID& iid)
{
    return iid == IID_IAAXAutomationDelegateV1 ? static_cast<IAAXAutomationDelegateV1*> (this) : nullptr;
}

void HostAutomationDelegate::record (AutomationEvent::Kind kind, AAX_CParamID id, double value) const
{
    const std::lock_guard<std::mutex> lock (mLock);
    mEvents.push_back ({ kind, textOf (id), value });
}

std::vector<AutomationEvent> HostAutomationDelegate::events() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mEvents;
}

void HostAutomationDelegate::clearEvents()
{
    const std::lock_guard<std::mutex> lock (mLock);
    mEvents.clear();
}

std::set<std::string> HostAutomationDelegate::registered() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mRegistered;
}

bool HostAutomationDelegate::isTouched (const std::string& id) const
{
    const std::lock_guard<std::mutex> lock (mLock);
    const auto found = mTouches.find (id);
    return found != mTouches.end() && found->second > 0;
}

int HostAutomationDelegate::pump()
{
    int answered = 0;
    for (;;)
    {
        std::pair<std::string, double> request;
        {
            const std::lock_guard<std::mutex> lock (mLock);
            if (mQueue.empty())
                return answered;
            request = std::move (mQueue.front());
            mQueue.pop_front();
        }
        // Answered outside the lock: the effect posts its current value back to us.
        if (auto* effect = mTarget.load())
            effect->UpdateParameterNormalizedValue (request.first.c_str(), request.second, 0);
        ++answered;
    }
}

ACFRESULT HostAutomationDelegate::RegisterParameter (AAX_CParamID parameterID)
{
    record (AutomationEvent::Kind::Register, parameterID);
    const std::lock_guard<std::mutex> lock (mLock);
    mRegistered.insert (textOf (parameterID));
    return ACF_OK;
}

ACFRESULT HostAutomationDelegate::UnregisterParameter (AAX_CParamID parameterID)
{
    record (AutomationEvent::Kind::Unregister, parameterID);
    const std::lock_guard<std::mutex> lock (mLock);
    mRegistered.erase (textOf (parameterID));
    return ACF_OK;
}

ACFRESULT HostAutomationDelegate::PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const
{
    record (AutomationEvent::Kind::SetRequest, parameterID, normalizedValue);
    if (mMode.load() == Mode::Queued)
    {
        const std::lock_guard<std::mutex> lock (mLock);
        mQueue.emplace_back (textOf (parameterID), normalizedValue);
        return ACF_OK;
    }
    if (auto* effect = mTarget.load())
        effect->UpdateParameterNormalizedValue (parameterID, normalizedValue, 0);
    return ACF_OK;
}

ACFRESULT HostAutomationDelegate::PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const
{
    record (AutomationEvent::Kind::CurrentValue, parameterID, normalizedValue);
    return ACF_OK;
}

ACFRESULT HostAutomationDelegate::PostTouchRequest (AAX_CParamID parameterID)
{
    record (AutomationEvent::Kind::Touch, parameterID);
    const std::lock_guard<std::mutex> lock (mLock);
    ++mTouches[textOf (parameterID)];
    return ACF_OK;
}

ACFRESULT HostAutomationDelegate::PostReleaseRequest (AAX_CParamID parameterID)
{
    record (AutomationEvent::Kind::Release, parameterID);
    const std::lock_guard<std::mutex> lock (mLock);
    auto& touches = mTouches[textOf (parameterID)];
    touches = std::max (0, touches - 1);
    return ACF_OK;
}

ACFRESULT HostAutomationDelegate::GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* outTouched)
{
    if (outTouched == nullptr)
        return ACF_E_POINTER;
    *outTouched = isTouched (textOf (parameterID)) ? 1 : 0;
    return ACF_OK;
}

//==============================================================================
void* HostPageTable::findInterface (const acfIID& iid)
{
    return iid == IID_IAAXPageTableV1 || iid == IID_IAAXPageTableV2 ? static_cast<IAAXPageTableV2*> (this) : nullptr;
}

ACFRESULT HostPageTable::Clear()
{
    const std::lock_guard<std::mutex> lock (mLock);
    mPages.clear();
    return ACF_OK;
}

ACFRESULT HostPageTable::Empty (AAX_CBoolean* outEmpty) const
{
    if (outEmpty == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    *outEmpty = mPages.empty() ? 1 : 0;
    return ACF_OK;
}

ACFRESULT HostPageTable::GetNumPages (int32_t* outNumPages) const
{
    if (outNumPages == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    *outNumPages = static_cast<int32_t> (mPages.size());
    return ACF_OK;
}

ACFRESULT HostPageTable::InsertPage (int32_t page)
{
    const std::lock_guard<std::mutex> lock (mLock);
    if (page < 0 || page > static_cast<int32_t> (mPages.size()))
        return ACF_E_FAIL;
    mPages.insert (mPages.begin() + page, std::map<int32_t, std::string>());
    return ACF_OK;
}

ACFRESULT HostPageTable::RemovePage (int32_t page)
{
    const std::lock_guard<std::mutex> lock (mLock);
    if (page < 0 || page >= static_cast<int32_t> (mPages.size()))
        return ACF_E_FAIL;
    mPages.erase (mPages.begin() + page);
    return ACF_OK;
}

ACFRESULT HostPageTable::GetNumMappedParameterIDs (int32_t page, int32_t* outNumParameterIDs) const
{
    if (outNumParameterIDs == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    if (page < 0 || page >= static_cast<int32_t> (mPages.size()))
        return ACF_E_FAIL;
    *outNumParameterIDs = static_cast<int32_t> (mPages[static_cast<size_t> (page)].size());
    return ACF_OK;
}

ACFRESULT HostPageTable::ClearMappedParameter (int32_t page, int32_t slot)
{
    const std::lock_guard<std::mutex> lock (mLock);
    if (page < 0 || page >= static_cast<int32_t> (mPages.size()))
        return ACF_E_FAIL;
    mPages[static_cast<size_t> (page)].erase (slot);
    return ACF_OK;
}

ACFRESULT HostPageTable::GetMappedParameterID (int32_t page, int32_t slot, AAX_IString* outParameterID) const
{
    if (outParameterID == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    if (page < 0 || page >= static_cast<int32_t> (mPages.size()))
        return ACF_E_FAIL;
    const auto& slots = mPages[static_cast<size_t> (page)];
    const auto found = slots.find (slot);
    if (found == slots.end())
        return ACF_E_FAIL;
    outParameterID->Set (found->second.c_str());
    return ACF_OK;
}

ACFRESULT HostPageTable::MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t slot)
{
    const std::lock_guard<std::mutex> lock (mLock);
    if (page < 0 || page >= static_cast<int32_t> (mPages.size()))
        return ACF_E_FAIL;
    mPages[static_cast<size_t> (page)][slot] = textOf (parameterID);
    return ACF_OK;
}

ACFRESULT HostPageTable::GetNumParametersWithNameVariations (int32_t* outNumParameters) const
{
    if (outNumParameters == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    *outNumParameters = static_cast<int32_t> (mNameVariations.size());
    return ACF_OK;
}

ACFRESULT HostPageTable::GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* outParameterID) const
{
    if (outParameterID == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    if (index < 0 || index >= static_cast<int32_t> (mNameVariations.size()))
        return ACF_E_FAIL;
    outParameterID->Set (std::next (mNameVariations.begin(), index)->first.c_str());
    return ACF_OK;
}

ACFRESULT HostPageTable::GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* outNumVariations) const
{
    if (outNumVariations == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    const auto found = mNameVariations.find (textOf (parameterID));
    *outNumVariations = found != mNameVariations.end() ? static_cast<int32_t> (found->second.size()) : 0;
    return ACF_OK;
}

ACFRESULT HostPageTable::GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                           AAX_IString* outName, int32_t* outLength) const
{
    if (outName == nullptr || outLength == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    const auto found = mNameVariations.find (textOf (parameterID));
    if (found == mNameVariations.end() || index < 0 || index >= static_cast<int32_t> (found->second.size()))
        return ACF_E_FAIL;
    const auto variation = std::next (found->second.begin(), index);
    outName->Set (variation->second.c_str());
    *outLength = variation->first;
    return ACF_OK;
}

ACFRESULT HostPageTable::GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length,
                                                            AAX_IString* outName) const
{
    if (outName == nullptr)
        return ACF_E_POINTER;
    const std::lock_guard<std::mutex> lock (mLock);
    const auto found = mNameVariations.find (textOf (parameterID));
    if (found == mNameVariations.end())
        return ACF_E_FAIL;
    const auto variation = found->second.find (length);
    if (variation == found->second.end())
        return ACF_E_FAIL;
    outName->Set (variation->second.c_str());
    return ACF_OK;
}

ACFRESULT HostPageTable::ClearParameterNameVariations()
{
    const std::lock_guard<std::mutex> lock (mLock);
    mNameVariations.clear();
    return ACF_OK;
}

ACFRESULT HostPageTable::ClearNameVariationsForParameter (AAX_CParamID parameterID)
{
    const std::lock_guard<std::mutex> lock (mLock);
    mNameVariations.erase (textOf (parameterID));
    return ACF_OK;
}

ACFRESULT HostPageTable::SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length)
{
    const std::lock_guard<std::mutex> lock (mLock);
    mNameVariations[textOf (parameterID)][length] = textOf (name.Get());
    return ACF_OK;
}

//==============================================================================
void* HostViewContainer::findInterface (const acfIID& iid)
{
    return iid == IID_IAAXViewContainerV1 || iid == IID_IAAXViewContainerV2 ? static_cast<IAAXViewContainerV2*> (this)
                                                                            : nullptr;
}

AAX_Point HostViewContainer::viewSize() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mSize;
}

std::vector<std::string> HostViewContainer::mouseEvents() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mMouseEvents;
}

ACFRESULT HostViewContainer::GetModifiers (uint32_t* outModifiers)
{
    if (outModifiers == nullptr)
        return ACF_E_POINTER;
    *outModifiers = 0;
    return ACF_OK;
}

ACFRESULT HostViewContainer::SetViewSize (AAX_Point& size)
{
    const std::lock_guard<std::mutex> lock (mLock);
    mSize = size;
    return ACF_OK;
}

ACFRESULT HostViewContainer::recordMouse (const char* kind, AAX_CParamID parameterID)
{
    const std::lock_guard<std::mutex> lock (mLock);
    mMouseEvents.push_back (std::string (kind) + " " + textOf (parameterID));
    return ACF_OK;
}

ACFRESULT HostViewContainer::HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t)
{
    return recordMouse ("down", parameterID);
}

ACFRESULT HostViewContainer::HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t)
{
    return recordMouse ("drag", parameterID);
}

ACFRESULT HostViewContainer::HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t)
{
    return recordMouse ("up", parameterID);
}

ACFRESULT HostViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count,
                                                                uint32_t)
{
    for (uint32_t i = 0; parameterIDs != nullptr && i < count; ++i)
        recordMouse ("down", parameterIDs[i]);
    return ACF_OK;
}

ACFRESULT HostViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count,
                                                                uint32_t)
{
    for (uint32_t i = 0; parameterIDs != nullptr && i < count; ++i)
        recordMouse ("drag", parameterIDs[i]);
    return ACF_OK;
}

ACFRESULT HostViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count,
                                                              uint32_t)
{
    for (uint32_t i = 0; parameterIDs != nullptr && i < count; ++i)
        recordMouse ("up", parameterIDs[i]);
    return ACF_OK;
}

//==============================================================================
InstanceContext::InstanceContext (StandInHost& host)
    : HostObject (host),
      mController (new HostController (host)),
      mTransport (new HostTransport (host)),
      mAutomation (new HostAutomationDelegate (host))
{
    mController->AddRef();
    mTransport->AddRef();
    mAutomation->AddRef();
}

InstanceContext::~InstanceContext()
{
    mAutomation->Release();
    mTransport->Release();
    mController->Release();
}

void* InstanceContext::findInterface (const acfIID& iid)
{
    return iid == IID_IACFComponentFactory ? static_cast<IACFComponentFactory*> (this) : nullptr;
}

ACFRESULT InstanceContext::QueryInterface (const acfIID& iid, void** outInterface)
{
    if (isController (iid))
        return mController->QueryInterface (iid, outInterface);
    if (isTransport (iid))
        return mTransport->QueryInterface (iid, outInterface);
    if (iid == IID_IAAXAutomationDelegateV1)
        return mAutomation->QueryInterface (iid, outInterface);
    if (iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 || iid == IID_IAAXEffectParametersV3
        || iid == IID_IAAXEffectParametersV4)
    {
        if (outInterface == nullptr)
            return ACF_E_POINTER;
        *outInterface = nullptr;
        auto* effect = mEffect.load();
        if (effect == nullptr || ! hostAnswers (host(), iid))
            return ACF_E_NOINTERFACE;
        return effect->QueryInterface (iid, outInterface);
    }
    if (outInterface != nullptr && iid == IID_IACFComponentFactory && host().config().nullFactoryOnSuccess)
    {
        *outInterface = nullptr;
        return ACF_OK;
    }
    return HostObject::QueryInterface (iid, outInterface);
}

ACFRESULT InstanceContext::CreateInstance (const acfCLSID& componentID, IACFUnknown* outer, const acfIID& iid,
                                           void** outInterface)
{
    return host().createInstance (componentID, outer, iid, outInterface);
}

void registerRuntimeComponents (StandInHost& host)
{
    host.registerComponent (AAXCompID_PageTable, [] (StandInHost& owner) -> IACFUnknown* {
        return (new HostPageTable (owner))->asUnknown();
    });
}
} // namespace tarnello::host
