#pragma once

#include "framework/PresetsManager.h"
#include "ui/ModalPanel.h"
#include "ui/PluginTextEditor.h"

#include <functional>
#include <memory>

// The name a group goes by in menus and lists; a group file without a name still
// needs a line, so it shows its file's name.
juce::String groupDisplayName (const PresetsManager::PresetGroup& group);

// The dialogs of the preset bar that save, rename, remove and update presets and
// create, rename and delete groups. Each does its work through the presets manager,
// reports a result code and closes itself.
class BasePresetDialog : public BasicOkCancelTextDialog, public juce::Button::Listener
{
public:
    using ResultCallback = std::function<void (int)>;

    // What the result callback hears; the main editor loads the default state on
    // `presetRemoved` and only refreshes the bar on the others.
    enum ResultCodes
    {
        done = 0,
        presetRemoved = 3,
        presetUpdated = 4
    };

    BasePresetDialog (PresetsManager* presetsManager, ResultCallback resultCallback);
    ~BasePresetDialog() override;

    void closeDialog() override;

    // OK does the dialog's work, reports its code and closes; Cancel only closes.
    void buttonClicked (juce::Button* button) override;

protected:
    // The work of OK; returns the code to report.
    virtual int applyOk() = 0;

    PresetsManager* presetsManager;
    ResultCallback resultCallback;
};

// A preset name and the group to save it in.
class SavePresetDialog : public BasePresetDialog
{
public:
    static constexpr int maxNameLength = 40;

    SavePresetDialog (PresetsManager* presetsManager, ResultCallback resultCallback);
    ~SavePresetDialog() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    juce::ComboBox& getGroupBox() noexcept { return *groupBox; }
    PluginTextEditor& getNameField() noexcept { return *nameField; }
    juce::Rectangle<int> getNameRow() const noexcept { return nameRow; }
    juce::Rectangle<int> getGroupRow() const noexcept { return groupRow; }

    // The name as typed, without white space at either end.
    juce::String getTypedName() const;

    // Gives the name field keyboard focus when it is shown, so the user can type at once.
    void focusNameField();

protected:
    int applyOk() override;

    // The selected group as the presets manager lists it now, found by the name it had
    // when the dialog was made; -1 when it is gone.
    int selectedGroupIndex() const;

    void layOutRows();
    void paintRowLabels (juce::Graphics&) const;

    std::unique_ptr<juce::ComboBox> groupBox;
    std::unique_ptr<PluginTextEditor> nameField;
    juce::Rectangle<int> nameRow;
    juce::Rectangle<int> groupRow;
    int margin = 15;
    int rowHeight = 28;

    // Drawn above the name row and above the group row; empty draws nothing.
    juce::String nameRowLabel;
    juce::String groupRowLabel;

private:
    juce::StringArray groupNames; // as listed when the dialog was made, by group index
};

class RenamePresetDialog : public SavePresetDialog
{
public:
    RenamePresetDialog (PresetsManager* presetsManager, ResultCallback resultCallback);

protected:
    int applyOk() override;
};

class CreateGroupDialog : public SavePresetDialog
{
public:
    CreateGroupDialog (PresetsManager* presetsManager, ResultCallback resultCallback);

protected:
    int applyOk() override;
};

// The group to rename above, the new name below.
class RenameGroupDialog : public SavePresetDialog
{
public:
    RenameGroupDialog (PresetsManager* presetsManager, ResultCallback resultCallback);

    void resized() override;

protected:
    int applyOk() override;
};

class DeleteGroupDialog : public SavePresetDialog
{
public:
    DeleteGroupDialog (PresetsManager* presetsManager, ResultCallback resultCallback);

    void paint (juce::Graphics&) override;
    void resized() override;

    juce::Rectangle<int> getMessageArea() const noexcept { return messageArea; }

protected:
    int applyOk() override;

private:
    juce::Rectangle<int> messageArea;
};

class DeletePresetDialog : public BasePresetDialog
{
public:
    DeletePresetDialog (PresetsManager* presetsManager, ResultCallback resultCallback);

protected:
    int applyOk() override;
};

class UpdatePresetDialog : public BasePresetDialog
{
public:
    UpdatePresetDialog (PresetsManager* presetsManager, ResultCallback resultCallback);

protected:
    int applyOk() override;
};
