#include "aax/AAX_VController.h"

#include "aax/AAX_VPageTable.h"

AAX_VController::AAX_VController (IACFUnknown* hostUnknown)
{
    if (hostUnknown == nullptr)
        return;

    mControllerV1.query (hostUnknown, IID_IAAXControllerV1);
    mControllerV2.query (hostUnknown, IID_IAAXControllerV2);
    mControllerV3.query (hostUnknown, IID_IAAXControllerV3);
    mPageTableController.query (hostUnknown, IID_IAAXPageTableController);
    mPageTableControllerV2.query (hostUnknown, IID_IAAXPageTableControllerV2);
    // A host without a factory only loses the table copies; the rest of the
    // controller keeps working, so its refusal is not an error here.
    mComponentFactory.query (hostUnknown, IID_IACFComponentFactory);
}

AAX_VController::~AAX_VController() = default;

AAX_Result AAX_VController::GetEffectID (AAX_IString* outEffectID) const
{
    return mControllerV1 ? mControllerV1->GetEffectID (outEffectID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetSampleRate (AAX_CSampleRate* outSampleRate) const
{
    return mControllerV1 ? mControllerV1->GetSampleRate (outSampleRate) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetInputStemFormat (AAX_EStemFormat* outFormat) const
{
    return mControllerV1 ? mControllerV1->GetInputStemFormat (outFormat) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetOutputStemFormat (AAX_EStemFormat* outFormat) const
{
    return mControllerV1 ? mControllerV1->GetOutputStemFormat (outFormat) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetSignalLatency (int32_t* outSamples) const
{
    return mControllerV1 ? mControllerV1->GetSignalLatency (outSamples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SetSignalLatency (int32_t samples)
{
    return mControllerV1 ? mControllerV1->SetSignalLatency (samples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetCycleCount (uint32_t whichCycleCount, AAX_CPropertyValue* outCount) const
{
    return mControllerV1 ? mControllerV1->GetCycleCount (whichCycleCount, outCount) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SetCycleCount (uint32_t* whichCycleCounts, AAX_CPropertyValue* counts, int32_t numValues)
{
    return mControllerV1 ? mControllerV1->SetCycleCount (whichCycleCounts, counts, numValues) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetTODLocation (AAX_CTransportCounter* outTODLocation) const
{
    return mControllerV1 ? mControllerV1->GetTODLocation (outTODLocation) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t payloadSize)
{
    return mControllerV1 ? mControllerV1->PostPacket (field, payload, payloadSize) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID type, const void* data, uint32_t size)
{
    return mControllerV2 ? mControllerV2->SendNotification (type, data, size) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID type)
{
    return SendNotification (type, nullptr, 0);
}

AAX_Result AAX_VController::GetCurrentMeterValue (AAX_CTypeID meterID, float* outValue) const
{
    return mControllerV1 ? mControllerV1->GetCurrentMeterValue (meterID, outValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterPeakValue (AAX_CTypeID meterID, float* outValue) const
{
    return mControllerV1 ? mControllerV1->GetMeterPeakValue (meterID, outValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::ClearMeterPeakValue (AAX_CTypeID meterID) const
{
    return mControllerV1 ? mControllerV1->ClearMeterPeakValue (meterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterCount (uint32_t* outCount) const
{
    return mControllerV1 ? mControllerV1->GetMeterCount (outCount) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* outClipped) const
{
    return mControllerV1 ? mControllerV1->GetMeterClipped (meterID, outClipped) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::ClearMeterClipped (AAX_CTypeID meterID) const
{
    return mControllerV1 ? mControllerV1->ClearMeterClipped (meterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket)
{
    return mControllerV1 ? mControllerV1->GetNextMIDIPacket (outPort, outPacket) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* outSamples) const
{
    return mControllerV2 ? mControllerV2->GetHybridSignalLatency (outSamples) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const
{
    return mControllerV2 ? mControllerV2->GetCurrentAutomationTimestamp (outTimestamp) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetHostName (AAX_IString* outHostName) const
{
    return mControllerV2 ? mControllerV2->GetHostName (outHostName) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetPlugInTargetPlatform (AAX_CTargetPlatform* outPlatform) const
{
    return mControllerV3 ? mControllerV3->GetPlugInTargetPlatform (outPlatform) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const
{
    return mControllerV3 ? mControllerV3->GetIsAudioSuite (outIsAudioSuite) : AAX_ERROR_UNIMPLEMENTED;
}

template <class Copy>
AAX_IPageTable* AAX_VController::CopyTable (Copy&& copy) const
{
    ACFPtr<IAAXPageTableV2> table;
    if (mComponentFactory)
        table.create (mComponentFactory.get(), AAXCompID_PageTable, IID_IAAXPageTableV2);
    if (! table)
        return nullptr;

    if (ACFFAILED (copy (table.get())))
        return nullptr;

    // The proxy takes references of its own; ours goes when `table` does.
    return new AAX_VPageTable (table.get());
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID,
                                                           AAX_CPropertyValue productID, AAX_CPropertyValue plugInID,
                                                           uint32_t tableType, int32_t tablePageSize) const
{
    if (! mPageTableController)
        return nullptr;
    return CopyTable ([&] (IACFUnknown* table) {
        return mPageTableController->CopyTableForEffect (manufacturerID, productID, plugInID, tableType,
                                                         tablePageSize, table);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayout (const char* effectID, const char* layoutName,
                                                           uint32_t tableType, int32_t tablePageSize) const
{
    if (! mPageTableController)
        return nullptr;
    return CopyTable ([&] (IACFUnknown* table) {
        return mPageTableController->CopyTableForLayout (effectID, layoutName, tableType, tablePageSize, table);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffectFromFile (const char* filePath, int32_t filePathEncoding,
                                                                   AAX_CPropertyValue manufacturerID,
                                                                   AAX_CPropertyValue productID,
                                                                   AAX_CPropertyValue plugInID, uint32_t tableType,
                                                                   int32_t tablePageSize) const
{
    if (! mPageTableControllerV2)
        return nullptr;
    return CopyTable ([&] (IACFUnknown* table) {
        return mPageTableControllerV2->CopyTableForEffectFromFile (filePath, filePathEncoding, manufacturerID,
                                                                   productID, plugInID, tableType, tablePageSize,
                                                                   table);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayoutFromFile (const char* filePath, int32_t filePathEncoding,
                                                                   const char* layoutName, uint32_t tableType,
                                                                   int32_t tablePageSize) const
{
    if (! mPageTableControllerV2)
        return nullptr;
    return CopyTable ([&] (IACFUnknown* table) {
        return mPageTableControllerV2->CopyTableForLayoutFromFile (filePath, filePathEncoding, layoutName, tableType,
                                                                   tablePageSize, table);
    });
}
