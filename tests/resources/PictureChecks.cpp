#include "tests/resources/PictureChecks.h"

#include <cstring>

namespace tarnello::test
{
namespace
{
int32_t readInt32Le (const uint8_t* p)
{
    return (int32_t) ((uint32_t) p[0] | ((uint32_t) p[1] << 8) | ((uint32_t) p[2] << 16) | ((uint32_t) p[3] << 24));
}

juce::PixelARGB pixelAt (const juce::Image::BitmapData& data, int x, int y)
{
    return *reinterpret_cast<const juce::PixelARGB*> (data.getPixelPointer (x, y));
}
} // namespace

RawImageFile readRawImageFile (const juce::File& file)
{
    RawImageFile raw;
    juce::MemoryBlock bytes;
    if (! file.loadFileAsData (bytes) || bytes.getSize() < 12)
        return raw;
    const auto* p = static_cast<const uint8_t*> (bytes.getData());
    raw.readable = true;
    raw.fileSize = (int64_t) bytes.getSize();
    raw.width = readInt32Le (p);
    raw.height = readInt32Le (p + 4);
    raw.hasAlpha = p[8];
    std::memcpy (raw.padding, p + 9, 3);
    raw.pixels.append (p + 12, bytes.getSize() - 12);
    return raw;
}

juce::Image toImage (const RawImageFile& raw)
{
    if (raw.width <= 0 || raw.height <= 0 || (int64_t) raw.pixels.getSize() != (int64_t) raw.width * raw.height * 4)
        return {};
    juce::Image image (juce::Image::ARGB, raw.width, raw.height, false, juce::SoftwareImageType());
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::writeOnly);
    const auto* src = static_cast<const uint8_t*> (raw.pixels.getData());
    for (int y = 0; y < raw.height; ++y)
        std::memcpy (data.getLinePointer (y), src + (size_t) y * (size_t) raw.width * 4, (size_t) raw.width * 4);
    return image;
}

double meanDifferenceToHalf (const juce::Image& small, const juce::Image& large)
{
    const juce::Image::BitmapData s (small, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData l (large, juce::Image::BitmapData::readOnly);
    double total = 0.0;
    for (int y = 0; y < small.getHeight(); ++y)
        for (int x = 0; x < small.getWidth(); ++x)
        {
            const auto a = pixelAt (s, x, y);
            int sum[4] {};
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                {
                    const auto b = pixelAt (l, 2 * x + dx, 2 * y + dy);
                    sum[0] += b.getAlpha(); sum[1] += b.getRed(); sum[2] += b.getGreen(); sum[3] += b.getBlue();
                }
            total += std::abs (sum[0] / 4.0 - a.getAlpha()) + std::abs (sum[1] / 4.0 - a.getRed())
                   + std::abs (sum[2] / 4.0 - a.getGreen()) + std::abs (sum[3] / 4.0 - a.getBlue());
        }
    return total / (4.0 * small.getWidth() * small.getHeight());
}

double columnDifference (const juce::Image& image, int a, int b)
{
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
    double total = 0.0;
    for (int y = 0; y < image.getHeight(); ++y)
    {
        const auto p = pixelAt (data, a, y), q = pixelAt (data, b, y);
        total += std::abs (p.getAlpha() - q.getAlpha()) + std::abs (p.getRed() - q.getRed())
               + std::abs (p.getGreen() - q.getGreen()) + std::abs (p.getBlue() - q.getBlue());
    }
    return total;
}

double imageDifference (const juce::Image& a, const juce::Image& b)
{
    const juce::Image::BitmapData da (a, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData db (b, juce::Image::BitmapData::readOnly);
    double total = 0.0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = pixelAt (da, x, y), q = pixelAt (db, x, y);
            total += std::abs (p.getAlpha() - q.getAlpha()) + std::abs (p.getRed() - q.getRed())
                   + std::abs (p.getGreen() - q.getGreen()) + std::abs (p.getBlue() - q.getBlue());
        }
    return total;
}

juce::Image frameOf (const juce::Image& strip, int frameHeight, int frame)
{
    return strip.getClippedImage ({ 0, frame * frameHeight, strip.getWidth(), frameHeight });
}

int warmPixelCount (const juce::Image& image)
{
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
    int count = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto p = pixelAt (data, x, y);
            if (p.getAlpha() > 96 && p.getRed() > 110 && p.getRed() - p.getBlue() > 60)
                ++count;
        }
    return count;
}

double totalBrightness (const juce::Image& image)
{
    const juce::Image::BitmapData data (image, juce::Image::BitmapData::readOnly);
    double total = 0.0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto p = pixelAt (data, x, y);
            total += p.getRed() + p.getGreen() + p.getBlue();
        }
    return total;
}

void writePreview (const juce::String& name, const juce::Image& image, int zoom)
{
    if (! image.isValid())
        return;
    juce::Image preview (juce::Image::ARGB, image.getWidth() * zoom, image.getHeight() * zoom, true);
    {
        juce::Graphics g (preview);
        g.fillAll (juce::Colour (0xFF161616));
        g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
        g.drawImageTransformed (image, juce::AffineTransform::scale ((float) zoom));
    }
    const auto folder = juce::File (TARNELLO_TEST_ARTIFACTS_DIR);
    folder.createDirectory();
    const auto file = folder.getChildFile (name + ".png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (preview, out);
}
} // namespace tarnello::test
