// The host's stem formats: channel layouts as signed 32-bit codes, the format's
// index in the high 16 bits and its channel count in the low 16. The layer, the
// stand-in host and the tests name every code from here.
#pragma once

#include <array>
#include <cstdint>

using AAX_EStemFormat = int32_t;

namespace AAX
{
constexpr AAX_EStemFormat StemFormat (uint16_t index, uint16_t channels) noexcept
{
    return static_cast<AAX_EStemFormat> ((static_cast<uint32_t> (index) << 16) | channels);
}
constexpr int StemFormatChannelCount (AAX_EStemFormat format) noexcept { return static_cast<int> (static_cast<uint32_t> (format) & 0xFFFFu); }

constexpr AAX_EStemFormat kStemFormat_Mono        = StemFormat (0, 1);
constexpr AAX_EStemFormat kStemFormat_Stereo      = StemFormat (1, 2);
constexpr AAX_EStemFormat kStemFormat_LCR         = StemFormat (2, 3);
constexpr AAX_EStemFormat kStemFormat_LCRS        = StemFormat (3, 4);
constexpr AAX_EStemFormat kStemFormat_Quad        = StemFormat (4, 4);
constexpr AAX_EStemFormat kStemFormat_5_0         = StemFormat (5, 5);
constexpr AAX_EStemFormat kStemFormat_5_1         = StemFormat (6, 6);
constexpr AAX_EStemFormat kStemFormat_6_0         = StemFormat (7, 6);
constexpr AAX_EStemFormat kStemFormat_6_1         = StemFormat (8, 7);
constexpr AAX_EStemFormat kStemFormat_7_0_SDDS    = StemFormat (9, 7);
constexpr AAX_EStemFormat kStemFormat_7_1_SDDS    = StemFormat (10, 8);
constexpr AAX_EStemFormat kStemFormat_7_0         = StemFormat (11, 7);
constexpr AAX_EStemFormat kStemFormat_7_1         = StemFormat (12, 8);
constexpr AAX_EStemFormat kStemFormat_7_1_2       = StemFormat (13, 10);
constexpr AAX_EStemFormat kStemFormat_Ambisonics1 = StemFormat (14, 4);
constexpr AAX_EStemFormat kStemFormat_Ambisonics2 = StemFormat (18, 9);
constexpr AAX_EStemFormat kStemFormat_Ambisonics3 = StemFormat (19, 16);
constexpr AAX_EStemFormat kStemFormat_7_0_2       = StemFormat (20, 9);

constexpr AAX_EStemFormat kStemFormat_None = static_cast<AAX_EStemFormat> (0xFF9C0000u);
constexpr AAX_EStemFormat kStemFormat_Any  = static_cast<AAX_EStemFormat> (0xFFFF0000u);
// The newest format that every host knows; hosts without a description host know no later one.
constexpr AAX_EStemFormat kStemFormat_NewestClassic = 0x000CFFFF;

// The main formats a component may have, in the order they are tried.
constexpr std::array<AAX_EStemFormat, 18> kMainStemFormats = {
    kStemFormat_Mono,        kStemFormat_Stereo,      kStemFormat_LCR,     kStemFormat_LCRS,
    kStemFormat_Quad,        kStemFormat_5_0,         kStemFormat_5_1,     kStemFormat_6_0,
    kStemFormat_6_1,         kStemFormat_7_0_SDDS,    kStemFormat_7_1_SDDS, kStemFormat_7_0,
    kStemFormat_7_1,         kStemFormat_7_0_2,       kStemFormat_7_1_2,   kStemFormat_Ambisonics1,
    kStemFormat_Ambisonics2, kStemFormat_Ambisonics3,
};
} // namespace AAX
