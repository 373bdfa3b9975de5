#include "tests/aax/RuntimeTestSupport.h"
#include "tests/support/ChunkIds.h"

#include <cmath>

namespace
{
using namespace tarnello::test;
using Bytes = std::vector<uint8_t>;


const Bytes kMagic { 0x01, 0x01, 0x01, 0x01 };

Bytes operator+ (Bytes a, const Bytes& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}

// One entry as the writer lays it out: prefix, name, zero, padding, value.
Bytes entry (const std::string& prefixedName, const Bytes& value)
{
    Bytes bytes (prefixedName.begin(), prefixedName.end());
    bytes.push_back (0);
    while (bytes.size() % 4 != 0)
        bytes.push_back (0);
    return bytes + value;
}

const Bytes kHalf { 0x3F, 0xE0, 0, 0, 0, 0, 0, 0 };    // 0.5
const Bytes kQuarter { 0x3F, 0xD0, 0, 0, 0, 0, 0, 0 }; // 0.25

struct Entry
{
    int32_t type;
    std::string name;
    bool operator== (const Entry& other) const { return type == other.type && name == other.name; }
};

std::vector<Entry> entriesOf (const AAX_CChunkDataParser& parser)
{
    std::vector<Entry> entries;
    for (const auto& value : parser.GetValues())
        entries.push_back ({ value.mDataType, value.mDataName.StdString() });
    return entries;
}

//==============================================================================
TEST (ChunkDataParser, WritesDoublesBigEndianBehindTheMagic)
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("0", 0.5);
    parser.AddDouble ("10", 0.25);
    ASSERT_EQ (parser.GetChunkDataSize(), 32u);

    Bytes bytes (kPlugInChunkHeaderSize + 32, 0xEE);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    ASSERT_EQ (parser.GetChunkData (chunk, 32), AAX_SUCCESS);

    const Bytes expected = kMagic + Bytes { 0x64, 0x5F, 0x30, 0x00 } + kHalf
                         + Bytes { 0x64, 0x5F, 0x31, 0x30, 0x00, 0x00, 0x00, 0x00 } + kQuarter;
    EXPECT_EQ (Bytes (bytes.begin() + kPlugInChunkHeaderSize, bytes.end()), expected);
}

TEST (ChunkDataParser, WritesEveryTypeItCanRead)
{
    AAX_CChunkDataParser parser;
    parser.AddInt32 ("n", -2);
    parser.AddString ("s", "abc");
    parser.AddString ("t", "abcd");
    const Bytes expected = kMagic + entry ("l_n", { 0xFF, 0xFF, 0xFF, 0xFE })
                         + entry ("r_s", { 'a', 'b', 'c', 0 }) + entry ("r_t", { 'a', 'b', 'c', 'd', 0, 0, 0, 0 });
    ASSERT_EQ (parser.GetChunkDataSize(), expected.size());

    Bytes bytes (kPlugInChunkHeaderSize + expected.size());
    ASSERT_EQ (parser.GetChunkData (reinterpret_cast<AAX_SPlugInChunk*> (bytes.data()), expected.size()), AAX_SUCCESS);
    EXPECT_EQ (Bytes (bytes.begin() + kPlugInChunkHeaderSize, bytes.end()), expected);

    // And reads back what it wrote.
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    chunk->fSize = static_cast<int32_t> (expected.size());
    AAX_CChunkDataParser reader;
    reader.LoadChunk (chunk);
    int32_t n = 0;
    AAX_CString s, t;
    EXPECT_TRUE (reader.FindInt32 ("n", &n));
    EXPECT_TRUE (reader.FindString ("s", &s));
    EXPECT_TRUE (reader.FindString ("t", &t));
    EXPECT_EQ (n, -2);
    EXPECT_EQ (s.StdString(), "abc");
    EXPECT_EQ (t.StdString(), "abcd");
}

TEST (ChunkDataParser, ReadsTheFiveTypesAndKeepsUnknownOnesWithoutAValue)
{
    const Bytes data = kMagic + entry ("f_a", { 0x3F, 0x80, 0x00, 0x00 }) + entry ("l_b", { 0x00, 0x00, 0x01, 0x00 })
                     + entry ("d_c", kHalf) + entry ("s_d", { 0x12, 0x34, 0x00, 0x00 }) + entry ("q_e", {})
                     + entry ("r_f", { 'h', 'i', 0, 0 }) + entry ("d_g", kQuarter);
    const auto bytes = chunkBytes (kControlsChunk, data);
    AAX_CChunkDataParser parser;
    parser.LoadChunk (asChunk (bytes));

    using P = AAX_CChunkDataParser;
    const std::vector<Entry> expected { { P::kDataType_Float, "a" },   { P::kDataType_Int32, "b" },
                                        { P::kDataType_Double, "c" },  { P::kDataType_Int16, "d" },
                                        { P::kDataType_Unknown, "e" }, { P::kDataType_String, "f" },
                                        { P::kDataType_Double, "g" } };
    EXPECT_EQ (entriesOf (parser), expected);
    const auto& values = parser.GetValues();
    EXPECT_EQ (values[0].mIntValue, 0x3F800000);
    EXPECT_EQ (values[1].mIntValue, 256);
    EXPECT_EQ (values[2].mDoubleValue, 0.5);
    EXPECT_EQ (values[3].mIntValue, 0x1234);
    EXPECT_EQ (values[5].mStringValue.StdString(), "hi");
    EXPECT_EQ (values[6].mDoubleValue, 0.25);
}

// Chunks a host could hand over: every read stays inside the data, and what was
// read before the first malformed entry is kept.
TEST (ChunkDataParser, StopsAtTheFirstMalformedEntryWithoutReadingPastTheData)
{
    const Bytes good = kMagic + entry ("d_0", kHalf);
    using P = AAX_CChunkDataParser;
    const std::vector<Entry> justTheGoodOne { { P::kDataType_Double, "0" } };

    struct Case
    {
        const char* what;
        Bytes data;
        int32_t declaredSize;
        std::vector<Entry> expected;
    };
    const std::vector<Case> cases = {
        { "magic only", kMagic, 4, {} },
        { "size below five", kMagic + Bytes { 0x64 }, 4, {} },
        { "negative size", good, -8, {} },
        { "wrong magic", Bytes { 0x01, 0x01, 0x01, 0x02 } + entry ("d_0", kHalf), 16, {} },
        { "name without its zero", good + Bytes { 'd', '_', '1', '2' }, 20, justTheGoodOne },
        { "double running past the data", good + entry ("d_1", { 0x3F, 0xE0, 0, 0 }), 24, justTheGoodOne },
        { "float running past the data", good + entry ("f_1", { 0x3F, 0x80 }), 22, justTheGoodOne },
        { "integer running past the data", good + entry ("l_1", {}), 20, justTheGoodOne },
        { "short running past the data", good + entry ("s_1", { 0x12 }), 21, justTheGoodOne },
        { "text without its zero", good + entry ("r_1", { 'a', 'b', 'c', 'd' }), 24, justTheGoodOne },
        { "text entry with no text", good + entry ("r_1", {}), 20, justTheGoodOne },
        { "declared size shorter than the data", good + entry ("d_1", kQuarter), 16, justTheGoodOne },
        { "name longer than any identifier", good + Bytes (300, 'x'), 316, justTheGoodOne },
    };

    for (const auto& c : cases)
    {
        // The host's allocation holds exactly the declared data, so a read beyond it is caught.
        Bytes data = c.data;
        data.resize (static_cast<size_t> (std::max (c.declaredSize, 0)));
        const auto bytes = chunkBytes (kControlsChunk, data, c.declaredSize);
        AAX_CChunkDataParser parser;
        parser.LoadChunk (asChunk (bytes));
        EXPECT_EQ (entriesOf (parser), c.expected) << c.what;
    }
}

TEST (ChunkDataParser, ANameShorterThanItsPrefixIsAnUntypedEntryAndTheRestStillLoads)
{
    using P = AAX_CChunkDataParser;
    const Bytes before = kMagic + entry ("d_0", kHalf);
    const Bytes after = entry ("d_1", kQuarter) + entry ("l_2", { 0, 0, 0, 7 });
    const std::vector<Entry> expected { { P::kDataType_Double, "0" }, { P::kDataType_Unknown, "" },
                                        { P::kDataType_Double, "1" }, { P::kDataType_Int32, "2" } };

    struct Case { const char* what; Bytes shortName; };
    const std::vector<Case> cases = {
        { "empty name", { 0, 0, 0, 0 } },
        { "type letter alone", { 'd', 0, 0, 0 } },
        { "unknown letter alone", { 'q', 0, 0, 0 } },
    };
    for (const auto& c : cases)
    {
        const auto bytes = chunkBytes (kControlsChunk, before + c.shortName + after);
        AAX_CChunkDataParser parser;
        parser.LoadChunk (asChunk (bytes));
        EXPECT_EQ (entriesOf (parser), expected) << c.what;
        double quarter = 0.0;
        int32_t seven = 0;
        EXPECT_TRUE (parser.FindDouble ("1", &quarter)) << c.what;
        EXPECT_EQ (quarter, 0.25) << c.what;
        EXPECT_TRUE (parser.FindInt32 ("2", &seven)) << c.what;
        EXPECT_EQ (seven, 7) << c.what;
    }
}

TEST (ChunkDataParser, ReadsTheEntryAfterAPaddedTextAndNoneFromThePadding)
{
    const Bytes data = kMagic + entry ("r_a", { 'x', 0, 0, 0 }) + entry ("d_b", kHalf);
    const auto bytes = chunkBytes (kControlsChunk, data);
    AAX_CChunkDataParser parser;
    parser.LoadChunk (asChunk (bytes));
    using P = AAX_CChunkDataParser;
    const std::vector<Entry> expected { { P::kDataType_String, "a" }, { P::kDataType_Double, "b" } };
    EXPECT_EQ (entriesOf (parser), expected);
}

TEST (ChunkDataParser, FindsNamesInAnyOrderAndOnlyWithTheirType)
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("a", 1.0);
    parser.AddDouble ("b", 2.0);
    parser.AddInt32 ("c", 3);
    parser.AddString ("d", "four");

    EXPECT_EQ (parser.FindName (AAX_CString ("b")), 1);
    EXPECT_EQ (parser.FindName (AAX_CString ("c")), 2);
    EXPECT_EQ (parser.FindName (AAX_CString ("a")), 0); // wraps round
    EXPECT_EQ (parser.FindName (AAX_CString ("d")), 3);
    EXPECT_EQ (parser.FindName (AAX_CString ("d")), 3); // found again after the last
    EXPECT_EQ (parser.FindName (AAX_CString ("zz")), -1);

    double d = -1.0;
    int32_t n = -1;
    AAX_CString s ("untouched");
    EXPECT_FALSE (parser.FindDouble ("c", &d));
    EXPECT_FALSE (parser.FindInt32 ("a", &n));
    EXPECT_FALSE (parser.FindString ("a", &s));
    EXPECT_FALSE (parser.FindDouble (nullptr, &d));
    EXPECT_EQ (d, -1.0);
    EXPECT_EQ (n, -1);
    EXPECT_EQ (s.StdString(), "untouched");
    EXPECT_TRUE (parser.FindDouble ("b", &d));
    EXPECT_EQ (d, 2.0);
}

TEST (ChunkDataParser, OnlyTheMagicWithoutEntries)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ (parser.GetChunkDataSize(), 4u);
    Bytes bytes (kPlugInChunkHeaderSize + 4);
    ASSERT_EQ (parser.GetChunkData (reinterpret_cast<AAX_SPlugInChunk*> (bytes.data()), 4), AAX_SUCCESS);
    EXPECT_EQ (Bytes (bytes.begin() + kPlugInChunkHeaderSize, bytes.end()), kMagic);
    EXPECT_EQ (parser.GetChunkData (reinterpret_cast<AAX_SPlugInChunk*> (bytes.data()), 3), -333);
}

//==============================================================================
class ControlsChunk : public InitializedEffectFixture
{
protected:
    // The 'elck' chunk the way a host fetches it: size first, then the chunk.
    Bytes fetch()
    {
        uint32_t size = 0;
        EXPECT_EQ (effect.GetChunkSize (kControlsChunk, &size), AAX_SUCCESS);
        Bytes bytes (kPlugInChunkHeaderSize + size, 0);
        auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
        chunk->fChunkID = kControlsChunk;
        EXPECT_EQ (effect.GetChunk (kControlsChunk, chunk), AAX_SUCCESS);
        return bytes;
    }
};

TEST_F (ControlsChunk, Holds348BytesForThe24ParametersAndNoBypass)
{
    uint32_t size = 0;
    ASSERT_EQ (effect.GetChunkSize (kControlsChunk, &size), AAX_SUCCESS);
    EXPECT_EQ (size, 348u);
    EXPECT_EQ (effect.numChunkedParameters(), 24);

    const Bytes bytes = fetch();
    const auto* chunk = asChunk (bytes);
    EXPECT_EQ (chunk->fSize, 348);
    EXPECT_EQ (chunk->fVersion, -1);
    EXPECT_EQ (chunk->fChunkID, kControlsChunk);
    EXPECT_STREQ (chunk->fName, "Complete Controls State");

    // "0" holds 0.0 by default; "5" holds 0.5.
    const Bytes data = chunkData (bytes);
    const Bytes zero = kMagic + Bytes { 0x64, 0x5F, 0x30, 0x00 } + Bytes (8, 0);
    EXPECT_EQ (Bytes (data.begin(), data.begin() + 16), zero);
    const Bytes five = Bytes { 0x64, 0x5F, 0x35, 0x00 } + kHalf;
    EXPECT_EQ (Bytes (data.begin() + 4 + 5 * 12, data.begin() + 4 + 6 * 12), five);
    const std::string asText (data.begin(), data.end());
    EXPECT_EQ (asText.find ("MasterBypassID"), std::string::npos);
}

TEST_F (ControlsChunk, EncodesIdZeroAtAHalfAsTheGoldenBytes)
{
    effect.UpdateParameterNormalizedValue ("0", 0.5, 0);
    const Bytes data = chunkData (fetch());
    EXPECT_EQ (Bytes (data.begin() + 4, data.begin() + 16),
               (Bytes { 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00 }));
}

TEST_F (ControlsChunk, RoundTripsEveryParameterThroughTheHost)
{
    for (int i = 0; i < 24; ++i)
        effect.UpdateParameterNormalizedValue (std::to_string (i).c_str(), (i + 1) / 32.0, 0);
    const Bytes saved = fetch();

    for (int i = 0; i < 24; ++i)
        effect.UpdateParameterNormalizedValue (std::to_string (i).c_str(), 1.0, 0);
    context->automation().clearEvents();
    ASSERT_EQ (effect.SetChunk (kControlsChunk, asChunk (saved)), AAX_SUCCESS);

    for (int i = 0; i < 24; ++i)
        EXPECT_DOUBLE_EQ (value (std::to_string (i).c_str()), (i + 1) / 32.0) << i;
    // Each value went to the host as a set request.
    int requests = 0;
    for (const auto& event : context->automation().events())
        requests += event.kind == tarnello::host::AutomationEvent::Kind::SetRequest ? 1 : 0;
    EXPECT_EQ (requests, 24);

    AAX_CBoolean equal = 0;
    ASSERT_EQ (effect.CompareActiveChunk (asChunk (saved), &equal), AAX_SUCCESS);
    EXPECT_TRUE (equal);
}

TEST_F (ControlsChunk, ComparesUnequalAfterAChangeAndEqualForOtherChunks)
{
    const Bytes saved = fetch();
    effect.UpdateParameterNormalizedValue ("7", 0.99, 0);
    AAX_CBoolean equal = 1;
    ASSERT_EQ (effect.CompareActiveChunk (asChunk (saved), &equal), AAX_SUCCESS);
    EXPECT_FALSE (equal);

    const auto juce = chunkBytes (kStateChunk, { 1, 2, 3, 4 });
    ASSERT_EQ (effect.CompareActiveChunk (asChunk (juce), &equal), AAX_SUCCESS);
    EXPECT_TRUE (equal);

    // A chunk missing a parameter is not the active state either.
    const auto partial = chunkBytes (kControlsChunk, kMagic + entry ("d_0", kHalf));
    ASSERT_EQ (effect.CompareActiveChunk (asChunk (partial), &equal), AAX_SUCCESS);
    EXPECT_FALSE (equal);
}

TEST_F (ControlsChunk, KeepsParametersTheChunkDoesNotNameOrGetsWrong)
{
    effect.UpdateParameterNormalizedValue ("1", 0.3, 0);
    effect.UpdateParameterNormalizedValue ("2", 0.3, 0);
    const auto chunk = chunkBytes (kControlsChunk, kMagic + entry ("d_0", kHalf) + entry ("l_1", { 0, 0, 0, 1 })
                                              + entry ("d_99", kHalf) + entry ("d_MasterBypassID", kHalf));
    ASSERT_EQ (effect.SetChunk (kControlsChunk, asChunk (chunk)), AAX_SUCCESS);
    EXPECT_EQ (value ("0"), 0.5);
    EXPECT_NEAR (value ("1"), 0.3, 1e-7); // wrong type
    EXPECT_NEAR (value ("2"), 0.3, 1e-7); // absent
    EXPECT_EQ (value ("MasterBypassID"), 0.0);

    const auto magicOnly = chunkBytes (kControlsChunk, kMagic);
    ASSERT_EQ (effect.SetChunk (kControlsChunk, asChunk (magicOnly)), AAX_SUCCESS);
    EXPECT_EQ (value ("0"), 0.5);
}

TEST_F (ControlsChunk, LetsNoNaNOrOutOfRangeValueThrough)
{
    const Bytes nan { 0x7F, 0xF8, 0, 0, 0, 0, 0, 0 };
    const Bytes huge { 0x7F, 0xEF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF }; // the largest double
    const Bytes minusTwo { 0xC0, 0x00, 0, 0, 0, 0, 0, 0 };
    const auto chunk = chunkBytes (kControlsChunk, kMagic + entry ("d_0", nan) + entry ("d_1", huge) + entry ("d_2", minusTwo));
    effect.UpdateParameterNormalizedValue ("0", 0.5, 0);
    ASSERT_EQ (effect.SetChunk (kControlsChunk, asChunk (chunk)), AAX_SUCCESS);
    EXPECT_EQ (value ("0"), 0.0);
    EXPECT_EQ (value ("1"), 1.0);
    EXPECT_EQ (value ("2"), 0.0);

    AAX_CBoolean equal = 1;
    effect.CompareActiveChunk (asChunk (chunk), &equal);
    EXPECT_FALSE (equal); // a NaN equals nothing
}

TEST_F (ControlsChunk, AnswersItsCodesForWrongIdsMissingSizeQueriesAndNullChunks)
{
    uint32_t size = 7;
    EXPECT_EQ (effect.GetChunkSize (kStateChunk, &size), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (size, 0u);

    Bytes bytes (kPlugInChunkHeaderSize + 348, 0);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (bytes.data());
    EXPECT_EQ (effect.GetChunk (kControlsChunk, chunk), AAX_ERROR_INCORRECT_CHUNK_SIZE); // no size query yet
    EXPECT_EQ (effect.GetChunk (kStateChunk, chunk), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (effect.SetChunk (kStateChunk, chunk), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (effect.SetChunk (kControlsChunk, nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (effect.GetChunk (kControlsChunk, nullptr), AAX_ERROR_NULL_ARGUMENT);

    int32_t count = 0;
    AAX_CTypeID id = 1;
    EXPECT_EQ (effect.GetNumberOfChunks (&count), AAX_SUCCESS);
    EXPECT_EQ (count, 1);
    EXPECT_EQ (effect.GetChunkIDFromIndex (0, &id), AAX_SUCCESS);
    EXPECT_EQ (id, kControlsChunk);
    EXPECT_EQ (effect.GetChunkIDFromIndex (1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
    EXPECT_EQ (id, 0u);
}

TEST_F (ControlsChunk, WithoutParametersIsOnlyTheMagic)
{
    TestEffect empty (0, false);
    uint32_t size = 0;
    ASSERT_EQ (empty.GetChunkSize (kControlsChunk, &size), AAX_SUCCESS);
    EXPECT_EQ (size, 4u);
}

TEST_F (ControlsChunk, TracesAnOverflowAndAnswers333)
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("0", 0.5);
    Bytes bytes (kPlugInChunkHeaderSize + 16, 0);
    EXPECT_EQ (parser.GetChunkData (reinterpret_cast<AAX_SPlugInChunk*> (bytes.data()), 15), -333);
    EXPECT_EQ (traceMessages(), std::vector<std::string> {
                                    "AAX_CChunkDataParser::GetChunkData ERROR: aborting: chunk data will overflow buffer" });
    EXPECT_EQ (standIn->traces().front().priority, AAX::kTracePriority_Critical);
}
} // namespace
