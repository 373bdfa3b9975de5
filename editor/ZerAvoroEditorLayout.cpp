#include "editor/ZerAvoroEditorLayout.h"

#include "layouts/ZerAvoroLayout.h"

juce::String zerAvoroLayoutText()
{
    juce::MemoryInputStream packed (zerAvoroLayout, zerAvoroLayoutSize, false);
    juce::GZIPDecompressorInputStream inflater (&packed, false, juce::GZIPDecompressorInputStream::gzipFormat);
    juce::MemoryOutputStream text;
    text.writeFromInputStream (inflater, -1);
    return juce::String::fromUTF8 (static_cast<const char*> (text.getData()), (int) text.getDataSize());
}
