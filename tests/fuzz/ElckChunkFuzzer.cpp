// libFuzzer target: an 'elck' settings chunk from the host, read by the parser
// and then applied to and compared with an effect holding the product's
// parameter set. The input is the chunk's data; the header states its size.

#include "aax/AAX_CEffectParameters.h"
#include "aax/AAX_CLinearTaperDelegate.h"
#include "aax/AAX_CNumberDisplayDelegate.h"
#include "aax/AAX_CParameter.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
class FuzzEffect : public AAX_CEffectParameters
{
public:
    AAX_Result EffectInit() override
    {
        for (int i = 0; i < 24; ++i)
        {
            const std::string id = std::to_string (i);
            mParameterManager.AddParameter (new AAX_CParameter<float> (
                id.c_str(), AAX_CString (id.c_str()), 0.5f, AAX_CLinearTaperDelegate<float, 0>(),
                AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true));
        }
        return AAX_SUCCESS;
    }
};

FuzzEffect& effect()
{
    static FuzzEffect instance;
    static const bool initialized = instance.Initialize (nullptr) == AAX_SUCCESS;
    (void) initialized;
    return instance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;

    // The host's allocation: a header and exactly the data it states.
    std::vector<uint8_t> bytes (kPlugInChunkHeaderSize + size);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    chunk->fSize = static_cast<int32_t> (size);
    chunk->fChunkID = AAX_CEffectParameters::kControlsChunkID;
    if (size > 0)
        std::memcpy (bytes.data() + kPlugInChunkHeaderSize, data, size);

    AAX_CChunkDataParser parser;
    parser.LoadChunk (chunk);
    for (const auto& value : parser.GetValues())
    {
        double d = 0.0;
        int32_t n = 0;
        AAX_CString s;
        parser.FindDouble (value.mDataName.Get(), &d);
        parser.FindInt32 (value.mDataName.Get(), &n);
        parser.FindString (value.mDataName.Get(), &s);
    }

    auto& fx = effect();
    AAX_CBoolean equal = 0;
    fx.CompareActiveChunk (chunk, &equal);
    fx.SetChunk (AAX_CEffectParameters::kControlsChunkID, chunk);

    // Whatever the chunk held, every parameter stays a position.
    for (int i = 0; i < 24; ++i)
    {
        double position = -1.0;
        fx.GetParameterNormalizedValue (std::to_string (i).c_str(), &position);
        if (! (position >= 0.0 && position <= 1.0))
            std::abort();
    }
    return 0;
}
