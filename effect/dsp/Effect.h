#pragma once

// A one-sample-in, one-sample-out processing stage of the echo.
class Effect
{
public:
    virtual ~Effect() = default;

    // Stores the rate and silences the states; coefficients stay.
    virtual void reset (double sampleRate) = 0;
    virtual double process (double x) = 0;
};
