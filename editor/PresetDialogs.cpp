#include "editor/PresetDialogs.h"

namespace
{
const juce::Colour labelColour = juce::Colours::white.withAlpha ((juce::uint8) 0xDD);
constexpr int deleteGroupRowLift = 25;

juce::Font labelFont()
{
    return juce::Font ("Default", 16.0f, juce::Font::plain);
}
} // namespace

juce::String groupDisplayName (const PresetsManager::PresetGroup& group)
{
    return group.name.isNotEmpty() ? group.name : juce::File (group.file).getFileNameWithoutExtension();
}

//==============================================================================
BasePresetDialog::BasePresetDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : presetsManager (presetsManagerIn), resultCallback (std::move (resultCallbackIn))
{
    okButton->addListener (this);
    cancelButton->addListener (this);
}

BasePresetDialog::~BasePresetDialog()
{
    okButton->removeListener (this);
    cancelButton->removeListener (this);
}

void BasePresetDialog::closeDialog()
{
    closeThroughPanel();
}

void BasePresetDialog::buttonClicked (juce::Button* button)
{
    if (button == okButton.get())
    {
        const SafePointer<BasePresetDialog> alive (this);
        const int code = presetsManager != nullptr ? applyOk() : done;

        // The callback reaches the main editor, which may replace this dialog.
        if (auto callback = resultCallback)
            callback (code);

        if (alive != nullptr)
            closeDialog();
    }
    else if (button == cancelButton.get())
    {
        closeDialog();
    }
}

//==============================================================================
SavePresetDialog::SavePresetDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : BasePresetDialog (presetsManagerIn, std::move (resultCallbackIn)),
      groupBox (std::make_unique<juce::ComboBox> ("group")),
      nameField (std::make_unique<PluginTextEditor> ("name"))
{
    setTitle ("Save Preset");
    okButton->setButtonText ("Save");
    nameRowLabel = "Preset Name";
    groupRowLabel = "Select Group";

    if (presetsManager != nullptr)
    {
        for (int gi = 0; gi < presetsManager->groups.size(); ++gi)
        {
            const auto& group = presetsManager->groups.getReference (gi);
            groupNames.add (group.name);
            groupBox->addItem (groupDisplayName (group), gi + 1);
        }
    }
    if (groupBox->getNumItems() > 0)
        groupBox->setSelectedItemIndex (0, juce::dontSendNotification);

    nameField->setInputRestrictions (maxNameLength);
    nameField->returnActions.push_back ([this] { buttonClicked (okButton.get()); });
    nameField->escapeActions.push_back ([this] { closeDialog(); });

    addAndMakeVisible (*groupBox);
    addAndMakeVisible (*nameField);
}

SavePresetDialog::~SavePresetDialog() = default;

juce::String SavePresetDialog::getTypedName() const
{
    return nameField->getText().trim();
}

void SavePresetDialog::focusNameField()
{
    if (nameField->isShowing())
        nameField->grabKeyboardFocus();
}

int SavePresetDialog::selectedGroupIndex() const
{
    const int listed = groupBox->getSelectedId() - 1;
    if (presetsManager == nullptr || ! juce::isPositiveAndBelow (listed, groupNames.size()))
        return -1;

    presetsManager->parsePresets();
    return presetsManager->findGroupIndex (groupNames[listed], listed);
}

void SavePresetDialog::layOutRows()
{
    const int rowWidth = juce::jmax (getWidth() - 2 * margin, 0);
    const int nameTop = 80;
    nameRow = { margin, nameTop, rowWidth, rowHeight };
    groupRow = { margin, nameTop + (int) (rowHeight * 2.5), rowWidth, rowHeight };
}

void SavePresetDialog::resized()
{
    BasicOkCancelTextDialog::resized();
    layOutRows();
    nameField->setBounds (nameRow);
    groupBox->setBounds (groupRow);
}

void SavePresetDialog::paintRowLabels (juce::Graphics& g) const
{
    g.setColour (labelColour);
    g.setFont (labelFont());
    if (nameRowLabel.isNotEmpty())
        g.drawText (nameRowLabel, nameRow.translated (0, -rowHeight), juce::Justification::centredLeft, true);
    if (groupRowLabel.isNotEmpty())
        g.drawText (groupRowLabel, groupRow.translated (0, -rowHeight), juce::Justification::centredLeft, true);
}

void SavePresetDialog::paint (juce::Graphics& g)
{
    BasicDialog::paint (g);
    paintRowLabels (g);
}

int SavePresetDialog::applyOk()
{
    const auto name = getTypedName();
    if (name.isEmpty())
        return done;

    const int groupIndex = selectedGroupIndex();
    if (groupIndex >= 0)
        presetsManager->saveStateToPreset (groupIndex, name);
    return done;
}

//==============================================================================
RenamePresetDialog::RenamePresetDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : SavePresetDialog (presetsManagerIn, std::move (resultCallbackIn))
{
    setTitle ("Rename Preset");
    nameRowLabel = "Rename to";
    groupRowLabel.clear();
    groupBox->setVisible (false);

    if (presetsManager != nullptr)
        nameField->setText (presetsManager->currentPreset.name, false);
    nameField->setSelectAllWhenFocused (true);
}

int RenamePresetDialog::applyOk()
{
    const auto name = getTypedName();
    if (name.isNotEmpty())
        presetsManager->renameCurrentPreset (name);
    return done;
}

//==============================================================================
CreateGroupDialog::CreateGroupDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : SavePresetDialog (presetsManagerIn, std::move (resultCallbackIn))
{
    setTitle ("Create New Group");
    nameRowLabel = "Group Name";
    groupRowLabel.clear();
    groupBox->setVisible (false);
}

int CreateGroupDialog::applyOk()
{
    const auto name = getTypedName();
    if (name.isEmpty())
        return done;

    presetsManager->parsePresets();
    if (! presetsManager->existsGroup (name))
        presetsManager->createGroupFile (name);
    return done;
}

//==============================================================================
RenameGroupDialog::RenameGroupDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : SavePresetDialog (presetsManagerIn, std::move (resultCallbackIn))
{
    setTitle ("Rename Group");
    nameRowLabel = "Select a group";
    groupRowLabel = "New Group Name";
}

void RenameGroupDialog::resized()
{
    BasicOkCancelTextDialog::resized();
    layOutRows();
    groupBox->setBounds (nameRow);
    nameField->setBounds (groupRow);
}

int RenameGroupDialog::applyOk()
{
    const auto name = getTypedName();
    if (name.isEmpty())
        return done;

    const int groupIndex = selectedGroupIndex();
    if (groupIndex >= 0)
        presetsManager->renameGroup (groupIndex, name);
    return done;
}

//==============================================================================
DeleteGroupDialog::DeleteGroupDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : SavePresetDialog (presetsManagerIn, std::move (resultCallbackIn))
{
    setTitle ("Delete Group");
    okButton->setButtonText ("Delete");
    nameRowLabel.clear();
    groupRowLabel = "Select Group";
    nameField->setVisible (false);
    setMessage ("Are you shure you want to remove the group? All presets from this group will be deleted.");
}

void DeleteGroupDialog::resized()
{
    BasicOkCancelTextDialog::resized();
    layOutRows();
    groupRow.translate (0, -deleteGroupRowLift);
    nameField->setBounds (nameRow);
    groupBox->setBounds (groupRow);

    const int titleBottom = titleBar->getBottom();
    messageArea = { margin, titleBottom + margin, getWidth() - 2 * margin, groupRow.getY() - titleBottom - 58 };
}

void DeleteGroupDialog::paint (juce::Graphics& g)
{
    BasicDialog::paint (g);
    paintRowLabels (g);
    g.setColour (labelColour);
    g.setFont (labelFont());
    g.drawFittedText (message, messageArea, juce::Justification::centred, 10, 1.0f);
}

int DeleteGroupDialog::applyOk()
{
    const int groupIndex = selectedGroupIndex();
    if (groupIndex >= 0)
        presetsManager->removeGroup (groupIndex);
    return done;
}

//==============================================================================
DeletePresetDialog::DeletePresetDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : BasePresetDialog (presetsManagerIn, std::move (resultCallbackIn))
{
    setTitle ("Remove Preset");
    if (presetsManager != nullptr)
        setMessage ("Are you sure you want to remove " + presetsManager->currentPreset.name);
}

int DeletePresetDialog::applyOk()
{
    // Only a preset really gone may make the editor load the default state.
    return presetsManager->removePreset() ? presetRemoved : done;
}

//==============================================================================
UpdatePresetDialog::UpdatePresetDialog (PresetsManager* presetsManagerIn, ResultCallback resultCallbackIn)
    : BasePresetDialog (presetsManagerIn, std::move (resultCallbackIn))
{
    setTitle ("Update Preset");
    if (presetsManager != nullptr)
        setMessage ("Are you sure you want to overwrite " + presetsManager->currentPreset.name);
}

int UpdatePresetDialog::applyOk()
{
    // Found by the preset's group name: a stored index may name another file by now.
    return presetsManager->updateCurrentPreset() ? presetUpdated : done;
}
