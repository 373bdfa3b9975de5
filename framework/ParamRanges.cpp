#include "framework/ParamRanges.h"

#include <cmath>
#include <utility>

namespace
{
// Clamps into [lo, hi]; NaN goes to lo so that no NaN ever leaves a conversion.
double clampInto (double lo, double hi, double v)
{
    if (hi < lo)
        std::swap (lo, hi);
    if (! (v >= lo))
        return lo;
    return v > hi ? hi : v;
}

// A non-positive exponent would turn the curve into a division by zero.
double safeExponent (double curve)
{
    return (curve > 0.0 && std::isfinite (curve)) ? curve : 1.0;
}
} // namespace

ParamRanges::ParamRanges (double rangeStart, double rangeEnd)
    : start (rangeStart), end (rangeEnd)
{
}

void ParamRanges::addRange (double x1, double y1, double curve)
{
    Segment s;
    s.x0 = segments.isEmpty() ? 0.0 : segments.getReference (segments.size() - 1).x1;
    s.y0 = segments.isEmpty() ? start : segments.getReference (segments.size() - 1).y1;
    s.x1 = x1;
    s.y1 = y1;
    s.curve = curve;
    segments.add (s);
}

double ParamRanges::toNormalized (double realValue) const
{
    const double v = clampInto (start, end, realValue);

    for (const auto& s : segments)
    {
        if (s.y1 >= v)
        {
            const double width = s.y1 - s.y0;
            if (width == 0.0)
                return clampInto (0.0, 1.0, s.x0);

            const double proportion = clampInto (0.0, 1.0, (v - s.y0) / width);
            return clampInto (0.0, 1.0, s.x0 + (s.x1 - s.x0) * std::pow (proportion, safeExponent (s.curve)));
        }
    }

    if (end == start)
        return 0.0;

    return clampInto (0.0, 1.0, (v - start) / (end - start));
}

double ParamRanges::fromNormalized (double normalized) const
{
    const double n = clampInto (0.0, 1.0, normalized);

    for (const auto& s : segments)
    {
        if (s.x1 >= n)
        {
            const double width = s.x1 - s.x0;
            if (width == 0.0)
                return s.y0;

            const double proportion = clampInto (0.0, 1.0, (n - s.x0) / width);
            return s.y0 + (s.y1 - s.y0) * std::pow (proportion, 1.0 / safeExponent (s.curve));
        }
    }

    return start + (end - start) * n;
}
