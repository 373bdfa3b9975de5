#pragma once

// What the picture tests measure: decoding the generated files on their own terms
// (independent of the editor's image source), comparing scales, and writing
// enlarged previews into the build folder for a person to look at.

#include <juce_graphics/juce_graphics.h>

#include <cstdint>

namespace tarnello::test
{
// A ".dovi" file as it lies on disk.
struct RawImageFile
{
    bool readable = false;
    int64_t fileSize = 0;
    int32_t width = 0, height = 0;
    uint8_t hasAlpha = 0;
    uint8_t padding[3] {};
    juce::MemoryBlock pixels;   // everything after the 12-byte header
};

RawImageFile readRawImageFile (const juce::File& file);

// The pixels as an ARGB image: the file's 4-byte pixels are JUCE's in-memory order.
juce::Image toImage (const RawImageFile& raw);

// Mean absolute difference per channel (0..255) between an image and one twice its
// size averaged down by 2 × 2 blocks; the sizes must already match that way.
double meanDifferenceToHalf (const juce::Image& small, const juce::Image& large);

// Sum over the rows of the absolute differences between column a and column b.
double columnDifference (const juce::Image& image, int a, int b);

// Sum of the absolute differences of all channels of two images of one size.
double imageDifference (const juce::Image& a, const juce::Image& b);

// One frame of a vertical film strip.
juce::Image frameOf (const juce::Image& strip, int frameHeight, int frame);

// Pixels lit in the warm accent colour (red clearly above blue, and visible).
int warmPixelCount (const juce::Image& image);

// Sum of the pixels' premultiplied brightness.
double totalBrightness (const juce::Image& image);

// Writes the image enlarged by `zoom` (nearest neighbour) over the editor's window
// colour to <build>/test-artifacts/resources/<name>.png.
void writePreview (const juce::String& name, const juce::Image& image, int zoom);
} // namespace tarnello::test
