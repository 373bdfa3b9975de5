// The plug-in's parameter interfaces: a value snapshot, the taper and display
// delegates of a typed parameter, and the parameter itself. The host never sees
// these; it reaches parameters by id through the effect-parameters object.
#pragma once

#include "aax/AAX_CString.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

class AAX_IAutomationDelegate;

// Parameter types: 0 is discrete, 1 continuous.
enum AAX_EParameterTypeValue : AAX_EParameterType
{
    AAX_eParameterType_Discrete   = 0,
    AAX_eParameterType_Continuous = 1,
};

// Orientation codes for the host's display, stored and returned unchanged.
enum AAX_EParameterOrientationValue : AAX_EParameterOrientation
{
    AAX_eParameterOrientation_Default  = 0,
    AAX_eParameterOrientation_Inverted = 0x13,
};

// Longest identifier, terminating zero included.
constexpr int eParemeterDefaultMaxIdentifierSize = 32;

class AAX_IParameterValue
{
public:
    virtual ~AAX_IParameterValue() = default;

    virtual AAX_IParameterValue* Clone() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual bool GetValueAsBool (bool* outValue) const = 0;
    virtual bool GetValueAsInt32 (int32_t* outValue) const = 0;
    virtual bool GetValueAsFloat (float* outValue) const = 0;
    virtual bool GetValueAsDouble (double* outValue) const = 0;
    virtual bool GetValueAsString (AAX_IString* outValue) const = 0;
};

// Maps between the normalized value (0 to 1) and the real value.
template <typename T>
class AAX_ITaperDelegate
{
public:
    virtual ~AAX_ITaperDelegate() = default;

    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    virtual T ConstrainRealValue (T value) const = 0;
    virtual T NormalizedToReal (double normalizedValue) const = 0;
    virtual double RealToNormalized (T realValue) const = 0;
};

// Turns a real value into text and back.
template <typename T>
class AAX_IDisplayDelegate
{
public:
    virtual ~AAX_IDisplayDelegate() = default;

    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString (T value, AAX_CString* outString) const = 0;
    virtual bool ValueToString (T value, int32_t maxNumChars, AAX_CString* outString) const = 0;
    virtual bool StringToValue (const AAX_CString& valueString, T* outValue) const = 0;
};

class AAX_IParameter
{
public:
    virtual ~AAX_IParameter() = default;

    virtual AAX_IParameterValue* CloneValue() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual void SetName (const AAX_CString& name) = 0;
    virtual const AAX_CString& Name() const = 0;
    virtual void AddShortenedName (const AAX_CString& name) = 0;
    virtual const AAX_CString& ShortenedName (int32_t length) const = 0;
    virtual void ClearShortenedNames() = 0;
    virtual bool Automatable() const = 0;
    virtual void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;
    virtual void SetNormalizedValue (double normalizedValue) = 0;
    virtual double GetNormalizedValue() const = 0;
    virtual void SetNormalizedDefaultValue (double normalizedDefault) = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    virtual void SetToDefaultValue() = 0;
    virtual void SetNumberOfSteps (uint32_t numSteps) = 0;
    virtual uint32_t GetNumberOfSteps() const = 0;
    virtual uint32_t GetStepValue() const = 0;
    virtual double GetNormalizedValueFromStep (uint32_t step) const = 0;
    virtual uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const = 0;
    virtual void SetStepValue (uint32_t step) = 0;
    virtual bool GetValueString (AAX_CString* outValueString) const = 0;
    virtual bool GetValueString (int32_t maxNumChars, AAX_CString* outValueString) const = 0;
    virtual bool GetNormalizedValueFromBool (bool value, double* outNormalizedValue) const = 0;
    virtual bool GetNormalizedValueFromInt32 (int32_t value, double* outNormalizedValue) const = 0;
    virtual bool GetNormalizedValueFromFloat (float value, double* outNormalizedValue) const = 0;
    virtual bool GetNormalizedValueFromDouble (double value, double* outNormalizedValue) const = 0;
    virtual bool GetNormalizedValueFromString (const AAX_CString& valueString, double* outNormalizedValue) const = 0;
    virtual bool GetBoolFromNormalizedValue (double normalizedValue, bool* outValue) const = 0;
    virtual bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* outValue) const = 0;
    virtual bool GetFloatFromNormalizedValue (double normalizedValue, float* outValue) const = 0;
    virtual bool GetDoubleFromNormalizedValue (double normalizedValue, double* outValue) const = 0;
    virtual bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& outValueString) const = 0;
    virtual bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars,
                                               AAX_CString& outValueString) const = 0;
    virtual bool SetValueFromString (const AAX_CString& valueString) = 0;
    virtual bool GetValueAsBool (bool* outValue) const = 0;
    virtual bool GetValueAsInt32 (int32_t* outValue) const = 0;
    virtual bool GetValueAsFloat (float* outValue) const = 0;
    virtual bool GetValueAsDouble (double* outValue) const = 0;
    virtual bool GetValueAsString (AAX_IString* outValue) const = 0;
    virtual bool SetValueWithBool (bool value) = 0;
    virtual bool SetValueWithInt32 (int32_t value) = 0;
    virtual bool SetValueWithFloat (float value) = 0;
    virtual bool SetValueWithDouble (double value) = 0;
    virtual bool SetValueWithString (const AAX_IString& value) = 0;
    virtual void SetType (AAX_EParameterType type) = 0;
    virtual AAX_EParameterType GetType() const = 0;
    virtual void SetOrientation (AAX_EParameterOrientation orientation) = 0;
    virtual AAX_EParameterOrientation GetOrientation() const = 0;
    virtual void SetTaperDelegate (AAX_ITaperDelegate<float>& taperDelegate, bool preserveValue) = 0;
    virtual void SetDisplayDelegate (AAX_IDisplayDelegate<float>& displayDelegate) = 0;
    // The host's confirmed value: the only operation that writes the current value.
    virtual void UpdateNormalizedValue (double normalizedValue) = 0;
};
