// `tarnello-host render`, run as the built program: the demo phrase, files in and
// out, parameters by name, state chunks, and every kind of bad input.

#include <gtest/gtest.h>

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace
{
using Result = tarnello::test::ProgramResult;

juce::File workFolder()
{
    static const juce::File folder = [] {
        auto f = juce::File (tarnello::test::privateHome().string()).getChildFile ("render");
        f.createDirectory();
        return f;
    }();
    return folder;
}

// tarnello-host render started in the work folder, its output going to files.
class HostProcess : public tarnello::test::Program
{
public:
    explicit HostProcess (const std::vector<std::string>& args)
        : Program (withCommand (args), workFolder().getFullPathName().toStdString(),
                   workFolder().getFullPathName().toStdString())
    {
    }

private:
    static std::vector<std::string> withCommand (const std::vector<std::string>& args)
    {
        std::vector<std::string> all { TARNELLO_HOST_PATH, "render" };
        all.insert (all.end(), args.begin(), args.end());
        return all;
    }
};

Result runHost (const std::vector<std::string>& args)
{
    return HostProcess (args).finish();
}

void writeWav (const juce::String& name, int channels, double rate, int numSamples, int bits = 24)
{
    juce::AudioBuffer<float> buffer (channels, numSamples);
    buffer.clear();
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < numSamples; i += 4410)
            buffer.setSample (ch, i, 0.5f);

    auto file = workFolder().getChildFile (name);
    file.deleteFile();
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (new juce::FileOutputStream (file), rate, (unsigned int) channels, bits, {}, 0));
    ASSERT_NE (writer, nullptr);
    writer->writeFromAudioSampleBuffer (buffer, 0, numSamples);
}

struct Wav
{
    int channels = 0, bits = 0;
    double rate = 0;
    bool isFloat = false;
    juce::AudioBuffer<float> buffer;
};

Wav readWav (const juce::String& name)
{
    Wav w;
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader (
        wav.createReaderFor (new juce::FileInputStream (workFolder().getChildFile (name)), true));
    if (reader == nullptr)
        return w;
    w.channels = (int) reader->numChannels;
    w.bits = (int) reader->bitsPerSample;
    w.rate = reader->sampleRate;
    w.isFloat = reader->usesFloatingPointData;
    w.buffer.setSize (w.channels, (int) reader->lengthInSamples);
    reader->read (&w.buffer, 0, (int) reader->lengthInSamples, 0, true, true);
    return w;
}

std::unique_ptr<juce::XmlElement> moduleOfState (const juce::String& name)
{
    juce::MemoryBlock chunk;
    if (! workFolder().getChildFile (name).loadFileAsData (chunk))
        return nullptr;
    auto xml = juce::AudioProcessor::getXmlFromBinary (chunk.getData(), (int) chunk.getSize());
    if (xml == nullptr || xml->getChildByName ("slots") == nullptr || xml->getChildByName ("slots")->getFirstChildElement() == nullptr)
        return nullptr;
    return std::make_unique<juce::XmlElement> (*xml->getChildByName ("slots")->getFirstChildElement());
}

double rmsOf (const juce::AudioBuffer<float>& b, int channel, double fromSeconds, double toSeconds, double rate)
{
    const int from = (int) (fromSeconds * rate), to = std::min (b.getNumSamples(), (int) (toSeconds * rate));
    return b.getRMSLevel (channel, from, std::max (0, to - from));
}

// A WAV file byte by byte, so that a test can write what no encoder would.
struct RawWav
{
    uint16_t tag = 1;
    uint32_t channels = 1; // beyond 16 bits only as far as the field holds
    uint32_t rate = 48000;
    uint16_t bits = 16;
    int blockAlign = -1;   // -1: channels times the bytes a sample takes
    bool extensible = false;
    uint16_t subFormat = 1;
    bool standardSubFormat = true;
    bool withFormat = true, withData = true;
    std::vector<uint8_t> data;
    int64_t claimedDataBytes = -1; // -1: what `data` holds

    juce::MemoryBlock bytes() const
    {
        juce::MemoryOutputStream out;
        auto u16 = [&] (uint32_t v) { out.writeShort ((short) (uint16_t) v); };
        auto u32 = [&] (uint32_t v) { out.writeInt ((int) v); };
        const uint32_t align = blockAlign >= 0 ? (uint32_t) blockAlign : channels * (uint32_t) ((bits + 7) / 8);
        out.write ("RIFF", 4);
        u32 (0); // patched below
        out.write ("WAVE", 4);
        if (withFormat)
        {
            out.write ("fmt ", 4);
            u32 (extensible ? 40 : 16);
            u16 (extensible ? 0xFFFE : tag);
            u16 (channels);
            u32 (rate);
            u32 (rate * align);
            u16 (align);
            u16 (bits);
            if (extensible)
            {
                u16 (22);
                u16 (bits);
                u32 (0);
                u16 (subFormat);
                const uint8_t tail[14] = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 };
                const uint8_t other[14] = { 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E };
                out.write (standardSubFormat ? tail : other, sizeof (tail));
            }
        }
        if (withData)
        {
            out.write ("data", 4);
            u32 (claimedDataBytes >= 0 ? (uint32_t) claimedDataBytes : (uint32_t) data.size());
            out.write (data.data(), data.size());
        }
        auto block = out.getMemoryBlock();
        const uint32_t riff = (uint32_t) block.getSize() - 8;
        std::memcpy (static_cast<char*> (block.getData()) + 4, &riff, 4);
        return block;
    }

    void save (const juce::String& name) const
    {
        const auto b = bytes();
        workFolder().getChildFile (name).replaceWithData (b.getData(), b.getSize());
    }
};

// Little-endian bytes of each value, `width` bytes apiece.
std::vector<uint8_t> samples (std::initializer_list<int64_t> values, int width)
{
    std::vector<uint8_t> bytes;
    for (const auto v : values)
        for (int i = 0; i < width; ++i)
            bytes.push_back ((uint8_t) (((uint64_t) v >> (8 * i)) & 0xFF));
    return bytes;
}

template <typename Float>
std::vector<uint8_t> floatSamples (std::initializer_list<Float> values)
{
    std::vector<uint8_t> bytes;
    for (const auto v : values)
    {
        uint8_t raw[sizeof (Float)];
        std::memcpy (raw, &v, sizeof (Float));
        bytes.insert (bytes.end(), raw, raw + sizeof (Float));
    }
    return bytes;
}

bool isHiddenTemporary (const juce::File& f)
{
    return f.getFileName().startsWith (".") && f.getFileName().contains ("_temp");
}

int hiddenTemporaries()
{
    int n = 0;
    for (const auto& f : workFolder().findChildFiles (juce::File::findFiles, false, "*"))
        n += isHiddenTemporary (f) ? 1 : 0;
    return n;
}

bool isKind (const juce::File& f, mode_t kind)
{
    struct stat st {};
    return ::lstat (f.getFullPathName().toRawUTF8(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}
} // namespace

TEST (Render, TheDemoPhraseRendersToAStereoFloatFileWithASummaryLine)
{
    const auto r = runHost ({ "--out", "demo.wav" });
    ASSERT_EQ (r.status, 0) << r.err;

    // "6.00 s, 48000 Hz, 2 channels, peak -7.0 dBFS, 190x real time"
    const juce::String line (r.out);
    EXPECT_TRUE (line.startsWith ("6.00 s, 48000 Hz, 2 channels, peak -")) << r.out;
    const auto peak = line.fromFirstOccurrenceOf ("peak ", false, false).upToFirstOccurrenceOf (" dBFS, ", false, false);
    EXPECT_TRUE (peak.containsOnly ("-0123456789.") && peak.fromFirstOccurrenceOf (".", false, false).length() == 1) << r.out;
    const auto speed = line.fromFirstOccurrenceOf (" dBFS, ", false, false);
    EXPECT_TRUE (speed.endsWith ("x real time\n") && speed.upToFirstOccurrenceOf ("x", false, false).containsOnly ("0123456789")
                 && speed.getIntValue() > 0) << r.out;

    const auto w = readWav ("demo.wav");
    EXPECT_EQ (w.channels, 2);
    EXPECT_EQ (w.rate, 48000.0);
    EXPECT_EQ (w.bits, 32);
    EXPECT_TRUE (w.isFloat);
    EXPECT_EQ (w.buffer.getNumSamples(), 6 * 48000);
    // Echoes ring on after the notes end at 2 s, and die away before the end.
    EXPECT_GT (rmsOf (w.buffer, 0, 2.1, 2.6, 48000), 1e-3);
    EXPECT_GT (rmsOf (w.buffer, 1, 2.1, 2.6, 48000), 1e-3);
    EXPECT_LT (rmsOf (w.buffer, 0, 5.5, 6.0, 48000), rmsOf (w.buffer, 0, 2.1, 2.6, 48000) * 0.1);
}

TEST (Render, RateBlockAndTempoShapeTheDemo)
{
    const auto r = runHost ({ "--out", "fast.wav", "--rate", "96000", "--block", "64", "--tempo", "90",
                              "--set", "Delay Sync=Sync", "--set", "Time Note=1/4", "--save-state", "fast.state" });
    ASSERT_EQ (r.status, 0) << r.err;
    EXPECT_NE (r.out.find ("6.00 s, 96000 Hz, 2 channels"), std::string::npos) << r.out;
    EXPECT_EQ (readWav ("fast.wav").rate, 96000.0);

    auto module = moduleOfState ("fast.state");
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (module->getStringAttribute ("Delay_Sync"), "1");
    EXPECT_EQ (module->getStringAttribute ("Time_Note"), "13");
    EXPECT_EQ (module->getStringAttribute ("Time"), "667"); // "1/4" at 90 bpm
}

TEST (Render, AMonoFilePlaysIntoStereoAtItsOwnRate)
{
    writeWav ("mono.wav", 1, 44100.0, 44100 * 2);
    auto r = runHost ({ "--in", "mono.wav", "--out", "mono-out.wav", "--set", "Mix=100" });
    ASSERT_EQ (r.status, 0) << r.err;
    EXPECT_NE (r.out.find ("2.00 s, 44100 Hz, 2 channels"), std::string::npos) << r.out;

    auto w = readWav ("mono-out.wav");
    ASSERT_EQ (w.channels, 2);
    EXPECT_EQ (w.rate, 44100.0);
    ASSERT_EQ (w.buffer.getNumSamples(), 44100 * 2);
    EXPECT_GT (w.buffer.getRMSLevel (1, 0, w.buffer.getNumSamples()), 1e-3);
    for (int i = 0; i < w.buffer.getNumSamples(); ++i)
        ASSERT_EQ (w.buffer.getSample (0, i), w.buffer.getSample (1, i)) << i;

    // "LR Offset" needs the two outputs, which a mono input still has.
    r = runHost ({ "--in", "mono.wav", "--out", "mono-offset.wav", "--set", "Mix=100", "--set", "LR Offset=20ms" });
    ASSERT_EQ (r.status, 0) << r.err;
    w = readWav ("mono-offset.wav");
    bool differ = false;
    for (int i = 0; i < w.buffer.getNumSamples() && ! differ; ++i)
        differ = w.buffer.getSample (0, i) != w.buffer.getSample (1, i);
    EXPECT_TRUE (differ);
}

TEST (Render, SettingsApplyInOrderAfterTheState)
{
    auto r = runHost ({ "--out", "a.wav", "--set", "Feedback=150", "--set", "Drive=On", "--set", "Low Cut=on",
                        "--save-state", "a.state" });
    ASSERT_EQ (r.status, 0) << r.err;

    writeWav ("stereo.wav", 2, 48000.0, 48000);
    r = runHost ({ "--in", "stereo.wav", "--out", "b.wav", "--state", "a.state", "--set", "Feedback=20 %",
                   "--set", "Mix=10", "--set", "Mix=30", "--save-state", "b.state" });
    ASSERT_EQ (r.status, 0) << r.err;

    auto module = moduleOfState ("b.state");
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (module->getStringAttribute ("Feedback"), "20.0");
    EXPECT_EQ (module->getStringAttribute ("Mix"), "30.0");
    EXPECT_EQ (module->getStringAttribute ("Drive"), "1");
    EXPECT_EQ (module->getStringAttribute ("Low_Cut"), "1");
    EXPECT_EQ (module->getStringAttribute ("attachments").upToFirstOccurrenceOf (",", false, false), "Modulation:0");
}

TEST (Render, AValueReadsWithOrWithoutItsOwnUnit)
{
    struct Case { const char* setting; const char* attribute; const char* stored; };
    const Case cases[] = {
        { "Time=50", "Time", "50.0" },          { "Time=50 ms", "Time", "50.0" },   { "Time=50ms", "Time", "50.0" },
        { "Time= 50 MS ", "Time", "50.0" },     { "Feedback=25%", "Feedback", "25.0" },
        { "Feedback=25 %", "Feedback", "25.0" }, { "Mix=25", "Mix", "25.0" },
        { "Feedback=1e2", "Feedback", "100.0" }, { "Feedback=+.5", "Feedback", "0.5" },
        { "Output=-6", "Output", "-6.0" }, { "Tone=2.5 Tn", "Tone", "2.5" }, { "Time Note=1/8 T", "Time_Note", "9" }, { "Time Note=9", "Time_Note", "9" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.setting);
        const auto r = runHost ({ "--out", "unit.wav", "--set", c.setting, "--save-state", "unit.state" });
        ASSERT_EQ (r.status, 0) << r.err;
        const auto module = moduleOfState ("unit.state");
        ASSERT_NE (module, nullptr);
        EXPECT_EQ (module->getStringAttribute (c.attribute), c.stored);
    }
}

// The tempo is the transport's before any parameter is set, so switching to
// "Sync" picks the note nearest to "Time" at the tempo asked for.
TEST (Render, SyncPicksItsNoteAtTheTempoAskedFor)
{
    struct Case { const char* tempo; const char* note; };
    const Case cases[] = { { "60", "13" } /* 1/4 */, { "90", "14" } /* 1/4 D */, { "120", "16" } /* 1/2 */ };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.tempo);
        const auto r = runHost ({ "--out", "sync.wav", "--tempo", c.tempo, "--set", "Time=1000", "--set", "Delay Sync=Sync",
                                  "--save-state", "sync.state" });
        ASSERT_EQ (r.status, 0) << r.err;
        const auto module = moduleOfState ("sync.state");
        ASSERT_NE (module, nullptr);
        EXPECT_EQ (module->getStringAttribute ("Time_Note"), c.note);
        EXPECT_EQ (module->getStringAttribute ("Time"), "1000");
    }

    // What is heard: one click after the delay time's glide has settled, its only
    // echo (wet only, no feedback) 1000 ms later.
    constexpr int rate = 48000, clickAt = 3 * rate;
    {
        juce::AudioBuffer<float> click (2, 5 * rate);
        click.clear();
        click.setSample (0, clickAt, 1.0f);
        click.setSample (1, clickAt, 1.0f);
        auto file = workFolder().getChildFile ("click.wav");
        file.deleteFile();
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (new juce::FileOutputStream (file), rate, 2, 32, {}, 0));
        ASSERT_NE (writer, nullptr);
        writer->writeFromAudioSampleBuffer (click, 0, click.getNumSamples());
    }
    const auto r = runHost ({ "--in", "click.wav", "--out", "click-out.wav", "--tempo", "60", "--set", "Time=1000",
                              "--set", "Delay Sync=Sync", "--set", "Mix=100", "--set", "Feedback=0", "--set", "Modulation=0" });
    ASSERT_EQ (r.status, 0) << r.err;
    const auto w = readWav ("click-out.wav");
    ASSERT_EQ (w.buffer.getNumSamples(), 5 * rate);
    int onset = -1;
    for (int i = clickAt; i < w.buffer.getNumSamples() && onset < 0; ++i)
        if (std::abs (w.buffer.getSample (0, i)) > 1e-3f)
            onset = i - clickAt;
    EXPECT_EQ (onset, rate);
}

TEST (Render, BadInputIsRefusedWithStatusTwoAndLeavesNoOutput)
{
    writeWav ("in44.wav", 2, 44100.0, 4410);
    writeWav ("in22.wav", 2, 22050.0, 2205);
    writeWav ("three.wav", 3, 48000.0, 4800);
    workFolder().getChildFile ("not-a-wav.wav").replaceWithText ("just some text, no audio");
    workFolder().getChildFile ("corrupt.state").replaceWithText ("VC2!garbage that is no state at all");
    {
        // A well-formed chunk naming a module this plug-in doesn't have.
        juce::MemoryBlock chunk;
        juce::AudioProcessor::copyXmlToBinary (*juce::parseXML ("<state><slots><unknown index=\"0\"/></slots></state>"), chunk);
        workFolder().getChildFile ("foreign.state").replaceWithData (chunk.getData(), chunk.getSize());
    }

    struct Case { std::vector<std::string> args; const char* says; };
    const std::vector<Case> cases {
        { { "--in", "in44.wav" }, "--out" },
        { { "--in", "missing.wav", "--out", "x.wav" }, "no input file" },
        { { "--in", "not-a-wav.wav", "--out", "x.wav" }, "not a WAV" },
        { { "--in", "three.wav", "--out", "x.wav" }, "3 channels" },
        { { "--in", "in22.wav", "--out", "x.wav" }, "22050" },
        { { "--in", "in44.wav", "--out", "x.wav", "--rate", "48000" }, "resampled" },
        { { "--in", "in44.wav", "--out", "in44.wav" }, "overwrite" },
        { { "--out", "x.wav", "--set", "Nope=1" }, "unknown parameter" },
        { { "--out", "x.wav", "--set", "Feedback=lots" }, "Feedback" },
        { { "--out", "x.wav", "--set", "Feedback=500" }, "0 to 200" },
        { { "--out", "x.wav", "--set", "Delay Sync=Maybe" }, "Time, Sync" },
        { { "--out", "x.wav", "--set", "Time Note=1/5" }, "1/64 T" },
        // Values read as the plug-in reads them: plain decimals, the parameter's own unit or none.
        { { "--out", "x.wav", "--set", "Mix=0x10" }, "\"0x10\" is no value for \"Mix\"" },
        { { "--out", "x.wav", "--set", "Time=50 dB" }, "\"50 dB\" is no value for \"Time\"" },
        { { "--out", "x.wav", "--set", "Time=50 ms ms" }, "0 to 4000" },
        { { "--out", "x.wav", "--set", "Mix=25%" }, "\"25%\" is no value for \"Mix\"" }, // "Mix" has no unit
        { { "--out", "x.wav", "--set", "Time=ms" }, "0 to 4000" },
        { { "--out", "x.wav", "--set", "Time=inf" }, "0 to 4000" },
        { { "--out", "x.wav", "--set", "Feedback=1e999" }, "0 to 200" },
        { { "--out", "x.wav", "--set", "Time Note=21" }, "index from 0 to 20" },
        { { "--out", "x.wav", "--set", "Drive=0.5" }, "Off, On" },
        { { "--out", "x.wav", "--set", "Drive=-1" }, "Off, On" },
        { { "--out", "x.wav", "--tempo", "0x3c" }, "--tempo" },
        { { "--out", "x.wav", "--rate", "0xBB80" }, "--rate" },
        { { "--out", "x.wav", "--block", "0x40" }, "--block" },
        { { "--out", "x.wav", "--set", "Feedback" }, "NAME=VALUE" },
        { { "--out", "x.wav", "--state", "corrupt.state" }, "not a Tarnello state" },
        { { "--out", "x.wav", "--state", "foreign.state" }, "no module" },
        { { "--out", "x.wav", "--state", "missing.state" }, "no state file" },
        { { "--out", "x.wav", "--block", "0" }, "--block" },
        { { "--out", "x.wav", "--tempo", "-3" }, "--tempo" },
        { { "--out", "x.wav", "--tempo", "nan" }, "--tempo" },
        { { "--out", "x.wav", "--rate", "22050" }, "--rate" },
        { { "--out", "x.wav", "--rate" }, "needs a value" },
        { { "--out", "x.wav", "--frobnicate" }, "unknown option" },
        { { "--out", "no-such-folder/x.wav" }, "no folder" },
        { { "--out", "x.wav", "--save-state", "x.wav" }, "--save-state" },
        { { "--out", "x.wav", "--set", "\xff=1" }, "UTF-8" },
        { { "--out", "x.wav", "--set", "Time=\xc3" }, "UTF-8" },
        { { "--out", "x\xf0\x9f.wav" }, "UTF-8" },
    };

    // A file already at the output path stays as it was.
    const auto existing = workFolder().getChildFile ("x.wav");
    for (const auto& c : cases)
    {
        std::string line;
        for (const auto& a : c.args)
            line += a + " ";
        SCOPED_TRACE (line);

        existing.replaceWithText ("keep me");
        const auto before = workFolder().findChildFiles (juce::File::findFilesAndDirectories, false, "*", juce::File::FollowSymlinks::no);

        const auto r = runHost (c.args);
        EXPECT_EQ (r.status, 2);
        EXPECT_NE (r.err.find (c.says), std::string::npos) << r.err;
        EXPECT_TRUE (r.out.empty()) << r.out;
        EXPECT_EQ (existing.loadFileAsString(), "keep me");
        const auto after = workFolder().findChildFiles (juce::File::findFilesAndDirectories, false, "*", juce::File::FollowSymlinks::no);
        EXPECT_EQ (after.size(), before.size());
    }
    existing.deleteFile();
}

TEST (Render, OutputsThatAreNoRegularFileAreRefusedAndKeptAsTheyAre)
{
    const auto folder = workFolder();
    const auto linkTarget = folder.getChildFile ("link-target.wav");
    linkTarget.replaceWithText ("keep me");
    const auto link = folder.getChildFile ("link.wav");
    link.deleteFile();
    ASSERT_EQ (::symlink ("link-target.wav", link.getFullPathName().toRawUTF8()), 0);
    const auto fifo = folder.getChildFile ("pipe.wav");
    fifo.deleteFile();
    ASSERT_EQ (::mkfifo (fifo.getFullPathName().toRawUTF8(), 0644), 0);

    struct Case { std::vector<std::string> args; const char* says; juce::File kept; mode_t kind; };
    const std::vector<Case> cases {
        { { "--out", "link.wav" }, "symbolic link", link, S_IFLNK },
        { { "--out", "x.wav", "--save-state", "link.wav" }, "symbolic link", link, S_IFLNK },
        { { "--out", "pipe.wav" }, "FIFO", fifo, S_IFIFO },
        { { "--out", "/dev/null" }, "device", juce::File ("/dev/null"), S_IFCHR },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.args[1] + " " + (c.args.size() > 2 ? c.args[3] : ""));
        const auto r = runHost (c.args);
        EXPECT_EQ (r.status, 2);
        EXPECT_NE (r.err.find (c.says), std::string::npos) << r.err;
        EXPECT_TRUE (isKind (c.kept, c.kind));
        EXPECT_EQ (linkTarget.loadFileAsString(), "keep me");
        EXPECT_FALSE (folder.getChildFile ("x.wav").exists());
        EXPECT_EQ (hiddenTemporaries(), 0);
    }
    link.deleteFile();
    fifo.deleteFile();
    linkTarget.deleteFile();
}

TEST (Render, AnInputIsNeverOverwrittenUnderAnotherName)
{
    const auto folder = workFolder();
    writeWav ("real.wav", 2, 48000.0, 4800);
    const auto real = folder.getChildFile ("real.wav");
    juce::MemoryBlock original;
    ASSERT_TRUE (real.loadFileAsData (original));
    for (const char* name : { "soft.wav", "hard.wav" })
        folder.getChildFile (name).deleteFile();
    ASSERT_EQ (::symlink ("real.wav", folder.getChildFile ("soft.wav").getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ (::link (real.getFullPathName().toRawUTF8(), folder.getChildFile ("hard.wav").getFullPathName().toRawUTF8()), 0);

    struct Case { std::vector<std::string> args; const char* says; };
    const std::vector<Case> cases {
        { { "--in", "soft.wav", "--out", "real.wav" }, "overwrite the input" },
        { { "--in", "hard.wav", "--out", "real.wav" }, "overwrite the input" },
        { { "--in", "real.wav", "--out", "./real.wav" }, "overwrite the input" },
        { { "--state", "soft.wav", "--out", "hard.wav" }, "overwrite the state file" },
        { { "--in", "soft.wav", "--out", "x.wav", "--save-state", "hard.wav" }, "--save-state" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.args[1] + " -> " + c.args[3]);
        const auto r = runHost (c.args);
        EXPECT_EQ (r.status, 2);
        EXPECT_NE (r.err.find (c.says), std::string::npos) << r.err;
        juce::MemoryBlock now;
        ASSERT_TRUE (real.loadFileAsData (now));
        EXPECT_TRUE (now == original);
        EXPECT_EQ (hiddenTemporaries(), 0);
    }
    for (const char* name : { "soft.wav", "hard.wav", "real.wav" })
        folder.getChildFile (name).deleteFile();
}

TEST (Render, AKilledRenderLeavesNoTemporaryFileAndTheOldOutput)
{
    const auto folder = workFolder();
    const auto out = folder.getChildFile ("killed.wav");
    const auto state = folder.getChildFile ("killed.state");

    for (const int signalNumber : { SIGTERM, SIGINT, SIGHUP })
    {
        SCOPED_TRACE (signalNumber);
        out.replaceWithText ("keep me");
        state.deleteFile();

        // One-sample blocks make the render slow enough to be caught in the middle.
        HostProcess host ({ "--out", "killed.wav", "--block", "1", "--save-state", "killed.state" });
        ASSERT_TRUE (host.running());
        const auto deadline = juce::Time::getMillisecondCounterHiRes() + 30000.0;
        while (hiddenTemporaries() < 2 && juce::Time::getMillisecondCounterHiRes() < deadline)
            juce::Thread::sleep (1);
        ASSERT_EQ (hiddenTemporaries(), 2) << "no temporary files appeared";

        host.signal (signalNumber);
        const auto r = host.finish();
        EXPECT_EQ (r.status, 128 + signalNumber) << r.err;
        EXPECT_EQ (hiddenTemporaries(), 0);
        EXPECT_EQ (out.loadFileAsString(), "keep me");
        EXPECT_FALSE (state.exists());
    }
    out.deleteFile();
}

TEST (Render, InputsThatAreNoRegularFileOrTooLargeAreRefusedAtOnce)
{
    const auto folder = workFolder();
    const auto fifo = folder.getChildFile ("in-pipe");
    fifo.deleteFile();
    ASSERT_EQ (::mkfifo (fifo.getFullPathName().toRawUTF8(), 0644), 0);
    // A sparse file one byte beyond the largest state accepted.
    const auto huge = folder.getChildFile ("huge.state");
    {
        const int fd = ::open (huge.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE (fd, 0);
        ASSERT_EQ (::ftruncate (fd, 16 * 1024 * 1024 + 1), 0);
        ::close (fd);
    }
    folder.getChildFile ("a-folder").createDirectory();

    struct Case { std::vector<std::string> args; const char* says; };
    const std::vector<Case> cases {
        { { "--out", "x.wav", "--state", "/dev/zero" }, "device" },
        { { "--out", "x.wav", "--state", "in-pipe" }, "FIFO" },
        { { "--out", "x.wav", "--state", "huge.state" }, "larger than 16777216 bytes" },
        { { "--out", "x.wav", "--state", "a-folder" }, "folder" },
        { { "--in", "in-pipe", "--out", "x.wav" }, "FIFO" },
        { { "--in", "/dev/zero", "--out", "x.wav" }, "device" },
        { { "--in", "a-folder", "--out", "x.wav" }, "folder" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.args[1] + " " + c.args[3]);
        HostProcess host (c.args);
        const auto r = host.finish (20.0);
        EXPECT_EQ (r.status, 2);
        EXPECT_NE (r.err.find (c.says), std::string::npos) << r.err;
        EXPECT_FALSE (folder.getChildFile ("x.wav").exists());
    }
    fifo.deleteFile();
    huge.deleteFile();
    folder.getChildFile ("a-folder").deleteRecursively();
}

TEST (Render, EveryWavLayoutThatHoldsAudioDecodesExactly)
{
    // Passed through with the plug-in bypassed, the first output channel is the input.
    struct Case { const char* name; RawWav wav; std::vector<float> expected; };
    auto pcm = [] (uint16_t bits, std::vector<uint8_t> data) { RawWav w; w.bits = bits; w.data = std::move (data); return w; };
    auto ieee = [] (uint16_t bits, std::vector<uint8_t> data) { RawWav w; w.tag = 3; w.bits = bits; w.data = std::move (data); return w; };
    auto extensible = [] (RawWav w) { w.extensible = true; w.subFormat = w.tag; return w; };

    const std::vector<Case> cases {
        { "8-bit PCM", pcm (8, { 0x00, 0x80, 0xFF, 0xC0 }), { -1.0f, 0.0f, 127.0f / 128, 0.5f } },
        { "7-bit PCM", pcm (7, { 0x00, 0x80, 0xFE, 0xC0 }), { -1.0f, 0.0f, 126.0f / 128, 0.5f } },
        { "12-bit PCM", pcm (12, samples ({ -32768, 0, 0x7FF0, 0x4000 }, 2)), { -1.0f, 0.0f, 32752.0f / 32768, 0.5f } },
        { "16-bit PCM", pcm (16, samples ({ -32768, 0, 32767, -16384 }, 2)), { -1.0f, 0.0f, 32767.0f / 32768, -0.5f } },
        { "20-bit PCM", pcm (20, samples ({ -8388608, 0, 0x7FFFF0, 0x200000 }, 3)), { -1.0f, 0.0f, 8388592.0f / 8388608, 0.25f } },
        { "24-bit PCM", pcm (24, samples ({ -8388608, 0, 8388607, 4194304 }, 3)), { -1.0f, 0.0f, 8388607.0f / 8388608, 0.5f } },
        { "32-bit PCM", pcm (32, samples ({ INT32_MIN, 0, 0x40000000, -0x40000000 }, 4)), { -1.0f, 0.0f, 0.5f, -0.5f } },
        { "32-bit float", ieee (32, floatSamples<float> ({ -1.0f, 0.0f, 0.25f, 1.5f })), { -1.0f, 0.0f, 0.25f, 1.5f } },
        { "64-bit float", ieee (64, floatSamples<double> ({ -1.0, 0.0, 0.1, 2.0 })), { -1.0f, 0.0f, 0.1f, 2.0f } },
        { "extensible 24-bit PCM", extensible (pcm (24, samples ({ -8388608, 0, 8388607, 4194304 }, 3))),
          { -1.0f, 0.0f, 8388607.0f / 8388608, 0.5f } },
        { "extensible 64-bit float", extensible (ieee (64, floatSamples<double> ({ -1.0, 0.0, 0.1, 2.0 }))),
          { -1.0f, 0.0f, 0.1f, 2.0f } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        c.wav.save ("layout.wav");
        const auto r = runHost ({ "--in", "layout.wav", "--out", "layout-out.wav", "--bypass" });
        ASSERT_EQ (r.status, 0) << r.err;
        EXPECT_TRUE (r.err.empty()) << r.err;
        const auto w = readWav ("layout-out.wav");
        ASSERT_EQ (w.buffer.getNumSamples(), (int) c.expected.size());
        for (int i = 0; i < (int) c.expected.size(); ++i)
            EXPECT_EQ (w.buffer.getSample (0, i), c.expected[(size_t) i]) << i;
    }
}

TEST (Render, WavFilesItCannotDecodeAreRefusedByTheirFormat)
{
    auto base = [] { RawWav w; w.data = samples ({ 0, 1, 2, 3 }, 2); return w; };
    auto with = [&] (auto change) { auto w = base(); change (w); return w; };

    struct Case { const char* name; RawWav wav; const char* says; };
    const std::vector<Case> cases {
        { "16-bit float", with ([] (RawWav& w) { w.tag = 3; }), "16-bit floating-point" },
        { "A-law", with ([] (RawWav& w) { w.tag = 6; w.bits = 8; }), "A-law" },
        { "ADPCM", with ([] (RawWav& w) { w.tag = 2; w.bits = 4; w.blockAlign = 256; }), "ADPCM" },
        { "MP3", with ([] (RawWav& w) { w.tag = 0x55; w.bits = 0; w.blockAlign = 1; }), "MPEG layer 3" },
        { "unknown tag", with ([] (RawWav& w) { w.tag = 0x1234; }), "format 0x1234" },
        { "extensible A-law", with ([] (RawWav& w) { w.extensible = true; w.subFormat = 6; w.bits = 8; }), "A-law" },
        { "extensible, own format", with ([] (RawWav& w) { w.extensible = true; w.standardSubFormat = false; }), "format of its own" },
        { "65535 channels", with ([] (RawWav& w) { w.channels = 65535; w.blockAlign = 2; }), "65535 channels" },
        { "no channels", with ([] (RawWav& w) { w.channels = 0; w.blockAlign = 2; }), "0 channels" },
        { "12 bits in one byte", with ([] (RawWav& w) { w.bits = 12; w.blockAlign = 1; }), "12-bit PCM samples in 1-byte slots" },
        { "no format chunk", with ([] (RawWav& w) { w.withFormat = false; }), "not a WAV file" },
        { "no data chunk", with ([] (RawWav& w) { w.withData = false; }), "holds no audio" },
        { "not finite", with ([] (RawWav& w) {
              w.tag = 3; w.bits = 32; w.data = floatSamples<float> ({ 0.5f, std::numeric_limits<float>::quiet_NaN() });
          }), "not a finite number" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        c.wav.save ("bad-layout.wav");
        const auto r = runHost ({ "--in", "bad-layout.wav", "--out", "x.wav" });
        EXPECT_EQ (r.status, 2);
        EXPECT_NE (r.err.find (c.says), std::string::npos) << r.err;
        EXPECT_FALSE (workFolder().getChildFile ("x.wav").exists());
    }
}

TEST (Render, ATruncatedWavRendersWhatItHoldsAndSaysSo)
{
    // Stereo 16-bit: four bytes a sample frame.
    RawWav claimsTooMuch;
    claimsTooMuch.channels = 2;
    claimsTooMuch.data.assign (38000, 0x10);
    claimsTooMuch.claimedDataBytes = 0xFFFFFFF0; // about 6 hours at 48 kHz
    claimsTooMuch.save ("claims.wav");

    writeWav ("whole.wav", 2, 48000.0, 48000, 16);
    juce::MemoryBlock whole;
    ASSERT_TRUE (workFolder().getChildFile ("whole.wav").loadFileAsData (whole));
    const size_t header = whole.getSize() - 48000 * 4;
    // Cut inside a frame: the partial frame is dropped.
    workFolder().getChildFile ("cut.wav").replaceWithData (whole.getData(), header + 1000 * 4 + 3);

    struct Case { const char* file; int heldFrames; };
    for (const auto& c : { Case { "claims.wav", 38000 / 4 }, Case { "cut.wav", 1000 } })
    {
        SCOPED_TRACE (c.file);
        const auto r = runHost ({ "--in", c.file, "--out", "truncated-out.wav" });
        ASSERT_EQ (r.status, 0) << r.err;
        EXPECT_NE (r.err.find ("truncated"), std::string::npos) << r.err;
        EXPECT_NE (r.err.find ("holds " + std::to_string (c.heldFrames)), std::string::npos) << r.err;
        EXPECT_EQ (readWav ("truncated-out.wav").buffer.getNumSamples(), c.heldFrames);
    }
}

TEST (Render, AStateWithAnUnboundModuleLoadsUnbound)
{
    juce::MemoryBlock chunk;
    juce::AudioProcessor::copyXmlToBinary (
        *juce::parseXML ("<state><slots><zeravoro index=\"0\" Mix=\"25.0\" Feedback=\"120.0\" attachments=\"\"/></slots></state>"),
        chunk);
    workFolder().getChildFile ("unbound.state").replaceWithData (chunk.getData(), chunk.getSize());

    const auto r = runHost ({ "--out", "unbound.wav", "--state", "unbound.state", "--save-state", "unbound-out.state" });
    ASSERT_EQ (r.status, 0) << r.err;
    auto module = moduleOfState ("unbound-out.state");
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (module->getTagName(), "zeravoro");
    EXPECT_EQ (module->getStringAttribute ("Mix"), "25.0");
    EXPECT_EQ (module->getStringAttribute ("Feedback"), "120.0");
    EXPECT_TRUE (module->hasAttribute ("attachments"));
    EXPECT_EQ (module->getStringAttribute ("attachments"), "");
}
