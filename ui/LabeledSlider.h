#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The slider under every knob of a module panel. It snaps dragged values to a fixed
// interval or to the nearest entry of a list, and drives a floating value label (a
// separate label the panel owns) that fades in while the knob moves and hides a
// moment after the mouse is released; a right click opens the label for typing.
class LabeledSlider : public juce::Slider,
                      public juce::Timer
{
public:
    static constexpr int defaultHideDelayMs = 700;
    static constexpr int defaultFadeInMs = 10;

    LabeledSlider();
    ~LabeledSlider() override;

    // Snapping: a non-zero interval wins over the list. The list is kept sorted.
    void setSnapInterval (double interval) noexcept { snapInterval = interval; }
    double getSnapInterval() const noexcept { return snapInterval; }
    void setSnapList (const juce::Array<double>& values);
    const juce::Array<double>& getSnapList() const noexcept { return snapList; }

    // The value nearest to `v` in a sorted list (ties keep the lower entry found by
    // the search); `v` itself when the list is empty.
    static double nearestInSortedList (const juce::Array<double>& sorted, double v);

    void setFloatingLabel (juce::Label* label) noexcept { floatingLabel = label; }
    juce::Label* getFloatingLabel() const noexcept { return floatingLabel; }
    void setLabelEnabled (bool enabled) noexcept { labelEnabled = enabled; }
    bool isLabelEnabled() const noexcept { return labelEnabled; }

    // Sets both the configured and the current right-click editing.
    void setEditOnRightClickConfigured (bool enabled) noexcept { editOnRightClickConfigured = editOnRightClick = enabled; }
    bool isEditOnRightClickConfigured() const noexcept { return editOnRightClickConfigured; }
    // The current right-click editing (off while the parameter is disabled).
    void setEditOnRightClick (bool enabled) noexcept { editOnRightClick = enabled; }
    bool isEditOnRightClick() const noexcept { return editOnRightClick; }

    // Hide delay: the timer period and the fade-out time; a value below 1 ms hides at once.
    void setHideDelay (int ms) noexcept { hideDelayMs = ms; }
    int getHideDelay() const noexcept { return hideDelayMs; }
    void setFadeInTime (int ms) noexcept { fadeInMs = ms; }
    int getFadeInTime() const noexcept { return fadeInMs; }

    // Shows the floating label and (re)arms its hiding; the first call after
    // construction shows nothing, so the value pushed at set-up stays quiet.
    void startShowingFloatingLabel();

    bool isReleased() const noexcept { return released; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void startedDragging() override;
    void stoppedDragging() override;
    double snapValue (double attemptedValue, juce::Slider::DragMode dragMode) override;
    void timerCallback() override;

private:
    void fadeInLabel();

    juce::Array<double> snapList;
    double snapInterval = 0.0;
    juce::Label* floatingLabel = nullptr;
    bool labelEnabled = true;
    bool editOnRightClick = true;
    int hideDelayMs = defaultHideDelayMs;
    int fadeInMs = defaultFadeInMs;
    bool released = true;
    bool hideArmed = true;
    bool skipNextShow = true;
    juce::ComponentAnimator* animator = nullptr;
    bool editOnRightClickConfigured = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabeledSlider)
};
