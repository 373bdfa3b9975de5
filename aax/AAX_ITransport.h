// The plug-in's view of the host's transport: tempo, meter, play state and positions.
#pragma once

#include "aax/AAX_Errors.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    virtual AAX_Result GetCurrentTempo (double* outTempo) const = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) const = 0;
    virtual AAX_Result IsTransportPlaying (bool* outIsPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* outTickPosition) const = 0;
    virtual AAX_Result GetCurrentLoopPosition (bool* outLooping, int64_t* outStartTick, int64_t* outEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* outTickPosition, int64_t sampleLocation) const = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks,
                                           int64_t sampleLocation) const = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* outTicks) const = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* outTicks) const = 0;
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const = 0;
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const = 0;
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* outRate, int64_t* outOffset) const = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* outEnabled) const = 0;
    virtual AAX_Result GetHDTimeCodeInfo (AAX_EFrameRate* outFrameRate, int64_t* outOffset) const = 0;
};
