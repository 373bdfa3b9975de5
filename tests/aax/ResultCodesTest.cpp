#include "aax/AAX_CheckedResult.h"
#include "aax/AAX_Exception.h"

#include <gtest/gtest.h>

namespace
{
struct NamedCode
{
    AAX_Result code;
    const char* name;
};

const NamedCode kNamedCodes[] = {
    { 0, "AAX_SUCCESS" },
    { -20001, "AAX_ERROR_INVALID_PARAMETER_ID" },
    { -20002, "AAX_ERROR_INVALID_STRING_CONVERSION" },
    { -20003, "AAX_ERROR_INVALID_METER_INDEX" },
    { -20004, "AAX_ERROR_NULL_OBJECT" },
    { -20005, "AAX_ERROR_OLDER_VERSION" },
    { -20006, "AAX_ERROR_INVALID_CHUNK_INDEX" },
    { -20007, "AAX_ERROR_INVALID_CHUNK_ID" },
    { -20008, "AAX_ERROR_INCORRECT_CHUNK_SIZE" },
    { -20009, "AAX_ERROR_UNIMPLEMENTED" },
    { -20010, "AAX_ERROR_INVALID_PARAMETER_INDEX" },
    { -20011, "AAX_ERROR_NOT_INITIALIZED" },
    { -20012, "AAX_ERROR_ACF_ERROR" },
    { -20013, "AAX_ERROR_INVALID_METER_TYPE" },
    { -20014, "AAX_ERROR_CONTEXT_ALREADY_HAS_METERS" },
    { -20015, "AAX_ERROR_NULL_COMPONENT" },
    { -20016, "AAX_ERROR_PORT_ID_OUT_OF_RANGE" },
    { -20017, "AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS" },
    { -20018, "AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS" },
    { -20019, "AAX_ERROR_FIFO_FULL" },
    { -20020, "AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD" },
    { -20021, "AAX_ERROR_POST_PACKET_FAILED" },
    { -20022, "AAX_RESULT_PACKET_STREAM_NOT_EMPTY" },
    { -20023, "AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE" },
    { -20024, "AAX_ERROR_MIXER_THREAD_FALLING_BEHIND" },
    { -20025, "AAX_ERROR_INVALID_FIELD_INDEX" },
    { -20026, "AAX_ERROR_MALFORMED_CHUNK" },
    { -20027, "AAX_ERROR_TOD_BEHIND" },
    { -20028, "AAX_RESULT_NEW_PACKET_POSTED" },
    { -20029, "AAX_ERROR_RESERVED_20029" },
    { -20030, "AAX_ERROR_PLUGIN_NULL_PARAMETER" },
    { -20031, "AAX_ERROR_NOTIFICATION_FAILED" },
    { -20032, "AAX_ERROR_INVALID_VIEW_SIZE" },
    { -20033, "AAX_ERROR_SIGNED_INT_OVERFLOW" },
    { -20034, "AAX_ERROR_NO_COMPONENTS" },
    { -20035, "AAX_ERROR_DUPLICATE_EFFECT_ID" },
    { -20036, "AAX_ERROR_DUPLICATE_TYPE_ID" },
    { -20037, "AAX_ERROR_EMPTY_EFFECT_NAME" },
    { -20038, "AAX_ERROR_UNKNOWN_PLUGIN" },
    { -20039, "AAX_ERROR_PROPERTY_UNDEFINED" },
    { -20040, "AAX_ERROR_INVALID_PATH" },
    { -20041, "AAX_ERROR_UNKNOWN_ID" },
    { -20042, "AAX_ERROR_UNKNOWN_EXCEPTION" },
    { -20043, "AAX_ERROR_INVALID_ARGUMENT" },
    { -20044, "AAX_ERROR_NULL_ARGUMENT" },
    { -20045, "AAX_ERROR_INVALID_INTERNAL_DATA" },
    { -20046, "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW" },
    // Plug-in defined range, inclusive at both ends.
    { -21000, "plug-in defined error" },
    { -20700, "plug-in defined error" },
    { -20600, "plug-in defined error" },
    // Everything else.
    { -20599, "<unknown error code>" },
    { -21001, "<unknown error code>" },
    { -20047, "<unknown error code>" },
    { -20000, "<unknown error code>" },
    { -333, "<unknown error code>" },
    { 20700, "<unknown error code>" },
    { static_cast<AAX_Result> (0x80000004u), "<unknown error code>" },
    { static_cast<AAX_Result> (0x8000FFFFu), "<unknown error code>" },
};

TEST (ResultCodes, EveryCodeHasItsName)
{
    for (const auto& entry : kNamedCodes)
        EXPECT_STREQ (AAX::AsStringResult (entry.code), entry.name) << entry.code;
}

TEST (ResultCodes, ResultErrorMessageNamesTheCodeWithItsSign)
{
    const struct
    {
        AAX_Result code;
        const char* message;
    } cases[] = {
        { -20004, "AAX_ERROR_NULL_OBJECT (-20004)" },
        { -20700, "plug-in defined error (-20700)" },
        { -20599, "<unknown error code> (-20599)" },
        { -21001, "<unknown error code> (-21001)" },
        { -333, "<unknown error code> (-333)" },
        { 20700, "<unknown error code> (20700)" },
    };
    for (const auto& c : cases)
    {
        const AAX::Exception::ResultError error (c.code);
        EXPECT_EQ (error.What(), c.message);
        EXPECT_EQ (error.Desc(), c.message);
        EXPECT_TRUE (error.Function().empty());
        EXPECT_TRUE (error.Line().empty());
        EXPECT_EQ (error.Result(), c.code);
    }
}

TEST (ResultCodes, MessageAddsFunctionAndLineOnlyWhenGiven)
{
    EXPECT_EQ (AAX::Exception::Any ("broken", "Describe", "42").What(), "broken func:Describe line:42");
    EXPECT_EQ (AAX::Exception::Any ("broken", "", "42").What(), "broken line:42");
    EXPECT_EQ (AAX::Exception::Any ("broken", "Describe").What(), "broken func:Describe");
    EXPECT_EQ (AAX::Exception::ResultError (-20004, "f", "7").What(), "AAX_ERROR_NULL_OBJECT (-20004) func:f line:7");
}

TEST (CheckedResult, AcceptedCodeReturnsAndKeepsTheLastError)
{
    AAX_CheckedResult result;
    EXPECT_NO_THROW (result = AAX_SUCCESS);
    EXPECT_EQ (result.LastError(), AAX_SUCCESS);
    EXPECT_EQ (result.Result(), AAX_SUCCESS);
}

TEST (CheckedResult, RejectedCodeRecordsItResetsAndThrows)
{
    AAX_CheckedResult result;
    try
    {
        result = AAX_ERROR_NULL_OBJECT;
        FAIL() << "no exception";
    }
    catch (const AAX::Exception::ResultError& error)
    {
        EXPECT_EQ (error.Result(), AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (error.What(), "AAX_ERROR_NULL_OBJECT (-20004)");
    }
    EXPECT_EQ (result.LastError(), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (result.Result(), AAX_SUCCESS);

    // An accepted code afterwards leaves the recorded error in place.
    EXPECT_NO_THROW (result = AAX_SUCCESS);
    EXPECT_EQ (result.LastError(), AAX_ERROR_NULL_OBJECT);
}

TEST (CheckedResult, FurtherAcceptedCodesPass)
{
    AAX_CheckedResult result;
    result.AddAcceptedResult (AAX_ERROR_UNIMPLEMENTED);
    EXPECT_NO_THROW (result = AAX_ERROR_UNIMPLEMENTED);
    EXPECT_THROW (result = AAX_ERROR_NULL_OBJECT, AAX::Exception::ResultError);
}
} // namespace
