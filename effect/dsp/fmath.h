#pragma once

// Fast double exponential on a table of 2048 powers of two. Used for decibel
// conversions at parameter time; it is exact at 0 and within a few ulp elsewhere.
// Relies on IEEE arithmetic: never build with -ffast-math.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace fmath
{
namespace local
{
    struct ExpdVar
    {
        static constexpr int tableSize = 2048;

        // Mantissa bits of 2^(i / 2048).
        std::uint64_t tbl[tableSize];
        double a = 2954.639443740597;        // 2048 / ln 2
        double ra = 0.0003384507717577858;   // ln 2 / 2048
        double C1 = 1.0;
        double C2 = 0.16666666685227835;
        double C3 = 3.0000000027955394;

        ExpdVar()
        {
            for (int i = 0; i < tableSize; ++i)
            {
                const double y = std::exp2 (i / double (tableSize));
                std::uint64_t bits;
                std::memcpy (&bits, &y, sizeof bits);
                tbl[i] = bits & 0x000FFFFFFFFFFFFFull;
            }
        }
    };

    // Built on first use, once for the whole program whatever includes this header.
    inline const ExpdVar& expdVar()
    {
        static const ExpdVar var;
        return var;
    }
} // namespace local

// Approximately e^x: 0 at and below ln of the smallest normal double, infinity at
// and above ln of the largest; not-a-number stays not-a-number.
inline double expd (double x)
{
    // Not-a-number would fail every test below; with a payload it could also
    // reach the overflow branch and recurse without end.
    if (x != x)
        return x;
    if (x <= -708.3964185322641)
        return 0.0;
    if (x >= 709.782712893384)
        return std::numeric_limits<double>::infinity();

    const local::ExpdVar& c = local::expdVar();
    const double b = 6755399441055744.0; // 1.5 * 2^52: adding it rounds to an integer
    const double d = x * c.a + b;

    std::uint64_t dBits;
    std::memcpy (&dBits, &d, sizeof dBits);
    const auto k = static_cast<std::int32_t> (static_cast<std::uint32_t> (dBits & 0xFFFFFFFFull));

    // Just below the overflow limit k rounds up to 2^1024, which has no exponent;
    // the true result is still finite, so take it from half the argument's power.
    if ((k >> 11) + 1023 >= 0x7FF)
        return 2.0 * expd (x - 0.6931471805599453);

    const double t = (d - b) * c.ra - x;
    const std::uint64_t exponent = static_cast<std::uint64_t> ((k >> 11) + 1023) & 0x7FFull;
    const std::uint64_t uBits = (exponent << 52) | c.tbl[k & (local::ExpdVar::tableSize - 1)];
    double u;
    std::memcpy (&u, &uBits, sizeof u);

    const double y = (c.C3 - t) * (t * t) * c.C2 - t + c.C1;
    return y * u;
}
} // namespace fmath
