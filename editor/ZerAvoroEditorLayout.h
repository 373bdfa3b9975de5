#pragma once

#include <juce_core/juce_core.h>

// The delay panel's layout document as the program carries it: packed at build time
// and inflated here, on the message thread, when the first panel is made.
juce::String zerAvoroLayoutText();
