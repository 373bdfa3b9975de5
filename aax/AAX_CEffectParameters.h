// The object through which the host reaches an effect's parameters, its
// 'elck' settings chunk, coefficient packets and notifications. An effect
// derives from it, registers its parameters in EffectInit and overrides what
// it handles itself.
#pragma once

#include "aax/AAX_CChunkDataParser.h"
#include "aax/AAX_CPacketDispatcher.h"
#include "aax/AAX_CParameterManager.h"
#include "aax/AAX_IEffectParameters.h"
#include "aax/AAX_VAutomationDelegate.h"
#include "aax/AAX_VController.h"
#include "aax/AAX_VTransport.h"

#include <atomic>
#include <memory>
#include <set>
#include <string>

class AAX_IPageTable;

class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    static constexpr AAX_CTypeID kControlsChunkID = 0x656C636B;     // 'elck'
    static constexpr const char* kControlsChunkName = "Complete Controls State";
    static constexpr AAX_CTypeID kPreviewNotification = 0x41535076; // 'ASPv'
    static constexpr const char* kMasterBypassID = "MasterBypassID";
    static constexpr const char* kPreviewID = "PreviewID";

    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    // AAX_IACFEffectParameters
    AAX_Result Initialize (IACFUnknown* hostUnknown) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override;
    AAX_Result GetNumberOfParameters (int32_t* outCount) const override;
    AAX_Result GetMasterBypassParameter (AAX_IString* outID) const override;
    AAX_Result GetParameterIsAutomatable (AAX_CParamID id, AAX_CBoolean* outAutomatable) const override;
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID id, int32_t* outSteps) const override;
    AAX_Result GetParameterName (AAX_CParamID id, AAX_IString* outName) const override;
    AAX_Result GetParameterNameOfLength (AAX_CParamID id, AAX_IString* outName, int32_t length) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID id, double* outValue) const override;
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID id, double value) override;
    AAX_Result GetParameterType (AAX_CParamID id, AAX_EParameterType* outType) const override;
    AAX_Result GetParameterOrientation (AAX_CParamID id, AAX_EParameterOrientation* outOrientation) const override;
    AAX_Result GetParameter (AAX_CParamID id, AAX_IParameter** outParameter) override;
    AAX_Result GetParameterIndex (AAX_CParamID id, int32_t* outIndex) const override;
    AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* outID) const override;
    AAX_Result GetParameterValueInfo (AAX_CParamID id, int32_t selector, int32_t* outValue) const override;
    AAX_Result GetParameterValueFromString (AAX_CParamID id, double* outValue, const AAX_IString& text) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* outText,
                                            int32_t maxLength) const override;
    AAX_Result GetParameterValueString (AAX_CParamID id, AAX_IString* outText, int32_t maxLength) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID id, double* outValue) const override;
    AAX_Result SetParameterNormalizedValue (AAX_CParamID id, double value) override;
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID id, double delta) override;
    AAX_Result TouchParameter (AAX_CParamID id) override;
    AAX_Result ReleaseParameter (AAX_CParamID id) override;
    AAX_Result UpdateParameterTouch (AAX_CParamID id, AAX_CBoolean touchState) override;
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source) override;
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID id, double delta) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t dataSize) const override;
    AAX_Result GetNumberOfChunks (int32_t* outCount) const override;
    AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* outChunkID) const override;
    AAX_Result GetChunkSize (AAX_CTypeID chunkID, uint32_t* outSize) const override;
    AAX_Result GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* outChunk) const override;
    AAX_Result SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* outIsEqual) const override;
    AAX_Result GetNumberOfChanges (int32_t* outChanges) const override;
    AAX_Result TimerWakeup() override;
    AAX_Result GetCurveData (AAX_CTypeID curveType, const float* values, uint32_t numValues,
                             float* outValues) const override;
    AAX_Result GetCustomData (AAX_CTypeID dataBlockID, uint32_t size, void* data, uint32_t* outSize) const override;
    AAX_Result SetCustomData (AAX_CTypeID dataBlockID, uint32_t size, const void* data) override;
    AAX_Result DoMIDITransfers() override;
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* renderInfo) override;
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex field, AAX_CMidiPacket& packet) override;
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& packet) override;
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID curveType, uint32_t* outXMeterID, uint32_t* outYMeterID) const override;
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID curveType, float* outXMin, float* outXMax, float* outYMin,
                                         float* outYMax) const override;
    AAX_Result UpdatePageTable (uint32_t tableType, int32_t tablePageSize, IACFUnknown* hostUnknown,
                                IACFUnknown* pageTableUnknown) const override;

    // Registers the effect's parameters and packets; called by Initialize.
    virtual AAX_Result EffectInit();
    // Maps parameters onto a control-surface page table; nothing is mapped here.
    virtual AAX_Result UpdatePageTable (uint32_t tableType, int32_t tablePageSize, AAX_IPageTable& pageTable) const;

    // The host proxies; null before Initialize and after Uninitialize.
    AAX_IController* Controller() const noexcept { return mController.get(); }
    AAX_ITransport* Transport() const noexcept { return mTransport.get(); }
    AAX_IAutomationDelegate* AutomationDelegate() const noexcept { return mAutomationDelegate.get(); }
    // The delegate parameters post through: null when the host offers none, so that
    // parameters then take their values at once.
    AAX_IAutomationDelegate* ParameterAutomationDelegate() const noexcept;

protected:
    // Fills the parser from the current parameter values.
    void BuildChunkData() const;
    bool IsFiltered (AAX_CParamID id) const;
    // After a value that took effect at once, for want of a host to answer: its packets go out too.
    void MarkPacketsDirtyWithoutHost (AAX_CParamID id);

    std::atomic<int32_t> mNumPlugInChanges { 0 };
    mutable uint32_t mChunkSize = 0;
    mutable AAX_CChunkDataParser mChunkParser;
    int32_t mNumChunkedParameters = 0;
    AAX_CPacketDispatcher mPacketDispatcher;
    AAX_CParameterManager mParameterManager;
    std::set<std::string> mFilteredParameters;
    std::unique_ptr<AAX_VController> mController;
    std::unique_ptr<AAX_VTransport> mTransport;
    std::unique_ptr<AAX_VAutomationDelegate> mAutomationDelegate;

private:
    bool mInitialized = false;
};
