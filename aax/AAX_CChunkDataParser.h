// The typed name/value list behind the 'elck' settings chunk, and its byte
// format. Chunk data is big-endian behind the magic 01 01 01 01; each entry is a
// two-byte type prefix ("f_", "l_", "d_", "s_" or "r_"), the name and a zero,
// padded to a multiple of 4, then the value.
//
// A chunk comes from the host and is not trusted: every read is bounded by the
// data size the header states, and loading stops at the first malformed entry,
// keeping the entries read before it.
#pragma once

#include "aax/AAX_CString.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

#include <vector>

class AAX_CChunkDataParser
{
public:
    enum EDataType : int32_t
    {
        kDataType_Unknown = 0,
        kDataType_Float   = 1,
        kDataType_Int32   = 2,
        kDataType_Double  = 3,
        kDataType_Int16   = 4,
        kDataType_String  = 5,
    };

    struct DataValue
    {
        int32_t mDataType = kDataType_Unknown;
        AAX_CString mDataName;          // the identifier, without its prefix
        double mDoubleValue = 0.0;      // type 3
        int64_t mIntValue = 0;          // types 1 (the float's bits), 2 and 4
        AAX_CString mStringValue;       // type 5
    };

    static constexpr uint32_t kMagic = 0x01010101;
    static constexpr AAX_Result kChunkDataOverflow = -333;

    AAX_CChunkDataParser() = default;
    virtual ~AAX_CChunkDataParser() = default;

    // Building: Clear, then append entries in order.
    void Clear();
    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, const char* value);

    // Replaces the list with the entries of `chunk`; a null chunk, a data size
    // below 5 or a wrong magic leave it empty.
    void LoadChunk (const AAX_SPlugInChunk* chunk);

    // Index of the entry with exactly this name, or -1. Lookups in stored order
    // cost one comparison each.
    int32_t FindName (const AAX_CString& name);
    bool FindDouble (const char* name, double* outValue);
    bool FindInt32 (const char* name, int32_t* outValue);
    bool FindString (const char* name, AAX_CString* outValue);

    // Number of data bytes the list takes in a chunk, magic included.
    uint64_t GetChunkDataSize() const;
    // Writes the list into the first `dataSize` bytes of the chunk's data;
    // 0, or -333 when it would not fit.
    AAX_Result GetChunkData (AAX_SPlugInChunk* chunk, uint64_t dataSize) const;

    int32_t GetChunkVersion() const noexcept { return mChunkVersion; }
    const std::vector<DataValue>& GetValues() const noexcept { return mDataValues; }

private:
    int32_t mLastFoundIndex = -1;
    int32_t mChunkVersion = -1;
    std::vector<DataValue> mDataValues;
};
