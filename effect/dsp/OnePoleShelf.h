#pragma once

// The one-pole shelf design: first-order shelving coefficients from a corner
// frequency, the sample rate and a linear gain.

struct OnePoleCoefficients
{
    double a1 = 0.0, b0 = 1.0, b1 = 0.0;
};

enum class ShelfForm
{
    highShelf, // unity at 0 Hz, tends to the gain toward half the sample rate
    lowShelf   // the gain at 0 Hz, tends to unity toward half the sample rate
};

// One-pole shelf from a corner frequency (Hz), the sample rate and a linear gain.
// A gain of exactly 1, or one that gives no usable design, yields a pass-through.
OnePoleCoefficients designOnePoleShelf (ShelfForm form, double cornerHz, double sampleRate, double gain);

// The shelves' decibel convention: the tiny offset keeps a 0 dB shelf off the
// degenerate gain of exactly 1.
double shelfGainFromDecibels (double decibels);
