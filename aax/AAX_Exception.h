// The exceptions that turn an unaccepted result code into a traced failure.
#pragma once

#include "aax/AAX_Errors.h"

#include <string>

namespace AAX
{
namespace Exception
{
class Any
{
public:
    explicit Any (std::string description, std::string function = {}, std::string line = {});
    virtual ~Any() = default;

    const std::string& Desc() const noexcept     { return mDesc; }
    const std::string& Function() const noexcept { return mFunction; }
    const std::string& Line() const noexcept     { return mLine; }
    const std::string& What() const noexcept     { return mWhat; }

private:
    std::string mDesc;
    std::string mFunction;
    std::string mLine;
    std::string mWhat;
};

class ResultError : public Any
{
public:
    explicit ResultError (AAX_Result result, std::string function = {}, std::string line = {});

    AAX_Result Result() const noexcept { return mResult; }

private:
    AAX_Result mResult;
};

// "NAME (code)", the description of a result error.
std::string ResultDescription (AAX_Result result);
} // namespace Exception
} // namespace AAX
