// Feeds arbitrary bytes to the ".dovi" raw image reader. An image it returns must be
// whole and premultiplied: every pixel is read back and checked.

#include "ui/Imaged.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    juce::MemoryInputStream in (data, size, false);
    const auto image = Imaged::readDovi (in);

    if (image.isValid())
    {
        const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
        // Premultiplied: no colour byte is above its alpha.
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto* p = pixels.getPixelPointer (x, y);
                if (p[0] > p[3] || p[1] > p[3] || p[2] > p[3])
                    __builtin_trap();
            }
    }
    return 0;
}
