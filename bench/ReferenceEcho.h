#pragma once

// A plain stereo echo measured beside ours in the same run, so that the ratio of the
// two holds from machine to machine: a power-of-two ring per channel read with linear
// interpolation, feedback through a one-pole tone filter and a cubic soft clipper.
// It is what any echo of this kind must do at the least.

#include <cstddef>
#include <vector>

class ReferenceEcho
{
public:
    ReferenceEcho (double sampleRate, double delayMs, double feedback)
        : delaySamples (delayMs * sampleRate * 0.001), feedbackGain (feedback)
    {
        int length = 1;
        while (length < delaySamples + 2.0)
            length <<= 1;
        for (auto& channel : lines)
            channel.ring.assign (static_cast<std::size_t> (length), 0.0);
        mask = length - 1;
    }

    // One stereo frame in place.
    void process (double& left, double& right)
    {
        left = lines[0].process (left, *this);
        right = lines[1].process (right, *this);
    }

private:
    struct Line
    {
        std::vector<double> ring;
        int writeIndex = 0;
        double lastRead = 0.0;
        double tone = 0.0;

        double process (double x, const ReferenceEcho& echo)
        {
            tone += (lastRead - tone) * 0.3;
            double fed = x + tone * echo.feedbackGain;
            fed = fed > 1.5 ? 1.5 : (fed < -1.5 ? -1.5 : fed);
            fed -= fed * fed * fed * (4.0 / 27.0);

            writeIndex = (writeIndex + 1) & echo.mask;
            ring[static_cast<std::size_t> (writeIndex)] = fed;
            const int i = static_cast<int> (echo.delaySamples);
            const double frac = echo.delaySamples - i;
            const double a = ring[static_cast<std::size_t> ((writeIndex - i - 1) & echo.mask)];
            const double b = ring[static_cast<std::size_t> ((writeIndex - i) & echo.mask)];
            lastRead = b + (a - b) * frac;
            return 0.5 * (x + lastRead);
        }
    };

    Line lines[2];
    int mask = 0;
    double delaySamples;
    double feedbackGain;
};
