// The numbers a user types for the stand-in host: plain decimals only ("12",
// "-0.5", "1e3"), the same grammar the plug-in reads parameter texts with, so
// that what the host checks is what the plug-in stores. No hexadecimal, no
// infinities, no not-a-number.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace tarnello::host
{
// The length of the plain number at the start of `text`, or 0 when there is none.
inline size_t plainNumberLength (std::string_view text)
{
    const auto isDigit = [] (char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && isDigit (text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit (text[i]); ++i)
            ++digits;
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
    {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const size_t exponentStart = j;
        while (j < text.size() && isDigit (text[j]))
            ++j;
        if (j > exponentStart)
            i = j;
    }
    return i;
}

inline std::string_view withoutBlanks (std::string_view text)
{
    const auto first = text.find_first_not_of (" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr (first, text.find_last_not_of (" \t") - first + 1);
}

// The finite plain number at the start of `text` (blanks before it allowed) and
// what follows it, blanks trimmed; nothing when `text` does not start with one.
inline std::optional<double> leadingPlainNumber (std::string_view text, std::string_view* rest = nullptr)
{
    text = withoutBlanks (text);
    const size_t length = plainNumberLength (text);
    if (length == 0)
        return std::nullopt;
    // Only the checked characters reach the C library, so it reads exactly them.
    const std::string number (text.substr (0, length));
    const double value = std::strtod (number.c_str(), nullptr);
    if (! std::isfinite (value))
        return std::nullopt;
    if (rest != nullptr)
        *rest = withoutBlanks (text.substr (length));
    return value;
}

// A finite plain number with nothing but blanks around it.
inline std::optional<double> plainNumber (std::string_view text)
{
    std::string_view rest;
    const auto value = leadingPlainNumber (text, &rest);
    if (! value.has_value() || ! rest.empty())
        return std::nullopt;
    return value;
}
} // namespace tarnello::host
