#include "editor/LayoutAttributes.h"

#include "ui/StringToRect.h"

#include <limits>

LayoutAttributes::LayoutAttributes (const juce::ValueTree& e, const juce::ValueTree& p, const LayoutReadObserver* o)
    : element (e), props (p), observer (o)
{
}

const juce::var* LayoutAttributes::findDirect (const juce::Identifier& name) const
{
    if (observer != nullptr && *observer)
        (*observer) (element, name);
    const auto* value = element.getPropertyPointer (name);
    // A parsed document only holds text; anything else is not a layout value.
    return value != nullptr && value->isString() ? value : nullptr;
}

const juce::var* LayoutAttributes::findInherited (const juce::Identifier& name) const
{
    if (const auto* own = findDirect (name))
        return own;
    if (! props.isValid())
        return nullptr;
    if (observer != nullptr && *observer)
        (*observer) (props, name);
    const auto* fromSet = props.getPropertyPointer (name);
    return fromSet != nullptr && fromSet->isString() ? fromSet : nullptr;
}

bool LayoutAttributes::has (const juce::Identifier& name) const { return findDirect (name) != nullptr; }
bool LayoutAttributes::hasInherited (const juce::Identifier& name) const { return findInherited (name) != nullptr; }

int LayoutAttributes::toInteger (const juce::String& t) { return juce::var (t).operator int(); }
double LayoutAttributes::toReal (const juce::String& t) { return juce::var (t).operator double(); }
bool LayoutAttributes::toBoolean (const juce::String& t) { return juce::var (t).operator bool(); }
juce::Colour LayoutAttributes::toColour (const juce::String& t) { return juce::Colour (static_cast<juce::uint32> (t.getHexValue32())); }

juce::String LayoutAttributes::text (const juce::Identifier& name, const juce::String& fallback) const
{
    const auto* v = findDirect (name);
    return v != nullptr ? v->toString() : fallback;
}

int LayoutAttributes::integer (const juce::Identifier& name, int fallback) const
{
    const auto* v = findDirect (name);
    return v != nullptr ? toInteger (v->toString()) : fallback;
}

double LayoutAttributes::real (const juce::Identifier& name, double fallback) const
{
    const auto* v = findDirect (name);
    return v != nullptr ? toReal (v->toString()) : fallback;
}

bool LayoutAttributes::boolean (const juce::Identifier& name, bool fallback) const
{
    const auto* v = findDirect (name);
    return v != nullptr ? toBoolean (v->toString()) : fallback;
}

juce::Colour LayoutAttributes::colour (const juce::Identifier& name, juce::Colour fallback) const
{
    const auto* v = findDirect (name);
    return v != nullptr ? toColour (v->toString()) : fallback;
}

juce::Rectangle<int> LayoutAttributes::rectangle (const juce::Identifier& name) const
{
    const auto* v = findDirect (name);
    return v != nullptr ? stringToRect (v->toString()) : juce::Rectangle<int>();
}

juce::String LayoutAttributes::inheritedText (const juce::Identifier& name, const juce::String& fallback) const
{
    const auto* v = findInherited (name);
    return v != nullptr ? v->toString() : fallback;
}

int LayoutAttributes::inheritedInteger (const juce::Identifier& name, int fallback) const
{
    const auto* v = findInherited (name);
    return v != nullptr ? toInteger (v->toString()) : fallback;
}

double LayoutAttributes::inheritedReal (const juce::Identifier& name, double fallback) const
{
    const auto* v = findInherited (name);
    return v != nullptr ? toReal (v->toString()) : fallback;
}

bool LayoutAttributes::inheritedBoolean (const juce::Identifier& name, bool fallback) const
{
    const auto* v = findInherited (name);
    return v != nullptr ? toBoolean (v->toString()) : fallback;
}

juce::Colour LayoutAttributes::inheritedColour (const juce::Identifier& name, juce::Colour fallback) const
{
    const auto* v = findInherited (name);
    return v != nullptr ? toColour (v->toString()) : fallback;
}

juce::Array<double> stringToDoubleArray (const juce::String& text)
{
    juce::Array<double> values;
    if (text.isEmpty())
        return values;
    juce::StringArray tokens;
    tokens.addTokens (text, ",", "\"");
    for (const auto& token : tokens)
        values.add (token.getDoubleValue());
    return values;
}

juce::ValueTree parseLayoutDocument (const juce::String& text)
{
    // A byte-order mark is no part of the text (the parser would read it as content).
    const auto source = text[0] == 0xfeff ? text.substring (1) : text;
    // JUCE's parser loops for ever on a processing instruction followed by text inside
    // an element. A layout needs none beyond its XML declaration.
    auto body = source.trimStart();
    if (body.startsWith ("<?xml"))
    {
        const auto end = body.indexOf ("?>");
        if (end < 0)
            return {};
        body = body.substring (end + 2);
    }
    if (body.contains ("<?"))
        return {};

    juce::XmlDocument document (source);
    const auto xml = document.getDocumentElement();
    // A document cut short still yields its first elements; a panel built from half a
    // layout is worse than an empty one.
    if (xml == nullptr || document.getLastParseError().isNotEmpty())
        return {};
    return juce::ValueTree::fromXml (*xml);
}

namespace
{
// Strict UTF-8: no overlong forms, surrogates or code points past U+10FFFF. JUCE's own
// check lets overlong forms through, and its strings then size and copy them differently.
bool isStrictUtf8 (const unsigned char* bytes, std::size_t numBytes)
{
    for (std::size_t i = 0; i < numBytes;)
    {
        const auto lead = bytes[i];
        if (lead < 0x80)
        {
            ++i;
            continue;
        }
        std::size_t length = 0;
        juce::uint32 codePoint = 0, smallest = 0;
        if ((lead & 0xe0) == 0xc0)
            length = 2, codePoint = lead & 0x1fu, smallest = 0x80;
        else if ((lead & 0xf0) == 0xe0)
            length = 3, codePoint = lead & 0x0fu, smallest = 0x800;
        else if ((lead & 0xf8) == 0xf0)
            length = 4, codePoint = lead & 0x07u, smallest = 0x10000;
        else
            return false;
        if (numBytes - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k)
        {
            const auto next = bytes[i + k];
            if ((next & 0xc0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3fu);
        }
        if (codePoint < smallest || codePoint > 0x10ffff || (codePoint >= 0xd800 && codePoint <= 0xdfff))
            return false;
        i += length;
    }
    return true;
}
} // namespace

juce::ValueTree parseLayoutDocument (const void* data, std::size_t numBytes)
{
    const auto* text = static_cast<const char*> (data);
    if (text == nullptr || numBytes > (std::size_t) std::numeric_limits<int>::max()
        || ! isStrictUtf8 (static_cast<const unsigned char*> (data), numBytes))
        return {};
    return parseLayoutDocument (juce::String::fromUTF8 (text, (int) numBytes));
}
