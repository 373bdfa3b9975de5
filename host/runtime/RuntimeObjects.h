// The stand-in host's objects for a running effect instance: the controller
// (with its page-table controllers), the transport, the automation delegate,
// page tables and the view container, and the instance context that the
// effect's Initialize receives as its host unknown.
//
// Settings a test or the renderer changes while the plug-in runs, and every
// record, are safe to touch from any thread: the audio thread posts packets
// and parameter requests through these objects too.
#pragma once

#include "host/HostObject.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace tarnello::host
{
struct PostedPacket
{
    AAX_CFieldIndex field = 0;
    std::vector<uint8_t> payload;
};

struct HostNotification
{
    AAX_CTypeID type = 0;
    std::vector<uint8_t> data;
};

class HostController : public HostObject<IAAXControllerV3, IAAXPageTableController, IAAXPageTableControllerV2>
{
public:
    using HostObject::HostObject;

    void setSampleRate (AAX_CSampleRate rate) noexcept { mSampleRate.store (rate); }
    void setStemFormats (AAX_EStemFormat input, AAX_EStemFormat output) noexcept;
    int32_t signalLatency() const noexcept { return mLatency.load(); }
    int latencyReports() const noexcept { return mLatencyReports.load(); }

    // Every post, oldest first; the latest payload of one field.
    std::vector<PostedPacket> packets() const;
    std::vector<uint8_t> latestPacket (AAX_CFieldIndex field) const;
    // Copies the latest payload of `field` into `dest` (at most `size` bytes); false when none was posted.
    bool copyLatestPacket (AAX_CFieldIndex field, void* dest, size_t size) const;
    std::vector<HostNotification> notifications() const;

    // What the host's page-table copies answer.
    void setPageTableCopyResult (ACFRESULT result) noexcept { mCopyResult.store (result); }

    ACFRESULT GetEffectID (AAX_IString* outEffectID) const override;
    ACFRESULT GetSampleRate (AAX_CSampleRate* outSampleRate) const override;
    ACFRESULT GetInputStemFormat (AAX_EStemFormat* outFormat) const override;
    ACFRESULT GetOutputStemFormat (AAX_EStemFormat* outFormat) const override;
    ACFRESULT GetSignalLatency (int32_t* outSamples) const override;
    ACFRESULT SetSignalLatency (int32_t samples) override;
    ACFRESULT GetCycleCount (uint32_t whichCycleCount, AAX_CPropertyValue* outCount) const override;
    ACFRESULT SetCycleCount (uint32_t* whichCycleCounts, AAX_CPropertyValue* counts, int32_t numValues) override;
    ACFRESULT GetTODLocation (AAX_CTransportCounter* outTODLocation) const override;
    ACFRESULT PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t payloadSize) override;
    ACFRESULT GetCurrentMeterValue (AAX_CTypeID meterID, float* outValue) const override;
    ACFRESULT GetMeterPeakValue (AAX_CTypeID meterID, float* outValue) const override;
    ACFRESULT ClearMeterPeakValue (AAX_CTypeID meterID) const override;
    ACFRESULT GetMeterCount (uint32_t* outCount) const override;
    ACFRESULT GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* outClipped) const override;
    ACFRESULT ClearMeterClipped (AAX_CTypeID meterID) const override;
    ACFRESULT GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
    ACFRESULT SendNotification (AAX_CTypeID type, const void* data, uint32_t size) override;
    ACFRESULT GetHybridSignalLatency (int32_t* outSamples) const override;
    ACFRESULT GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const override;
    ACFRESULT GetHostName (AAX_IString* outHostName) const override;
    ACFRESULT GetPlugInTargetPlatform (AAX_CTargetPlatform* outPlatform) const override;
    ACFRESULT GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const override;

    ACFRESULT CopyTableForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                  AAX_CPropertyValue plugInID, uint32_t tableType, int32_t tablePageSize,
                                  IACFUnknown* outTable) const override;
    ACFRESULT CopyTableForLayout (const char* effectID, const char* layoutName, uint32_t tableType,
                                  int32_t tablePageSize, IACFUnknown* outTable) const override;
    ACFRESULT CopyTableForEffectFromFile (const char* filePath, int32_t filePathEncoding,
                                          AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                          AAX_CPropertyValue plugInID, uint32_t tableType, int32_t tablePageSize,
                                          IACFUnknown* outTable) const override;
    ACFRESULT CopyTableForLayoutFromFile (const char* filePath, int32_t filePathEncoding, const char* layoutName,
                                          uint32_t tableType, int32_t tablePageSize,
                                          IACFUnknown* outTable) const override;

protected:
    void* findInterface (const acfIID& iid) override;

private:
    ACFRESULT copyTable (IACFUnknown* outTable) const;

    std::atomic<AAX_CSampleRate> mSampleRate { 48000.0f };
    std::atomic<AAX_EStemFormat> mInputFormat { AAX::kStemFormat_Stereo };
    std::atomic<AAX_EStemFormat> mOutputFormat { AAX::kStemFormat_Stereo };
    std::atomic<int32_t> mLatency { 0 };
    std::atomic<int> mLatencyReports { 0 };
    std::atomic<ACFRESULT> mCopyResult { ACF_OK };

    mutable std::mutex mLock;
    std::vector<PostedPacket> mPackets;
    std::map<AAX_CFieldIndex, std::vector<uint8_t>> mLatest;
    std::vector<HostNotification> mNotifications;
};

// The tempo a host starts a session at, until the user sets another.
constexpr double kSessionTempo = 120.0;

class HostTransport : public HostObject<IAAXTransportV3>
{
public:
    using HostObject::HostObject;

    void setTempo (double bpm) noexcept { mTempo.store (bpm); }
    void setPlaying (bool playing) noexcept { mPlaying.store (playing); }
    // Moves the play position; the tick position follows the tempo.
    void setSamplePosition (int64_t samples, double sampleRate) noexcept;

    ACFRESULT GetCurrentTempo (double* outTempo) const override;
    ACFRESULT GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const override;
    ACFRESULT IsTransportPlaying (bool* outIsPlaying) const override;
    ACFRESULT GetCurrentTickPosition (int64_t* outTickPosition) const override;
    ACFRESULT GetCurrentLoopPosition (bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const override;
    ACFRESULT GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const override;
    ACFRESULT GetCustomTickPosition (int64_t* outTickPosition, int64_t sampleLocation) const override;
    ACFRESULT GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                  int64_t sampleLocation) const override;
    ACFRESULT GetTicksPerQuarter (uint32_t* outTicks) const override;
    ACFRESULT GetCurrentTicksPerBeat (uint32_t* outTicks) const override;
    ACFRESULT GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const override;
    ACFRESULT GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const override;
    ACFRESULT GetFeetFramesInfo (AAX_EFeetFramesRate* outRate, int64_t* outOffset) const override;
    ACFRESULT IsMetronomeEnabled (int32_t* outEnabled) const override;
    ACFRESULT GetHDTimeCodeInfo (AAX_EFrameRate* outFrameRate, int64_t* outOffset) const override;

    static constexpr int64_t kTicksPerQuarter = 960000;

protected:
    void* findInterface (const acfIID& iid) override;

private:
    int64_t ticksAt (int64_t sampleLocation) const noexcept;

    std::atomic<double> mTempo { kSessionTempo };
    std::atomic<bool> mPlaying { false };
    std::atomic<int64_t> mSamplePosition { 0 };
    std::atomic<double> mSampleRate { 48000.0 };
};

// One request the plug-in made about a parameter.
struct AutomationEvent
{
    enum class Kind { Register, Unregister, Touch, SetRequest, CurrentValue, Release };
    Kind kind;
    std::string id;
    double value = 0.0;

    bool operator== (const AutomationEvent& other) const
    {
        return kind == other.kind && id == other.id && value == other.value;
    }
};

// Records the plug-in's requests and answers set requests by calling the
// effect's UpdateParameterNormalizedValue: at once, or when the queue is pumped.
class HostAutomationDelegate : public HostObject<IAAXAutomationDelegateV1>
{
public:
    enum class Mode { Immediate, Queued };

    using HostObject::HostObject;

    void setMode (Mode mode) noexcept { mMode.store (mode); }
    // The effect that hears the answers; the delegate keeps no reference to it.
    void setTarget (AAX_IACFEffectParameters* effect) noexcept { mTarget.store (effect); }
    // Answers the queued set requests in order; returns how many.
    int pump();

    std::vector<AutomationEvent> events() const;
    void clearEvents();
    std::set<std::string> registered() const;
    bool isTouched (const std::string& id) const;

    ACFRESULT RegisterParameter (AAX_CParamID parameterID) override;
    ACFRESULT UnregisterParameter (AAX_CParamID parameterID) override;
    ACFRESULT PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const override;
    ACFRESULT PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const override;
    ACFRESULT PostTouchRequest (AAX_CParamID parameterID) override;
    ACFRESULT PostReleaseRequest (AAX_CParamID parameterID) override;
    ACFRESULT GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* outTouched) override;

protected:
    void* findInterface (const acfIID& iid) override;

private:
    void record (AutomationEvent::Kind kind, AAX_CParamID id, double value = 0.0) const;

    std::atomic<Mode> mMode { Mode::Immediate };
    std::atomic<AAX_IACFEffectParameters*> mTarget { nullptr };

    mutable std::mutex mLock;
    mutable std::vector<AutomationEvent> mEvents;
    mutable std::deque<std::pair<std::string, double>> mQueue;
    std::set<std::string> mRegistered;
    std::map<std::string, int> mTouches;
};

// A page table: pages of parameter ids by slot, and short-name variations.
class HostPageTable : public HostObject<IAAXPageTableV2>
{
public:
    using HostObject::HostObject;

    ACFRESULT Clear() override;
    ACFRESULT Empty (AAX_CBoolean* outEmpty) const override;
    ACFRESULT GetNumPages (int32_t* outNumPages) const override;
    ACFRESULT InsertPage (int32_t page) override;
    ACFRESULT RemovePage (int32_t page) override;
    ACFRESULT GetNumMappedParameterIDs (int32_t page, int32_t* outNumParameterIDs) const override;
    ACFRESULT ClearMappedParameter (int32_t page, int32_t slot) override;
    ACFRESULT GetMappedParameterID (int32_t page, int32_t slot, AAX_IString* outParameterID) const override;
    ACFRESULT MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t slot) override;
    ACFRESULT GetNumParametersWithNameVariations (int32_t* outNumParameters) const override;
    ACFRESULT GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* outParameterID) const override;
    ACFRESULT GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* outNumVariations) const override;
    ACFRESULT GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index, AAX_IString* outName,
                                                int32_t* outLength) const override;
    ACFRESULT GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length,
                                                 AAX_IString* outName) const override;
    ACFRESULT ClearParameterNameVariations() override;
    ACFRESULT ClearNameVariationsForParameter (AAX_CParamID parameterID) override;
    ACFRESULT SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length) override;

protected:
    void* findInterface (const acfIID& iid) override;

private:
    mutable std::mutex mLock;
    std::vector<std::map<int32_t, std::string>> mPages;
    std::map<std::string, std::map<int32_t, std::string>> mNameVariations;
};

// The host window for the editor; it records the parameter mouse events it hears.
class HostViewContainer : public HostObject<IAAXViewContainerV2>
{
public:
    HostViewContainer (StandInHost& host, int32_t type, void* nativeView)
        : HostObject (host), mType (type), mNativeView (nativeView) {}

    AAX_Point viewSize() const;
    std::vector<std::string> mouseEvents() const;

    int32_t GetType() override { return mType; }
    void* GetPtr() override { return mNativeView; }
    ACFRESULT GetModifiers (uint32_t* outModifiers) override;
    ACFRESULT SetViewSize (AAX_Point& size) override;
    ACFRESULT HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) override;
    ACFRESULT HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) override;
    ACFRESULT HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) override;
    ACFRESULT HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count,
                                                 uint32_t modifiers) override;
    ACFRESULT HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count,
                                                 uint32_t modifiers) override;
    ACFRESULT HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count,
                                               uint32_t modifiers) override;

protected:
    void* findInterface (const acfIID& iid) override;

private:
    ACFRESULT recordMouse (const char* kind, AAX_CParamID parameterID);

    const int32_t mType;
    void* const mNativeView;
    mutable std::mutex mLock;
    AAX_Point mSize { 0.0f, 0.0f };
    std::vector<std::string> mMouseEvents;
};

// The host unknown of one effect instance. It hands out its controller,
// transport and automation delegate, is itself the component factory, and
// gives the instance's GUI object the instance's effect-parameters object.
class InstanceContext : public HostObject<IACFComponentFactory>
{
public:
    explicit InstanceContext (StandInHost& host);
    ~InstanceContext() override;

    HostController& controller() const noexcept { return *mController; }
    HostTransport& transport() const noexcept { return *mTransport; }
    HostAutomationDelegate& automation() const noexcept { return *mAutomation; }

    // The effect handed out for the effect-parameters ids; the context keeps no
    // reference to it (the effect holds the context's objects).
    void setEffect (AAX_IACFEffectParameters* effect) noexcept { mEffect.store (effect); }

    ACFRESULT QueryInterface (const acfIID& iid, void** outInterface) override;
    ACFRESULT CreateInstance (const acfCLSID& componentID, IACFUnknown* outer, const acfIID& iid,
                              void** outInterface) override;

protected:
    void* findInterface (const acfIID& iid) override;

private:
    HostController* mController;
    HostTransport* mTransport;
    HostAutomationDelegate* mAutomation;
    std::atomic<AAX_IACFEffectParameters*> mEffect { nullptr };
};

// Adds the run-time components (the page table) to the host's factory.
void registerRuntimeComponents (StandInHost& host);
} // namespace tarnello::host
