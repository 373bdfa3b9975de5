#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

// The single-line name field of the preset and group dialogs. Return and Escape run
// the dialog's own actions. In REAPER, which keeps keyboard focus from plug-in
// child windows, the field sits on the desktop as a window of its own while it has
// focus and goes back into its dialog when it loses it.
class PluginTextEditor : public juce::TextEditor
{
public:
    using HostCheck = std::function<bool()>;

    explicit PluginTextEditor (const juce::String& nameOfComponent = {});
    ~PluginTextEditor() override;

    bool keyPressed (const juce::KeyPress& key) override;
    void focusGained (juce::Component::FocusChangeType cause) override;
    void focusLost (juce::Component::FocusChangeType cause) override;

    // Whether the plug-in runs in REAPER; tests put their own answer in.
    void setHostIsReaperCheck (HostCheck check);
    static bool hostIsReaper();

    std::vector<std::function<void()>> returnActions;
    std::vector<std::function<void()>> escapeActions;

private:
    HostCheck isReaper;
    juce::Point<int> savedPosition;
    juce::Component::SafePointer<juce::Component> savedParent;
    bool moving = false; // focus calls that arrive while the field changes windows

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginTextEditor)
};
