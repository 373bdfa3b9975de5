#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// XML that comes from outside (host chunks, the stored default state, preset files)
// reaches JUCE's parser only when it is plain: one element in the form that JUCE
// itself writes, nested no deeper than a limit. JUCE's parser recurses once per
// level of nesting, so a few hundred kilobytes of nested tags would overflow the
// stack of whichever thread reads them; and a text cut inside a UTF-8 sequence
// makes it read past the end.
namespace PlainXml
{
// Far deeper than any state of ours (a module element in a preset file is four
// levels down), far shallower than what a small thread stack can hold.
constexpr int maxDepth = 64;

// Whether the UTF-8 text, up to `size` bytes or its first zero byte, is plain:
// valid UTF-8; around the element only white space, comments and processing
// instructions (so no document type); attribute values in quotes without '<';
// entities only the five named ones and numeric ones; comments, processing
// instructions and CDATA closed; elements nested at most `depthLimit` deep.
bool isPlain (const char* text, size_t size, int depthLimit = maxDepth);

// The document element, or null when the text is not plain or not XML.
std::unique_ptr<juce::XmlElement> parse (const juce::String& text);
std::unique_ptr<juce::XmlElement> parse (const juce::File& file);

// The element inside JUCE's binary envelope (AudioProcessor::copyXmlToBinary), or null.
std::unique_ptr<juce::XmlElement> fromBinary (const void* data, size_t size);
} // namespace PlainXml
