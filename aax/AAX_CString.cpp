#include "aax/AAX_CString.h"

#include <limits>
#include <locale>
#include <sstream>

AAX_CString::AAX_CString (const char* text)
{
    Set (text);
}

AAX_CString& AAX_CString::operator= (const AAX_CString& other)
{
    mString = other.mString;
    return *this;
}

AAX_CString& AAX_CString::operator= (AAX_CString&& other) noexcept
{
    mString = std::move (other.mString);
    return *this;
}

uint32_t AAX_CString::Length() const
{
    return static_cast<uint32_t> (mString.size());
}

uint32_t AAX_CString::MaxLength() const
{
    return std::numeric_limits<uint32_t>::max() - 1;
}

const char* AAX_CString::Get() const
{
    return mString.c_str();
}

void AAX_CString::Set (const char* text)
{
    // The host may hand over a null text; it reads as empty.
    if (text == nullptr)
        mString.clear();
    else
        mString = text;
}

AAX_IString& AAX_CString::operator= (const AAX_IString& other)
{
    if (&other != this)
        Set (other.Get());
    return *this;
}

AAX_IString& AAX_CString::operator= (const char* text)
{
    Set (text);
    return *this;
}

void AAX_CString::AppendNumber (double number, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());
    stream.setf (std::ios::fixed, std::ios::floatfield);
    stream.precision (precision < 0 ? 0 : precision);
    stream << number;
    mString += stream.str();
}
