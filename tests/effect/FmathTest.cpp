#include "fmath.h"

#include "DspTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using dsptest::ulpDistance;

namespace
{
constexpr double lowerLimit = -708.3964185322641;
constexpr double upperLimit = 709.782712893384;

double relativeError (double x)
{
    return std::fabs (fmath::expd (x) / std::exp (x) - 1.0);
}
} // namespace

TEST (Expd, ZeroGivesExactlyOne)
{
    EXPECT_EQ (fmath::expd (0.0), 1.0);
    EXPECT_EQ (fmath::expd (-0.0), 1.0);
}

TEST (Expd, DecibelConversionsMatchTheirConstants)
{
    struct Case
    {
        double x, expected;
    };
    const Case cases[] = {
        { 0.1151292546497, 1.122018454301961 },       // +1 dB
        { 1.89963270172005, 6.683439175685894 },      // +16.5 dB
        { 0.2302585092994, 1.2589254117941615 },      // +2 dB
        { -1.3239864284715501, 0.2660725059798879 },  // -11.5 dB
        { -0.2302585092994, 0.7943282347242852 },     // -2 dB
        { -0.5756462732485, 0.5623413251903555 },     // -5 dB
        { -0.17269388197455, 0.841395141645198 },     // -1.5 dB
        { 0.17269388197455, 1.1885022274370143 },     // +1.5 dB
        { 0.05526204223185605, 1.0568175092136574 },  // +0.48 dB
    };
    for (const auto& c : cases)
        EXPECT_LE (ulpDistance (fmath::expd (c.x), c.expected), 4) << c.x;
}

TEST (Expd, LimitsGiveZeroAndInfinity)
{
    EXPECT_EQ (fmath::expd (lowerLimit), 0.0);
    EXPECT_EQ (fmath::expd (-1000.0), 0.0);
    EXPECT_EQ (fmath::expd (-std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ (fmath::expd (upperLimit), std::numeric_limits<double>::infinity());
    EXPECT_EQ (fmath::expd (1000.0), std::numeric_limits<double>::infinity());
    EXPECT_TRUE (std::isnan (fmath::expd (std::nan (""))));
}

TEST (Expd, StaysAccurateJustInsideTheLimits)
{
    for (double x : { std::nextafter (lowerLimit, 0.0), lowerLimit + 0.01, upperLimit - 0.01,
                      upperLimit - 1e-4, std::nextafter (upperLimit, 0.0) })
    {
        const double y = fmath::expd (x);
        EXPECT_TRUE (std::isfinite (y)) << x;
        EXPECT_GE (y, std::numeric_limits<double>::min()) << x;
        EXPECT_LT (relativeError (x), 2e-13) << x;
    }
}

TEST (Expd, RelativeErrorIsTinyNearZeroAndGrowsSlowlyWithTheArgument)
{
    double worstNearZero = 0.0;
    for (double x = -1.0; x <= 1.0; x += 1.0 / 4096.0 + 1e-9)
        worstNearZero = std::max (worstNearZero, relativeError (x));
    EXPECT_LT (worstNearZero, 1e-15);

    for (double x = lowerLimit + 1e-3; x < upperLimit; x += 0.0173)
        ASSERT_LT (relativeError (x), 1e-15 + 1.5e-16 * std::fabs (x)) << x;
}
