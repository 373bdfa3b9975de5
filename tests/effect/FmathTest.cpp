#include "effect/dsp/fmath.h"

#include "tests/effect/DspTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using dsptest::ulpDistance;

namespace
{
constexpr double lowerLimit = -708.3964185322641;
constexpr double upperLimit = 709.782712893384;

double relativeError (double x)
{
    return std::fabs (fmath::expd (x) / std::exp (x) - 1.0);
}

// The algorithm written out again, step by step, from its description: a second
// source for every bit of the result.
double literalExpd (double x)
{
    static const std::vector<std::uint64_t> table = [] {
        std::vector<std::uint64_t> t (2048);
        for (int i = 0; i < 2048; ++i)
        {
            const double p = std::exp2 (i / 2048.0);
            std::memcpy (&t[(size_t) i], &p, sizeof (p));
            t[(size_t) i] &= 0x000FFFFFFFFFFFFFull;
        }
        return t;
    }();
    const double a = 2954.639443740597, ra = 0.0003384507717577858;
    const double C1 = 1.0, C2 = 0.16666666685227835, C3 = 3.0000000027955394;
    const double shift = 6755399441055744.0;

    // Not-a-number passes both limits and yields not-a-number.
    if (std::isnan (x))
        return x;
    if (x <= -708.3964185322641)
        return 0.0;
    if (x >= 709.782712893384)
        return HUGE_VAL;

    const double d = x * a + shift;
    std::uint64_t dBits;
    std::memcpy (&dBits, &d, sizeof (d));
    const std::int32_t k = (std::int32_t) (std::uint32_t) dBits;
    const int biased = (k >> 11) + 1023;
    // The one step beyond the description: where k rounds up to 2^1024 the exponent
    // field would overflow, so the result is twice that of x - ln 2.
    if (biased >= 0x7FF)
        return 2.0 * literalExpd (x - 0.6931471805599453);

    const double t = (d - shift) * ra - x;
    const std::uint64_t uBits = ((std::uint64_t) biased << 52) | table[(size_t) (k & 2047)];
    double u;
    std::memcpy (&u, &uBits, sizeof (u));
    const double y = (C3 - t) * (t * t) * C2 - t + C1;
    return y * u;
}

std::uint64_t bitsOf (double v)
{
    std::uint64_t b;
    std::memcpy (&b, &v, sizeof (b));
    return b;
}

// Equal bit patterns, any not-a-number counting as equal to any other.
::testing::AssertionResult sameBits (double x)
{
    const double got = fmath::expd (x), want = literalExpd (x);
    if ((std::isnan (got) && std::isnan (want)) || bitsOf (got) == bitsOf (want))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expd(" << std::hexfloat << x << ") = " << got << ", expected " << want;
}
} // namespace

TEST (Expd, MatchesItsLiteralTranscriptionBitForBitOverTheWholeRange)
{
    // Special values and both limits with their neighbours.
    for (const double x : { 0.0, -0.0, std::nan (""), HUGE_VAL, -HUGE_VAL, lowerLimit, upperLimit,
                            std::nextafter (lowerLimit, 0.0), std::nextafter (upperLimit, 0.0),
                            std::nextafter (lowerLimit, -1000.0), std::nextafter (upperLimit, 1000.0),
                            std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                            -std::numeric_limits<double>::max() })
        ASSERT_TRUE (sameBits (x));

    // A dense sweep from beyond one limit to beyond the other, off the grid of the table.
    for (double x = -709.0; x <= 711.0; x += 0.0000977)
        ASSERT_TRUE (sameBits (x));

    // Every table entry, at and halfway between the points where k changes.
    const double step = 0.6931471805599453 / 2048.0;
    for (int k = -2093056; k <= 2097152; k += 97)
    {
        ASSERT_TRUE (sameBits (k * step));
        ASSERT_TRUE (sameBits ((k + 0.5) * step));
    }

    // Random bit patterns: every magnitude, most of them far outside the limits.
    std::mt19937_64 random (20240611);
    for (int i = 0; i < 1000000; ++i)
    {
        const std::uint64_t b = random();
        double x;
        std::memcpy (&x, &b, sizeof (x));
        ASSERT_TRUE (sameBits (x));
        ASSERT_TRUE (sameBits (std::fmod (x, 720.0)));
    }
}

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
    {
        EXPECT_TRUE (sameBits (c.x));
        EXPECT_LE (ulpDistance (fmath::expd (c.x), c.expected), 4) << c.x;
    }
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
