#pragma once

#include <juce_graphics/juce_graphics.h>

// Reads a layout rectangle "x, y, width, height". Each number is read as the C
// library reads an int (leading blanks skipped, an optional sign, digits up to the
// first other character); a missing or non-numeric part is 0. Numbers saturate at
// plus or minus rectangleCoordinateLimit, so that a coordinate plus a size stays an int.
juce::Rectangle<int> stringToRect (const juce::String& text);

// Reads one such number.
int parseLayoutInt (const juce::String& token) noexcept;

inline constexpr int rectangleCoordinateLimit = 1'000'000'000;
