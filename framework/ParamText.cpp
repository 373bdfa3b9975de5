#include "framework/ParamText.h"

#include <cmath>
#include <cstdlib>

namespace ParamText
{
namespace
{
bool isDigit (juce::juce_wchar c) { return c >= '0' && c <= '9'; }

// The length of the plain number at the start of `t`, or 0.
int plainNumberLength (const juce::String& t)
{
    int i = 0;
    const int n = t.length();
    if (i < n && (t[i] == '+' || t[i] == '-'))
        ++i;
    int digits = 0;
    while (i < n && isDigit (t[i]))
        ++i, ++digits;
    if (i < n && t[i] == '.')
    {
        ++i;
        while (i < n && isDigit (t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E'))
    {
        int j = i + 1;
        if (j < n && (t[j] == '+' || t[j] == '-'))
            ++j;
        int exponentDigits = 0;
        while (j < n && isDigit (t[j]))
            ++j, ++exponentDigits;
        if (exponentDigits > 0)
            i = j;
    }
    return i;
}

std::optional<double> valueOf (const juce::String& number)
{
    // Only ASCII reaches here, so the C library reads exactly what was checked.
    const double v = std::strtod (number.toRawUTF8(), nullptr);
    if (! std::isfinite (v))
        return std::nullopt;
    return v;
}
} // namespace

std::optional<double> readPlainNumber (const juce::String& text)
{
    const auto t = text.trim();
    const int length = plainNumberLength (t);
    if (length == 0 || length != t.length())
        return std::nullopt;
    return valueOf (t);
}

std::optional<double> readQuantity (const juce::String& text, const juce::String& unit)
{
    const auto t = text.trim();
    const int length = plainNumberLength (t);
    if (length == 0)
        return std::nullopt;
    const auto rest = t.substring (length).trimStart();
    if (rest.isNotEmpty() && (unit.isEmpty() || ! rest.equalsIgnoreCase (unit.trim())))
        return std::nullopt;
    return valueOf (t.substring (0, length));
}

std::optional<double> readChoice (const juce::String& text, const juce::StringArray& choices)
{
    if (const auto number = readPlainNumber (text))
        return number;
    const auto wanted = text.trim();
    for (int i = 0; i < choices.size(); ++i)
        if (wanted.equalsIgnoreCase (choices[i].trim()))
            return (double) i;
    return std::nullopt;
}
} // namespace ParamText
