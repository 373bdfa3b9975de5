#include "editor/PresetBar.h"

#include "editor/PlatformActions.h"
#include "editor/PresetDialogs.h"
#include "ui/ModalPanel.h"

namespace
{
constexpr int dialogWidth = 400;
constexpr int shortDialogHeight = 200;
constexpr int tallDialogHeight = 270;

juce::PopupMenu presetsSubMenu (const PresetsManager& store, int groupIndex)
{
    juce::PopupMenu sub;
    bool anyPreset = false;

    for (const auto* preset : store.presets)
    {
        if (preset->groupIndex != groupIndex)
            continue;
        sub.addItem (PresetBar::firstPresetId + preset->index, preset->name, true);
        anyPreset = true;
    }

    if (anyPreset)
    {
        sub.addSeparator();
        sub.addItem (PresetBar::firstGroupFileId + groupIndex, "Reveal preset group file", true);
    }
    return sub;
}
} // namespace

PresetBar::PresetBar (Listener* listenerIn, PresetsManager* presetsManagerIn)
    : presetsManager (presetsManagerIn), listener (listenerIn)
{
    if (presetsManager != nullptr)
        presetsManager->matchOnLoadPluginWithPreset();
    updateFromCurrentPreset();
}

PresetBar::~PresetBar() = default;

void PresetBar::paint (juce::Graphics&) {}

void PresetBar::setDisplayedNames (const juce::String& newGroupName, const juce::String& newPresetName)
{
    groupName = newGroupName;
    presetName = newPresetName;
    repaint();
}

void PresetBar::updateFromCurrentPreset()
{
    if (presetsManager != nullptr)
        setDisplayedNames (presetsManager->currentPreset.groupName, presetsManager->currentPreset.name);
}

juce::PopupMenu PresetBar::buildMenu()
{
    juce::PopupMenu menu;
    menu.addSectionHeader ("Presets");

    bool presetIsCurrent = false;
    bool anyGroup = false;

    if (presetsManager != nullptr)
    {
        auto& store = *presetsManager;
        store.parsePresets();
        presetIsCurrent = store.currentPreset.groupName.isNotEmpty();
        anyGroup = ! store.groups.isEmpty();

        if (store.presets.isEmpty())
        {
            menu.addItem (firstPresetId, "No presets found", false);
        }
        else
        {
            for (int gi = 0; gi < store.groups.size(); ++gi)
                menu.addSubMenu (groupDisplayName (store.groups.getReference (gi)), presetsSubMenu (store, gi));
        }
    }
    else
    {
        menu.addItem (firstPresetId, "No presets found", false);
    }

    menu.addSeparator();

    juce::PopupMenu save;
    save.addItem (saveNewPreset, "Save New Preset", true);
    save.addItem (updateCurrentPreset, "Update Current Preset", presetIsCurrent);
    save.addItem (renameCurrentPreset, "Rename Current Preset", presetIsCurrent);
    save.addSeparator();
    save.addItem (removePreset, "Remove Preset", presetIsCurrent);
    menu.addSubMenu ("Save Preset", save);

    juce::PopupMenu groups;
    groups.addItem (createNewGroup, "Create New Group", true);
    groups.addItem (renameGroup, "Rename Group", anyGroup);
    groups.addItem (deleteGroup, "Delete Group", anyGroup);
    groups.addSeparator();
    groups.addItem (revealPresetsFolder, "Reveal Presets Folder", true);
    menu.addSubMenu ("Preset Groups", groups);

    menu.addSeparator();
    menu.addItem (saveAsDefault, "Save As Default", true);
    menu.addItem (resetToDefault, "Reset To Default", true);
    return menu;
}

void PresetBar::mouseDown (const juce::MouseEvent&)
{
    buildMenu().showMenuAsync (juce::PopupMenu::Options()
                                   .withMinimumWidth (100)
                                   .withMaximumNumColumns (3)
                                   .withTargetComponent (this),
                               juce::ModalCallbackFunction::forComponent (menuCallback, this));
}

void PresetBar::menuCallback (int result, PresetBar* bar)
{
    if (bar == nullptr)
        return;

    if (result >= firstPresetId && result < firstGroupFileId)
    {
        bar->notifyListener (result);
    }
    else if (result >= firstGroupFileId)
    {
        auto* store = bar->presetsManager;
        const int groupIndex = result - firstGroupFileId;
        if (store != nullptr && groupIndex < store->groups.size())
            PlatformActions::get().revealToUser (juce::File (store->groups.getReference (groupIndex).file));
    }
    else if (result >= saveNewPreset && result <= revealPresetsFolder)
    {
        bar->presetActions (result);
    }
}

void PresetBar::notifyListener (int code)
{
    const SafePointer<PresetBar> alive (this);

    if (listener != nullptr)
        listener->presetBarChanged (static_cast<PresetCommands> (code));

    // The bar follows the store even when no editor refreshes it.
    if (alive != nullptr)
        updateFromCurrentPreset();
}

std::function<void (int)> PresetBar::makeResultCallback()
{
    return [bar = SafePointer<PresetBar> (this)] (int code)
    {
        if (bar != nullptr)
            bar->notifyListener (code);
    };
}

void PresetBar::showDialog (juce::Component* dialog, int width, int height)
{
    auto* editor = findParentComponentOfClass<ModalEditorBase>();
    if (editor == nullptr)
    {
        delete dialog;
        return;
    }

    const juce::Component::SafePointer<juce::Component> shown (dialog);
    editor->showModalDialogTopCentred (dialog, width, height, dialogTop);

    if (auto* withName = dynamic_cast<SavePresetDialog*> (shown.getComponent()))
        withName->focusNameField();
}

void PresetBar::presetActions (int code)
{
    if (presetsManager == nullptr)
        return;

    auto* store = presetsManager;

    switch (code)
    {
        case saveNewPreset:
            store->parsePresets();
            if (store->groups.isEmpty())
            {
                auto* alert = new AlertBoxDialog();
                alert->setTitle ("Save Preset");
                alert->setMessage ("WARNING: You must first create a Preset Group");
                showDialog (alert, dialogWidth, shortDialogHeight);
            }
            else
            {
                showDialog (new SavePresetDialog (store, makeResultCallback()), dialogWidth, tallDialogHeight);
            }
            break;

        case renameCurrentPreset:
            showDialog (new RenamePresetDialog (store, makeResultCallback()), dialogWidth, shortDialogHeight);
            break;

        case removePreset:
            showDialog (new DeletePresetDialog (store, makeResultCallback()), dialogWidth, shortDialogHeight);
            break;

        case updateCurrentPreset:
            showDialog (new UpdatePresetDialog (store, makeResultCallback()), dialogWidth, shortDialogHeight);
            break;

        case createNewGroup:
            showDialog (new CreateGroupDialog (store, makeResultCallback()), dialogWidth, shortDialogHeight);
            break;

        case renameGroup:
            store->parsePresets();
            showDialog (new RenameGroupDialog (store, makeResultCallback()), dialogWidth, tallDialogHeight);
            break;

        case deleteGroup:
            store->parsePresets();
            showDialog (new DeleteGroupDialog (store, makeResultCallback()), dialogWidth, tallDialogHeight);
            break;

        case resetToDefault:
            notifyListener (resetToDefault);
            break;

        case saveAsDefault:
        {
            auto* confirm = new OkCancelDialog();
            confirm->setTitle ("Save as Default");
            confirm->setMessage ("Are you sure you want to save current state as Default?");
            confirm->getOkButton().setButtonText ("Save");
            confirm->okActions.push_back ([bar = SafePointer<PresetBar> (this)]
                                          {
                                              if (bar != nullptr)
                                                  bar->notifyListener (saveAsDefault);
                                          });
            showDialog (confirm, dialogWidth, shortDialogHeight);
            break;
        }

        case revealPresetsFolder:
            PlatformActions::get().revealToUser (juce::File (store->presetsFolder));
            break;

        default:
            break;
    }
}

//==============================================================================
GlobalPresetBar::GlobalPresetBar (Listener* listenerIn, PresetsManager* presetsManagerIn, bool twoLinesIn)
    : PresetBar (listenerIn, presetsManagerIn), twoLines (twoLinesIn)
{
}

void GlobalPresetBar::paint (juce::Graphics& g)
{
    const int w = getWidth();
    const int h = getHeight();

    g.setColour (juce::Colour (0xFF2B2B2B));
    g.fillRoundedRectangle (1.0f, 1.0f, (float) juce::jmax (w - 2, 0), (float) juce::jmax (h - 2, 0), 4.0f);

    g.setColour (juce::Colour (0xFFD0D0CE));
    g.setFont (juce::Font ("Default", 18.0f, juce::Font::bold));

    const auto shownName = presetName.isNotEmpty() ? presetName : juce::String ("Default");
    const juce::Rectangle<int> box (6, 3, juce::jmax (w - 12, 0), juce::jmax (h - 4, 0));

    if (! twoLines)
    {
        g.drawFittedText (shownName, box, juce::Justification::centred, 1);
        return;
    }

    g.drawFittedText (shownName, { 6, 1, juce::jmax (w - 12, 0), juce::jmax (h - 3, 0) },
                      juce::Justification::bottomLeft, 1);
    g.setFont (juce::Font ("Default", 15.0f, juce::Font::plain));
    g.drawFittedText (presetName.isNotEmpty() ? groupName : juce::String ("Default"), box,
                      juce::Justification::topLeft, 1);
}
