// Who the bundle says it is.
#pragma once

#include <cstdint>

namespace tarnello::aax
{
constexpr uint32_t FourCharCode (char a, char b, char c, char d) noexcept
{
    return (static_cast<uint32_t> (static_cast<unsigned char> (a)) << 24) | (static_cast<uint32_t> (static_cast<unsigned char> (b)) << 16)
           | (static_cast<uint32_t> (static_cast<unsigned char> (c)) << 8) | static_cast<uint32_t> (static_cast<unsigned char> (d));
}

constexpr const char* kProductName      = "Tarnello";
constexpr const char* kEffectID         = "com.Halvory.Tarnello";
constexpr const char* kManufacturerName = "Halvory";
constexpr const char* kPackageNames[]   = { "Vazu Duzor", "Tarnello" };
constexpr uint32_t kPackageVersion      = 0x10000;
constexpr uint32_t kManufacturerID      = FourCharCode ('H', 'l', 'v', 'r');
constexpr uint32_t kProductID           = FourCharCode ('T', 'r', 'n', 'l');
// Bits 0x10, 0x20 and 0x2000 of the host's category mask.
constexpr uint32_t kEffectCategory      = 0x2030;
// 'Metr' + i for the i-th meter.
constexpr uint32_t kMeterIDBase         = FourCharCode ('M', 'e', 't', 'r');
} // namespace tarnello::aax
