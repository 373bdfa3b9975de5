// A result holder that throws AAX::Exception::ResultError when it is given a
// code outside its accepted set; used where a failure must end the whole call.
#pragma once

#include "aax/AAX_Errors.h"

#include <set>

class AAX_CheckedResult
{
public:
    AAX_CheckedResult() = default;
    // Checks the code at once.
    AAX_CheckedResult (AAX_Result result);

    AAX_CheckedResult& operator= (AAX_Result result);

    // Returns when the current result is accepted; otherwise traces and throws.
    void Check();

    void AddAcceptedResult (AAX_Result result) { mAcceptedResults.insert (result); }
    void ResetAcceptedResults()                { mAcceptedResults = { AAX_SUCCESS }; }

    AAX_Result Result() const noexcept    { return mCurrentResult; }
    AAX_Result LastError() const noexcept { return mLastError; }
    void Clear() noexcept                 { mCurrentResult = AAX_SUCCESS; mLastError = AAX_SUCCESS; }

private:
    AAX_Result mCurrentResult = AAX_SUCCESS;
    AAX_Result mLastError = AAX_SUCCESS;
    std::set<AAX_Result> mAcceptedResults { AAX_SUCCESS };
};
