// The effect's parameters in registration order, found by their exact identifier.
// Written only while the effect initialises and uninitialises; read from any thread.
#pragma once

#include "aax/AAX_IParameter.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_CParameterManager
{
public:
    AAX_CParameterManager() = default;
    ~AAX_CParameterManager();

    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    // The delegate every parameter added from now on is given (may be null).
    void Initialize (AAX_IAutomationDelegate* automationDelegate);

    // Takes ownership. A parameter whose identifier is already registered is
    // refused and deleted, so that an id always names exactly one parameter.
    bool AddParameter (AAX_IParameter* parameter);
    void RemoveAllParameters();

    int32_t NumParameters() const noexcept { return static_cast<int32_t> (mParameters.size()); }
    AAX_IParameter* GetParameter (int32_t index) const;
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;
    // The position of the parameter with this identifier, or -1.
    int32_t GetParameterIndex (AAX_CParamID identifier) const;

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::vector<std::unique_ptr<AAX_IParameter>> mParameters;
    std::map<std::string, AAX_IParameter*> mParametersByID;
};
