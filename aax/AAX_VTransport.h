// Proxy of the host's transport. Version-1 operations answer -20004 when the
// host has no transport, later versions -20009.
#pragma once

#include "aax/AAX_ITransport.h"
#include "aax/ACFPtr.h"

class AAX_VTransport : public AAX_ITransport
{
public:
    explicit AAX_VTransport (IACFUnknown* hostUnknown);
    ~AAX_VTransport() override;

    AAX_VTransport (const AAX_VTransport&) = delete;
    AAX_VTransport& operator= (const AAX_VTransport&) = delete;

    AAX_Result GetCurrentTempo (double* outTempo) const override;
    AAX_Result GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const override;
    AAX_Result IsTransportPlaying (bool* outIsPlaying) const override;
    AAX_Result GetCurrentTickPosition (int64_t* outTickPosition) const override;
    AAX_Result GetCurrentLoopPosition (bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const override;
    AAX_Result GetCustomTickPosition (int64_t* outTickPosition, int64_t sampleLocation) const override;
    AAX_Result GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                   int64_t sampleLocation) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* outTicks) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* outTicks) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const override;
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* outRate, int64_t* outOffset) const override;
    AAX_Result IsMetronomeEnabled (int32_t* outEnabled) const override;
    AAX_Result GetHDTimeCodeInfo (AAX_EFrameRate* outFrameRate, int64_t* outOffset) const override;

private:
    ACFPtr<IAAXTransportV1> mTransportV1;
    ACFPtr<IAAXTransportV2> mTransportV2;
    ACFPtr<IAAXTransportV3> mTransportV3;
};
