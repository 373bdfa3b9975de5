#pragma once

#include "framework/PresetsManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The box at the top of the editor that shows the current preset. A click opens the
// preset menu: every group with its presets, the preset and group commands, and the
// default state. Picks and the default go to the listener (the main editor); every
// other command opens a dialog in the editor's modal panel or shows a file.
class PresetBar : public juce::Component
{
public:
    // Menu commands 1 to 12, picked presets from `firstPresetId`, revealed group files
    // from `firstGroupFileId`; the listener also hears the dialogs' result codes
    // (0, 3 after the current preset was removed, 4 after it was updated).
    enum PresetCommands : int
    {
        refreshOnly = -1,
        dialogDone = 0,
        saveNewPreset = 1,
        renameCurrentPreset = 2,
        removePreset = 3,
        updateCurrentPreset = 4,
        createNewGroup = 5,
        renameGroup = 6,
        deleteGroup = 7,
        resetToDefault = 10,
        saveAsDefault = 11,
        revealPresetsFolder = 12,
        firstPresetId = 1000,
        firstGroupFileId = 100000
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void presetBarChanged (PresetCommands command) = 0;
    };

    // Dialogs open `dialogTop` from the top of the modal panel.
    static constexpr int dialogTop = 15;

    PresetBar (Listener* listener, PresetsManager* presetsManager);
    ~PresetBar() override;

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    // The preset menu as it stands now; re-reads the presets folder when the store's
    // list was invalidated.
    juce::PopupMenu buildMenu();

    // Runs when the menu closes; nothing once the bar is gone (null).
    static void menuCallback (int result, PresetBar* bar);

    // Carries out menu commands 1 to 12.
    void presetActions (int code);

    // The texts the bar shows; the main editor writes them after every preset command.
    void setDisplayedNames (const juce::String& groupName, const juce::String& presetName);
    // Copies the current preset's group and name from the presets manager.
    void updateFromCurrentPreset();
    const juce::String& getPresetName() const noexcept { return presetName; }
    const juce::String& getGroupName() const noexcept { return groupName; }

    PresetsManager* getPresetsManager() const noexcept { return presetsManager; }

protected:
    juce::String presetName;
    juce::String groupName;
    PresetsManager* presetsManager;
    Listener* listener;

private:
    void notifyListener (int code);
    void showDialog (juce::Component* dialog, int width, int height);
    std::function<void (int)> makeResultCallback();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetBar)
};

// The product's preset bar: a dark rounded box with the preset's name, or "Default"
// when no preset is current; optionally the group's name on a line above it.
class GlobalPresetBar : public PresetBar
{
public:
    GlobalPresetBar (Listener* listener, PresetsManager* presetsManager, bool twoLines = false);

    void paint (juce::Graphics&) override;

private:
    bool twoLines;
};
