#include "host/RenderFiles.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnello::render
{
namespace
{
juce::String pathOf (const juce::File& file)
{
    return file.getFullPathName();
}

juce::String kindOf (mode_t mode)
{
    if (S_ISDIR (mode))
        return "a folder";
    if (S_ISLNK (mode))
        return "a symbolic link";
    if (S_ISFIFO (mode))
        return "a FIFO";
    if (S_ISCHR (mode) || S_ISBLK (mode))
        return "a device";
    if (S_ISSOCK (mode))
        return "a socket";
    return "not a regular file";
}

// An open descriptor of a regular file, closed on every way out.
struct InputFile
{
    int fd = -1;
    juce::int64 size = 0;

    InputFile (const juce::File& file, const juce::String& missingMessage)
    {
        const auto path = pathOf (file);
        // Non-blocking, so that a FIFO is refused instead of waited on.
        fd = ::open (path.toRawUTF8(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
        {
            if (errno == ENOENT || errno == ENOTDIR)
                throw BadInput { missingMessage };
            throw BadInput { "cannot read " + path + ": " + juce::String (std::strerror (errno)) };
        }

        struct stat st {};
        if (::fstat (fd, &st) != 0)
        {
            ::close (fd);
            throw BadInput { "cannot read " + path };
        }
        if (! S_ISREG (st.st_mode))
        {
            ::close (fd);
            throw BadInput { path + " is " + kindOf (st.st_mode) + "; only a regular file can be read" };
        }
        size = (juce::int64) st.st_size;
    }

    ~InputFile() { ::close (fd); }

    // Exactly `count` bytes at `offset`, or false.
    bool readAt (juce::int64 offset, void* destination, size_t count) const
    {
        auto* out = static_cast<char*> (destination);
        while (count > 0)
        {
            const ssize_t n = ::pread (fd, out, count, (off_t) offset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            out += n;
            offset += n;
            count -= (size_t) n;
        }
        return true;
    }

    JUCE_DECLARE_NON_COPYABLE (InputFile)
};

uint16_t le16 (const uint8_t* p) { return (uint16_t) (p[0] | (p[1] << 8)); }
uint32_t le32 (const uint8_t* p) { return (uint32_t) p[0] | ((uint32_t) p[1] << 8) | ((uint32_t) p[2] << 16) | ((uint32_t) p[3] << 24); }
uint64_t le64 (const uint8_t* p) { return (uint64_t) le32 (p) | ((uint64_t) le32 (p + 4) << 32); }

constexpr uint16_t kPcm = 0x0001;
constexpr uint16_t kFloat = 0x0003;
constexpr uint16_t kExtensible = 0xFFFE;

// The tail that every standard sub-format id of an extensible format shares.
constexpr uint8_t kSubFormatTail[14] = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 };

juce::String formatName (uint16_t tag)
{
    switch (tag)
    {
        case 0x0002: return "Microsoft ADPCM";
        case 0x0006: return "A-law";
        case 0x0007: return "mu-law";
        case 0x0011: return "IMA ADPCM";
        case 0x0031: return "GSM 6.10";
        case 0x0050: return "MPEG";
        case 0x0055: return "MPEG layer 3";
        default:     return "format 0x" + juce::String::toHexString ((int) tag).paddedLeft ('0', 4).toUpperCase();
    }
}

struct WavLayout
{
    uint16_t tag = 0;
    int channels = 0;
    uint32_t rate = 0;
    int bytesPerSample = 0; // the container
    int bits = 0;           // the valid bits in it
    juce::int64 dataOffset = -1;
    uint64_t claimedBytes = 0;
};

WavLayout readLayout (const InputFile& in, const juce::String& name)
{
    const juce::String notWav = name + " is not a WAV file";
    uint8_t header[12];
    if (in.size < 12 || ! in.readAt (0, header, sizeof (header)))
        throw BadInput { notWav };
    const bool rf64 = std::memcmp (header, "RF64", 4) == 0;
    if (! (rf64 || std::memcmp (header, "RIFF", 4) == 0) || std::memcmp (header + 8, "WAVE", 4) != 0)
        throw BadInput { notWav };

    WavLayout layout;
    bool hasFormat = false;
    uint64_t ds64DataBytes = 0;
    uint8_t format[40] = {};
    uint32_t formatBytes = 0;

    for (juce::int64 pos = 12; pos + 8 <= in.size;)
    {
        uint8_t chunk[8];
        if (! in.readAt (pos, chunk, sizeof (chunk)))
            break;
        const uint32_t size = le32 (chunk + 4);
        const juce::int64 body = pos + 8;

        if (std::memcmp (chunk, "ds64", 4) == 0 && size >= 16)
        {
            uint8_t sizes[16];
            if (in.readAt (body, sizes, sizeof (sizes)))
                ds64DataBytes = le64 (sizes + 8);
        }
        else if (std::memcmp (chunk, "fmt ", 4) == 0 && ! hasFormat)
        {
            formatBytes = std::min<uint32_t> (size, sizeof (format));
            if (formatBytes < 16 || ! in.readAt (body, format, formatBytes))
                throw BadInput { name + " has a damaged format chunk" };
            hasFormat = true;
        }
        else if (std::memcmp (chunk, "data", 4) == 0 && layout.dataOffset < 0)
        {
            layout.dataOffset = body;
            layout.claimedBytes = (rf64 && size == 0xFFFFFFFFu) ? ds64DataBytes : size;
            if (hasFormat)
                break;
        }

        const uint64_t skip = (layout.dataOffset == body ? layout.claimedBytes : (uint64_t) size);
        if (skip > (uint64_t) (in.size - body))
            break; // the chunk runs past the end: nothing follows it
        pos = body + (juce::int64) skip + (juce::int64) (skip & 1);
    }

    if (! hasFormat)
        throw BadInput { notWav + ": it has no format chunk" };

    layout.tag = le16 (format);
    layout.channels = le16 (format + 2);
    layout.rate = le32 (format + 4);
    const int blockAlign = le16 (format + 12);
    layout.bits = le16 (format + 14);

    if (layout.tag == kExtensible)
    {
        if (formatBytes < 40)
            throw BadInput { name + " has a damaged format chunk" };
        if (std::memcmp (format + 26, kSubFormatTail, sizeof (kSubFormatTail)) != 0)
            throw BadInput { name + " holds audio in a format of its own; tarnello-host reads PCM and floating-point WAV files" };
        // The container size stands in the main field; fewer valid bits still decode.
        layout.tag = le16 (format + 24);
    }

    if (layout.tag != kPcm && layout.tag != kFloat)
        throw BadInput { name + " holds " + formatName (layout.tag)
                         + " audio; tarnello-host reads PCM and floating-point WAV files" };

    if (layout.channels < 1 || layout.channels > 2)
        throw BadInput { name + " has " + juce::String (layout.channels) + " channels; mono or stereo only" };

    if (blockAlign <= 0 || blockAlign % layout.channels != 0)
        throw BadInput { name + " has a damaged format chunk" };
    layout.bytesPerSample = blockAlign / layout.channels;

    if (layout.tag == kFloat)
    {
        const bool decodable = (layout.bits == 32 && layout.bytesPerSample == 4) || (layout.bits == 64 && layout.bytesPerSample == 8);
        if (! decodable)
            throw BadInput { name + " holds " + juce::String (layout.bits) + "-bit floating-point samples in "
                             + juce::String (layout.bytesPerSample) + "-byte slots; floating point takes 32 or 64 bits" };
    }
    else
    {
        // A sample lies left-justified in the fewest whole bytes that hold it.
        const bool decodable = layout.bits >= 1 && layout.bytesPerSample <= 4 && (layout.bits + 7) / 8 == layout.bytesPerSample;
        if (! decodable)
            throw BadInput { name + " holds " + juce::String (layout.bits) + "-bit PCM samples in "
                             + juce::String (layout.bytesPerSample) + "-byte slots, which is no WAV layout" };
    }

    if (layout.dataOffset < 0)
        throw BadInput { name + " holds no audio" };
    return layout;
}

// One sample, whatever its container, as a float in -1..1 (floating point as it is).
float decodeSample (const uint8_t* p, const WavLayout& layout)
{
    if (layout.tag == kFloat)
    {
        if (layout.bytesPerSample == 8)
        {
            const uint64_t bits = le64 (p);
            double d;
            std::memcpy (&d, &bits, sizeof (d));
            return (float) d;
        }
        const uint32_t bits = le32 (p);
        float f;
        std::memcpy (&f, &bits, sizeof (f));
        return f;
    }

    switch (layout.bytesPerSample)
    {
        case 1:  return ((int) p[0] - 128) * (1.0f / 128.0f); // 8-bit PCM is unsigned
        case 2:  return (float) (int16_t) le16 (p) * (1.0f / 32768.0f);
        case 3:  return (float) ((int32_t) ((uint32_t) p[0] << 8 | (uint32_t) p[1] << 16 | (uint32_t) p[2] << 24) >> 8)
                        * (1.0f / 8388608.0f);
        default: return (float) ((double) (int32_t) le32 (p) * (1.0 / 2147483648.0));
    }
}
} // namespace

juce::String hzText (double rate)
{
    return (rate == std::floor (rate) ? juce::String ((juce::int64) rate) : juce::String (rate, 2)) + " Hz";
}

juce::File argumentFile (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

std::pair<juce::String, juce::String> parseSetting (const juce::String& text)
{
    const int equals = text.indexOfChar ('=');
    if (equals <= 0)
        throw BadInput { "--set takes NAME=VALUE, not \"" + text + "\"" };
    return { text.substring (0, equals).trim(), text.substring (equals + 1).trim() };
}

void checkOutputPath (const juce::File& file, const juce::String& option)
{
    struct stat st {};
    if (::lstat (pathOf (file).toRawUTF8(), &st) == 0)
    {
        if (S_ISDIR (st.st_mode))
            throw BadInput { pathOf (file) + " is a folder" };
        if (! S_ISREG (st.st_mode))
            throw BadInput { option + " " + pathOf (file) + " is " + kindOf (st.st_mode)
                             + "; tarnello-host writes only to a regular file or a new path" };
    }
    if (! file.getParentDirectory().isDirectory())
        throw BadInput { "no folder " + file.getParentDirectory().getFullPathName() };
}

bool isSameFile (const juce::File& a, const juce::File& b)
{
    if (a == b)
        return true;
    struct stat sa {}, sb {};
    if (::stat (pathOf (a).toRawUTF8(), &sa) != 0 || ::stat (pathOf (b).toRawUTF8(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

juce::MemoryBlock readSmallFile (const juce::File& file, size_t maxBytes, const juce::String& what)
{
    const auto path = pathOf (file);
    const InputFile in (file, "no " + what + " " + path);
    const juce::String tooLarge = path + " is larger than " + juce::String ((juce::int64) maxBytes) + " bytes; no " + what
                                  + " is that large";
    if ((uint64_t) in.size > maxBytes)
        throw BadInput { tooLarge };

    // Read to the end, not to the size seen: the file may still be growing.
    juce::MemoryBlock data;
    std::vector<char> part (65536);
    for (;;)
    {
        const ssize_t n = ::read (in.fd, part.data(), part.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw BadInput { "cannot read " + path + ": " + juce::String (std::strerror (errno)) };
        if (n == 0)
            break;
        if (data.getSize() + (size_t) n > maxBytes)
            throw BadInput { tooLarge };
        data.append (part.data(), (size_t) n);
    }
    return data;
}

WavAudio readWav (const juce::File& file, double lowestRate, double highestRate, juce::int64 longest)
{
    const auto name = pathOf (file);
    const InputFile in (file, "no input file " + name);
    const auto layout = readLayout (in, name);

    if (! (layout.rate >= lowestRate && layout.rate <= highestRate))
        throw BadInput { name + " is at " + hzText (layout.rate) + "; the plug-in takes " + juce::String ((juce::int64) lowestRate)
                         + " to " + hzText (highestRate) };

    const auto frameBytes = (uint64_t) (layout.bytesPerSample * layout.channels);
    const auto heldBytes = (uint64_t) (in.size - layout.dataOffset);
    const auto usableBytes = std::min (layout.claimedBytes, heldBytes);
    const auto frames = (juce::int64) (usableBytes / frameBytes);

    WavAudio audio;
    audio.sampleRate = layout.rate;
    if (layout.claimedBytes > heldBytes)
        audio.truncation = name + " is truncated: its data chunk claims "
                           + juce::String ((juce::int64) (layout.claimedBytes / frameBytes)) + " samples, the file holds "
                           + juce::String (frames) + "; only those are rendered";

    if (frames <= 0)
        throw BadInput { name + " holds no audio" };
    if (frames > longest)
        throw BadInput { name + " is too long" };

    audio.buffer.setSize (layout.channels, (int) frames);
    constexpr juce::int64 framesPerRead = 16384;
    std::vector<uint8_t> bytes ((size_t) (framesPerRead * (juce::int64) frameBytes));
    for (juce::int64 first = 0; first < frames; first += framesPerRead)
    {
        const auto count = std::min (framesPerRead, frames - first);
        if (! in.readAt (layout.dataOffset + first * (juce::int64) frameBytes, bytes.data(), (size_t) count * frameBytes))
            throw BadInput { "cannot read the audio of " + name };

        for (int ch = 0; ch < layout.channels; ++ch)
        {
            auto* out = audio.buffer.getWritePointer (ch, (int) first);
            const uint8_t* p = bytes.data() + ch * layout.bytesPerSample;
            for (juce::int64 i = 0; i < count; ++i, p += frameBytes)
            {
                const float sample = decodeSample (p, layout);
                if (! std::isfinite (sample))
                    throw BadInput { name + " holds a sample that is not a finite number, at "
                                     + juce::String (first + i) + " on channel " + juce::String (ch + 1) };
                out[i] = sample;
            }
        }
    }
    return audio;
}

//==============================================================================
namespace
{
// Paths the signal handler removes; plain pointers, as it may not allocate or lock.
std::atomic<const char*> pendingPaths[8] {};

extern "C" void removePendingFilesAndDie (int signalNumber)
{
    for (auto& path : pendingPaths)
        if (const char* p = path.load())
            ::unlink (p);
    // The handler was reset: the signal, raised again, ends the process as it would have.
    ::raise (signalNumber);
}
} // namespace

void removePendingFilesOnSignals()
{
    struct sigaction action {};
    action.sa_handler = removePendingFilesAndDie;
    action.sa_flags = SA_RESETHAND;
    sigemptyset (&action.sa_mask);
    for (const int signalNumber : { SIGINT, SIGTERM, SIGHUP })
        ::sigaction (signalNumber, &action, nullptr);
}

PendingFile::PendingFile (const juce::File& targetFile) : target (targetFile)
{
    const auto folder = target.getParentDirectory();
    const auto stem = "." + target.getFileNameWithoutExtension() + "_temp";
    for (int attempt = 0; attempt < 100 && temporary == juce::File(); ++attempt)
    {
        const auto candidate = folder.getChildFile (stem + juce::String::toHexString (juce::Random::getSystemRandom().nextInt())
                                                    + target.getFileExtension());
        const auto path = pathOf (candidate);
        std::unique_ptr<char[]> next (new char[(size_t) path.getNumBytesAsUTF8() + 1]);
        path.copyToUTF8 (next.get(), (size_t) path.getNumBytesAsUTF8() + 1);

        // Known to the signal handler before it exists, so it never outlives a kill.
        if (slot >= 0)
            pendingPaths[slot].store (next.get());
        for (int i = 0; i < (int) std::size (pendingPaths) && slot < 0; ++i)
        {
            const char* expected = nullptr;
            if (pendingPaths[i].compare_exchange_strong (expected, next.get()))
                slot = i;
        }
        temporaryPath = std::move (next);

        const int fd = ::open (temporaryPath.get(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
        {
            ::close (fd);
            temporary = candidate;
        }
        else if (errno != EEXIST)
        {
            const int error = errno;
            if (slot >= 0)
                pendingPaths[slot].store (nullptr);
            slot = -1;
            throw BadInput { "cannot write " + pathOf (target) + ": " + juce::String (std::strerror (error)) };
        }
    }
    if (temporary == juce::File())
    {
        if (slot >= 0)
            pendingPaths[slot].store (nullptr);
        throw BadInput { "cannot write " + pathOf (target) };
    }
}

PendingFile::~PendingFile()
{
    // Removed before it is forgotten, so that no signal between the two leaves it.
    ::unlink (temporaryPath.get());
    if (slot >= 0)
        pendingPaths[slot].store (nullptr);
}

void PendingFile::commit()
{
    // One rename: the target is either the old file or the whole new one.
    if (std::rename (temporaryPath.get(), pathOf (target).toRawUTF8()) != 0)
        throw BadInput { "cannot write " + pathOf (target) + ": " + juce::String (std::strerror (errno)) };
}

void writeWav (PendingFile& file, const juce::AudioBuffer<float>& buffer, double sampleRate)
{
    const auto name = pathOf (file.getTarget());
    auto stream = std::make_unique<juce::FileOutputStream> (file.getTemporary());
    if (! stream->openedOk())
        throw BadInput { "cannot write " + name };

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (stream.get(), sampleRate, (unsigned int) buffer.getNumChannels(), 32, {}, 0));
    if (writer == nullptr)
        throw BadInput { "cannot write a WAV file at " + hzText (sampleRate) };
    stream.release(); // the writer owns it now

    const bool written = writer->writeFromAudioSampleBuffer (buffer, 0, buffer.getNumSamples()) && writer->flush();
    writer.reset();
    if (! written)
        throw BadInput { "cannot write " + name };
}

void writeData (PendingFile& file, const juce::MemoryBlock& data)
{
    juce::FileOutputStream stream (file.getTemporary());
    bool written = stream.openedOk() && stream.write (data.getData(), data.getSize());
    if (written)
    {
        stream.flush();
        written = stream.getStatus().wasOk();
    }
    if (! written)
        throw BadInput { "cannot write " + pathOf (file.getTarget()) };
}
} // namespace tarnello::render
