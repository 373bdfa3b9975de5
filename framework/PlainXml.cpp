#include "framework/PlainXml.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstring>
#include <limits>

namespace PlainXml
{
namespace
{
// Reads the text byte by byte. Every multi-byte sequence is checked whole, so that
// JUCE, which steps over a sequence by its lead byte alone, sees the same
// characters as this scan does.
class Scanner
{
public:
    Scanner (const char* text, size_t size)
        : p (reinterpret_cast<const unsigned char*> (text)), end (p + size)
    {
    }

    // 0 at the end of the text and at a zero byte.
    unsigned char peek (size_t ahead = 0) const { return ahead < (size_t) (end - p) ? p[ahead] : 0; }

    bool startsWith (const char* literal) const
    {
        for (size_t i = 0; literal[i] != 0; ++i)
            if (peek (i) != (unsigned char) literal[i])
                return false;
        return true;
    }

    void skip (size_t n) { p += n; }

    void skipWhitespace()
    {
        for (auto c = peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = peek())
            ++p;
    }

    // One character, checking a multi-byte sequence; false at the end or on a broken one.
    bool skipCharacter()
    {
        const auto lead = peek();
        if (lead == 0)
            return false;

        size_t extra = 0;
        if (lead >= 0xf8 || (lead & 0xc0) == 0x80)
            return false;
        if (lead >= 0xf0)
            extra = 3;
        else if (lead >= 0xe0)
            extra = 2;
        else if (lead >= 0xc0)
            extra = 1;

        for (size_t i = 1; i <= extra; ++i)
            if ((peek (i) & 0xc0) != 0x80)
                return false;

        p += extra + 1;
        return true;
    }

    static bool isNameByte (unsigned char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
               || c == '_' || c == '-' || c == ':' || c == '.' || c >= 0x80;
    }

    bool skipName()
    {
        while (isNameByte (peek()))
            if (! skipCharacter())
                return false;
        return true;
    }

    // Past the next `terminator`; false when the text ends first.
    bool skipPast (const char* terminator)
    {
        const auto length = std::strlen (terminator);
        while (! startsWith (terminator))
            if (! skipCharacter())
                return false;
        p += length;
        return true;
    }

    // At '&': one of the entities JUCE reads as a single character.
    bool skipEntity()
    {
        ++p;
        for (const char* named : { "amp;", "quot;", "apos;", "lt;", "gt;" })
        {
            if (startsWith (named))
            {
                p += std::strlen (named);
                return true;
            }
        }

        if (peek() != '#')
            return false;
        ++p;

        const bool hex = peek() == 'x' || peek() == 'X';
        if (hex)
            ++p;

        juce::uint32 code = 0;
        int digits = 0;
        for (auto c = peek(); c != ';'; c = peek())
        {
            const int digit = hex ? juce::CharacterFunctions::getHexDigitValue (c)
                                  : (c >= '0' && c <= '9' ? c - '0' : -1);
            if (digit < 0 || ++digits > (hex ? 6 : 7))
                return false;
            code = code * (hex ? 16u : 10u) + (juce::uint32) digit;
            ++p;
        }

        ++p;
        return digits > 0 && code > 0 && code <= 0x10ffff;
    }

    // White space, comments and processing instructions, as around the element.
    bool skipMisc()
    {
        for (;;)
        {
            skipWhitespace();
            if (startsWith ("<?"))
            {
                p += 2;
                if (! skipPast ("?>"))
                    return false;
            }
            else if (startsWith ("<!--"))
            {
                p += 4;
                if (! skipPast ("-->"))
                    return false;
            }
            else
            {
                return true;
            }
        }
    }

    bool atStartTag() const { return peek() == '<' && isNameByte (peek (1)); }

private:
    const unsigned char* p;
    const unsigned char* end;
};

// At the '<' of a start tag: past the tag and its attributes. `selfClosed` tells
// "/>" from ">".
bool skipStartTag (Scanner& s, bool& selfClosed)
{
    s.skip (1);
    if (! s.skipName())
        return false;

    for (;;)
    {
        s.skipWhitespace();

        if (s.startsWith ("/>"))
        {
            s.skip (2);
            selfClosed = true;
            return true;
        }

        if (s.peek() == '>')
        {
            s.skip (1);
            selfClosed = false;
            return true;
        }

        if (! Scanner::isNameByte (s.peek()) || ! s.skipName())
            return false;

        s.skipWhitespace();
        if (s.peek() != '=')
            return false;
        s.skip (1);
        s.skipWhitespace();

        const auto quote = s.peek();
        if (quote != '"' && quote != '\'')
            return false;
        s.skip (1);

        for (auto c = s.peek(); c != quote; c = s.peek())
        {
            if (c == '<')
                return false;
            if (! (c == '&' ? s.skipEntity() : s.skipCharacter()))
                return false;
        }
        s.skip (1);
    }
}
} // namespace

bool isPlain (const char* text, size_t size, int depthLimit)
{
    if (text == nullptr)
        return false;

    Scanner s (text, size);

    if (! s.skipMisc() || ! s.atStartTag())
        return false;

    // After the element only what may stand before it, so that every byte is checked.
    auto finished = [&s] { return s.skipMisc() && s.peek() == 0; };

    // Iterative, so that the check itself needs no stack for deep texts.
    int depth = 0;

    for (;;)
    {
        // At a start tag.
        bool selfClosed = false;
        if (! skipStartTag (s, selfClosed))
            return false;

        if (selfClosed)
        {
            if (depth == 0)
                return finished();
        }
        else if (++depth > depthLimit)
        {
            return false;
        }

        // Content, up to the next start tag; end tags close their elements.
        for (;;)
        {
            const auto c = s.peek();

            if (c == '<')
            {
                if (s.atStartTag())
                    break;

                if (s.startsWith ("</"))
                {
                    if (! s.skipPast (">"))
                        return false;
                    if (--depth == 0)
                        return finished();
                    continue;
                }

                bool closed = false;
                if (s.startsWith ("<!--"))
                {
                    s.skip (4);
                    closed = s.skipPast ("-->");
                }
                else if (s.startsWith ("<![CDATA["))
                {
                    s.skip (9);
                    closed = s.skipPast ("]]>");
                }
                else if (s.startsWith ("<?"))
                {
                    s.skip (2);
                    closed = s.skipPast ("?>");

                    // JUCE's reader loops for ever on character data that follows an
                    // instruction inside an element: only markup may follow one.
                    if (closed)
                    {
                        s.skipWhitespace();
                        closed = s.peek() == '<';
                    }
                }

                if (! closed)
                    return false;
                continue;
            }

            if (! (c == '&' ? s.skipEntity() : s.skipCharacter()))
                return false;
        }
    }
}

std::unique_ptr<juce::XmlElement> parse (const juce::String& text)
{
    const auto* utf8 = text.toRawUTF8();
    if (! isPlain (utf8, std::strlen (utf8)))
        return {};

    return juce::parseXML (text);
}

std::unique_ptr<juce::XmlElement> parse (const juce::File& file)
{
    if (! file.existsAsFile())
        return {};

    return parse (file.loadFileAsString());
}

std::unique_ptr<juce::XmlElement> fromBinary (const void* data, size_t size)
{
    // The envelope: a magic number, the length of the text, the text.
    if (data == nullptr || size <= 8 || size > (size_t) std::numeric_limits<int>::max())
        return {};

    const auto* bytes = static_cast<const char*> (data);
    const auto declared = (size_t) juce::ByteOrder::littleEndianInt (bytes + 4);
    const auto length = juce::jmin (size - 8, declared);

    // JUCE turns the whole declared text into a string before parsing it, so a zero
    // byte inside must not hide what follows from the check.
    if (std::memchr (bytes + 8, 0, length) != nullptr || ! isPlain (bytes + 8, length))
        return {};

    return juce::AudioProcessor::getXmlFromBinary (data, (int) size);
}
} // namespace PlainXml
