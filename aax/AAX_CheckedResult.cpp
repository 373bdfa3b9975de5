#include "aax/AAX_CheckedResult.h"

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_Exception.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

AAX_CheckedResult::AAX_CheckedResult (AAX_Result result)
    : mCurrentResult (result)
{
    Check();
}

AAX_CheckedResult& AAX_CheckedResult::operator= (AAX_Result result)
{
    mCurrentResult = result;
    Check();
    return *this;
}

void AAX_CheckedResult::Check()
{
    if (mAcceptedResults.count (mCurrentResult) != 0)
        return;

    const AAX::Exception::ResultError error (mCurrentResult);
    mLastError = mCurrentResult;
    mCurrentResult = AAX_SUCCESS;
    AAX_CHostServices::Trace (AAX::kTracePriority_Important, "AAX_CheckedResult - throwing %s", error.What().c_str());
    throw error;
}
