// Linear taper between a minimum and a maximum real value. Real values are not
// rounded to a resolution.
#pragma once

#include "aax/AAX_IParameter.h"

#include <cmath>

template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CLinearTaperDelegate (T minValue = 0, T maxValue = 1) : mMinValue (minValue), mMaxValue (maxValue) {}

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate (*this); }
    T GetMaximumValue() const override { return mMaxValue; }
    T GetMinimumValue() const override { return mMinValue; }

    // Every value that comes out of here lies within the bounds; a NaN, which
    // no comparison would catch, becomes the minimum.
    T ConstrainRealValue (T value) const override
    {
        if (mMinValue == mMaxValue)
            return mMinValue;
        if (std::isnan (value))
            return mMinValue;

        const T lower = mMinValue < mMaxValue ? mMinValue : mMaxValue;
        const T upper = mMinValue < mMaxValue ? mMaxValue : mMinValue;
        if (value > upper)
            return upper;
        return value > lower ? value : lower;
    }

    T NormalizedToReal (double normalizedValue) const override
    {
        const double real = static_cast<double> (mMinValue)
                          + normalizedValue * (static_cast<double> (mMaxValue) - static_cast<double> (mMinValue));
        return ConstrainRealValue (static_cast<T> (real));
    }

    double RealToNormalized (T realValue) const override
    {
        realValue = ConstrainRealValue (realValue);
        if (mMinValue == mMaxValue)
            return 0.5;
        return (static_cast<double> (realValue) - static_cast<double> (mMinValue))
             / (static_cast<double> (mMaxValue) - static_cast<double> (mMinValue));
    }

private:
    T mMinValue;
    T mMaxValue;
};
