#include "aax/AAX_CChunkDataParser.h"

#include "aax/AAX_CHostServices.h"

#include <cstring>
#include <string>

namespace
{
constexpr char kTypePrefixes[] = "f_l_d_s_r_";
constexpr size_t kMaxNameLength = 255;

size_t alignUp4 (size_t offset) noexcept
{
    return (offset + 3) & ~static_cast<size_t> (3);
}

bool isWritable (int32_t type) noexcept
{
    return type >= AAX_CChunkDataParser::kDataType_Float && type <= AAX_CChunkDataParser::kDataType_String;
}

size_t valueWidth (const AAX_CChunkDataParser::DataValue& value) noexcept
{
    switch (value.mDataType)
    {
        case AAX_CChunkDataParser::kDataType_Double: return 8;
        case AAX_CChunkDataParser::kDataType_String: return (value.mStringValue.Length() & ~3u) + 4;
        default: return 4;
    }
}

// Prefix, name and its zero, padded, then the value.
size_t entryWidth (const AAX_CChunkDataParser::DataValue& value) noexcept
{
    return ((value.mDataName.Length() + 6) & ~3u) + valueWidth (value);
}

uint64_t readBigEndian (const uint8_t* bytes, size_t width) noexcept
{
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

void writeBigEndian (uint8_t* bytes, uint64_t value, size_t width) noexcept
{
    for (size_t i = 0; i < width; ++i)
        bytes[i] = static_cast<uint8_t> (value >> (8 * (width - 1 - i)));
}

// The end of the zero-terminated text starting at `from`, searched no further
// than `limit`; `limit` itself when there is no zero.
size_t findZero (const uint8_t* data, size_t from, size_t limit) noexcept
{
    const void* zero = std::memchr (data + from, 0, limit - from);
    return zero != nullptr ? static_cast<size_t> (static_cast<const uint8_t*> (zero) - data) : limit;
}
} // namespace

void AAX_CChunkDataParser::Clear()
{
    mLastFoundIndex = -1;
    mChunkVersion = -1;
    mDataValues.clear();
}

void AAX_CChunkDataParser::AddDouble (const char* name, double value)
{
    DataValue entry;
    entry.mDataType = kDataType_Double;
    entry.mDataName = AAX_CString (name);
    entry.mDoubleValue = value;
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::AddInt32 (const char* name, int32_t value)
{
    DataValue entry;
    entry.mDataType = kDataType_Int32;
    entry.mDataName = AAX_CString (name);
    entry.mIntValue = value;
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::AddString (const char* name, const char* value)
{
    DataValue entry;
    entry.mDataType = kDataType_String;
    entry.mDataName = AAX_CString (name);
    entry.mStringValue = AAX_CString (value);
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::LoadChunk (const AAX_SPlugInChunk* chunk)
{
    Clear();
    if (chunk == nullptr)
        return;

    mChunkVersion = chunk->fVersion;
    if (chunk->fSize < 5)
        return;

    const auto* data = reinterpret_cast<const uint8_t*> (chunk->fData);
    const auto size = static_cast<size_t> (chunk->fSize);
    if (readBigEndian (data, 4) != kMagic)
        return;

    size_t offset = 4;
    while (offset < size)
    {
        const size_t nameLimit = offset + std::min (size - offset, kMaxNameLength);
        const size_t nameEnd = findZero (data, offset, nameLimit);
        if (nameEnd == nameLimit)
            return; // no terminating zero
        const size_t nameLength = nameEnd - offset;
        const auto* name = reinterpret_cast<const char*> (data + offset);
        offset = alignUp4 (nameEnd + 1);

        // A name too short for its type prefix is kept as an entry of no type, as an
        // unknown type is, and the entries after it still load.
        DataValue entry;
        if (nameLength < 2)
        {
            mDataValues.push_back (std::move (entry));
            continue;
        }
        entry.mDataName = AAX_CString (std::string (name + 2, nameLength - 2));

        const auto fits = [&] (size_t width) { return offset <= size && width <= size - offset; };
        switch (name[0])
        {
            case 'd':
            {
                if (! fits (8))
                    return;
                const uint64_t bits = readBigEndian (data + offset, 8);
                std::memcpy (&entry.mDoubleValue, &bits, sizeof (double));
                entry.mDataType = kDataType_Double;
                offset += 8;
                break;
            }
            case 'f':
            case 'l':
            {
                if (! fits (4))
                    return;
                const auto bits = static_cast<uint32_t> (readBigEndian (data + offset, 4));
                entry.mDataType = name[0] == 'f' ? kDataType_Float : kDataType_Int32;
                entry.mIntValue = name[0] == 'f' ? static_cast<int64_t> (bits)
                                                 : static_cast<int64_t> (static_cast<int32_t> (bits));
                offset += 4;
                break;
            }
            case 's':
            {
                if (! fits (2))
                    return;
                entry.mDataType = kDataType_Int16;
                entry.mIntValue = static_cast<int64_t> (readBigEndian (data + offset, 2));
                offset += 4;
                break;
            }
            case 'r':
            {
                if (offset >= size)
                    return;
                const size_t textEnd = findZero (data, offset, size);
                if (textEnd == size)
                    return; // text runs past the data
                entry.mDataType = kDataType_String;
                entry.mStringValue = AAX_CString (
                    std::string (reinterpret_cast<const char*> (data + offset), textEnd - offset));
                offset = alignUp4 (textEnd + 1);
                break;
            }
            default:
                break;
        }
        mDataValues.push_back (std::move (entry));
    }
}

int32_t AAX_CChunkDataParser::FindName (const AAX_CString& name)
{
    const auto count = static_cast<int32_t> (mDataValues.size());
    int32_t last = mLastFoundIndex;
    if (last >= count - 1)
        last = -1;
    if (last < -1)
        return -1;

    for (int32_t i = last + 1; i < count; ++i)
        if (mDataValues[static_cast<size_t> (i)].mDataName == name)
            return mLastFoundIndex = i;

    if (last == -1)
        return -1;

    for (int32_t i = 0; i <= last; ++i)
        if (mDataValues[static_cast<size_t> (i)].mDataName == name)
            return mLastFoundIndex = i;
    return -1;
}

bool AAX_CChunkDataParser::FindDouble (const char* name, double* outValue)
{
    const int32_t index = FindName (AAX_CString (name != nullptr ? name : ""));
    if (index < 0 || mDataValues[static_cast<size_t> (index)].mDataType != kDataType_Double || outValue == nullptr)
        return false;
    *outValue = mDataValues[static_cast<size_t> (index)].mDoubleValue;
    return true;
}

bool AAX_CChunkDataParser::FindInt32 (const char* name, int32_t* outValue)
{
    const int32_t index = FindName (AAX_CString (name != nullptr ? name : ""));
    if (index < 0 || mDataValues[static_cast<size_t> (index)].mDataType != kDataType_Int32 || outValue == nullptr)
        return false;
    *outValue = static_cast<int32_t> (mDataValues[static_cast<size_t> (index)].mIntValue);
    return true;
}

bool AAX_CChunkDataParser::FindString (const char* name, AAX_CString* outValue)
{
    const int32_t index = FindName (AAX_CString (name != nullptr ? name : ""));
    if (index < 0 || mDataValues[static_cast<size_t> (index)].mDataType != kDataType_String || outValue == nullptr)
        return false;
    *outValue = mDataValues[static_cast<size_t> (index)].mStringValue;
    return true;
}

uint64_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    uint64_t size = 4;
    for (const auto& value : mDataValues)
        if (isWritable (value.mDataType))
            size += entryWidth (value);
    return size;
}

AAX_Result AAX_CChunkDataParser::GetChunkData (AAX_SPlugInChunk* chunk, uint64_t dataSize) const
{
    if (chunk == nullptr || dataSize < 4)
        return kChunkDataOverflow;

    auto* data = reinterpret_cast<uint8_t*> (chunk->fData);
    std::memset (data, 0, static_cast<size_t> (dataSize));
    writeBigEndian (data, kMagic, 4);

    uint64_t offset = 4;
    for (const auto& value : mDataValues)
    {
        if (! isWritable (value.mDataType))
            continue;

        if (offset + entryWidth (value) > dataSize)
        {
            AAX_CHostServices::Trace (AAX::kTracePriority_Critical, "AAX_CChunkDataParser::GetChunkData ERROR: %s",
                                      "aborting: chunk data will overflow buffer");
            return kChunkDataOverflow;
        }

        uint8_t* entry = data + offset;
        const auto typeIndex = static_cast<size_t> (value.mDataType - 1);
        entry[0] = static_cast<uint8_t> (kTypePrefixes[2 * typeIndex]);
        entry[1] = static_cast<uint8_t> (kTypePrefixes[2 * typeIndex + 1]);
        std::memcpy (entry + 2, value.mDataName.Get(), value.mDataName.Length());
        uint8_t* field = entry + ((value.mDataName.Length() + 6) & ~3u);

        switch (value.mDataType)
        {
            case kDataType_Double:
            {
                uint64_t bits = 0;
                std::memcpy (&bits, &value.mDoubleValue, sizeof (double));
                writeBigEndian (field, bits, 8);
                break;
            }
            case kDataType_Int16:
                writeBigEndian (field, static_cast<uint64_t> (value.mIntValue), 2);
                break;
            case kDataType_String:
                std::memcpy (field, value.mStringValue.Get(), value.mStringValue.Length());
                break;
            default:
                writeBigEndian (field, static_cast<uint64_t> (value.mIntValue), 4);
                break;
        }
        offset += entryWidth (value);
    }
    return AAX_SUCCESS;
}
