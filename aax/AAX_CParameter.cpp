#include "aax/AAX_CParameter.h"

#include <algorithm>
#include <cmath>

template <typename T>
AAX_CParameter<T>::AAX_CParameter (AAX_CParamID identifier, const AAX_CString& name, T defaultValue,
                                   const AAX_ITaperDelegate<T>& taperDelegate,
                                   const AAX_IDisplayDelegate<T>& displayDelegate, bool automatable)
    : mName (name),
      mAutomatable (automatable),
      mTaperDelegate (taperDelegate.Clone()),
      mDisplayDelegate (displayDelegate.Clone()),
      mValue (identifier),
      mDefaultValue (defaultValue)
{
    if (mNumSteps == 0)
    {
        switch (mType)
        {
            case AAX_eParameterType_Discrete:   mNumSteps = 2; break;
            case AAX_eParameterType_Continuous: mNumSteps = 128; break;
            default: AAX_ASSERT (0); break;
        }
    }
    SetToDefaultValue();
}

template <typename T>
AAX_CParameter<T>::~AAX_CParameter()
{
    if (mAutomationDelegate != nullptr)
        mAutomationDelegate->UnregisterParameter (Identifier());
}

template <typename T>
AAX_IParameterValue* AAX_CParameter<T>::CloneValue() const
{
    return new AAX_CParameterValue<T> (Identifier(), mValue.Get());
}

template <typename T>
AAX_CParamID AAX_CParameter<T>::Identifier() const
{
    return mValue.Identifier();
}

template <typename T>
void AAX_CParameter<T>::SetName (const AAX_CString& name)
{
    mName = name;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::Name() const
{
    return mName;
}

template <typename T>
void AAX_CParameter<T>::AddShortenedName (const AAX_CString& name)
{
    mShortenedNames[name.Length()] = name;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::ShortenedName (int32_t length) const
{
    if (length < 0 || static_cast<uint32_t> (length) >= mName.Length() || mShortenedNames.empty())
        return mName;

    // The longest short name that fits, else the shortest one there is.
    auto above = mShortenedNames.upper_bound (static_cast<uint32_t> (length));
    if (above == mShortenedNames.begin())
        return above->second;
    return std::prev (above)->second;
}

template <typename T>
void AAX_CParameter<T>::ClearShortenedNames()
{
    mShortenedNames.clear();
}

template <typename T>
bool AAX_CParameter<T>::Automatable() const
{
    return mAutomatable;
}

template <typename T>
void AAX_CParameter<T>::SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate)
{
    if (mAutomationDelegate != nullptr)
        mAutomationDelegate->UnregisterParameter (Identifier());
    mAutomationDelegate = automationDelegate;
    if (mAutomationDelegate != nullptr)
        mAutomationDelegate->RegisterParameter (Identifier());
}

template <typename T>
void AAX_CParameter<T>::Touch()
{
    if (mAutomationDelegate != nullptr)
        mAutomationDelegate->PostTouchRequest (Identifier());
}

template <typename T>
void AAX_CParameter<T>::Release()
{
    if (mAutomationDelegate != nullptr)
        mAutomationDelegate->PostReleaseRequest (Identifier());
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedValueRule (double normalizedValue)
{
    if (mAutomationDelegate != nullptr)
    {
        Touch();
        mAutomationDelegate->PostSetValueRequest (Identifier(), normalizedValue);
        Release();
        return;
    }

    mNeedNotify.store (true, std::memory_order_relaxed);
    UpdateNormalizedValue (normalizedValue);
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedValue (double normalizedValue)
{
    const T real = mTaperDelegate->NormalizedToReal (normalizedValue);
    SetNormalizedValueRule (mTaperDelegate->RealToNormalized (real));
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedValue() const
{
    return mTaperDelegate->RealToNormalized (mValue.Get());
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedDefaultValue (double normalizedDefault)
{
    const T real = mTaperDelegate->NormalizedToReal (normalizedDefault);
    mDefaultValue.store (mTaperDelegate->ConstrainRealValue (real), std::memory_order_relaxed);
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedDefaultValue() const
{
    return mTaperDelegate->RealToNormalized (mDefaultValue.load (std::memory_order_relaxed));
}

template <typename T>
void AAX_CParameter<T>::SetToDefaultValue()
{
    SetNormalizedValueRule (mTaperDelegate->RealToNormalized (mDefaultValue.load (std::memory_order_relaxed)));
}

template <typename T>
void AAX_CParameter<T>::SetNumberOfSteps (uint32_t numSteps)
{
    AAX_ASSERT (0 < numSteps);
    if (numSteps > 0)
        mNumSteps = numSteps;
}

template <typename T>
uint32_t AAX_CParameter<T>::GetNumberOfSteps() const
{
    return mNumSteps;
}

template <typename T>
uint32_t AAX_CParameter<T>::GetStepValue() const
{
    return GetStepValueFromNormalizedValue (GetNormalizedValue());
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedValueFromStep (uint32_t step) const
{
    const uint32_t numSteps = GetNumberOfSteps();
    if (numSteps < 2)
        return 0.0;
    const double value = static_cast<double> (step) * (1.0 / static_cast<double> (numSteps - 1));
    return std::clamp (value, 0.0, 1.0);
}

template <typename T>
uint32_t AAX_CParameter<T>::GetStepValueFromNormalizedValue (double normalizedValue) const
{
    const uint32_t numSteps = GetNumberOfSteps();
    if (numSteps < 2 || std::isnan (normalizedValue))
        return 0;
    const double step = normalizedValue / (1.0 / static_cast<double> (numSteps - 1)) + 0.5;
    return static_cast<uint32_t> (std::clamp (step, 0.0, static_cast<double> (numSteps - 1)));
}

template <typename T>
void AAX_CParameter<T>::SetStepValue (uint32_t step)
{
    if (GetNumberOfSteps() < 2)
        return;
    SetNormalizedValue (GetNormalizedValueFromStep (step));
}

template <typename T>
bool AAX_CParameter<T>::GetValueString (AAX_CString* outValueString) const
{
    return mDisplayDelegate->ValueToString (mValue.Get(), outValueString);
}

template <typename T>
bool AAX_CParameter<T>::GetValueString (int32_t, AAX_CString* outValueString) const
{
    return mDisplayDelegate->ValueToString (mValue.Get(), outValueString);
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromBool (bool, double*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromInt32 (int32_t, double*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromFloat (float value, double* outNormalizedValue) const
{
    if (outNormalizedValue == nullptr)
        return false;
    *outNormalizedValue = mTaperDelegate->RealToNormalized (value);
    return true;
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromDouble (double, double*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromString (const AAX_CString& valueString, double* outNormalizedValue) const
{
    T value = T();
    const bool parsed = mDisplayDelegate->StringToValue (valueString, &value);
    if (parsed && outNormalizedValue != nullptr)
        *outNormalizedValue = mTaperDelegate->RealToNormalized (value);
    return parsed;
}

template <typename T>
bool AAX_CParameter<T>::GetBoolFromNormalizedValue (double, bool*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetInt32FromNormalizedValue (double, int32_t*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetFloatFromNormalizedValue (double normalizedValue, float* outValue) const
{
    if (outValue == nullptr)
        return false;
    *outValue = mTaperDelegate->NormalizedToReal (normalizedValue);
    return true;
}

template <typename T>
bool AAX_CParameter<T>::GetDoubleFromNormalizedValue (double, double*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue (double normalizedValue, AAX_CString& outValueString) const
{
    const T real = mTaperDelegate->NormalizedToReal (normalizedValue);
    const bool made = mDisplayDelegate->ValueToString (real, &outValueString);
    return made && real >= mTaperDelegate->GetMinimumValue() && real <= mTaperDelegate->GetMaximumValue();
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars,
                                                      AAX_CString& outValueString) const
{
    const T real = mTaperDelegate->NormalizedToReal (normalizedValue);
    const bool made = mDisplayDelegate->ValueToString (real, maxNumChars, &outValueString);
    return made && real >= mTaperDelegate->GetMinimumValue() && real <= mTaperDelegate->GetMaximumValue();
}

template <typename T>
bool AAX_CParameter<T>::SetValueFromString (const AAX_CString& valueString)
{
    T value = T();
    if (! mDisplayDelegate->StringToValue (valueString, &value))
        return false;
    SetNormalizedValueRule (mTaperDelegate->RealToNormalized (value));
    return true;
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsBool (bool*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsInt32 (int32_t*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsFloat (float* outValue) const
{
    return mValue.GetValueAsFloat (outValue);
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsDouble (double*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsString (AAX_IString* outValue) const
{
    if (outValue == nullptr)
        return false;
    AAX_CString text;
    const bool made = GetValueString (&text);
    if (made)
        *outValue = text;
    return made;
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithBool (bool)
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithInt32 (int32_t)
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithFloat (float value)
{
    SetNormalizedValueRule (mTaperDelegate->RealToNormalized (value));
    return true;
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithDouble (double)
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithString (const AAX_IString& value)
{
    return SetValueFromString (AAX_CString (value.Get()));
}

template <typename T>
void AAX_CParameter<T>::SetType (AAX_EParameterType type)
{
    mType = type;
}

template <typename T>
AAX_EParameterType AAX_CParameter<T>::GetType() const
{
    return mType;
}

template <typename T>
void AAX_CParameter<T>::SetOrientation (AAX_EParameterOrientation orientation)
{
    mOrientation = orientation;
}

template <typename T>
AAX_EParameterOrientation AAX_CParameter<T>::GetOrientation() const
{
    return mOrientation;
}

template <typename T>
void AAX_CParameter<T>::SetTaperDelegate (AAX_ITaperDelegate<float>& taperDelegate, bool preserveValue)
{
    const double oldNormalized = GetNormalizedValue();
    mTaperDelegate.reset (taperDelegate.Clone());
    mNeedNotify.store (true, std::memory_order_relaxed);

    if (preserveValue)
        SetNormalizedValueRule (mTaperDelegate->RealToNormalized (mValue.Get()));
    else
        UpdateNormalizedValue (oldNormalized);
}

template <typename T>
void AAX_CParameter<T>::SetDisplayDelegate (AAX_IDisplayDelegate<float>& displayDelegate)
{
    mDisplayDelegate.reset (displayDelegate.Clone());
    if (mAutomationDelegate != nullptr)
        mAutomationDelegate->PostCurrentValue (Identifier(), GetNormalizedValue());
}

template <typename T>
void AAX_CParameter<T>::UpdateNormalizedValue (double normalizedValue)
{
    const T real = mTaperDelegate->NormalizedToReal (normalizedValue);
    if (! mNeedNotify.load (std::memory_order_relaxed) && real == mValue.Get())
        return;

    mValue.Set (real);
    if (mAutomationDelegate != nullptr)
    {
        // The host hears back the position it asked for; one that no position
        // can be (out of range, NaN) is reported as the position that was stored.
        const bool isPosition = normalizedValue >= 0.0 && normalizedValue <= 1.0;
        mAutomationDelegate->PostCurrentValue (Identifier(),
                                               isPosition ? normalizedValue : mTaperDelegate->RealToNormalized (real));
    }
    mNeedNotify.store (false, std::memory_order_relaxed);
}

template class AAX_CParameter<float>;
