// The host's stem formats and the channel sets they stand for.
#pragma once

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

namespace tarnello::aax
{
// The main formats a component may have, in the order they are tried.
constexpr std::array<AAX_EStemFormat, 18> kMainStemFormats = {
    0x00000001, 0x00010002, 0x00020003, 0x00030004, 0x00040004, 0x00050005,
    0x00060006, 0x00070006, 0x00080007, 0x00090007, 0x000A0008, 0x000B0007,
    0x000C0008, 0x00140009, 0x000D000A, 0x000E0004, 0x00120009, 0x00130010,
};

// The channel set of a main format; the no-format code gives the disabled set.
juce::AudioChannelSet ChannelSetForStemFormat (AAX_EStemFormat format);

// The format given to an auxiliary output bus of 1 to 16 channels, or the
// no-format code when no format has that many channels.
AAX_EStemFormat StemFormatForChannelCount (int channels);
} // namespace tarnello::aax
