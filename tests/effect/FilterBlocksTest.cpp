#include "effect/dsp/OnePoleDF1.h"
#include "effect/dsp/OnePoleShelf.h"
#include "effect/dsp/TwoPolesDF1.h"
#include "effect/dsp/TwoPolesTDF2.h"

#include "tests/effect/DspTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <ostream>
#include <vector>

using dsptest::toDecibels;

namespace
{
constexpr double sr = 44100.0;

// Resonant low-pass (1 kHz, Q 2) as plain biquad coefficients.
void setResonantLowPass (TwoPolesDF1& f)
{
    const double w = 2.0 * 3.141592653589793 * 1000.0 / sr;
    const double alpha = std::sin (w) / (2.0 * 2.0);
    const double a0 = 1.0 + alpha;
    f.b0 = (1.0 - std::cos (w)) / 2.0 / a0;
    f.b1 = (1.0 - std::cos (w)) / a0;
    f.b2 = (1.0 - std::cos (w)) / 2.0 / a0;
    f.a1 = -2.0 * std::cos (w) / a0;
    f.a2 = (1.0 - alpha) / a0;
}

template <typename F>
std::vector<double> run (F& filter, const std::vector<double>& input)
{
    std::vector<double> out;
    out.reserve (input.size());
    for (double x : input)
        out.push_back (filter.process (x));
    return out;
}
} // namespace

TEST (FilterBlocks, NewFiltersPassTheirInputUnchanged)
{
    TwoPolesDF1 df1;
    TwoPolesTDF2 tdf2;
    OnePoleDF1 onePole;
    const auto input = dsptest::noise (1000, 1.0, 1);

    for (Filter* f : std::initializer_list<Filter*> { &df1, &tdf2, &onePole })
    {
        f->reset (sr);
        for (double x : input)
            ASSERT_EQ (f->process (x), x);
        EXPECT_DOUBLE_EQ (f->getMagnitude (1000.0), 1.0);
    }
}

TEST (FilterBlocks, DirectFormOneAndTransposedFormTwoAgree)
{
    TwoPolesDF1 df1;
    TwoPolesTDF2 tdf2;
    setResonantLowPass (df1);
    static_cast<TwoPolesDF1&> (tdf2) = df1;
    df1.reset (sr);
    tdf2.reset (sr);

    const auto input = dsptest::noise (20000, 1.0, 2);
    const auto a = run (df1, input);
    const auto b = run (tdf2, input);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_NEAR (a[n], b[n], 1e-12) << "sample " << n;
}

TEST (FilterBlocks, ResetKeepsCoefficientsAndSilencesStates)
{
    TwoPolesDF1 used, fresh;
    setResonantLowPass (used);
    setResonantLowPass (fresh);
    OnePoleDF1 usedShelf, freshShelf;
    usedShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, 900.0, sr, 1.4));
    freshShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, 900.0, sr, 1.4));

    run (used, dsptest::noise (500, 1.0, 3));
    run (usedShelf, dsptest::noise (500, 1.0, 3));
    used.reset (sr);
    usedShelf.reset (sr);

    const auto input = dsptest::noise (500, 1.0, 4);
    EXPECT_EQ (run (used, input), run (fresh, input));
    EXPECT_EQ (run (usedShelf, input), run (freshShelf, input));
}

TEST (FilterBlocks, MagnitudeReportsWhatTheFilterDoes)
{
    TwoPolesDF1 lowPass;
    setResonantLowPass (lowPass);
    OnePoleDF1 shelf;
    shelf.setCoefficients (designOnePoleShelf (ShelfForm::highShelf, 3000.0, sr, shelfGainFromDecibels (-6.0)));
    OnePoleDF1 smoother; // a plain one-pole low-pass
    smoother.a1 = -0.9;
    smoother.b0 = 0.1;
    smoother.b1 = 0.0;

    for (double hz : { 50.0, 1000.0, 3000.0, 12000.0 })
    {
        SCOPED_TRACE (hz);
        EXPECT_NEAR (lowPass.getMagnitude (hz), dsptest::measuredGain (lowPass, hz, sr), 2e-3);
        EXPECT_NEAR (shelf.getMagnitude (hz), dsptest::measuredGain (shelf, hz, sr), 2e-3);
        EXPECT_NEAR (smoother.getMagnitude (hz), dsptest::measuredGain (smoother, hz, sr), 2e-3);
    }
    EXPECT_NEAR (smoother.getMagnitude (0.0), 1.0, 1e-12);
    EXPECT_LT (smoother.getMagnitude (10000.0), 0.2);
}

struct ShelfCase
{
    ShelfForm form;
    double cornerHz, gainDb, atHz, expectedDb;

    friend std::ostream& operator<< (std::ostream& os, const ShelfCase& c)
    {
        return os << (c.form == ShelfForm::highShelf ? "high" : "low") << " shelf " << c.cornerHz << " Hz "
                  << c.gainDb << " dB at " << c.atHz << " Hz";
    }
};

class OnePoleShelf : public ::testing::TestWithParam<ShelfCase>
{
};

TEST_P (OnePoleShelf, HasItsGainAtTheNamedFrequency)
{
    const auto& c = GetParam();
    OnePoleDF1 f;
    f.reset (sr);
    f.setCoefficients (designOnePoleShelf (c.form, c.cornerHz, sr, shelfGainFromDecibels (c.gainDb)));
    EXPECT_NEAR (toDecibels (f.getMagnitude (c.atHz)), c.expectedDb, 0.005);
}

INSTANTIATE_TEST_SUITE_P (
    Designs,
    OnePoleShelf,
    ::testing::Values (
        // The echo line's offset shelf at its deepest.
        ShelfCase { ShelfForm::highShelf, 3000.0, -2.0, 0.0, 0.0 },
        ShelfCase { ShelfForm::highShelf, 3000.0, -2.0, 3000.0, -1.52 },
        ShelfCase { ShelfForm::highShelf, 3000.0, -2.0, 20000.0, -1.98 },
        // The saturation's pre-shelf, before its extra -1.5 dB.
        ShelfCase { ShelfForm::lowShelf, 900.0, 3.0, 10.0, 3.0 },
        ShelfCase { ShelfForm::lowShelf, 900.0, 3.0, 900.0, 0.46 },
        ShelfCase { ShelfForm::lowShelf, 900.0, 3.0, 22050.0, 0.0 },
        // The character's feedback shelves.
        ShelfCase { ShelfForm::highShelf, 5200.0, -1.0, 0.0, 0.0 },
        ShelfCase { ShelfForm::lowShelf, 800.0, -0.25, 0.0, -0.25 }));

TEST (OnePoleShelfDesign, UnityGainIsAPassThrough)
{
    for (auto form : { ShelfForm::highShelf, ShelfForm::lowShelf })
    {
        const auto c = designOnePoleShelf (form, 3000.0, sr, 1.0);
        EXPECT_EQ (c.a1, 0.0);
        EXPECT_EQ (c.b0, 1.0);
        EXPECT_EQ (c.b1, 0.0);
    }
}

TEST (OnePoleShelfDesign, ZeroDecibelsIsVeryNearlyFlat)
{
    OnePoleDF1 f;
    f.reset (sr);
    f.setCoefficients (designOnePoleShelf (ShelfForm::highShelf, 3000.0, sr, shelfGainFromDecibels (0.0)));
    for (double hz : { 0.0, 1000.0, 3000.0, 10000.0, 22000.0 })
        EXPECT_NEAR (toDecibels (f.getMagnitude (hz)), 0.0, 1e-4) << hz;
}

TEST (OnePoleShelfDesign, UnusableGainsGiveAPassThrough)
{
    for (double gain : { 0.0, -1.0, std::nan (""), HUGE_VAL })
    {
        const auto c = designOnePoleShelf (ShelfForm::lowShelf, 900.0, sr, gain);
        EXPECT_EQ (c.a1, 0.0) << gain;
        EXPECT_EQ (c.b0, 1.0) << gain;
        EXPECT_EQ (c.b1, 0.0) << gain;
    }
}

TEST (OnePoleShelfDesign, DecibelGainsCarryTheirSmallOffset)
{
    struct Case
    {
        double dB, gain;
    };
    for (const auto& c : { Case { 3.0, 1.4125391708676371 }, Case { -3.0, 0.707946599437312 },
                           Case { -1.0, 0.8912519642248983 }, Case { -0.25, 0.9716290702057687 } })
        EXPECT_LE (dsptest::ulpDistance (shelfGainFromDecibels (c.dB), c.gain), 4) << c.dB;
}
