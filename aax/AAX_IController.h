// The plug-in's view of the host's controller: the instance's sample rate, stem
// formats, latency, packets for the algorithm context, notifications and page
// tables. Implemented by AAX_VController over whatever versions the host offers.
#pragma once

#include "aax/AAX_Errors.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

class AAX_IPageTable;

class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    virtual AAX_Result GetEffectID (AAX_IString* outEffectID) const = 0;
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) const = 0;
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* outFormat) const = 0;
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* outFormat) const = 0;
    virtual AAX_Result GetSignalLatency (int32_t* outSamples) const = 0;
    virtual AAX_Result SetSignalLatency (int32_t samples) = 0;
    virtual AAX_Result GetCycleCount (uint32_t whichCycleCount, AAX_CPropertyValue* outCount) const = 0;
    virtual AAX_Result SetCycleCount (uint32_t* whichCycleCounts, AAX_CPropertyValue* counts, int32_t numValues) = 0;
    virtual AAX_Result GetTODLocation (AAX_CTransportCounter* outTODLocation) const = 0;
    virtual AAX_Result PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t payloadSize) = 0;
    virtual AAX_Result SendNotification (AAX_CTypeID type, const void* data, uint32_t size) = 0;
    virtual AAX_Result SendNotification (AAX_CTypeID type) = 0;
    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* outValue) const = 0;
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* outValue) const = 0;
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetMeterCount (uint32_t* outCount) const = 0;
    virtual AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* outClipped) const = 0;
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;
    virtual AAX_Result GetHybridSignalLatency (int32_t* outSamples) const = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const = 0;
    virtual AAX_Result GetHostName (AAX_IString* outHostName) const = 0;
    virtual AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* outPlatform) const = 0;
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const = 0;

    // A new page table that the caller owns, or null.
    virtual AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                      AAX_CPropertyValue plugInID, uint32_t tableType,
                                                      int32_t tablePageSize) const = 0;
    virtual AAX_IPageTable* CreateTableCopyForLayout (const char* effectID, const char* layoutName, uint32_t tableType,
                                                      int32_t tablePageSize) const = 0;
    virtual AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* filePath, int32_t filePathEncoding,
                                                              AAX_CPropertyValue manufacturerID,
                                                              AAX_CPropertyValue productID, AAX_CPropertyValue plugInID,
                                                              uint32_t tableType, int32_t tablePageSize) const = 0;
    virtual AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* filePath, int32_t filePathEncoding,
                                                              const char* layoutName, uint32_t tableType,
                                                              int32_t tablePageSize) const = 0;
};
