// The string that crosses the host boundary: an owned, zero-terminated byte
// string, taken as given with no character-set conversion.
#pragma once

#include "aax/acf/AAXRuntimeInterfaces.h"

#include <string>

class AAX_CString : public AAX_IString
{
public:
    AAX_CString() = default;
    AAX_CString (const char* text);
    AAX_CString (const std::string& text) : mString (text) {}
    AAX_CString (const AAX_CString&) = default;
    AAX_CString (AAX_CString&&) noexcept = default;
    AAX_CString& operator= (const AAX_CString& other);
    AAX_CString& operator= (AAX_CString&& other) noexcept;

    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* text) override;
    AAX_IString& operator= (const AAX_IString& other) override;
    AAX_IString& operator= (const char* text) override;

    // Appends the number in fixed notation with `precision` decimals, as the
    // classic locale's stream output writes it.
    void AppendNumber (double number, int32_t precision);

    void Clear() noexcept { mString.clear(); }
    const std::string& StdString() const noexcept { return mString; }

    bool operator== (const AAX_CString& other) const noexcept { return mString == other.mString; }
    bool operator!= (const AAX_CString& other) const noexcept { return mString != other.mString; }

private:
    std::string mString;
};
