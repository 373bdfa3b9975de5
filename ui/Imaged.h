#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The image source of a component: one image name, resolved per display scale to the
// variant drawn for that scale ("x1_logo_png", "x2_logo_png", ...). A name ending in
// ".dovi" is a raw image file in the installed resources folder; any other name is an
// embedded resource. Variants are shared through juce::ImageCache.
class Imaged
{
public:
    // `path` may carry a folder part ("panels/knob.dovi"); only ".dovi" names use it.
    Imaged (juce::Component* owner, const juce::String& path);

    // Called by the owner at the start of painting: picks the variant for the scale the
    // graphics context and the owner are drawn at. Fetches only when that scale changes.
    void refreshImageAndScale (juce::Graphics& g);

    // The variant for one scale, or a null image when there is none. Changes nothing.
    juce::Image getImage (float scale) const;

    const juce::Image& getImage() const noexcept { return image; }
    // The scale prefix of the image in use (1 until a variant is taken).
    int getScale() const noexcept { return scale; }
    int getRequestedScale() const noexcept { return requestedScale; }

    const juce::String& getName() const noexcept { return name; }
    const juce::String& getFolder() const noexcept { return folder; }

    // Size of the scale-1 variant, -1 until the control that uses the source fills it.
    int getBaseWidth() const noexcept { return baseWidth; }
    int getBaseHeight() const noexcept { return baseHeight; }
    bool hasBaseSize() const noexcept { return baseWidth >= 0 && baseHeight >= 0; }
    void setBaseSize (int width, int height) noexcept { baseWidth = width; baseHeight = height; }

    // The prefix for a scale: "x0_" to "x8_", empty outside 0..8.
    static juce::String prefixForScale (float scale);
    static const juce::StringArray imagePrefix;

    // Reads a ".dovi" raw image: a 12-byte little-endian header (int32 width, int32
    // height, has-alpha byte, 3 padding bytes), then rows top to bottom without padding.
    // With alpha each pixel is 4 bytes in JUCE's in-memory order for premultiplied ARGB
    // on a little-endian machine: blue, green, red, alpha. Without alpha a pixel is
    // 3 bytes, blue, green, red, and becomes opaque. Returns a null image unless the
    // sizes are 1..maxDoviSide and every pixel byte is there.
    static juce::Image readDovi (juce::InputStream& in);
    static constexpr int maxDoviSide = 16384;

private:
    juce::Image getDoviImage (const juce::String& prefix) const;

    juce::String name;
    juce::String folder;
    juce::Component* owner = nullptr;
    juce::Image image;
    int scale = 1;
    int requestedScale = -1;
    int baseWidth = -1;
    int baseHeight = -1;

    JUCE_DECLARE_NON_COPYABLE (Imaged)
};
