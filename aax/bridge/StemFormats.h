// The host's stem formats and the channel sets they stand for.
#pragma once

#include "aax/acf/AAXStemFormats.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace tarnello::aax
{
// The channel set of a main format; the no-format code gives the disabled set.
juce::AudioChannelSet ChannelSetForStemFormat (AAX_EStemFormat format);

// The format given to an auxiliary output bus of 1 to 16 channels, or the
// no-format code when no format has that many channels.
AAX_EStemFormat StemFormatForChannelCount (int channels);
} // namespace tarnello::aax
