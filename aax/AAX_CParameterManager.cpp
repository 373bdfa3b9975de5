#include "aax/AAX_CParameterManager.h"

#include <cstring>

AAX_CParameterManager::~AAX_CParameterManager()
{
    RemoveAllParameters();
}

void AAX_CParameterManager::Initialize (AAX_IAutomationDelegate* automationDelegate)
{
    mAutomationDelegate = automationDelegate;
}

bool AAX_CParameterManager::AddParameter (AAX_IParameter* parameter)
{
    std::unique_ptr<AAX_IParameter> owned (parameter);
    if (owned == nullptr)
        return false;

    const std::string identifier = owned->Identifier();
    if (mParametersByID.count (identifier) != 0)
        return false;

    owned->SetAutomationDelegate (mAutomationDelegate);
    mParametersByID.emplace (identifier, owned.get());
    mParameters.push_back (std::move (owned));
    return true;
}

void AAX_CParameterManager::RemoveAllParameters()
{
    mParametersByID.clear();
    mParameters.clear();
}

AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index) const
{
    if (index < 0 || index >= NumParameters())
        return nullptr;
    return mParameters[static_cast<size_t> (index)].get();
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return nullptr;
    const auto found = mParametersByID.find (identifier);
    return found != mParametersByID.end() ? found->second : nullptr;
}

int32_t AAX_CParameterManager::GetParameterIndex (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return -1;
    for (size_t i = 0; i < mParameters.size(); ++i)
        if (mParameters[i] != nullptr && std::strcmp (mParameters[i]->Identifier(), identifier) == 0)
            return static_cast<int32_t> (i);
    return -1;
}
