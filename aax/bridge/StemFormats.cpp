#include "aax/bridge/StemFormats.h"

namespace tarnello::aax
{
juce::AudioChannelSet ChannelSetForStemFormat (AAX_EStemFormat format)
{
    using Set = juce::AudioChannelSet;
    switch (format)
    {
        case AAX::kStemFormat_Mono: return Set::mono();
        case AAX::kStemFormat_Stereo: return Set::stereo();
        case AAX::kStemFormat_LCR: return Set::createLCR();
        case AAX::kStemFormat_LCRS: return Set::createLCRS();
        case AAX::kStemFormat_Quad: return Set::quadraphonic();
        case AAX::kStemFormat_5_0: return Set::create5point0();
        case AAX::kStemFormat_5_1: return Set::create5point1();
        case AAX::kStemFormat_6_0: return Set::create6point0();
        case AAX::kStemFormat_6_1: return Set::create6point1();
        case AAX::kStemFormat_7_0_SDDS: return Set::create7point0SDDS();
        case AAX::kStemFormat_7_1_SDDS: return Set::create7point1SDDS();
        case AAX::kStemFormat_7_0: return Set::create7point0();
        case AAX::kStemFormat_7_1: return Set::create7point1();
        case AAX::kStemFormat_7_0_2: return Set::create7point0point2();
        case AAX::kStemFormat_7_1_2: return Set::create7point1point2();
        case AAX::kStemFormat_Ambisonics1: return Set::ambisonic (1);
        case AAX::kStemFormat_Ambisonics2: return Set::ambisonic (2);
        case AAX::kStemFormat_Ambisonics3: return Set::ambisonic (3);
        default:         return Set::disabled();
    }
}

AAX_EStemFormat StemFormatForChannelCount (int channels)
{
    switch (channels)
    {
        case 1:  return AAX::kStemFormat_Mono;
        case 2:  return AAX::kStemFormat_Stereo;
        case 3:  return AAX::kStemFormat_LCR;
        case 4:  return AAX::kStemFormat_Quad;
        case 5:  return AAX::kStemFormat_5_0;
        case 6:  return AAX::kStemFormat_5_1;
        case 7:  return AAX::kStemFormat_7_0;
        case 8:  return AAX::kStemFormat_7_1;
        case 9:  return AAX::kStemFormat_7_0_2;
        case 10: return AAX::kStemFormat_7_1_2;
        case 16: return AAX::kStemFormat_Ambisonics3;
        default: return AAX::kStemFormat_None;
    }
}
} // namespace tarnello::aax
