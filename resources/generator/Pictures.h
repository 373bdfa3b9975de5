#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <vector>

// Every picture the editor shows that is not a font: the embedded PNGs and the
// panels' film strips. A picture is drawn in logical pixels (its size at scale 1)
// and rendered at each scale by the caller, so x2 is always exactly twice x1.
namespace art
{
struct Fonts
{
    juce::Typeface::Ptr regular, bold, italic, medium;
};

struct Picture
{
    juce::String name;    // file name without scale prefix and extension
    int width = 0;        // one frame, logical pixels
    int height = 0;
    int frames = 1;       // film strips stack their frames from the top down
    std::function<void (juce::Graphics&, int frame)> draw;
};

// The product's colours, shared by every drawing so that they read as one family.
namespace palette
{
inline const juce::Colour window { 0xFF161616 };
inline const juce::Colour accent { 0xFFE0B66C };      // warm gold, the family of the text buttons
inline const juce::Colour accentDeep { 0xFFB88A3E };
inline const juce::Colour track { 0xFF2B2B2B };
inline const juce::Colour pointer { 0xFFF3F1EC };
} // namespace palette

// "bottomImage", "logo", "productLogo" at 49 x 32, 110 x 20 and 75 x 15.
std::vector<Picture> embeddedPictures (const Fonts& fonts);

// "knob", "knob-large", "switch", "button", "meter".
std::vector<Picture> filmStrips();

// The picture rendered at an integer scale: width × scale by height × frames × scale,
// premultiplied ARGB, each frame clipped to its own cell.
juce::Image render (const Picture& picture, int scale);
} // namespace art
