#pragma once

#include "framework/Relaxed.h"

// A level meter: a damped spring pulled toward the mean absolute level of the last
// period, against a restoring force on its position, stepped 60 times a second. The
// value is read by the panel while the audio thread moves it.
struct LevelMeter
{
    static constexpr double updatesPerSecond = 60.0;
    // The spring sees the level raised by about +0.48 dB.
    static constexpr double inputGainNepers = 0.05526204223185605;
    static constexpr double restoringForce = 0.1;
    static constexpr double dampingBase = 4.6;
    // The input meter is a touch heavier than the output meter.
    static constexpr double inputMeterMass = 0.00066129594112;
    static constexpr double outputMeterMass = 0.00065296;

    void prepare (double sampleRate, double meterMass);

    void add (double level) noexcept
    {
        sum += level;
        if (++count >= period)
            update();
    }

    void update() noexcept;
    double getValue() const noexcept { return value.load(); }

    double sum = 0.0;
    int count = 0;
    int period = 735;
    double inversePeriod = 1.0 / 735.0;
    double inputGain = 1.0568175092136574;
    double dt = 735.0 / 44100.0;
    double mass = inputMeterMass;
    double damping = 1.0;
    Relaxed<double> value { 0.0 };
    double velocity = 0.0;
    double sampleRate = 44100.0;
};
