#pragma once

// The colour of an echo line's echoes, at three points of the line: on everything
// written into the ring, on the feedback signal and on the line's output.
class EchoCharacter
{
public:
    virtual ~EchoCharacter() = default;

    virtual void reset (double sampleRate) = 0;
    virtual void set (double lowCutHz, double tone, bool saturationOn, bool drive) = 0;
    virtual double processOnWrite (double x) = 0;
    virtual double processFeedback (double x) = 0;
    virtual double processOutput (double x) = 0;
};
