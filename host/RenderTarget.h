#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_core/juce_core.h>

#include <memory>
#include <string>

namespace tarnello::host
{
class PluginGUI;
}

// The plug-in as the renderer drives it, with the calls a host makes: bus layout,
// prepare, state chunk, parameters by name, bypass, blocks with a play head. The command
// line and the audio files stay on the renderer's side, so another way of reaching
// the plug-in only needs another target.
//
// Calls that can fail return an empty string on success and otherwise a message
// for the user.
class RenderTarget
{
public:
    virtual ~RenderTarget() = default;

    virtual juce::String setLayout (int numInputs, int numOutputs) = 0;
    // Makes and initialises the plug-in with the transport at `bpm`, playing, and
    // lets it see that transport before anything else reaches it.
    virtual juce::String prepare (double sampleRate, int maxBlockSize, double bpm) = 0;
    // A host state chunk, as setStateInformation receives it.
    virtual juce::String loadState (const juce::MemoryBlock& chunk) = 0;
    // A parameter by its own name, and a value in its own units or one of its texts.
    virtual juce::String setParameter (const juce::String& name, const juce::String& value) = 0;
    // The host's master bypass.
    virtual juce::String setBypass (bool bypassed) = 0;
    // One block in place at a play position; the buffer holds max(inputs, outputs) channels.
    virtual void process (juce::AudioBuffer<float>& buffer, juce::int64 samplePosition) = 0;
    // The chunk getStateInformation gives.
    virtual juce::MemoryBlock saveState() = 0;
    // The plug-in's GUI object, made as a host makes it, after prepare; null, with the
    // reason in `error`, when there is none. It must go before the target does.
    virtual std::unique_ptr<tarnello::host::PluginGUI> createGUI (std::string& error) = 0;
};

// The product in its bundle, loaded into the stand-in host; null, with the
// reason in `error`, if the bundle cannot be loaded or registered.
std::unique_ptr<RenderTarget> createBundleRenderTarget (const std::string& bundlePath, std::string& error);
