#include "tests/ui/support/GuiTestSupport.h"

#include "framework/PluginPaths.h"

#ifndef TARNELLO_TEST_ARTIFACTS_DIR
 #define TARNELLO_TEST_ARTIFACTS_DIR "test-artifacts"
#endif

namespace tarnello::test
{
juce::File artifactsDir (const juce::String& suite)
{
    auto dir = juce::File::getCurrentWorkingDirectory().getChildFile (TARNELLO_TEST_ARTIFACTS_DIR);
    if (suite.isNotEmpty())
        dir = dir.getChildFile (suite);
    dir.createDirectory();
    return dir;
}

namespace
{
juce::String scaleText (float scale)
{
    const auto whole = juce::roundToInt (scale);
    return (float) whole == scale ? juce::String (whole) : juce::String (scale, 2);
}
} // namespace

juce::Image snapshot (juce::Component& c, float scale, const juce::String& suite, const juce::String& saveAs)
{
    auto image = c.createComponentSnapshot (c.getLocalBounds(), true, scale);

    if (saveAs.isNotEmpty() && image.isValid())
    {
        const auto file = artifactsDir (suite).getChildFile (saveAs + "@" + scaleText (scale) + "x.png");
        file.deleteFile();
        if (auto out = file.createOutputStream())
            juce::PNGImageFormat().writeImageToStream (image, *out);
    }
    return image;
}

juce::MouseEvent mouseEvent (juce::Component& c, juce::Point<float> position, juce::ModifierKeys mods,
                             juce::Point<float> downPosition, bool wasDragged)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods,
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &c, &c, now, downPosition, now, 1, wasDragged);
}

void finishDesktopAnimations()
{
    juce::Desktop::getInstance().getAnimator().cancelAllAnimations (true);
}

juce::MemoryBlock doviBytes (int width, int height, bool hasAlpha,
                             const std::function<void (int, int, juce::uint8*)>& pixel, juce::int64 pixelBytesToWrite)
{
    juce::MemoryOutputStream out;
    out.writeInt (width);
    out.writeInt (height);
    out.writeByte (hasAlpha ? 1 : 0);
    out.writeByte (0);
    out.writeByte (0);
    out.writeByte (0);

    const int bpp = hasAlpha ? 4 : 3;
    juce::int64 written = 0;
    const auto wanted = [&] { return pixelBytesToWrite < 0 || written < pixelBytesToWrite; };
    for (int y = 0; y < height && wanted(); ++y)
        for (int x = 0; x < width && wanted(); ++x)
        {
            juce::uint8 bytes[4] = { 0, 0, 0, 0 };
            if (pixel)
                pixel (x, y, bytes);
            for (int i = 0; i < bpp; ++i)
                if (wanted())
                {
                    out.writeByte ((char) bytes[i]);
                    ++written;
                }
        }
    return out.getMemoryBlock();
}

TemporaryResources::TemporaryResources()
    : folder (juce::String(), juce::TemporaryFile::useHiddenFile),
      root (folder.getFile())
{
    root.createDirectory();
    PluginPaths::setResourcesRootForTesting (root.getFullPathName());
}

TemporaryResources::~TemporaryResources()
{
    PluginPaths::setResourcesRootForTesting ({});
    root.deleteRecursively();
}

juce::File TemporaryResources::write (const juce::String& relativePath, const juce::MemoryBlock& bytes) const
{
    auto file = root.getChildFile (relativePath);
    file.getParentDirectory().createDirectory();
    file.replaceWithData (bytes.getData(), bytes.getSize());
    return file;
}

juce::Colour frameColour (int frame)
{
    static const juce::uint32 colours[] = { 0xFFE53935, 0xFF43A047, 0xFF1E88E5, 0xFFFDD835,
                                            0xFF8E24AA, 0xFF00ACC1, 0xFFFB8C00, 0xFF6D4C41 };
    return juce::Colour (colours[(size_t) frame % (sizeof (colours) / sizeof (colours[0]))]);
}

juce::MemoryBlock stripDovi (int w, int fh, int frames, int colourOffset)
{
    return doviBytes (w, fh * frames, true, [=] (int, int y, juce::uint8* b) {
        const auto c = frameColour (y / fh + colourOffset).getPixelARGB();
        b[0] = c.getBlue(); b[1] = c.getGreen(); b[2] = c.getRed(); b[3] = c.getAlpha();
    });
}

void writeStripPair (const TemporaryResources& resources, const juce::String& name, int frameWidth,
                     int frameHeight, int frames, int x2ColourOffset)
{
    resources.write ("panels/x1_" + name, stripDovi (frameWidth, frameHeight, frames));
    resources.write ("panels/x2_" + name, stripDovi (2 * frameWidth, 2 * frameHeight, frames, x2ColourOffset));
}

juce::String uniqueName (const juce::String& stem)
{
    static int counter = 0;
    return stem + "-" + juce::String (++counter) + "-" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt());
}
} // namespace tarnello::test
