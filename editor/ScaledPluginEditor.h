#pragma once

#include "framework/DovrethProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The editor the host receives. It holds the product's editor, laid out at its
// own unscaled size, and shows it through one uniform scale transform, so the
// whole interface grows and shrinks with the window. The window keeps the inner
// editor's aspect ratio and limits (0.75x to 4x), mirrors its scale into the
// processor, and stores it as the user setting "uiScale" once resizing stops.
class ScaledPluginEditor : public juce::AudioProcessorEditor, public juce::Timer
{
public:
    static constexpr double minimumScale = 0.75;
    static constexpr double maximumScale = 4.0;
    static constexpr int saveDelayMs = 400;

    ScaledPluginEditor (DovrethProcessor& processor, std::unique_ptr<juce::AudioProcessorEditor> innerEditor);
    ~ScaledPluginEditor() override;

    // A stored or requested scale as the window may use it: finite and within
    // 0.75..4, anything else 1.
    static float acceptedScale (double scale) noexcept;

    // The inner editor's size sets the window's limits and aspect ratio: 0.75 to 4
    // times that size (an empty size leaves them alone).
    static void applyLimits (juce::ComponentBoundsConstrainer& constrainer, int baseWidth, int baseHeight);

    void paint (juce::Graphics& g) override;
    void resized() override;
    void timerCallback() override;

    // Stores the processor's scale as "uiScale" and saves the settings if needed.
    void saveScale();

    juce::AudioProcessorEditor* getInnerEditor() const noexcept { return innerEditor.get(); }
    juce::Component& getContentHolder() noexcept { return contentHolder; }
    juce::ComponentBoundsConstrainer& getScaleConstrainer() noexcept { return scaleConstrainer; }

private:
    DovrethProcessor& dovreth;
    juce::Component contentHolder;
    std::unique_ptr<juce::AudioProcessorEditor> innerEditor;
    juce::ComponentBoundsConstrainer scaleConstrainer;
    bool ready = false;
    bool resizedSinceLastTick = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScaledPluginEditor)
};
