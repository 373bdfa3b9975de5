#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "tests/framework/FakeModule.h"
#include "framework/ParamRanges.h"

namespace
{
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

std::unique_ptr<ParamRanges> delayCurve()
{
    return std::unique_ptr<ParamRanges> (tarnello::test::makeFakeTimeRanges());
}

struct Point
{
    double normalized;
    double real;
};

// Both directions agree on every segment, at its ends and inside it.
const Point delayPoints[] = {
    { 0.0, 0.0 },
    { 0.25, 500.0 * std::pow (0.5, 1.0 / 0.7) },
    { 0.5, 500.0 },
    { 0.6, 500.0 + 500.0 * std::pow (0.5, 1.0 / 0.8) },
    { 0.7, 1000.0 },
    { 0.85, 1000.0 + 3000.0 * std::pow (0.5, 1.0 / 0.8) },
    { 1.0, 4000.0 },
};
} // namespace

TEST (ParamRanges, ChainsSegmentsFromStart)
{
    auto r = delayCurve();
    ASSERT_EQ (r->segments.size(), 3);
    const auto& first = r->segments.getReference (0);
    const auto& second = r->segments.getReference (1);
    EXPECT_DOUBLE_EQ (first.x0, 0.0);
    EXPECT_DOUBLE_EQ (first.y0, 0.0);
    EXPECT_DOUBLE_EQ (second.x0, 0.5);
    EXPECT_DOUBLE_EQ (second.y0, 500.0);
    EXPECT_DOUBLE_EQ (second.curve, 0.8);
}

TEST (ParamRanges, MapsTheDelayCurveBothWays)
{
    auto r = delayCurve();
    for (const auto& p : delayPoints)
    {
        SCOPED_TRACE (testing::Message() << "n=" << p.normalized << " v=" << p.real);
        EXPECT_NEAR (r->fromNormalized (p.normalized), p.real, 1e-9);
        EXPECT_NEAR (r->toNormalized (p.real), p.normalized, 1e-12);
    }
}

TEST (ParamRanges, RealValueRoundTripsThroughNormalized)
{
    auto r = delayCurve();
    for (double v : { 0.5, 3.0, 99.9, 240.0, 499.0, 501.0, 999.0, 1234.5, 3999.0 })
        EXPECT_NEAR (r->fromNormalized (r->toNormalized (v)), v, 1e-9) << v;
}

TEST (ParamRanges, WithoutSegmentsIsLinearBetweenStartAndEnd)
{
    ParamRanges r (10.0, 20.0);
    EXPECT_DOUBLE_EQ (r.fromNormalized (0.0), 10.0);
    EXPECT_DOUBLE_EQ (r.fromNormalized (0.25), 12.5);
    EXPECT_DOUBLE_EQ (r.fromNormalized (1.0), 20.0);
    EXPECT_DOUBLE_EQ (r.toNormalized (15.0), 0.5);
    EXPECT_DOUBLE_EQ (r.toNormalized (20.0), 1.0);
}

TEST (ParamRanges, AboveTheLastSegmentFallsBackToTheStraightLine)
{
    ParamRanges r (0.0, 1000.0);
    r.addRange (0.5, 500.0, 0.5);
    EXPECT_DOUBLE_EQ (r.toNormalized (750.0), 0.75);
    EXPECT_DOUBLE_EQ (r.fromNormalized (0.75), 750.0);
    EXPECT_DOUBLE_EQ (r.toNormalized (500.0), 0.5); // an exact y1 stays on its own segment
}

TEST (ParamRanges, ClampsInputsOutsideTheRange)
{
    auto r = delayCurve();
    struct Case
    {
        double real;
        double normalized;
    };

    // A value below start would take the power of a negative number.
    const Case toNormalized[] = { { -1.0, 0.0 }, { -5.0, 0.0 }, { -infinity, 0.0 }, { notANumber, 0.0 },
                                  { 5000.0, 1.0 }, { infinity, 1.0 } };
    for (const auto& c : toNormalized)
        EXPECT_DOUBLE_EQ (r->toNormalized (c.real), c.normalized) << c.real;

    const Case fromNormalized[] = { { 0.0, -0.5 }, { 0.0, notANumber }, { 0.0, -infinity },
                                    { 4000.0, 1.5 }, { 4000.0, infinity } };
    for (const auto& c : fromNormalized)
        EXPECT_DOUBLE_EQ (r->fromNormalized (c.normalized), c.real) << c.normalized;
}

TEST (ParamRanges, SurvivesZeroWidthSegmentsAndRanges)
{
    ParamRanges flat (0.0, 100.0);
    flat.addRange (0.5, 0.0, 1.0); // no real width
    flat.addRange (0.5, 60.0, 1.0); // no normalised width
    flat.addRange (1.0, 100.0, 1.0);

    for (double v : { 0.0, 30.0, 60.0, 80.0, 100.0 })
    {
        const double n = flat.toNormalized (v);
        EXPECT_TRUE (std::isfinite (n)) << v;
        EXPECT_GE (n, 0.0);
        EXPECT_LE (n, 1.0);
    }
    for (double n : { 0.0, 0.25, 0.5, 0.75, 1.0 })
        EXPECT_TRUE (std::isfinite (flat.fromNormalized (n))) << n;
    EXPECT_DOUBLE_EQ (flat.fromNormalized (0.25), 0.0);
    EXPECT_DOUBLE_EQ (flat.fromNormalized (0.75), 80.0);

    ParamRanges point (5.0, 5.0);
    EXPECT_DOUBLE_EQ (point.toNormalized (5.0), 0.0);
    EXPECT_DOUBLE_EQ (point.toNormalized (7.0), 0.0);
    EXPECT_DOUBLE_EQ (point.fromNormalized (0.3), 5.0);
}

TEST (ParamRanges, NonPositiveCurveStaysFinite)
{
    ParamRanges r (0.0, 100.0);
    r.addRange (0.5, 50.0, 0.0);
    r.addRange (1.0, 100.0, -2.0);
    for (double n : { 0.0, 0.1, 0.5, 0.9, 1.0 })
        EXPECT_TRUE (std::isfinite (r.fromNormalized (n))) << n;
    for (double v : { 0.0, 10.0, 50.0, 90.0, 100.0 })
        EXPECT_TRUE (std::isfinite (r.toNormalized (v))) << v;
}
