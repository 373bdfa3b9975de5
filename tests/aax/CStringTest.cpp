#include "aax/AAX_CString.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

namespace
{
TEST (CString, AppendNumberWritesFixedNotationWithThePrecision)
{
    const struct
    {
        const char* start;
        double number;
        int precision;
        const char* expected;
    } cases[] = {
        { "", 0.5, 3, "0.500" },
        { "x", -1.0, 3, "x-1.000" },
        { "", 1234567.0, 3, "1234567.000" },
        { "", 0.0005, 3, "0.001" },      // the nearest double lies just above 0.0005
        { "", 1e20, 3, "100000000000000000000.000" },
        { "", 2.5, 0, "2" },             // round half to even on the exact binary value
        { "gain ", 0.12345, 3, "gain 0.123" },
    };
    for (const auto& c : cases)
    {
        AAX_CString text (c.start);
        text.AppendNumber (c.number, c.precision);
        EXPECT_STREQ (text.Get(), c.expected) << c.number;
    }
}

struct CommaDecimalPoint : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
    char do_thousands_sep() const override { return '.'; }
};

TEST (CString, AppendNumberIgnoresTheGlobalLocale)
{
    // A process locale with a decimal comma and grouping must not reach the host's texts.
    const std::locale previous = std::locale::global (std::locale (std::locale::classic(), new CommaDecimalPoint));
    AAX_CString text;
    text.AppendNumber (1234.25, 3);
    std::locale::global (previous);
    EXPECT_STREQ (text.Get(), "1234.250");
}

TEST (CString, LengthCountsBytesAndMaxLengthIsFixed)
{
    AAX_CString text (std::string (300, 'a'));
    EXPECT_EQ (text.Length(), 300u);
    EXPECT_EQ (text.MaxLength(), 0xFFFFFFFEu);
    EXPECT_EQ (AAX_CString().MaxLength(), 0xFFFFFFFEu);
    EXPECT_EQ (AAX_CString().Length(), 0u);
}

TEST (CString, BytesAreTakenAsGiven)
{
    const char utf8[] = "\xC3\xA9t\xC3\xA9";   // two-byte characters stay two bytes each
    AAX_CString text (utf8);
    EXPECT_EQ (text.Length(), 5u);
    EXPECT_STREQ (text.Get(), utf8);
}

TEST (CString, SetAndAssignmentCopyTheText)
{
    AAX_CString a ("first");
    AAX_CString b;
    AAX_IString& asInterface = b;
    asInterface = static_cast<const AAX_IString&> (a);
    EXPECT_STREQ (b.Get(), "first");

    a.Set ("changed");
    EXPECT_STREQ (b.Get(), "first");

    asInterface = "text";
    EXPECT_STREQ (b.Get(), "text");

    AAX_CString copy (b);
    b.Set ("other");
    EXPECT_STREQ (copy.Get(), "text");

    asInterface = asInterface;   // self-assignment keeps the text
    EXPECT_STREQ (b.Get(), "other");
}

TEST (CString, NullTextReadsAsEmpty)
{
    AAX_CString text ("something");
    text.Set (nullptr);
    EXPECT_STREQ (text.Get(), "");
    EXPECT_EQ (text.Length(), 0u);
    EXPECT_STREQ (AAX_CString (static_cast<const char*> (nullptr)).Get(), "");
}
} // namespace
