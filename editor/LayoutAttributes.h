#pragma once

#include <juce_data_structures/juce_data_structures.h>
#include <juce_graphics/juce_graphics.h>

#include <cstddef>
#include <functional>

// Told of every attribute the panel builder looks up, on the element it looked on (an
// element or the prop set it names). Tests use it to find attributes no builder reads.
using LayoutReadObserver = std::function<void (const juce::ValueTree& element, const juce::Identifier& name)>;

// The attributes of one layout element. Every value is text; a direct read looks at
// the element alone, an inherited read falls back to the element's prop set and then
// to the caller's default. Conversions follow juce::var: integers and reals take the
// leading number (0 when none), booleans are a non-zero number, "true" or "yes", and
// colours are 32-bit AARRGGBB hexadecimal.
class LayoutAttributes
{
public:
    // `props` is the element's prop set, or an invalid tree when it has none.
    LayoutAttributes (const juce::ValueTree& element, const juce::ValueTree& props,
                      const LayoutReadObserver* observer = nullptr);

    bool has (const juce::Identifier& name) const;
    bool hasInherited (const juce::Identifier& name) const;

    juce::String text (const juce::Identifier& name, const juce::String& fallback = {}) const;
    int integer (const juce::Identifier& name, int fallback = 0) const;
    double real (const juce::Identifier& name, double fallback = 0.0) const;
    bool boolean (const juce::Identifier& name, bool fallback = false) const;
    juce::Colour colour (const juce::Identifier& name, juce::Colour fallback = {}) const;
    juce::Rectangle<int> rectangle (const juce::Identifier& name) const;

    juce::String inheritedText (const juce::Identifier& name, const juce::String& fallback = {}) const;
    int inheritedInteger (const juce::Identifier& name, int fallback = 0) const;
    double inheritedReal (const juce::Identifier& name, double fallback = 0.0) const;
    bool inheritedBoolean (const juce::Identifier& name, bool fallback = false) const;
    juce::Colour inheritedColour (const juce::Identifier& name, juce::Colour fallback = {}) const;

    const juce::ValueTree& getElement() const noexcept { return element; }

    static int toInteger (const juce::String& text);
    static double toReal (const juce::String& text);
    static bool toBoolean (const juce::String& text);
    static juce::Colour toColour (const juce::String& text);

private:
    // The element's own value, else its prop set's; null when neither has it.
    const juce::var* findInherited (const juce::Identifier& name) const;
    const juce::var* findDirect (const juce::Identifier& name) const;

    juce::ValueTree element;
    juce::ValueTree props;
    const LayoutReadObserver* observer = nullptr;
};

// A "snap" list: numbers separated by ",", each read as a decimal number (0 when the
// token holds none). Empty text gives an empty list.
juce::Array<double> stringToDoubleArray (const juce::String& text);

// The layout tree of a document's text; an invalid tree when the text does not parse,
// so that the panel built from it is empty.
juce::ValueTree parseLayoutDocument (const juce::String& text);
// The same for a document's bytes, as read from a file: text that is not valid UTF-8
// gives an invalid tree (the parser would walk past the end of a broken sequence).
juce::ValueTree parseLayoutDocument (const void* data, std::size_t numBytes);
