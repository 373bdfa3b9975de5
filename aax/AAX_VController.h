// Proxy of the host's controller for one effect instance. It holds every
// controller version the host offers, the two page-table controllers and the
// host's component factory; an operation on a missing version answers a code.
#pragma once

#include "aax/AAX_IController.h"
#include "aax/ACFPtr.h"

class AAX_VController : public AAX_IController
{
public:
    // A null host unknown leaves every version missing.
    explicit AAX_VController (IACFUnknown* hostUnknown);
    ~AAX_VController() override;

    AAX_VController (const AAX_VController&) = delete;
    AAX_VController& operator= (const AAX_VController&) = delete;

    AAX_Result GetEffectID (AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) const override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* outFormat) const override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* outFormat) const override;
    AAX_Result GetSignalLatency (int32_t* outSamples) const override;
    AAX_Result SetSignalLatency (int32_t samples) override;
    AAX_Result GetCycleCount (uint32_t whichCycleCount, AAX_CPropertyValue* outCount) const override;
    AAX_Result SetCycleCount (uint32_t* whichCycleCounts, AAX_CPropertyValue* counts, int32_t numValues) override;
    AAX_Result GetTODLocation (AAX_CTransportCounter* outTODLocation) const override;
    AAX_Result PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t payloadSize) override;
    AAX_Result SendNotification (AAX_CTypeID type, const void* data, uint32_t size) override;
    AAX_Result SendNotification (AAX_CTypeID type) override;
    AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) const override;
    AAX_Result GetMeterCount (uint32_t* outCount) const override;
    AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped (AAX_CTypeID meterID) const override;
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result GetHybridSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const override;
    AAX_Result GetHostName (AAX_IString* outHostName) const override;
    AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* outPlatform) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const override;

    AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                              AAX_CPropertyValue plugInID, uint32_t tableType,
                                              int32_t tablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayout (const char* effectID, const char* layoutName, uint32_t tableType,
                                              int32_t tablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* filePath, int32_t filePathEncoding,
                                                      AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                      AAX_CPropertyValue plugInID, uint32_t tableType,
                                                      int32_t tablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* filePath, int32_t filePathEncoding,
                                                      const char* layoutName, uint32_t tableType,
                                                      int32_t tablePageSize) const override;

    bool HasController() const noexcept { return static_cast<bool> (mControllerV1); }

private:
    template <class Copy>
    AAX_IPageTable* CopyTable (Copy&& copy) const;

    // Declared oldest first, so that they are released newest first.
    ACFPtr<IAAXControllerV1> mControllerV1;
    ACFPtr<IAAXControllerV2> mControllerV2;
    ACFPtr<IAAXControllerV3> mControllerV3;
    ACFPtr<IAAXPageTableController> mPageTableController;
    ACFPtr<IAAXPageTableControllerV2> mPageTableControllerV2;
    ACFPtr<IACFComponentFactory> mComponentFactory;
};
