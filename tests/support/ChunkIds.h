// The chunk ids the plug-in answers, as the code defines them, and the
// four-character form in which a host names a chunk.
#pragma once

#include "aax/AAX_CEffectParameters.h"
#include "aax/bridge/BridgeProcessor.h"

#include <cstdint>

namespace tarnello::test
{
// The host-interface layer's own settings chunk and the product's state chunk.
constexpr AAX_CTypeID kControlsChunk = AAX_CEffectParameters::kControlsChunkID;
constexpr AAX_CTypeID kStateChunk = aax::BridgeProcessor::kStateChunkID;

// 'abcd' as a host writes it: the first character in the highest byte.
constexpr AAX_CTypeID fourCharCode (const char (&text)[5])
{
    return (static_cast<AAX_CTypeID> (static_cast<unsigned char> (text[0])) << 24)
           | (static_cast<AAX_CTypeID> (static_cast<unsigned char> (text[1])) << 16)
           | (static_cast<AAX_CTypeID> (static_cast<unsigned char> (text[2])) << 8)
           | static_cast<AAX_CTypeID> (static_cast<unsigned char> (text[3]));
}
} // namespace tarnello::test
