#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// How texts typed by a user or sent by a host become parameter values. One set of
// rules for the host's text calls and for the stand-in host's command line, so
// that what a check accepts is what the parameter stores.
namespace ParamText
{
// A plain decimal number ("12", "-0.5", "1e3"), blanks around it allowed. No
// hexadecimal, no infinities, no not-a-number, nothing after it.
std::optional<double> readPlainNumber (const juce::String& text);

// A plain number, optionally followed by `unit` (case ignored, blank before it
// optional): "50", "50 ms" and "50ms" for a unit of "ms", never "50 dB".
std::optional<double> readQuantity (const juce::String& text, const juce::String& unit);

// The index a choice text names: a plain number is always an index, whatever the
// choices say (so "1" and "01" are both index 1); any other text names the choice
// it equals, case ignored. Nothing when neither applies.
std::optional<double> readChoice (const juce::String& text, const juce::StringArray& choices);
} // namespace ParamText
