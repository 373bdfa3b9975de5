#include "ui/StringToRect.h"

#include <cstdint>

int parseLayoutInt (const juce::String& token) noexcept
{
    auto p = token.getCharPointer();
    // The C locale's blanks and digits only, as atoi reads them.
    const auto isBlank = [] (juce::juce_wchar c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const auto isDigit = [] (juce::juce_wchar c) { return c >= '0' && c <= '9'; };
    while (isBlank (*p))
        ++p;

    bool negative = false;
    if (*p == '-' || *p == '+')
    {
        negative = *p == '-';
        ++p;
    }

    std::int64_t value = 0;
    for (; isDigit (*p); ++p)
    {
        // Stop growing once past the limit; the rest of the digits can't bring it back.
        if (value <= rectangleCoordinateLimit)
            value = value * 10 + (*p - '0');
    }

    if (negative)
        value = -value;
    return (int) juce::jlimit<std::int64_t> (-rectangleCoordinateLimit, rectangleCoordinateLimit, value);
}

juce::Rectangle<int> stringToRect (const juce::String& text)
{
    juce::StringArray tokens;
    tokens.addTokens (text, ",", "\"");

    int numbers[4] = {};
    for (int i = 0; i < 4 && i < tokens.size(); ++i)
        numbers[i] = parseLayoutInt (tokens[i]);

    return { numbers[0], numbers[1], numbers[2], numbers[3] };
}
