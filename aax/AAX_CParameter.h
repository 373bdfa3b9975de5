// The host-side view of one plug-in parameter: identifier, names, a real value
// with its default, steps, type and orientation, and three delegates. The taper
// maps normalized to real values, the display turns real values into text, and
// the automation delegate carries requests to the host.
//
// Only the float form is used. The current value crosses threads (host
// automation, the plug-in's own changes, the packet dispatcher) and is atomic.
#pragma once

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_CString.h"
#include "aax/AAX_IAutomationDelegate.h"
#include "aax/AAX_IParameter.h"

#include <atomic>
#include <cstring>
#include <map>
#include <memory>

// A snapshot of a parameter: its identifier (at most 31 characters) and value.
template <typename T>
class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    AAX_CParameterValue (AAX_CParamID identifier, T value = T()) : mValue (value)
    {
        const size_t len = identifier != nullptr ? std::strlen (identifier) : 0;
        AAX_ASSERT (len < eParemeterDefaultMaxIdentifierSize);
        const size_t kept = len < eParemeterDefaultMaxIdentifierSize ? len : eParemeterDefaultMaxIdentifierSize - 1;
        if (kept > 0)
            std::memcpy (mIdentifier, identifier, kept);
        mIdentifier[kept] = '\0';
    }

    AAX_CParameterValue (const AAX_CParameterValue& other) : AAX_CParameterValue (other.mIdentifier, other.Get()) {}
    AAX_CParameterValue& operator= (const AAX_CParameterValue&) = delete;

    AAX_IParameterValue* Clone() const override { return new AAX_CParameterValue (*this); }
    AAX_CParamID Identifier() const override { return mIdentifier; }

    bool GetValueAsBool (bool*) const override { return false; }
    bool GetValueAsInt32 (int32_t*) const override { return false; }
    bool GetValueAsFloat (float* outValue) const override;
    bool GetValueAsDouble (double*) const override { return false; }
    bool GetValueAsString (AAX_IString*) const override { return false; }

    T Get() const noexcept { return mValue.load (std::memory_order_relaxed); }
    void Set (T value) noexcept { mValue.store (value, std::memory_order_relaxed); }

private:
    char mIdentifier[eParemeterDefaultMaxIdentifierSize] = {};
    std::atomic<T> mValue;
};

template <>
inline bool AAX_CParameterValue<float>::GetValueAsFloat (float* outValue) const
{
    if (outValue == nullptr)
        return false;
    *outValue = Get();
    return true;
}

template <typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate, const AAX_IDisplayDelegate<T>& displayDelegate,
                    bool automatable = false);
    ~AAX_CParameter() override;

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    AAX_IParameterValue* CloneValue() const override;
    AAX_CParamID Identifier() const override;
    void SetName (const AAX_CString& name) override;
    const AAX_CString& Name() const override;
    void AddShortenedName (const AAX_CString& name) override;
    const AAX_CString& ShortenedName (int32_t length) const override;
    void ClearShortenedNames() override;
    bool Automatable() const override;
    void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) override;
    void Touch() override;
    void Release() override;
    void SetNormalizedValue (double normalizedValue) override;
    double GetNormalizedValue() const override;
    void SetNormalizedDefaultValue (double normalizedDefault) override;
    double GetNormalizedDefaultValue() const override;
    void SetToDefaultValue() override;
    void SetNumberOfSteps (uint32_t numSteps) override;
    uint32_t GetNumberOfSteps() const override;
    uint32_t GetStepValue() const override;
    double GetNormalizedValueFromStep (uint32_t step) const override;
    uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const override;
    void SetStepValue (uint32_t step) override;
    bool GetValueString (AAX_CString* outValueString) const override;
    bool GetValueString (int32_t maxNumChars, AAX_CString* outValueString) const override;
    bool GetNormalizedValueFromBool (bool value, double* outNormalizedValue) const override;
    bool GetNormalizedValueFromInt32 (int32_t value, double* outNormalizedValue) const override;
    bool GetNormalizedValueFromFloat (float value, double* outNormalizedValue) const override;
    bool GetNormalizedValueFromDouble (double value, double* outNormalizedValue) const override;
    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* outNormalizedValue) const override;
    bool GetBoolFromNormalizedValue (double normalizedValue, bool* outValue) const override;
    bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* outValue) const override;
    bool GetFloatFromNormalizedValue (double normalizedValue, float* outValue) const override;
    bool GetDoubleFromNormalizedValue (double normalizedValue, double* outValue) const override;
    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& outValueString) const override;
    bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars,
                                       AAX_CString& outValueString) const override;
    bool SetValueFromString (const AAX_CString& valueString) override;
    bool GetValueAsBool (bool* outValue) const override;
    bool GetValueAsInt32 (int32_t* outValue) const override;
    bool GetValueAsFloat (float* outValue) const override;
    bool GetValueAsDouble (double* outValue) const override;
    bool GetValueAsString (AAX_IString* outValue) const override;
    bool SetValueWithBool (bool value) override;
    bool SetValueWithInt32 (int32_t value) override;
    bool SetValueWithFloat (float value) override;
    bool SetValueWithDouble (double value) override;
    bool SetValueWithString (const AAX_IString& value) override;
    void SetType (AAX_EParameterType type) override;
    AAX_EParameterType GetType() const override;
    void SetOrientation (AAX_EParameterOrientation orientation) override;
    AAX_EParameterOrientation GetOrientation() const override;
    void SetTaperDelegate (AAX_ITaperDelegate<float>& taperDelegate, bool preserveValue) override;
    void SetDisplayDelegate (AAX_IDisplayDelegate<float>& displayDelegate) override;
    void UpdateNormalizedValue (double normalizedValue) override;

    // The current real value.
    T GetValue() const noexcept { return mValue.Get(); }

private:
    // With a delegate the host is asked and answers through UpdateNormalizedValue;
    // without one the value changes at once.
    void SetNormalizedValueRule (double normalizedValue);

    AAX_CString mName;
    std::map<uint32_t, AAX_CString> mShortenedNames;
    bool mAutomatable;
    uint32_t mNumSteps = 0;
    AAX_EParameterType mType = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation mOrientation = AAX_eParameterOrientation_Default;
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplayDelegate;
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::atomic<bool> mNeedNotify { true };
    AAX_CParameterValue<T> mValue;
    std::atomic<T> mDefaultValue;
};

extern template class AAX_CParameter<float>;
