// The seven preset and group dialogs, each confirmed through its own OK button (or
// Return in its name field) on real group files in a folder of their own, through
// the processor's real preset store.

#include <gtest/gtest.h>

#include "editor/PresetDialogs.h"
#include "tests/editor/PresetTestSupport.h"

namespace
{
using tarnello::test::click;
using tarnello::test::PresetContents;
using tarnello::test::PresetFixture;
using juce::Rectangle;

class PresetDialogs : public PresetFixture
{
protected:
    juce::File alpha, beta;

    void SetUp() override
    {
        PresetFixture::SetUp();
        alpha = addGroup ("Alpha", 1);
        beta = addGroup ("Beta", 2);
        addPreset ("Alpha", "Clean", 0.5);
        addPreset ("Alpha", "Dirty", 0.7);
        addPreset ("Beta", "Wide", 1.2);
        store.currentPreset.reset();
        store.parsePresets();
    }

    void expectClosed (const juce::Component::SafePointer<juce::Component>& dialog)
    {
        EXPECT_EQ (dialog, nullptr);
        EXPECT_EQ (host.getPanel().getDialog(), nullptr);
        EXPECT_FALSE (host.getPanel().isVisible());
    }
};

//==============================================================================
TEST_F (PresetDialogs, SaveListsTheGroupsInOrderWithTheFirstSelected)
{
    auto* dialog = show (new SavePresetDialog (&store, recordResults()));
    auto& box = dialog->getGroupBox();

    EXPECT_EQ (box.getName(), "group");
    EXPECT_EQ (dialog->getNameField().getName(), "name");
    ASSERT_EQ (box.getNumItems(), 2);
    EXPECT_EQ (box.getItemText (0), "Alpha");
    EXPECT_EQ (box.getItemId (0), 1);
    EXPECT_EQ (box.getItemText (1), "Beta");
    EXPECT_EQ (box.getItemId (1), 2);
    EXPECT_EQ (box.getSelectedId(), 1);
}

TEST_F (PresetDialogs, SaveStoresTheTrimmedNameInTheSelectedGroup)
{
    auto* dialog = show (new SavePresetDialog (&store, recordResults()));
    const juce::Component::SafePointer<juce::Component> alive (dialog);
    dialog->getNameField().setText ("  Warm Echo \t");
    dialog->getGroupBox().setSelectedId (2);
    setGain (1.5);

    click (dialog->getOkButton());

    EXPECT_EQ (presetsIn (beta), (PresetContents { { "Warm Echo", 1.5 }, { "Wide", 1.2 } }));
    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Dirty", 0.7 }, { "Clean", 0.5 } }));
    EXPECT_EQ (store.currentPreset.name, "Warm Echo");
    EXPECT_EQ (store.currentPreset.groupName, "Beta");
    EXPECT_EQ (results, std::vector<int> { 0 });
    expectClosed (alive);
}

TEST_F (PresetDialogs, SaveUnderANameTakenInTheGroupReplacesThatPreset)
{
    auto* dialog = show (new SavePresetDialog (&store, recordResults()));
    dialog->getNameField().setText ("Clean");
    setGain (1.9);
    click (dialog->getOkButton());

    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Dirty", 0.7 }, { "Clean", 1.9 } }));
}

TEST_F (PresetDialogs, NameDialogsWithAnEmptyNameChangeNothingReportZeroAndClose)
{
    pick ("Dirty", "Alpha");
    const auto alphaText = alpha.loadFileAsString();
    const auto betaText = beta.loadFileAsString();

    using Make = std::function<SavePresetDialog*()>;
    const std::pair<const char*, Make> dialogs[] = {
        { "save", [this] { return new SavePresetDialog (&store, recordResults()); } },
        { "rename preset", [this] { return new RenamePresetDialog (&store, recordResults()); } },
        { "create group", [this] { return new CreateGroupDialog (&store, recordResults()); } },
        { "rename group", [this] { return new RenameGroupDialog (&store, recordResults()); } },
    };

    for (const auto& [what, make] : dialogs)
    {
        for (const char* blank : { "", "   ", " \t\n " })
        {
            results.clear();
            auto* dialog = show (make());
            const juce::Component::SafePointer<juce::Component> alive (dialog);
            dialog->getNameField().setText (blank);
            click (dialog->getOkButton());

            EXPECT_EQ (results, std::vector<int> { 0 }) << what;
            EXPECT_EQ (alive, nullptr) << what;
        }
    }

    EXPECT_EQ (groupFiles().size(), 2);
    EXPECT_EQ (alpha.loadFileAsString(), alphaText);
    EXPECT_EQ (beta.loadFileAsString(), betaText);
    EXPECT_EQ (store.currentPreset.name, "Dirty");
}

TEST_F (PresetDialogs, NameFieldTakesAtMostFortyCharacters)
{
    auto* dialog = show (new SavePresetDialog (&store, recordResults()));
    auto& field = dialog->getNameField();

    for (int i = 0; i < 41; ++i)
        field.keyPressed (juce::KeyPress ('a' + i % 26, {}, (juce::juce_wchar) ('a' + i % 26)));

    EXPECT_EQ (field.getText().length(), 40);
    EXPECT_EQ (field.getText(), "abcdefghijklmnopqrstuvwxyzabcdefghijklmn");
}

TEST_F (PresetDialogs, ReturnInTheNameFieldSavesAndClosesEscapeOnlyCloses)
{
    {
        auto* dialog = show (new SavePresetDialog (&store, recordResults()));
        const juce::Component::SafePointer<juce::Component> alive (dialog);
        auto& field = dialog->getNameField();
        field.setText ("Keyboard");
        setGain (0.25);

        // Return closes (deletes) the dialog and the field while the field's own
        // action list runs.
        EXPECT_TRUE (field.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
        expectClosed (alive);
        EXPECT_EQ (presetsIn (alpha).front(), (std::pair<juce::String, double> ("Keyboard", 0.25)));
        EXPECT_EQ (results, std::vector<int> { 0 });
    }
    {
        results.clear();
        const auto before = alpha.loadFileAsString();
        auto* dialog = show (new SavePresetDialog (&store, recordResults()));
        const juce::Component::SafePointer<juce::Component> alive (dialog);
        dialog->getNameField().setText ("Never");
        EXPECT_TRUE (dialog->getNameField().keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
        expectClosed (alive);
        EXPECT_EQ (alpha.loadFileAsString(), before);
        EXPECT_TRUE (results.empty());
    }
}

TEST_F (PresetDialogs, CancelAndTheCloseButtonChangeNothingAndReportNothing)
{
    const auto before = alpha.loadFileAsString();
    for (bool useCloseButton : { false, true })
    {
        auto* dialog = show (new SavePresetDialog (&store, recordResults()));
        const juce::Component::SafePointer<juce::Component> alive (dialog);
        dialog->getNameField().setText ("Never");
        if (useCloseButton)
        {
            auto& closeButton = dialog->getTitleBar().getCloseButton();
            closeButton.mouseDown (tarnello::test::mouseEventFor (closeButton));
        }
        else
        {
            click (dialog->getCancelButton());
        }
        expectClosed (alive);
    }
    EXPECT_EQ (alpha.loadFileAsString(), before);
    EXPECT_TRUE (results.empty());
}

TEST_F (PresetDialogs, SaveIntoAGroupDeletedMeanwhileWritesNowhere)
{
    auto* dialog = show (new SavePresetDialog (&store, recordResults()));
    dialog->getGroupBox().setSelectedId (2);
    dialog->getNameField().setText ("Lost");

    // Another window of the plug-in removes Beta while the dialog is open.
    ASSERT_TRUE (beta.deleteFile());
    store.parsed = false;
    const auto alphaText = alpha.loadFileAsString();

    click (dialog->getOkButton());
    EXPECT_EQ (alpha.loadFileAsString(), alphaText);
    EXPECT_EQ (groupFiles().size(), 1);
    EXPECT_EQ (results, std::vector<int> { 0 });
}

//==============================================================================
TEST_F (PresetDialogs, RenamePresetOffersTheCurrentNameAndRenamesItInTheFileAndTheStore)
{
    pick ("Dirty", "Alpha");
    auto* dialog = show (new RenamePresetDialog (&store, recordResults()), 400, 200);
    EXPECT_EQ (dialog->getNameField().getText(), "Dirty");
    EXPECT_FALSE (dialog->getGroupBox().isVisible());

    dialog->getNameField().setText ("  Crunchy ");
    click (dialog->getOkButton());

    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Crunchy", 0.7 }, { "Clean", 0.5 } }));
    EXPECT_EQ (store.currentPreset.name, "Crunchy");
    EXPECT_EQ (results, std::vector<int> { 0 });

    // Update afterwards overwrites the renamed preset and makes no copy of the old one.
    setGain (0.9);
    auto* update = show (new UpdatePresetDialog (&store, recordResults()), 400, 200);
    click (update->getOkButton());
    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Crunchy", 0.9 }, { "Clean", 0.5 } }));
}

TEST_F (PresetDialogs, RemoveReportsThreeOnlyAfterARealRemoval)
{
    pick ("Clean", "Alpha");
    auto* dialog = show (new DeletePresetDialog (&store, recordResults()), 400, 200);
    EXPECT_EQ (dialog->getMessage(), "Are you sure you want to remove Clean");
    click (dialog->getOkButton());

    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Dirty", 0.7 } }));
    EXPECT_EQ (results, std::vector<int> { 3 });

    // The preset is no longer in its file: nothing is removed, and the code must not
    // make the editor throw the user's sound away for the default state.
    results.clear();
    const auto before = alpha.loadFileAsString();
    click (show (new DeletePresetDialog (&store, recordResults()), 400, 200)->getOkButton());
    EXPECT_EQ (results, std::vector<int> { 0 });
    EXPECT_EQ (alpha.loadFileAsString(), before);

    // Nor without any current preset.
    results.clear();
    store.currentPreset.reset();
    click (show (new DeletePresetDialog (&store, recordResults()), 400, 200)->getOkButton());
    EXPECT_EQ (results, std::vector<int> { 0 });
    EXPECT_EQ (alpha.loadFileAsString(), before);
}

TEST_F (PresetDialogs, UpdateOverwritesThePresetInItsOwnGroupAfterGroupsMoved)
{
    pick ("Wide", "Beta");
    ASSERT_EQ (store.currentPreset.groupIndex, 1);

    // A group that sorts first moves Beta to index 2; index 1 is now Alpha's.
    const auto first = addGroup ("First", 0);
    store.parsePresets();
    ASSERT_EQ (store.findGroupIndex ("Beta", -1), 2);

    setGain (1.8);
    auto* dialog = show (new UpdatePresetDialog (&store, recordResults()), 400, 200);
    EXPECT_EQ (dialog->getMessage(), "Are you sure you want to overwrite Wide");
    click (dialog->getOkButton());

    EXPECT_EQ (presetsIn (beta), (PresetContents { { "Wide", 1.8 } }));
    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Dirty", 0.7 }, { "Clean", 0.5 } }));
    EXPECT_EQ (presetsIn (first), PresetContents {});
    EXPECT_EQ (results, std::vector<int> { 4 });
}

TEST_F (PresetDialogs, UpdateWithNothingToUpdateReportsZero)
{
    click (show (new UpdatePresetDialog (&store, recordResults()), 400, 200)->getOkButton());
    EXPECT_EQ (results, std::vector<int> { 0 });
    EXPECT_EQ (presetsIn (alpha), (PresetContents { { "Dirty", 0.7 }, { "Clean", 0.5 } }));
}

//==============================================================================
TEST_F (PresetDialogs, CreateGroupWritesANewTrimmedGroupFileUnlessTheNameIsTaken)
{
    struct Case { const char* typed; bool creates; const char* stored; };
    for (const auto& c : { Case { "  Drums  ", true, "Drums" },
                           Case { "Alpha", false, "" },
                           Case { "alpha", true, "alpha" },
                           Case { "Drums", false, "" },
                           Case { "Alpha ", false, "" } })
    {
        results.clear();
        const auto before = groupFiles();
        auto* dialog = show (new CreateGroupDialog (&store, recordResults()), 400, 200);
        EXPECT_FALSE (dialog->getGroupBox().isVisible());
        dialog->getNameField().setText (c.typed);
        click (dialog->getOkButton());

        const auto after = groupFiles();
        EXPECT_EQ (results, std::vector<int> { 0 }) << c.typed;
        ASSERT_EQ (after.size(), before.size() + (c.creates ? 1 : 0)) << c.typed;
        if (c.creates)
        {
            juce::File created;
            for (const auto& f : after)
                if (! before.contains (f))
                    created = f;
            EXPECT_EQ (groupNameIn (created), c.stored);
            EXPECT_TRUE (created.getFileName().startsWith ("tarnello-"));
            EXPECT_TRUE (created.loadFileAsString().startsWith ("<?xml")) << "JUCE's default format";
            EXPECT_EQ (presetsIn (created), PresetContents {});
        }
    }
    store.parsePresets();
    EXPECT_TRUE (store.existsGroup ("Drums"));
    EXPECT_TRUE (store.existsGroup ("alpha"));
}

TEST_F (PresetDialogs, GroupsCreatedInTheSameSecondGetFilesOfTheirOwn)
{
    // The time figures of the file name repeat within a second: the second group must
    // not overwrite the first, whose presets would be lost.
    for (const char* name : { "One", "Two", "Three" })
    {
        auto* dialog = show (new CreateGroupDialog (&store, recordResults()), 400, 200);
        dialog->getNameField().setText (name);
        click (dialog->getOkButton());
    }
    addPreset ("One", "Keep me", 0.3);

    for (const char* name : { "Four", "Five" })
    {
        auto* dialog = show (new CreateGroupDialog (&store, recordResults()), 400, 200);
        dialog->getNameField().setText (name);
        click (dialog->getOkButton());
    }

    juce::StringArray names;
    for (const auto& f : groupFiles())
        names.add (groupNameIn (f));
    names.sort (false);
    EXPECT_EQ (names.joinIntoString (","), "Alpha,Beta,Five,Four,One,Three,Two");
    EXPECT_EQ (presetsIn (fileOf ("One")), (PresetContents { { "Keep me", 0.3 } }));
}

TEST_F (PresetDialogs, RenameGroupRenamesTheSelectedGroupsFileAndFollowsTheCurrentPreset)
{
    pick ("Wide", "Beta");
    auto* dialog = show (new RenameGroupDialog (&store, recordResults()));
    EXPECT_TRUE (dialog->getGroupBox().isVisible());
    EXPECT_TRUE (dialog->getNameField().isVisible());
    dialog->getGroupBox().setSelectedId (2);
    dialog->getNameField().setText (" Gamma ");
    click (dialog->getOkButton());

    EXPECT_EQ (groupNameIn (beta), "Gamma");
    EXPECT_EQ (presetsIn (beta), (PresetContents { { "Wide", 1.2 } }));
    EXPECT_EQ (groupNameIn (alpha), "Alpha");
    EXPECT_EQ (store.currentPreset.groupName, "Gamma");
    EXPECT_EQ (results, std::vector<int> { 0 });

    // The current preset still updates into its renamed group.
    setGain (0.1);
    click (show (new UpdatePresetDialog (&store, recordResults()), 400, 200)->getOkButton());
    EXPECT_EQ (presetsIn (beta), (PresetContents { { "Wide", 0.1 } }));
}

TEST_F (PresetDialogs, RenameGroupToATakenNameChangesNothing)
{
    const auto before = alpha.loadFileAsString();
    auto* dialog = show (new RenameGroupDialog (&store, recordResults()));
    dialog->getNameField().setText ("Beta");
    click (dialog->getOkButton());
    EXPECT_EQ (alpha.loadFileAsString(), before);
    EXPECT_EQ (results, std::vector<int> { 0 });
}

TEST_F (PresetDialogs, DeleteGroupRemovesTheSelectedGroupsFileAndItsPresets)
{
    pick ("Clean", "Alpha");
    auto* dialog = show (new DeleteGroupDialog (&store, recordResults()));
    EXPECT_FALSE (dialog->getNameField().isVisible());
    EXPECT_EQ (dialog->getOkButton().getButtonText(), "Delete");
    dialog->getGroupBox().setSelectedId (2);
    click (dialog->getOkButton());

    EXPECT_FALSE (beta.exists());
    EXPECT_TRUE (alpha.existsAsFile());
    EXPECT_EQ (store.currentPreset.name, "Clean") << "another group went";
    EXPECT_EQ (results, std::vector<int> { 0 });
}

TEST_F (PresetDialogs, DeletingTheCurrentPresetsGroupForgetsTheCurrentPreset)
{
    pick ("Clean", "Alpha");
    click (show (new DeleteGroupDialog (&store, recordResults()))->getOkButton());

    EXPECT_FALSE (alpha.exists());
    EXPECT_EQ (store.currentPreset.name, "");
    EXPECT_EQ (store.currentPreset.groupName, "");

    // Update now has nowhere to write: it neither recreates Alpha nor writes into Beta.
    const auto betaText = beta.loadFileAsString();
    click (show (new UpdatePresetDialog (&store, recordResults()), 400, 200)->getOkButton());
    EXPECT_EQ (beta.loadFileAsString(), betaText);
    EXPECT_EQ (groupFiles().size(), 1);
    EXPECT_EQ (results, (std::vector<int> { 0, 0 }));
}

TEST_F (PresetDialogs, DialogsWithoutAStoreOrACallbackStillClose)
{
    auto* dialog = show (new SavePresetDialog (nullptr, nullptr));
    const juce::Component::SafePointer<juce::Component> alive (dialog);
    EXPECT_EQ (dialog->getGroupBox().getNumItems(), 0);
    dialog->getNameField().setText ("Name");
    click (dialog->getOkButton());
    expectClosed (alive);

    auto* remove = show (new DeletePresetDialog (&store, nullptr), 400, 200);
    const juce::Component::SafePointer<juce::Component> removeAlive (remove);
    click (remove->getOkButton());
    expectClosed (removeAlive);
}

//==============================================================================
TEST_F (PresetDialogs, EachDialogShowsItsTitleButtonsAndRows)
{
    struct Case
    {
        const char* title;
        std::function<SavePresetDialog*()> make;
        int height;
        const char* okText;
        bool field, box;
        Rectangle<int> fieldBounds, boxBounds;
    };

    const Rectangle<int> upper (15, 80, 370, 28), lower (15, 150, 370, 28);
    const Case cases[] = {
        { "Save Preset", [this] { return new SavePresetDialog (&store, recordResults()); }, 270, "Save", true, true, upper, lower },
        { "Rename Preset", [this] { return new RenamePresetDialog (&store, recordResults()); }, 200, "Save", true, false, upper, lower },
        { "Create New Group", [this] { return new CreateGroupDialog (&store, recordResults()); }, 200, "Save", true, false, upper, lower },
        { "Rename Group", [this] { return new RenameGroupDialog (&store, recordResults()); }, 270, "Save", true, true, lower, upper },
        { "Delete Group", [this] { return new DeleteGroupDialog (&store, recordResults()); }, 270, "Delete", false, true, upper, { 15, 125, 370, 28 } },
    };

    for (const auto& c : cases)
    {
        auto* dialog = show (c.make(), 400, c.height);
        EXPECT_EQ (dialog->getTitle(), c.title);
        EXPECT_EQ (dialog->getOkButton().getButtonText(), c.okText) << c.title;
        EXPECT_EQ (dialog->getCancelButton().getButtonText(), "Cancel") << c.title;
        EXPECT_EQ (dialog->getOkButton().getBounds(), Rectangle<int> (73, c.height - 53, 120, 38)) << c.title;
        EXPECT_EQ (dialog->getNameField().isVisible(), c.field) << c.title;
        EXPECT_EQ (dialog->getGroupBox().isVisible(), c.box) << c.title;
        if (c.field)
        {
            EXPECT_EQ (dialog->getNameField().getBounds(), c.fieldBounds) << c.title;
        }
        if (c.box)
        {
            EXPECT_EQ (dialog->getGroupBox().getBounds(), c.boxBounds) << c.title;
        }
        tarnello::test::snapshot (host, "preset-dialog-" + juce::String (c.title).replace (" ", "-").toLowerCase());
    }

    auto* deleteGroup = show (new DeleteGroupDialog (&store, recordResults()));
    EXPECT_EQ (deleteGroup->getMessageArea(), Rectangle<int> (15, 44, 370, 38));
    EXPECT_EQ (deleteGroup->getMessage(),
               "Are you shure you want to remove the group? All presets from this group will be deleted.");
}

TEST_F (PresetDialogs, LabelsAreDrawnOneRowAboveTheirRows)
{
    auto* dialog = show (new SavePresetDialog (&store, recordResults()));
    const auto image = tarnello::test::snapshot (host, "preset-dialog-save-labels");
    const auto origin = dialog->getPosition();

    // "Preset Name" at y 52 and "Select Group" at y 122, left-aligned; nothing between.
    EXPECT_GT (tarnello::test::countLightPixels (image, Rectangle<int> (15, 52, 120, 28) + origin), 20);
    EXPECT_GT (tarnello::test::countLightPixels (image, Rectangle<int> (15, 122, 120, 28) + origin), 20);
    EXPECT_EQ (tarnello::test::countLightPixels (image, Rectangle<int> (200, 52, 180, 28) + origin), 0);
    EXPECT_EQ (tarnello::test::countLightPixels (image, Rectangle<int> (15, 110, 370, 10) + origin), 0);

    auto* deleteGroup = show (new DeleteGroupDialog (&store, recordResults()));
    const auto deleteImage = tarnello::test::snapshot (host, "preset-dialog-delete-group-labels");
    const auto deleteOrigin = deleteGroup->getPosition();
    EXPECT_GT (tarnello::test::countLightPixels (deleteImage, Rectangle<int> (15, 97, 120, 28) + deleteOrigin), 20);
    EXPECT_GT (tarnello::test::countLightPixels (deleteImage, deleteGroup->getMessageArea() + deleteOrigin), 50);
}
} // namespace
