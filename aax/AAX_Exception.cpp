#include "aax/AAX_Exception.h"

#include <iterator>
#include <utility>

namespace
{
// Names of -20001 to -20046, in order of the code's magnitude.
const char* const kErrorNames[] = {
    "AAX_ERROR_INVALID_PARAMETER_ID",
    "AAX_ERROR_INVALID_STRING_CONVERSION",
    "AAX_ERROR_INVALID_METER_INDEX",
    "AAX_ERROR_NULL_OBJECT",
    "AAX_ERROR_OLDER_VERSION",
    "AAX_ERROR_INVALID_CHUNK_INDEX",
    "AAX_ERROR_INVALID_CHUNK_ID",
    "AAX_ERROR_INCORRECT_CHUNK_SIZE",
    "AAX_ERROR_UNIMPLEMENTED",
    "AAX_ERROR_INVALID_PARAMETER_INDEX",
    "AAX_ERROR_NOT_INITIALIZED",
    "AAX_ERROR_ACF_ERROR",
    "AAX_ERROR_INVALID_METER_TYPE",
    "AAX_ERROR_CONTEXT_ALREADY_HAS_METERS",
    "AAX_ERROR_NULL_COMPONENT",
    "AAX_ERROR_PORT_ID_OUT_OF_RANGE",
    "AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS",
    "AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS",
    "AAX_ERROR_FIFO_FULL",
    "AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD",
    "AAX_ERROR_POST_PACKET_FAILED",
    "AAX_RESULT_PACKET_STREAM_NOT_EMPTY",
    "AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE",
    "AAX_ERROR_MIXER_THREAD_FALLING_BEHIND",
    "AAX_ERROR_INVALID_FIELD_INDEX",
    "AAX_ERROR_MALFORMED_CHUNK",
    "AAX_ERROR_TOD_BEHIND",
    "AAX_RESULT_NEW_PACKET_POSTED",
    "AAX_ERROR_RESERVED_20029",
    "AAX_ERROR_PLUGIN_NULL_PARAMETER",
    "AAX_ERROR_NOTIFICATION_FAILED",
    "AAX_ERROR_INVALID_VIEW_SIZE",
    "AAX_ERROR_SIGNED_INT_OVERFLOW",
    "AAX_ERROR_NO_COMPONENTS",
    "AAX_ERROR_DUPLICATE_EFFECT_ID",
    "AAX_ERROR_DUPLICATE_TYPE_ID",
    "AAX_ERROR_EMPTY_EFFECT_NAME",
    "AAX_ERROR_UNKNOWN_PLUGIN",
    "AAX_ERROR_PROPERTY_UNDEFINED",
    "AAX_ERROR_INVALID_PATH",
    "AAX_ERROR_UNKNOWN_ID",
    "AAX_ERROR_UNKNOWN_EXCEPTION",
    "AAX_ERROR_INVALID_ARGUMENT",
    "AAX_ERROR_NULL_ARGUMENT",
    "AAX_ERROR_INVALID_INTERNAL_DATA",
    "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW",
};
static_assert (std::size (kErrorNames) == 46, "one name per code from -20001 to -20046");

std::string makeWhat (const std::string& description, const std::string& function, const std::string& line)
{
    std::string what = description;
    if (! function.empty())
        what += " func:" + function;
    if (! line.empty())
        what += " line:" + line;
    return what;
}
} // namespace

const char* AAX::AsStringResult (AAX_Result result) noexcept
{
    if (result <= AAX_ERROR_INVALID_PARAMETER_ID && result >= AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW)
        return kErrorNames[-(result - AAX_ERROR_INVALID_PARAMETER_ID)];
    if (result == AAX_SUCCESS)
        return "AAX_SUCCESS";
    if (result >= AAX_ERROR_PLUGIN_BEGIN && result <= AAX_ERROR_PLUGIN_END)
        return "plug-in defined error";
    return "<unknown error code>";
}

namespace AAX
{
namespace Exception
{
Any::Any (std::string description, std::string function, std::string line)
    : mDesc (std::move (description)),
      mFunction (std::move (function)),
      mLine (std::move (line)),
      mWhat (makeWhat (mDesc, mFunction, mLine))
{
}

std::string ResultDescription (AAX_Result result)
{
    return std::string (AsStringResult (result)) + " (" + std::to_string (result) + ")";
}

ResultError::ResultError (AAX_Result result, std::string function, std::string line)
    : Any (ResultDescription (result), std::move (function), std::move (line)),
      mResult (result)
{
}
} // namespace Exception
} // namespace AAX
