#include "ui/LabeledSlider.h"

#include <cmath>

LabeledSlider::LabeledSlider()
    : animator (&juce::Desktop::getInstance().getAnimator())
{
}

LabeledSlider::~LabeledSlider()
{
    stopTimer();
}

void LabeledSlider::setSnapList (const juce::Array<double>& values)
{
    snapList = values;
    // The nearest-entry search is a bisection; a list in document order would miss.
    snapList.sort();
}

double LabeledSlider::nearestInSortedList (const juce::Array<double>& sorted, double v)
{
    const int n = sorted.size();
    if (n == 0)
        return v;

    int lo = 0, hi = n - 1;
    while (lo < hi)
    {
        const int mid = lo + (hi - lo) / 2;
        if (v > sorted.getUnchecked (mid))
            lo = mid + 1;
        else
            hi = mid;
    }

    auto result = sorted.getUnchecked (lo);
    if (lo > 0 && std::abs (sorted.getUnchecked (lo - 1) - v) < std::abs (result - v))
        result = sorted.getUnchecked (lo - 1);
    if (lo < n - 1 && std::abs (sorted.getUnchecked (lo + 1) - v) < std::abs (result - v))
        result = sorted.getUnchecked (lo + 1);
    return result;
}

double LabeledSlider::snapValue (double attemptedValue, juce::Slider::DragMode dragMode)
{
    if (dragMode != juce::Slider::absoluteDrag)
        return attemptedValue;
    if (attemptedValue == getValue())
        return attemptedValue;
    if (std::isfinite (snapInterval) && snapInterval != 0.0)
        return std::round (attemptedValue / snapInterval) * snapInterval;
    return nearestInSortedList (snapList, attemptedValue);
}

void LabeledSlider::fadeInLabel()
{
    if (floatingLabel->isVisible() && juce::approximatelyEqual (floatingLabel->getAlpha(), 1.0f))
        return;

    floatingLabel->setAlpha (0.0f);
    floatingLabel->setVisible (true);
    animator->animateComponent (floatingLabel, floatingLabel->getBounds(), 1.0f, fadeInMs, false, 1.0, 1.0);
}

void LabeledSlider::startShowingFloatingLabel()
{
    if (floatingLabel != nullptr)
        floatingLabel->toFront (false);

    if (skipNextShow)
    {
        skipNextShow = false;
        return;
    }

    if (floatingLabel != nullptr && labelEnabled)
        fadeInLabel();

    hideArmed = false;
    // A timer of 0 ms would never run, and the label would never hide.
    if (! isTimerRunning())
        startTimer (std::max (1, hideDelayMs));

    skipNextShow = false;
}

void LabeledSlider::timerCallback()
{
    // Keep the label up for one whole quiet period after the last show and the release.
    if (! hideArmed || ! released)
    {
        hideArmed = true;
        return;
    }

    if (floatingLabel != nullptr && labelEnabled && ! floatingLabel->isBeingEdited())
    {
        if (hideDelayMs > 0 && floatingLabel->isShowing())
            animator->animateComponent (floatingLabel, floatingLabel->getBounds(), 0.0f, hideDelayMs, true, 1.0, 1.0);
        floatingLabel->setVisible (false);
    }

    stopTimer();
}

void LabeledSlider::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown() && editOnRightClick && floatingLabel != nullptr)
    {
        released = false;
        hideArmed = false;
        if (labelEnabled)
            fadeInLabel();
        floatingLabel->setAlpha (1.0f);
        floatingLabel->setVisible (true);
        floatingLabel->showEditor();
        floatingLabel->setFocusContainerType (juce::Component::FocusContainerType::keyboardFocusContainer);
    }

    juce::Slider::mouseDown (e);
}

void LabeledSlider::mouseUp (const juce::MouseEvent& e)
{
    juce::Slider::mouseUp (e);
    released = true;
}

void LabeledSlider::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    juce::Slider::mouseWheelMove (e, wheel);
}

void LabeledSlider::startedDragging()
{
    if (floatingLabel != nullptr)
    {
        released = false;
        startShowingFloatingLabel();
    }
}

void LabeledSlider::stoppedDragging()
{
    if (floatingLabel != nullptr)
        released = true;
}
