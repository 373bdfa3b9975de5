#include "ui/PluginTextEditor.h"

#include "ui/ModalPanel.h"

#include <juce_audio_processors/juce_audio_processors.h>

PluginTextEditor::PluginTextEditor (const juce::String& nameOfComponent)
    : juce::TextEditor (nameOfComponent), isReaper (&PluginTextEditor::hostIsReaper)
{
}

PluginTextEditor::~PluginTextEditor() = default;

bool PluginTextEditor::hostIsReaper()
{
    return juce::PluginHostType().isReaper();
}

void PluginTextEditor::setHostIsReaperCheck (HostCheck check)
{
    isReaper = check ? std::move (check) : HostCheck (&PluginTextEditor::hostIsReaper);
}

bool PluginTextEditor::keyPressed (const juce::KeyPress& key)
{
    // The key code alone decides: Shift+Return confirms like Return.
    const int code = key.getKeyCode();

    if (code == juce::KeyPress::escapeKey)
    {
        // The actions may delete this field with its dialog; touch nothing afterwards.
        runActionsWhileAlive (escapeActions, *this);
        return true;
    }

    if (code == juce::KeyPress::returnKey)
    {
        runActionsWhileAlive (returnActions, *this);
        return true;
    }

    return juce::TextEditor::keyPressed (key);
}

void PluginTextEditor::focusGained (juce::Component::FocusChangeType cause)
{
    if (! moving && ! isOnDesktop() && ! isReadOnly() && isEnabled() && getParentComponent() != nullptr
        && isReaper())
    {
        const juce::Component::SafePointer<juce::Component> self (this);
        savedParent = getParentComponent();
        savedPosition = getPosition();

        moving = true;
        addToDesktop (juce::ComponentPeer::windowIsTemporary, nullptr);
        if (self == nullptr)
            return;
        grabKeyboardFocus();
        if (auto* top = getTopLevelComponent())
            top->toFront (true);
        setAlwaysOnTop (true);
        moving = false;
    }

    juce::TextEditor::focusGained (cause);
}

void PluginTextEditor::focusLost (juce::Component::FocusChangeType cause)
{
    if (! moving && isOnDesktop())
    {
        moving = true;
        removeFromDesktop();
        // A parent that is gone leaves the field off the desktop and unparented; the
        // dialog that owns it deletes it.
        if (auto* parent = savedParent.getComponent())
        {
            parent->addAndMakeVisible (this);
            setTopLeftPosition (savedPosition);
        }
        setAlwaysOnTop (false);
        moving = false;
    }

    juce::TextEditor::focusLost (cause);
}
