// The files of `tarnello-host render`: the WAV and state files it reads, and the
// files it writes. Everything here distrusts what it is given: inputs must be
// regular files of a sane size, outputs must be regular files or new paths, and
// nothing the user already had is lost when a run fails or is killed.
#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_core/juce_core.h>

#include <memory>
#include <string>
#include <utility>

namespace tarnello::render
{
// A refusal for the user; the renderer prints it and exits with status 2.
struct BadInput
{
    juce::String message;
};

// Far beyond any state the plug-in writes; a larger state file is refused unread.
constexpr size_t largestStateFile = 16 * 1024 * 1024;

// A path given on the command line, taken from the working folder.
juce::File argumentFile (const juce::String& path);

// The NAME and VALUE of a "--set NAME=VALUE", each trimmed.
std::pair<juce::String, juce::String> parseSetting (const juce::String& text);

// "1 Hz", "44100 Hz", "44100.50 Hz".
juce::String hzText (double rate);

// Refuses an output that exists and is anything but a regular file: writing
// would replace a device, a FIFO, a folder or a symbolic link with a file. The
// folder it goes into must exist.
void checkOutputPath (const juce::File& file, const juce::String& option);

// True when both paths are one path, or name the same existing file through links
// of any kind.
bool isSameFile (const juce::File& a, const juce::File& b);

// The whole of a regular file no larger than `maxBytes`; anything else, an endless
// file included, is refused before it is read. `what` names the file in messages.
juce::MemoryBlock readSmallFile (const juce::File& file, size_t maxBytes, const juce::String& what);

struct WavAudio
{
    juce::AudioBuffer<float> buffer;
    double sampleRate = 0.0;
    // Set when the file ends before its data chunk does; the buffer holds what it holds.
    juce::String truncation;
};

// A mono or stereo PCM (1 to 32 bits) or floating-point (32 or 64 bits) WAV at a
// rate in [lowestRate, highestRate], at most `longest` samples per channel.
WavAudio readWav (const juce::File& file, double lowestRate, double highestRate, juce::int64 longest);

// Written beside the target under a hidden name and renamed over it only when
// complete, so a failed or killed run leaves the target as it was and no
// temporary file behind.
class PendingFile
{
public:
    explicit PendingFile (const juce::File& target);
    ~PendingFile();

    const juce::File& getTarget() const { return target; }
    const juce::File& getTemporary() const { return temporary; }

    // Replaces the target with the finished temporary file.
    void commit();

private:
    juce::File target, temporary;
    std::unique_ptr<char[]> temporaryPath; // what the signal handler removes
    int slot = -1;

    JUCE_DECLARE_NON_COPYABLE (PendingFile)
};

// From here on, SIGINT, SIGTERM and SIGHUP remove every pending file before
// the process dies of the signal.
void removePendingFilesOnSignals();

void writeWav (PendingFile& file, const juce::AudioBuffer<float>& buffer, double sampleRate);
void writeData (PendingFile& file, const juce::MemoryBlock& data);
} // namespace tarnello::render
