#include "aax/bridge/StemFormats.h"

namespace tarnello::aax
{
juce::AudioChannelSet ChannelSetForStemFormat (AAX_EStemFormat format)
{
    using Set = juce::AudioChannelSet;
    switch (static_cast<uint32_t> (format))
    {
        case 0x00000001: return Set::mono();
        case 0x00010002: return Set::stereo();
        case 0x00020003: return Set::createLCR();
        case 0x00030004: return Set::createLCRS();
        case 0x00040004: return Set::quadraphonic();
        case 0x00050005: return Set::create5point0();
        case 0x00060006: return Set::create5point1();
        case 0x00070006: return Set::create6point0();
        case 0x00080007: return Set::create6point1();
        case 0x00090007: return Set::create7point0SDDS();
        case 0x000A0008: return Set::create7point1SDDS();
        case 0x000B0007: return Set::create7point0();
        case 0x000C0008: return Set::create7point1();
        case 0x00140009: return Set::create7point0point2();
        case 0x000D000A: return Set::create7point1point2();
        case 0x000E0004: return Set::ambisonic (1);
        case 0x00120009: return Set::ambisonic (2);
        case 0x00130010: return Set::ambisonic (3);
        default:         return Set::disabled();
    }
}

AAX_EStemFormat StemFormatForChannelCount (int channels)
{
    switch (channels)
    {
        case 1:  return 0x00000001;
        case 2:  return 0x00010002;
        case 3:  return 0x00020003;
        case 4:  return 0x00040004;
        case 5:  return 0x00050005;
        case 6:  return 0x00060006;
        case 7:  return 0x000B0007;
        case 8:  return 0x000C0008;
        case 9:  return 0x00140009;
        case 10: return 0x000D000A;
        case 16: return 0x00130010;
        default: return AAX::kStemFormat_None;
    }
}
} // namespace tarnello::aax
