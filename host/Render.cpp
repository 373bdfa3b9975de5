// tarnello-host render: plays a WAV file, or the built-in demo phrase, through the
// plug-in and writes the result as 32-bit float WAV.
//
//   tarnello-host render [--in IN.wav] --out OUT.wav [--rate HZ] [--block N] [--tempo BPM]
//                        [--set NAME=VALUE]... [--state FILE] [--save-state FILE] [--bypass]
//                        [--bundle PATH]
//
// This file holds the command line and the audio files; the plug-in is reached
// through a RenderTarget: the built bundle, driven by the stand-in host.

#include "host/Commands.h"
#include "host/NumberText.h"
#include "host/RenderFiles.h"
#include "host/RenderTarget.h"
#include "host/runtime/RuntimeObjects.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
constexpr double demoRate = 48000.0;
constexpr double lowestRate = 44100.0; // the plug-in passes lower rates through unprocessed
constexpr double highestRate = 384000.0;
constexpr int defaultBlockSize = 512;
constexpr int largestBlockSize = 65536;
constexpr juce::int64 longestInput = (juce::int64) 1 << 28; // samples per channel
constexpr int exitBadInput = 2;
constexpr int exitFailure = 1;

const char* const usage =
    "usage: tarnello-host render [--in IN.wav] --out OUT.wav [--rate HZ] [--block N] [--tempo BPM]\n"
    "                            [--set NAME=VALUE]... [--state FILE] [--save-state FILE] [--bypass]\n"
    "                            [--bundle PATH]\n";

using tarnello::render::argumentFile;
using tarnello::render::BadInput;
using tarnello::render::hzText;
using tarnello::render::isSameFile;
using tarnello::render::PendingFile;
using Audio = tarnello::render::WavAudio;

struct RenderOptions
{
    juce::File in, out, state, saveState;
    bool hasIn = false, hasOut = false, hasState = false, hasSaveState = false;
    double rate = demoRate;
    bool hasRate = false;
    int blockSize = defaultBlockSize;
    double tempo = tarnello::host::kSessionTempo;
    std::vector<std::pair<juce::String, juce::String>> settings;
    bool bypass = false;
    std::string bundle = tarnello::host::defaultBundlePath();
};

using tarnello::host::parseNumber;

RenderOptions parseArguments (const juce::StringArray& args)
{
    RenderOptions o;

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& option = args[i];
        auto value = [&]() -> juce::String
        {
            if (i + 1 >= args.size())
                throw BadInput { option + " needs a value" };
            return args[++i];
        };

        if (option == "--in")
        {
            o.in = argumentFile (value());
            o.hasIn = true;
        }
        else if (option == "--out")
        {
            o.out = argumentFile (value());
            o.hasOut = true;
        }
        else if (option == "--rate")
        {
            const auto text = value();
            if (! parseNumber (text, o.rate) || o.rate != std::floor (o.rate) || o.rate < lowestRate || o.rate > highestRate)
                throw BadInput { "--rate takes a whole number of Hz from 44100 to 384000, not \"" + text + "\"" };
            o.hasRate = true;
        }
        else if (option == "--block")
        {
            const auto text = value();
            double n = 0.0;
            if (! parseNumber (text, n) || n != std::floor (n) || n < 1 || n > largestBlockSize)
                throw BadInput { "--block takes a whole number of samples from 1 to 65536, not \"" + text + "\"" };
            o.blockSize = (int) n;
        }
        else if (option == "--tempo")
        {
            const auto text = value();
            if (! parseNumber (text, o.tempo) || o.tempo <= 0.0 || o.tempo > 999.0)
                throw BadInput { "--tempo takes beats per minute above 0 and up to 999, not \"" + text + "\"" };
        }
        else if (option == "--set")
        {
            o.settings.push_back (tarnello::render::parseSetting (value()));
        }
        else if (option == "--state")
        {
            o.state = argumentFile (value());
            o.hasState = true;
        }
        else if (option == "--save-state")
        {
            o.saveState = argumentFile (value());
            o.hasSaveState = true;
        }
        else if (option == "--bypass")
        {
            o.bypass = true;
        }
        else if (option == "--bundle")
        {
            o.bundle = argumentFile (value()).getFullPathName().toStdString();
        }
        else
        {
            throw BadInput { "unknown option \"" + option + "\"\n" + usage };
        }
    }

    if (! o.hasOut)
        throw BadInput { juce::String ("--out is required\n") + usage };

    // The same file under another name, through a link, is still the same file.
    if (o.hasIn && isSameFile (o.in, o.out))
        throw BadInput { "--out would overwrite the input " + o.in.getFullPathName() };
    if (o.hasState && isSameFile (o.state, o.out))
        throw BadInput { "--out would overwrite the state file " + o.state.getFullPathName() };
    if (o.hasSaveState && (isSameFile (o.saveState, o.out) || (o.hasIn && isSameFile (o.saveState, o.in))))
        throw BadInput { "--save-state must name a file of its own" };

    for (const auto& [file, given, option] : { std::make_tuple (o.out, o.hasOut, "--out"),
                                               std::make_tuple (o.saveState, o.hasSaveState, "--save-state") })
    {
        if (! given)
            continue;
        tarnello::render::checkOutputPath (file, option);
    }

    return o;
}

//==============================================================================
// A few seconds of short plucked notes, alternating between the sides, then
// silence for the echoes to ring out.
Audio makeDemoPhrase (double sampleRate)
{
    struct Note { double start, frequency, left, right; };
    const Note notes[] = { { 0.00, 440.00, 1.0, 0.5 }, { 0.25, 523.25, 0.5, 1.0 }, { 0.50, 659.26, 1.0, 0.5 },
                           { 0.75, 587.33, 0.5, 1.0 }, { 1.00, 783.99, 1.0, 0.5 }, { 1.25, 659.26, 0.5, 1.0 },
                           { 1.50, 523.25, 1.0, 0.5 }, { 1.75, 440.00, 0.7, 0.7 } };
    constexpr double noteLength = 0.2, attack = 0.002, decay = 0.04, fade = 0.01, totalSeconds = 6.0;

    Audio audio;
    audio.sampleRate = sampleRate;
    audio.buffer.setSize (2, (int) std::lround (totalSeconds * sampleRate));
    audio.buffer.clear();

    for (const auto& note : notes)
    {
        const int first = (int) std::lround (note.start * sampleRate);
        const int length = (int) std::lround (noteLength * sampleRate);
        for (int i = 0; i < length && first + i < audio.buffer.getNumSamples(); ++i)
        {
            const double t = i / sampleRate;
            const double w = juce::MathConstants<double>::twoPi * note.frequency * t;
            double env = (1.0 - std::exp (-t / attack)) * std::exp (-t / decay);
            if (t > noteLength - fade)
                env *= 0.5 + 0.5 * std::cos (juce::MathConstants<double>::pi * (t - (noteLength - fade)) / fade);
            const double s = 0.4 * env * (std::sin (w) + 0.4 * std::sin (2.0 * w) + 0.15 * std::sin (3.0 * w));
            audio.buffer.addSample (0, first + i, (float) (s * note.left));
            audio.buffer.addSample (1, first + i, (float) (s * note.right));
        }
    }

    return audio;
}

juce::String summaryLine (const juce::AudioBuffer<float>& out, double sampleRate, double seconds)
{
    float peak = 0.0f;
    for (int ch = 0; ch < out.getNumChannels(); ++ch)
        peak = std::max (peak, out.getMagnitude (ch, 0, out.getNumSamples()));

    const double duration = out.getNumSamples() / sampleRate;
    const auto peakText = peak > 0.0f ? juce::String (20.0 * std::log10 ((double) peak), 1) : juce::String ("-inf");
    const double speed = seconds > 0.0 ? duration / seconds : 0.0;

    return juce::String (duration, 2) + " s, " + juce::String (juce::roundToInt (sampleRate)) + " Hz, "
           + juce::String (out.getNumChannels()) + " channels, peak " + peakText + " dBFS, "
           + juce::String (juce::roundToInt (speed)) + "x real time";
}

int render (const juce::StringArray& args)
{
    const auto options = parseArguments (args);

    Audio input;
    if (options.hasIn)
    {
        input = tarnello::render::readWav (options.in, lowestRate, highestRate, longestInput);
        if (input.truncation.isNotEmpty())
            std::cerr << "tarnello-host render: warning: " << input.truncation << std::endl;
        if (options.hasRate && options.rate != input.sampleRate)
            throw BadInput { options.in.getFullPathName() + " is at " + hzText (input.sampleRate) + ", not "
                             + hzText (options.rate) + "; nothing is resampled" };
    }
    else
    {
        input = makeDemoPhrase (options.rate);
    }

    juce::MemoryBlock stateChunk;
    if (options.hasState)
        stateChunk = tarnello::render::readSmallFile (options.state, tarnello::render::largestStateFile, "state file");

    // Made now, so that a run that fails or is killed from here on removes them.
    PendingFile outFile (options.out);
    std::unique_ptr<PendingFile> stateFile;
    if (options.hasSaveState)
        stateFile = std::make_unique<PendingFile> (options.saveState);

    std::string loadError;
    auto target = createBundleRenderTarget (options.bundle, loadError);
    if (target == nullptr)
    {
        std::cerr << "tarnello-host render: " << loadError << std::endl;
        return exitFailure;
    }

    const int numInputs = input.buffer.getNumChannels();
    constexpr int numOutputs = 2;
    if (auto error = target->setLayout (numInputs, numOutputs); error.isNotEmpty())
        throw BadInput { error };
    if (auto error = target->prepare (input.sampleRate, options.blockSize, options.tempo); error.isNotEmpty())
    {
        std::cerr << "tarnello-host render: the plug-in could not be created: " << error << std::endl;
        return exitFailure;
    }

    if (options.hasState)
        if (auto error = target->loadState (stateChunk); error.isNotEmpty())
            throw BadInput { options.state.getFullPathName() + ": " + error };

    for (const auto& [name, value] : options.settings)
        if (auto error = target->setParameter (name, value); error.isNotEmpty())
            throw BadInput { "--set " + name + "=" + value + ": " + error };

    if (options.bypass)
        if (auto error = target->setBypass (true); error.isNotEmpty())
            throw BadInput { "--bypass: " + error };

    const int total = input.buffer.getNumSamples();
    juce::AudioBuffer<float> output (numOutputs, total);
    juce::AudioBuffer<float> block (juce::jmax (numInputs, numOutputs), options.blockSize);

    const auto started = std::chrono::steady_clock::now();
    for (int start = 0; start < total; start += options.blockSize)
    {
        const int n = juce::jmin (options.blockSize, total - start);
        block.setSize (block.getNumChannels(), n, false, false, true);
        block.clear();
        for (int ch = 0; ch < numInputs; ++ch)
            block.copyFrom (ch, 0, input.buffer, ch, start, n);
        target->process (block, start);
        for (int ch = 0; ch < numOutputs; ++ch)
            output.copyFrom (ch, start, block, ch, 0, n);
    }
    const double seconds = std::chrono::duration<double> (std::chrono::steady_clock::now() - started).count();

    tarnello::render::writeWav (outFile, output, input.sampleRate);
    if (stateFile != nullptr)
        tarnello::render::writeData (*stateFile, target->saveState());

    outFile.commit();
    if (stateFile != nullptr)
        stateFile->commit();

    std::cout << summaryLine (output, input.sampleRate, seconds) << std::endl;
    return 0;
}
} // namespace

int runRender (int argc, char** argv)
{
    juce::StringArray args;
    for (int i = 0; i < argc; ++i)
    {
        // JUCE's text classes trust their UTF-8 and read past the end of a broken sequence.
        const auto length = std::strlen (argv[i]);
        if (length > (size_t) std::numeric_limits<int>::max()
            || ! juce::CharPointer_UTF8::isValidString (argv[i], (int) length))
        {
            std::cerr << "tarnello-host render: argument " << i << " is not valid UTF-8 text" << std::endl;
            return exitBadInput;
        }
        args.add (juce::String::fromUTF8 (argv[i], (int) length));
    }
    // Called with the subcommand's own name first, or with its arguments alone.
    if (! args.isEmpty() && args[0] == "render")
        args.remove (0);

    if (args.contains ("--help") || args.contains ("-h"))
    {
        std::cout << usage;
        return 0;
    }

    tarnello::render::removePendingFilesOnSignals();
    juce::ScopedJuceInitialiser_GUI juceInit;
    try
    {
        return render (args);
    }
    catch (const BadInput& e)
    {
        std::cerr << "tarnello-host render: " << e.message << std::endl;
        return exitBadInput;
    }
}
