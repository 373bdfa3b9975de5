#include "ui/Imaged.h"

#include "framework/PluginPaths.h"

#include "BinaryData.h"

#include <cmath>

const juce::StringArray Imaged::imagePrefix { "x0_", "x1_", "x2_", "x3_", "x4_", "x5_", "x6_", "x7_", "x8_" };

namespace
{
// Scales past the last prefix all look up the bare name, so trying them one by one
// from a huge scale would only repeat that lookup.
constexpr int highestScaleTried = 9;
} // namespace

Imaged::Imaged (juce::Component* ownerToUse, const juce::String& path)
    : owner (ownerToUse)
{
    const auto slash = path.lastIndexOfChar ('/');
    name = path.substring (slash + 1);
    folder = path.substring (0, slash + 1);
}

juce::String Imaged::prefixForScale (float scale)
{
    // The range check comes first: converting a NaN or a huge float to int is undefined.
    if (! (scale >= 0.0f && scale < (float) imagePrefix.size()))
        return {};
    return imagePrefix[(int) scale];
}

void Imaged::refreshImageAndScale (juce::Graphics& g)
{
    const auto physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto approximate = juce::Component::getApproximateScaleFactorForComponent (owner);
    auto larger = std::max (physical, approximate);
    if (! std::isfinite (larger))
        larger = 1.0f;
    const auto wanted = (int) std::ceil (juce::jlimit (0.0f, (float) highestScaleTried, larger));

    if (wanted == requestedScale)
        return;
    requestedScale = wanted;

    for (int s = wanted; s >= 1; --s)
    {
        auto candidate = getImage ((float) s);
        if (candidate.isValid())
        {
            if (candidate != image)
                image = candidate;
            scale = s;
            return;
        }
    }
}

juce::Image Imaged::getImage (float forScale) const
{
    const auto prefix = prefixForScale (forScale);

    if (name.endsWith (".dovi"))
        return getDoviImage (prefix);

    int size = 0;
    const auto resourceName = prefix + name;
    const auto* data = BinaryData::getNamedResource (resourceName.toRawUTF8(), size);
    if (data == nullptr || size <= 0)
        return {};
    return juce::ImageCache::getFromMemory (data, size);
}

juce::Image Imaged::getDoviImage (const juce::String& prefix) const
{
    const auto relative = folder + prefix + name;
    const auto key = (juce::int64) relative.hashCode();

    auto cached = juce::ImageCache::getFromHashCode (key);
    if (cached.isValid())
        return cached;

    const juce::File file (PluginPaths::getResourcesDir (relative));
    if (! file.existsAsFile())
        return {};

    juce::FileInputStream in (file);
    if (! in.openedOk())
        return {};

    auto read = readDovi (in);
    // Only an image read in full is shared; a broken file is tried again next time.
    if (read.isValid())
        juce::ImageCache::addImageToCache (read, key);
    return read;
}

juce::Image Imaged::readDovi (juce::InputStream& in)
{
    constexpr int headerSize = 12;
    char header[headerSize];
    if (in.read (header, headerSize) != headerSize)
        return {};

    const auto width = (juce::int32) juce::ByteOrder::littleEndianInt (header);
    const auto height = (juce::int32) juce::ByteOrder::littleEndianInt (header + 4);
    const bool hasAlpha = header[8] != 0;

    if (width < 1 || width > maxDoviSide || height < 1 || height > maxDoviSide)
        return {};

    const int bytesPerPixel = hasAlpha ? 4 : 3;
    const auto rowBytes = (size_t) width * (size_t) bytesPerPixel;
    const auto pixelBytes = (juce::int64) rowBytes * (juce::int64) height;

    // Refuse a short file before allocating an image its header asks for.
    const auto total = in.getTotalLength();
    if (total >= 0 && total - in.getPosition() < pixelBytes)
        return {};

    juce::Image result (juce::Image::ARGB, width, height, false);
    juce::HeapBlock<juce::uint8> row (rowBytes);
    juce::Image::BitmapData pixels (result, juce::Image::BitmapData::writeOnly);

    for (int y = 0; y < height; ++y)
    {
        if (in.read (row.get(), (int) rowBytes) != (int) rowBytes)
            return {};

        auto* dest = pixels.getLinePointer (y);
        const auto* src = row.get();

        for (int x = 0; x < width; ++x, dest += 4, src += bytesPerPixel)
        {
            if (hasAlpha)
            {
                // Premultiplied colour can't exceed its alpha; a pixel that does would
                // blend brighter than white.
                const auto alpha = src[3];
                dest[0] = std::min (src[0], alpha);
                dest[1] = std::min (src[1], alpha);
                dest[2] = std::min (src[2], alpha);
                dest[3] = alpha;
            }
            else
            {
                dest[0] = src[0];
                dest[1] = src[1];
                dest[2] = src[2];
                dest[3] = 0xff;
            }
        }
    }

    return result;
}
