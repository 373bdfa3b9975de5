// Our own stand-in for the host application's run-time interfaces: the string
// and chunk types that cross the boundary, the host's controller, page tables,
// transport, automation delegate and view container, and the plug-in's
// effect-parameters and GUI interfaces that the host calls. Every multi-version
// interface derives from its previous version.
#pragma once

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <cstddef>

using AAX_CParamID           = const char*;
using AAX_CSampleRate        = float;
using AAX_CTransportCounter  = int64_t;
using AAX_EParameterType     = int32_t;
using AAX_EParameterOrientation = int32_t;
using AAX_EUpdateSource      = int32_t;
using AAX_EFrameRate         = int32_t;
using AAX_EFeetFramesRate    = int32_t;
using AAX_CTargetPlatform    = int32_t;
using AAX_EPlugInStrings     = int32_t;
using AAX_EHighlightColor    = int32_t;

class AAX_IParameter;   // the plug-in's parameter object, opaque to the host

// The string interface through which names and texts cross the boundary.
class AAX_IString
{
public:
    AAX_IString() = default;
    AAX_IString (const AAX_IString&) = default;
    virtual ~AAX_IString() = default;
    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    virtual const char* Get() const = 0;
    virtual void Set (const char* text) = 0;
    virtual AAX_IString& operator= (const AAX_IString& other) = 0;
    virtual AAX_IString& operator= (const char* text) = 0;
};

// A settings chunk as the host lays it out: a 56-byte header, then fSize data bytes.
struct AAX_SPlugInChunk
{
    int32_t fSize;          // number of data bytes after the header
    int32_t fVersion;
    uint32_t fManID;
    uint32_t fProdID;
    uint32_t fPlugID;
    uint32_t fChunkID;
    char fName[32];
    char fData[1];          // fSize bytes in the host's allocation
};
constexpr uint32_t kPlugInChunkHeaderSize = 56;
static_assert (offsetof (AAX_SPlugInChunk, fData) == kPlugInChunkHeaderSize, "the chunk header is 56 bytes");

struct AAX_CMidiPacket
{
    uint32_t mTimestamp;
    uint32_t mLength;
    uint8_t mData[4];
    AAX_CBoolean mIsImmediate;
};

struct AAX_Point { float vert; float horz; };
struct AAX_Rect  { float top; float left; float width; float height; };

struct AAX_SHybridRenderInfo
{
    float** mAudioInputs;
    int32_t* mNumAudioInputs;
    float** mAudioOutputs;
    int32_t* mNumAudioOutputs;
    int32_t* mNumSamples;
    int64_t* mClock;
};

//==============================================================================
// Controller.
class IAAXControllerV1 : public IACFUnknown
{
public:
    virtual ACFRESULT GetEffectID (AAX_IString* outEffectID) const = 0;
    virtual ACFRESULT GetSampleRate (AAX_CSampleRate* outSampleRate) const = 0;
    virtual ACFRESULT GetInputStemFormat (AAX_EStemFormat* outFormat) const = 0;
    virtual ACFRESULT GetOutputStemFormat (AAX_EStemFormat* outFormat) const = 0;
    virtual ACFRESULT GetSignalLatency (int32_t* outSamples) const = 0;
    virtual ACFRESULT SetSignalLatency (int32_t samples) = 0;
    virtual ACFRESULT GetCycleCount (uint32_t whichCycleCount, AAX_CPropertyValue* outCount) const = 0;
    virtual ACFRESULT SetCycleCount (uint32_t* whichCycleCounts, AAX_CPropertyValue* counts, int32_t numValues) = 0;
    virtual ACFRESULT GetTODLocation (AAX_CTransportCounter* outTODLocation) const = 0;
    virtual ACFRESULT PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t payloadSize) = 0;
    virtual ACFRESULT GetCurrentMeterValue (AAX_CTypeID meterID, float* outValue) const = 0;
    virtual ACFRESULT GetMeterPeakValue (AAX_CTypeID meterID, float* outValue) const = 0;
    virtual ACFRESULT ClearMeterPeakValue (AAX_CTypeID meterID) const = 0;
    virtual ACFRESULT GetMeterCount (uint32_t* outCount) const = 0;
    virtual ACFRESULT GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* outClipped) const = 0;
    virtual ACFRESULT ClearMeterClipped (AAX_CTypeID meterID) const = 0;
    virtual ACFRESULT GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;

protected:
    ~IAAXControllerV1() = default;
};

class IAAXControllerV2 : public IAAXControllerV1
{
public:
    virtual ACFRESULT SendNotification (AAX_CTypeID type, const void* data, uint32_t size) = 0;
    virtual ACFRESULT GetHybridSignalLatency (int32_t* outSamples) const = 0;
    virtual ACFRESULT GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const = 0;
    virtual ACFRESULT GetHostName (AAX_IString* outHostName) const = 0;

protected:
    ~IAAXControllerV2() = default;
};

class IAAXControllerV3 : public IAAXControllerV2
{
public:
    virtual ACFRESULT GetPlugInTargetPlatform (AAX_CTargetPlatform* outPlatform) const = 0;
    virtual ACFRESULT GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const = 0;

protected:
    ~IAAXControllerV3() = default;
};

// Copies the host's page tables into a page table the plug-in created.
class IAAXPageTableController : public IACFUnknown
{
public:
    virtual ACFRESULT CopyTableForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                          AAX_CPropertyValue plugInID, uint32_t tableType, int32_t tablePageSize,
                                          IACFUnknown* outTable) const = 0;
    virtual ACFRESULT CopyTableForLayout (const char* effectID, const char* layoutName, uint32_t tableType,
                                          int32_t tablePageSize, IACFUnknown* outTable) const = 0;

protected:
    ~IAAXPageTableController() = default;
};

class IAAXPageTableControllerV2 : public IACFUnknown
{
public:
    virtual ACFRESULT CopyTableForEffectFromFile (const char* filePath, int32_t filePathEncoding,
                                                  AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                  AAX_CPropertyValue plugInID, uint32_t tableType, int32_t tablePageSize,
                                                  IACFUnknown* outTable) const = 0;
    virtual ACFRESULT CopyTableForLayoutFromFile (const char* filePath, int32_t filePathEncoding, const char* layoutName,
                                                  uint32_t tableType, int32_t tablePageSize, IACFUnknown* outTable) const = 0;

protected:
    ~IAAXPageTableControllerV2() = default;
};

//==============================================================================
// Page table.
class IAAXPageTableV1 : public IACFUnknown
{
public:
    virtual ACFRESULT Clear() = 0;
    virtual ACFRESULT Empty (AAX_CBoolean* outEmpty) const = 0;
    virtual ACFRESULT GetNumPages (int32_t* outNumPages) const = 0;
    virtual ACFRESULT InsertPage (int32_t page) = 0;
    virtual ACFRESULT RemovePage (int32_t page) = 0;
    virtual ACFRESULT GetNumMappedParameterIDs (int32_t page, int32_t* outNumParameterIDs) const = 0;
    virtual ACFRESULT ClearMappedParameter (int32_t page, int32_t slot) = 0;
    virtual ACFRESULT GetMappedParameterID (int32_t page, int32_t slot, AAX_IString* outParameterID) const = 0;
    virtual ACFRESULT MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t slot) = 0;

protected:
    ~IAAXPageTableV1() = default;
};

class IAAXPageTableV2 : public IAAXPageTableV1
{
public:
    virtual ACFRESULT GetNumParametersWithNameVariations (int32_t* outNumParameters) const = 0;
    virtual ACFRESULT GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* outParameterID) const = 0;
    virtual ACFRESULT GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* outNumVariations) const = 0;
    virtual ACFRESULT GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                        AAX_IString* outName, int32_t* outLength) const = 0;
    virtual ACFRESULT GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length,
                                                         AAX_IString* outName) const = 0;
    virtual ACFRESULT ClearParameterNameVariations() = 0;
    virtual ACFRESULT ClearNameVariationsForParameter (AAX_CParamID parameterID) = 0;
    virtual ACFRESULT SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length) = 0;

protected:
    ~IAAXPageTableV2() = default;
};

//==============================================================================
// Transport.
class IAAXTransportV1 : public IACFUnknown
{
public:
    virtual ACFRESULT GetCurrentTempo (double* outTempo) const = 0;
    virtual ACFRESULT GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const = 0;
    virtual ACFRESULT IsTransportPlaying (bool* outIsPlaying) const = 0;
    virtual ACFRESULT GetCurrentTickPosition (int64_t* outTickPosition) const = 0;
    virtual ACFRESULT GetCurrentLoopPosition (bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const = 0;
    virtual ACFRESULT GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const = 0;
    virtual ACFRESULT GetCustomTickPosition (int64_t* outTickPosition, int64_t sampleLocation) const = 0;
    virtual ACFRESULT GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                          int64_t sampleLocation) const = 0;
    virtual ACFRESULT GetTicksPerQuarter (uint32_t* outTicks) const = 0;
    virtual ACFRESULT GetCurrentTicksPerBeat (uint32_t* outTicks) const = 0;

protected:
    ~IAAXTransportV1() = default;
};

class IAAXTransportV2 : public IAAXTransportV1
{
public:
    virtual ACFRESULT GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const = 0;
    virtual ACFRESULT GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const = 0;
    virtual ACFRESULT GetFeetFramesInfo (AAX_EFeetFramesRate* outRate, int64_t* outOffset) const = 0;
    virtual ACFRESULT IsMetronomeEnabled (int32_t* outEnabled) const = 0;

protected:
    ~IAAXTransportV2() = default;
};

class IAAXTransportV3 : public IAAXTransportV2
{
public:
    virtual ACFRESULT GetHDTimeCodeInfo (AAX_EFrameRate* outFrameRate, int64_t* outOffset) const = 0;

protected:
    ~IAAXTransportV3() = default;
};

//==============================================================================
// Automation delegate: the plug-in's requests to the host about its parameters.
class IAAXAutomationDelegateV1 : public IACFUnknown
{
public:
    virtual ACFRESULT RegisterParameter (AAX_CParamID parameterID) = 0;
    virtual ACFRESULT UnregisterParameter (AAX_CParamID parameterID) = 0;
    virtual ACFRESULT PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const = 0;
    virtual ACFRESULT PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const = 0;
    virtual ACFRESULT PostTouchRequest (AAX_CParamID parameterID) = 0;
    virtual ACFRESULT PostReleaseRequest (AAX_CParamID parameterID) = 0;
    virtual ACFRESULT GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* outTouched) = 0;

protected:
    ~IAAXAutomationDelegateV1() = default;
};

//==============================================================================
// View container: the host's window for the plug-in's view.
class IAAXViewContainerV1 : public IACFUnknown
{
public:
    virtual int32_t GetType() = 0;
    virtual void* GetPtr() = 0;
    virtual ACFRESULT GetModifiers (uint32_t* outModifiers) = 0;
    virtual ACFRESULT SetViewSize (AAX_Point& size) = 0;
    virtual ACFRESULT HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual ACFRESULT HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual ACFRESULT HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) = 0;

protected:
    ~IAAXViewContainerV1() = default;
};

class IAAXViewContainerV2 : public IAAXViewContainerV1
{
public:
    virtual ACFRESULT HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;
    virtual ACFRESULT HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;
    virtual ACFRESULT HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;

protected:
    ~IAAXViewContainerV2() = default;
};

//==============================================================================
// The plug-in's effect-parameters object, as the host calls it.
class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    virtual ACFRESULT Initialize (IACFUnknown* hostUnknown) = 0;
    virtual ACFRESULT Uninitialize() = 0;
    virtual ACFRESULT NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) = 0;
    virtual ACFRESULT GetNumberOfParameters (int32_t* outCount) const = 0;
    virtual ACFRESULT GetMasterBypassParameter (AAX_IString* outID) const = 0;
    virtual ACFRESULT GetParameterIsAutomatable (AAX_CParamID id, AAX_CBoolean* outAutomatable) const = 0;
    virtual ACFRESULT GetParameterNumberOfSteps (AAX_CParamID id, int32_t* outSteps) const = 0;
    virtual ACFRESULT GetParameterName (AAX_CParamID id, AAX_IString* outName) const = 0;
    virtual ACFRESULT GetParameterNameOfLength (AAX_CParamID id, AAX_IString* outName, int32_t length) const = 0;
    virtual ACFRESULT GetParameterDefaultNormalizedValue (AAX_CParamID id, double* outValue) const = 0;
    virtual ACFRESULT SetParameterDefaultNormalizedValue (AAX_CParamID id, double value) = 0;
    virtual ACFRESULT GetParameterType (AAX_CParamID id, AAX_EParameterType* outType) const = 0;
    virtual ACFRESULT GetParameterOrientation (AAX_CParamID id, AAX_EParameterOrientation* outOrientation) const = 0;
    virtual ACFRESULT GetParameter (AAX_CParamID id, AAX_IParameter** outParameter) = 0;
    virtual ACFRESULT GetParameterIndex (AAX_CParamID id, int32_t* outIndex) const = 0;
    virtual ACFRESULT GetParameterIDFromIndex (int32_t index, AAX_IString* outID) const = 0;
    virtual ACFRESULT GetParameterValueInfo (AAX_CParamID id, int32_t selector, int32_t* outValue) const = 0;
    virtual ACFRESULT GetParameterValueFromString (AAX_CParamID id, double* outValue, const AAX_IString& text) const = 0;
    virtual ACFRESULT GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* outText, int32_t maxLength) const = 0;
    virtual ACFRESULT GetParameterValueString (AAX_CParamID id, AAX_IString* outText, int32_t maxLength) const = 0;
    virtual ACFRESULT GetParameterNormalizedValue (AAX_CParamID id, double* outValue) const = 0;
    virtual ACFRESULT SetParameterNormalizedValue (AAX_CParamID id, double value) = 0;
    virtual ACFRESULT SetParameterNormalizedRelative (AAX_CParamID id, double delta) = 0;
    virtual ACFRESULT TouchParameter (AAX_CParamID id) = 0;
    virtual ACFRESULT ReleaseParameter (AAX_CParamID id) = 0;
    virtual ACFRESULT UpdateParameterTouch (AAX_CParamID id, AAX_CBoolean touchState) = 0;
    virtual ACFRESULT UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source) = 0;
    virtual ACFRESULT UpdateParameterNormalizedRelative (AAX_CParamID id, double delta) = 0;
    virtual ACFRESULT GenerateCoefficients() = 0;
    virtual ACFRESULT ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t dataSize) const = 0;
    virtual ACFRESULT GetNumberOfChunks (int32_t* outCount) const = 0;
    virtual ACFRESULT GetChunkIDFromIndex (int32_t index, AAX_CTypeID* outChunkID) const = 0;
    virtual ACFRESULT GetChunkSize (AAX_CTypeID chunkID, uint32_t* outSize) const = 0;
    virtual ACFRESULT GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* outChunk) const = 0;
    virtual ACFRESULT SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) = 0;
    virtual ACFRESULT CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* outIsEqual) const = 0;
    virtual ACFRESULT GetNumberOfChanges (int32_t* outChanges) const = 0;
    virtual ACFRESULT TimerWakeup() = 0;
    virtual ACFRESULT GetCurveData (AAX_CTypeID curveType, const float* values, uint32_t numValues, float* outValues) const = 0;
    virtual ACFRESULT GetCustomData (AAX_CTypeID dataBlockID, uint32_t size, void* data, uint32_t* outSize) const = 0;
    virtual ACFRESULT SetCustomData (AAX_CTypeID dataBlockID, uint32_t size, const void* data) = 0;
    virtual ACFRESULT DoMIDITransfers() = 0;

protected:
    ~AAX_IACFEffectParameters() = default;
};

class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual ACFRESULT RenderAudio_Hybrid (AAX_SHybridRenderInfo* renderInfo) = 0;
    virtual ACFRESULT UpdateMIDINodes (AAX_CFieldIndex field, AAX_CMidiPacket& packet) = 0;
    virtual ACFRESULT UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& packet) = 0;

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};

class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
public:
    virtual ACFRESULT GetCurveDataMeterIds (AAX_CTypeID curveType, uint32_t* outXMeterID, uint32_t* outYMeterID) const = 0;
    virtual ACFRESULT GetCurveDataDisplayRange (AAX_CTypeID curveType, float* outXMin, float* outXMax,
                                                float* outYMin, float* outYMax) const = 0;

protected:
    ~AAX_IACFEffectParameters_V3() = default;
};

class AAX_IACFEffectParameters_V4 : public AAX_IACFEffectParameters_V3
{
public:
    virtual ACFRESULT UpdatePageTable (uint32_t tableType, int32_t tablePageSize, IACFUnknown* hostUnknown,
                                       IACFUnknown* pageTableUnknown) const = 0;

protected:
    ~AAX_IACFEffectParameters_V4() = default;
};

//==============================================================================
// The plug-in's GUI object, as the host calls it.
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    virtual ACFRESULT Initialize (IACFUnknown* hostUnknown) = 0;
    virtual ACFRESULT Uninitialize() = 0;
    virtual ACFRESULT NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) = 0;
    virtual ACFRESULT SetViewContainer (IACFUnknown* viewContainer) = 0;
    virtual ACFRESULT GetViewSize (AAX_Point* outSize) const = 0;
    virtual ACFRESULT Draw (AAX_Rect* drawRect) = 0;
    virtual ACFRESULT TimerWakeup() = 0;
    virtual ACFRESULT ParameterUpdated (AAX_CParamID parameterID) = 0;
    virtual ACFRESULT GetCustomLabel (AAX_EPlugInStrings selector, AAX_IString* outString) const = 0;
    virtual ACFRESULT SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                               AAX_EHighlightColor colour) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
