#include "editor/ScaledPluginEditor.h"

#include "framework/PluginPaths.h"

#include <cmath>

ScaledPluginEditor::ScaledPluginEditor (DovrethProcessor& owner, std::unique_ptr<juce::AudioProcessorEditor> inner)
    : juce::AudioProcessorEditor (owner), dovreth (owner), innerEditor (std::move (inner))
{
    jassert (innerEditor != nullptr);
    const int baseWidth = innerEditor->getWidth();
    const int baseHeight = innerEditor->getHeight();

    setSize (baseWidth, baseHeight);
    applyLimits (scaleConstrainer, baseWidth, baseHeight);
    setConstrainer (&scaleConstrainer);
    setResizable (true, true);

    contentHolder.setVisible (true);
    addAndMakeVisible (contentHolder);
    contentHolder.addAndMakeVisible (*innerEditor);
    contentHolder.setBounds (0, 0, getWidth(), getHeight());

    setLookAndFeel (&innerEditor->getLookAndFeel());

    // Closing the files saves what is pending and makes the next read come from disk,
    // so the last window of any instance sets the scale of the next. The settings
    // object is made again on demand: never hold it across this.
    dovreth.appProperties.closeFiles();
    double stored = dovreth.uiScale;
    if (auto* settings = dovreth.appProperties.getUserSettings())
        stored = settings->getDoubleValue (SettingsKeys::uiScale, dovreth.uiScale);
    dovreth.uiScale = acceptedScale (stored);

    const float scale = dovreth.uiScale;
    setSize ((int) (baseWidth * scale), (int) (baseHeight * scale));

    ready = true;
}

ScaledPluginEditor::~ScaledPluginEditor()
{
    stopTimer();
    processor.editorBeingDeleted (this);
    setLookAndFeel (nullptr);
    innerEditor.reset();
}

float ScaledPluginEditor::acceptedScale (double scale) noexcept
{
    return std::isfinite (scale) && scale >= minimumScale && scale <= maximumScale ? (float) scale : 1.0f;
}

void ScaledPluginEditor::applyLimits (juce::ComponentBoundsConstrainer& constrainer, int baseWidth, int baseHeight)
{
    if (baseWidth <= 0 || baseHeight <= 0)
        return;
    constrainer.setSizeLimits ((int) (baseWidth * minimumScale), (int) (baseHeight * minimumScale),
                               (int) (baseWidth * maximumScale), (int) (baseHeight * maximumScale));
    constrainer.setFixedAspectRatio ((double) baseWidth / (double) baseHeight);
}

void ScaledPluginEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void ScaledPluginEditor::resized()
{
    AudioProcessorEditor::resized();
    if (innerEditor == nullptr)
        return;

    const int innerWidth = innerEditor->getWidth();
    const int innerHeight = innerEditor->getHeight();
    if (innerWidth <= 0 || innerHeight <= 0)
        return;

    const float scale = juce::jmin ((float) getWidth() / (float) innerWidth, (float) getHeight() / (float) innerHeight);
    // An empty window has no scale to show or to keep.
    if (! (std::isfinite (scale) && scale > 0.0f))
        return;
    contentHolder.setTransform (juce::AffineTransform::scale (scale));

    if (! ready)
        return;
    dovreth.uiScale = scale;
    if (! isTimerRunning())
        startTimer (saveDelayMs);
    resizedSinceLastTick = true;
}

void ScaledPluginEditor::timerCallback()
{
    if (! resizedSinceLastTick)
    {
        stopTimer();
        saveScale();
    }
    resizedSinceLastTick = false;
}

void ScaledPluginEditor::saveScale()
{
    if (auto* settings = dovreth.appProperties.getUserSettings())
    {
        settings->setValue (SettingsKeys::uiScale, (double) dovreth.uiScale);
        settings->saveIfNeeded();
    }
}
