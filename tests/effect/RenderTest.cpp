// `tarnello-host render`, run as the built program: the demo phrase, files in and
// out, parameters by name, state chunks, and every kind of bad input.

#include <gtest/gtest.h>

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <string>
#include <vector>

#include "TestEnvironment.h"

extern char** environ;

namespace
{
struct Result
{
    int status = -1;
    std::string out, err;
};

juce::File workFolder()
{
    static const juce::File folder = [] {
        auto f = juce::File (tarnello::test::privateHome().string()).getChildFile ("render");
        f.createDirectory();
        return f;
    }();
    return folder;
}

Result runHost (const std::vector<std::string>& args)
{
    const auto outFile = workFolder().getChildFile ("stdout.txt");
    const auto errFile = workFolder().getChildFile ("stderr.txt");

    std::vector<std::string> all { TARNELLO_HOST_PATH, "render" };
    all.insert (all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back (a.data());
    argv.push_back (nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 1, outFile.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, errFile.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np (&actions, workFolder().getFullPathName().toRawUTF8());

    Result r;
    pid_t pid = 0;
    if (posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
    {
        int status = 0;
        waitpid (pid, &status, 0);
        r.status = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
    }
    posix_spawn_file_actions_destroy (&actions);

    r.out = outFile.loadFileAsString().toStdString();
    r.err = errFile.loadFileAsString().toStdString();
    outFile.deleteFile();
    errFile.deleteFile();
    return r;
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
