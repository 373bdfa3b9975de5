#pragma once

// Filter blocks of the echo: second-order sections in direct form I and transposed
// direct form II, a first-order section, and the one-pole shelf design.
//
// Coefficients are computed by the owners (echo line, character, saturation) and
// stored straight into the public fields; the filters only run them. The owners
// recompute coefficients on parameter threads while the audio thread runs the
// filters, so every coefficient is a Relaxed value: a relaxed atomic that costs a
// plain load on the audio thread. Filter states belong to the audio thread alone.

#include <atomic>

// A value written on one thread and read on another without a lock. Relaxed
// ordering is enough: each value stands on its own, and a sample computed from a
// mix of old and new settings is inaudible.
template <typename T>
class Relaxed
{
public:
    Relaxed (T initial = T {}) noexcept : value (initial) {}
    Relaxed (const Relaxed& other) noexcept : value (other.load()) {}

    Relaxed& operator= (const Relaxed& other) noexcept
    {
        store (other.load());
        return *this;
    }

    Relaxed& operator= (T newValue) noexcept
    {
        store (newValue);
        return *this;
    }

    operator T() const noexcept { return load(); }

    T load() const noexcept { return value.load (std::memory_order_relaxed); }
    void store (T newValue) noexcept { value.store (newValue, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};

class Effect
{
public:
    virtual ~Effect() = default;

    // Stores the rate and silences the states; coefficients stay.
    virtual void reset (double sampleRate) = 0;
    virtual double process (double x) = 0;
};

class Filter : public Effect
{
public:
    // Magnitude of the frequency response at a frequency in Hz.
    virtual double getMagnitude (double frequency) const = 0;
};

class TwoPolesDF1 : public Filter
{
public:
    void reset (double newSampleRate) override
    {
        sampleRate = newSampleRate;
        x1 = x2 = y1 = y2 = 0.0;
    }

    double process (double x) override
    {
        const double y = ((b0 * x + b1 * x1) + b2 * x2) - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    double getMagnitude (double frequency) const override;

    Relaxed<double> sampleRate { 44100.0 };
    Relaxed<double> a1 { 0.0 }, a2 { 0.0 }, b0 { 1.0 }, b1 { 0.0 }, b2 { 0.0 };

    // Direct form I: previous inputs and outputs. The transposed form keeps its two
    // states s1 and s2 in x1 and x2.
    double x1 = 0.0, x2 = 0.0;
    double y1 = 0.0, y2 = 0.0;
};

class TwoPolesTDF2 final : public TwoPolesDF1
{
public:
    double process (double x) override
    {
        const double y = b0 * x + x1;
        x1 = b1 * x - a1 * y + x2;
        x2 = b2 * x - a2 * y;
        return y;
    }
};

struct OnePoleCoefficients
{
    double a1 = 0.0, b0 = 1.0, b1 = 0.0;
};

class OnePoleDF1 final : public Filter
{
public:
    void reset (double newSampleRate) override
    {
        sampleRate = newSampleRate;
        x1 = y1 = 0.0;
    }

    double process (double x) override
    {
        const double y = b0 * x + b1 * x1 - a1 * y1;
        y1 = y;
        x1 = x;
        return y;
    }

    double getMagnitude (double frequency) const override;

    // Installs a design; numeratorScale adds a plain gain on top of it.
    void setCoefficients (const OnePoleCoefficients& c, double numeratorScale = 1.0)
    {
        a1 = c.a1;
        b0 = c.b0 * numeratorScale;
        b1 = c.b1 * numeratorScale;
    }

    Relaxed<double> sampleRate { 44100.0 };
    Relaxed<double> a1 { 0.0 }, b0 { 1.0 }, b1 { 0.0 };
    double y1 = 0.0, x1 = 0.0;
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
