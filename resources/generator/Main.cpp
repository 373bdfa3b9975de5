// Draws every picture the editor shows and writes each at scales 1 and 2:
//   tarnello-art <fonts folder> <png folder> <raw images folder>
// PNGs are named "x<scale>_<name>.png" (embedded at build time); film strips go to
// "<raw images folder>/panels/x<scale>_<name>.dovi".

#include "resources/generator/Pictures.h"

#include <cstdint>
#include <cstdio>

namespace
{
constexpr int scales[] = { 1, 2 };

juce::Typeface::Ptr loadFace (const juce::File& folder, const char* fileName)
{
    juce::MemoryBlock data;
    const auto file = folder.getChildFile (fileName);
    if (! file.loadFileAsData (data) || data.getSize() == 0)
    {
        std::fprintf (stderr, "tarnello-art: cannot read the font %s\n", file.getFullPathName().toRawUTF8());
        return nullptr;
    }
    return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
}

bool replaceFile (const juce::File& file, const juce::MemoryBlock& bytes)
{
    if (! file.getParentDirectory().createDirectory())
        return false;
    // Written beside and moved into place, so that a failed run never leaves half a file.
    juce::TemporaryFile temp (file);
    if (! temp.getFile().replaceWithData (bytes.getData(), bytes.getSize()))
        return false;
    return temp.overwriteTargetFileWithTemporary();
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    juce::MemoryOutputStream out;
    juce::PNGImageFormat png;
    return png.writeImageToStream (image, out) && replaceFile (file, out.getMemoryBlock());
}

void putInt32 (juce::MemoryOutputStream& out, int value)
{
    const auto v = (uint32_t) value;
    for (int shift = 0; shift < 32; shift += 8)
        out.writeByte ((char) ((v >> shift) & 0xFF));
}

// A raw image: width, height (int32, little-endian), has-alpha, 3 padding bytes, then
// the rows top to bottom as 4-byte pixels in the order JUCE keeps premultiplied ARGB
// in memory on a little-endian machine: blue, green, red, alpha.
bool writeDovi (const juce::Image& image, const juce::File& file)
{
    juce::MemoryOutputStream out;
    putInt32 (out, image.getWidth());
    putInt32 (out, image.getHeight());
    const char flagAndPadding[] = { 1, 0, 0, 0 };
    out.write (flagAndPadding, sizeof (flagAndPadding));

    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto* p = reinterpret_cast<const juce::PixelARGB*> (pixels.getPixelPointer (x, y));
            const char bgra[] = { (char) p->getBlue(), (char) p->getGreen(), (char) p->getRed(), (char) p->getAlpha() };
            out.write (bgra, sizeof (bgra));
        }
    return replaceFile (file, out.getMemoryBlock());
}

int run (int argc, char* argv[])
{
    if (argc != 4)
    {
        std::fprintf (stderr, "usage: tarnello-art <fonts folder> <png folder> <raw images folder>\n");
        return 2;
    }
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto fontsDir = cwd.getChildFile (argv[1]);
    const auto pngDir = cwd.getChildFile (argv[2]);
    const auto rawDir = cwd.getChildFile (argv[3]);

    art::Fonts fonts { loadFace (fontsDir, "Roboto-Regular.ttf"), loadFace (fontsDir, "Roboto-Bold.ttf"),
                       loadFace (fontsDir, "Roboto-Italic.ttf"), loadFace (fontsDir, "Roboto-Medium.ttf") };
    if (fonts.regular == nullptr || fonts.bold == nullptr || fonts.italic == nullptr || fonts.medium == nullptr)
        return 1;

    for (const auto& picture : art::embeddedPictures (fonts))
        for (auto scale : scales)
        {
            const auto file = pngDir.getChildFile ("x" + juce::String (scale) + "_" + picture.name + ".png");
            if (! writePng (art::render (picture, scale), file))
            {
                std::fprintf (stderr, "tarnello-art: cannot write %s\n", file.getFullPathName().toRawUTF8());
                return 1;
            }
        }

    for (const auto& strip : art::filmStrips())
        for (auto scale : scales)
        {
            const auto file = rawDir.getChildFile ("panels/x" + juce::String (scale) + "_" + strip.name + ".dovi");
            if (! writeDovi (art::render (strip, scale), file))
            {
                std::fprintf (stderr, "tarnello-art: cannot write %s\n", file.getFullPathName().toRawUTF8());
                return 1;
            }
        }
    return 0;
}
} // namespace

int main (int argc, char* argv[])
{
    const auto result = run (argc, argv);
    // JUCE's glyph caches and typeface list are singletons; free them so that a
    // leak-checking build runs this program clean.
    juce::DeletedAtShutdown::deleteAll();
    return result;
}
