#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The inline help strip: shows the help text of the control under the pointer.
// Controls push their text into the label when the pointer enters them and arm the
// timer when it leaves; the strip fades the text out when the timer fires.
class HelpTextVisor : public juce::Component,
                      public juce::Timer
{
public:
    static constexpr int hideDelayMs = 2000;
    static constexpr int fadeOutMs = 700;

    HelpTextVisor();
    ~HelpTextVisor() override;

    juce::Label& getLabel() noexcept { return label; }
    juce::ComponentAnimator& getAnimator() noexcept { return animator; }

    bool isHidePending() const noexcept { return hidePending; }
    void setHidePending (bool shouldHide) noexcept { hidePending = shouldHide; }

    void resized() override;
    void timerCallback() override;

private:
    juce::Label label;
    juce::ComponentAnimator animator;
    bool hidePending = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HelpTextVisor)
};
