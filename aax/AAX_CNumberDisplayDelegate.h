// Shows a real value as a number with a fixed count of decimals and reads a
// number back from the start of a text.
#pragma once

#include "aax/AAX_IParameter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

template <typename T, uint32_t Precision = 2, uint32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* outString) const override
    {
        if (outString == nullptr)
            return false;
        AAX_CString number;
        number.AppendNumber (static_cast<double> (value), static_cast<int32_t> (Precision));
        outString->Set ((number.StdString() + std::string (SpaceAfter, ' ')).c_str());
        return true;
    }

    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* outString) const override
    {
        if (! ValueToString (value, outString))
            return false;

        const auto limit = static_cast<size_t> (std::max (maxNumChars, 0));
        std::string text = outString->StdString();
        if (text.size() > limit)
            text.resize (limit);
        // A cut that ends on the decimal point would leave a dangling ".".
        if (maxNumChars > 0 && text.size() == limit && ! text.empty() && text.back() == '.')
            text.pop_back();
        outString->Set (text.c_str());
        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* outValue) const override
    {
        if (outValue == nullptr)
            return false;

        std::istringstream stream (valueString.StdString());
        stream.imbue (std::locale::classic());
        double number = 0.0;
        if (! (stream >> number) || ! std::isfinite (number))
        {
            *outValue = 0;
            return false;
        }
        // Keeps the narrowing defined; the taper clamps what lies beyond its range anyway.
        const double limit = static_cast<double> (std::numeric_limits<T>::max());
        *outValue = static_cast<T> (std::clamp (number, -limit, limit));
        return true;
    }
};
