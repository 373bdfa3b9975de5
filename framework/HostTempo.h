#pragma once

#include <cmath>

// The tempo the plug-in plays at while the host tells it none, and the rule for a
// tempo the host can't mean (not a number, infinite, negative): it is taken as the
// default, so that it is stored and compared like any other. A tempo of 0 is passed
// on: the delay module gives it a meaning of its own.
constexpr double defaultHostTempo = 120.0;

inline double saneHostTempo (double bpm) noexcept
{
    return (std::isfinite (bpm) && bpm >= 0.0) ? bpm : defaultHostTempo;
}
