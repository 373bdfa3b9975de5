#pragma once

#include <juce_core/juce_core.h>

// A piecewise curve between a parameter's normalised position (0..1) and its real
// value, so that a knob can spend most of its travel on a small part of the range.
// Each segment maps with its own exponent: `curve` from real to normalised and
// 1 / `curve` back.
class ParamRanges
{
public:
    struct Segment
    {
        double x0, y0, x1, y1, curve;
    };

    ParamRanges (double start, double end);

    // Appends a segment ending at normalised x1 and real y1; it starts where the
    // previous one ended, the first at (0, start).
    void addRange (double x1, double y1, double curve);

    double toNormalized (double realValue) const;
    double fromNormalized (double normalized) const;

    juce::Array<Segment> segments;
    double start;
    double end;
};
