// The preset bar: its menu read as a tree of ids and texts, the menu's result fed to
// its callback directly, the dialogs and file reveals each command leads to, and the
// product's bar painted with and without a current preset.

#include <gtest/gtest.h>

#include "editor/PlatformActions.h"
#include "editor/PresetBar.h"
#include "editor/PresetDialogs.h"
#include "tests/editor/PresetTestSupport.h"

#include <string>
#include <vector>

namespace
{
using tarnello::test::click;
using tarnello::test::PresetContents;
using tarnello::test::PresetFixture;

// The menu as indented lines: "[id] text" for items, "-" for separators, "# text" for
// section headers, "> text" for sub-menus; "(off)" marks a greyed item.
void describe (const juce::PopupMenu& menu, int depth, juce::StringArray& lines)
{
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        juce::String line = juce::String::repeatedString ("  ", depth);
        if (item.isSeparator)
            line << "-";
        else if (item.isSectionHeader)
            line << "# " << item.text;
        else if (item.subMenu != nullptr)
            line << "> " << item.text;
        else
            line << "[" << item.itemID << "] " << item.text;
        if (! item.isSeparator && ! item.isSectionHeader && ! item.isEnabled)
            line << " (off)";
        lines.add (line);
        if (item.subMenu != nullptr)
            describe (*item.subMenu, depth + 1, lines);
    }
}

juce::String describe (const juce::PopupMenu& menu)
{
    juce::StringArray lines;
    describe (menu, 0, lines);
    return lines.joinIntoString ("\n");
}

juce::String commandsPart (bool presetIsCurrent, bool anyGroup)
{
    const juce::String p = presetIsCurrent ? "" : " (off)";
    const juce::String g = anyGroup ? "" : " (off)";
    return "-\n"
           "> Save Preset\n"
           "  [1] Save New Preset\n"
           "  [4] Update Current Preset" + p + "\n"
           "  [2] Rename Current Preset" + p + "\n"
           "  -\n"
           "  [3] Remove Preset" + p + "\n"
           "> Preset Groups\n"
           "  [5] Create New Group\n"
           "  [6] Rename Group" + g + "\n"
           "  [7] Delete Group" + g + "\n"
           "  -\n"
           "  [12] Reveal Presets Folder\n"
           "-\n"
           "[11] Save As Default\n"
           "[10] Reset To Default";
}

struct RecordingListener : PresetBar::Listener
{
    void presetBarChanged (PresetBar::PresetCommands command) override { commands.push_back ((int) command); }
    std::vector<int> commands;
};

struct RecordingPlatform : PlatformActions
{
    void revealToUser (const juce::File& file) override { revealed.add (file.getFullPathName()); }
    bool openWebAddress (const juce::URL& address) override
    {
        opened.add (address.toString (true));
        return true;
    }
    juce::StringArray revealed, opened;
};

class PresetBarTest : public PresetFixture
{
protected:
    RecordingListener listener;
    RecordingPlatform platform;
    PlatformActions::ScopedOverride platformOverride { platform };
    std::unique_ptr<GlobalPresetBar> bar;

    void SetUp() override
    {
        PresetFixture::SetUp();
        makeBar();
    }

    void makeBar (PresetBar::Listener* barListener = nullptr)
    {
        bar = std::make_unique<GlobalPresetBar> (barListener != nullptr ? barListener : &listener, &store);
        host.addAndMakeVisible (*bar);
        bar->setBounds (786 / 2 - 110, 4, 220, 30);
    }

    juce::Component* shownDialog() { return host.getPanel().getDialog(); }
};

//==============================================================================
TEST_F (PresetBarTest, MenuWithNoPresetFileAtAll)
{
    EXPECT_EQ (describe (bar->buildMenu()), "# Presets\n"
                                            "[1000] No presets found (off)\n"
                                                + commandsPart (false, false));
}

TEST_F (PresetBarTest, MenuWithGroupsButNoPresetsShowsNoGroupSubMenus)
{
    addGroup ("Alpha", 1);
    addGroup ("Beta", 2);
    EXPECT_EQ (describe (bar->buildMenu()), "# Presets\n"
                                            "[1000] No presets found (off)\n"
                                                + commandsPart (false, true));
}

TEST_F (PresetBarTest, MenuListsEveryGroupWithGlobalPresetIdsAndRevealIds)
{
    addGroup ("Alpha", 1);
    addGroup ("Beta", 2);
    addGroup ("Empty", 3);
    addPreset ("Alpha", "Two", 0.2);
    addPreset ("Alpha", "One", 0.1); // new presets go first in their file
    addPreset ("Beta", "Three", 0.3);
    pick ("Three", "Beta");

    EXPECT_EQ (describe (bar->buildMenu()), "# Presets\n"
                                            "> Alpha\n"
                                            "  [1000] One\n"
                                            "  [1001] Two\n"
                                            "  -\n"
                                            "  [100000] Reveal preset group file\n"
                                            "> Beta\n"
                                            "  [1002] Three\n"
                                            "  -\n"
                                            "  [100001] Reveal preset group file\n"
                                            "> Empty (off)\n"
                                                + commandsPart (true, true));
}

TEST_F (PresetBarTest, MenuRereadsTheFolderAfterAWrite)
{
    addGroup ("Alpha", 1);
    EXPECT_TRUE (describe (bar->buildMenu()).contains ("No presets found"));
    addPreset ("Alpha", "Fresh", 0.4);
    EXPECT_TRUE (describe (bar->buildMenu()).contains ("[1000] Fresh"));
}

//==============================================================================
TEST_F (PresetBarTest, PicksAndTheDefaultGoToTheListenerAtOnce)
{
    addGroup ("Alpha", 1);
    addPreset ("Alpha", "One", 0.1);
    store.parsePresets();

    for (int result : { 1000, 1002, 99999, 10 })
        PresetBar::menuCallback (result, bar.get());
    EXPECT_EQ (listener.commands, (std::vector<int> { 1000, 1002, 99999, 10 }));
    EXPECT_EQ (shownDialog(), nullptr);

    // Dismissed, unknown and unused commands do nothing, nor does a bar that is gone.
    listener.commands.clear();
    for (int result : { 0, -1, 8, 9, 13, 999 })
        PresetBar::menuCallback (result, bar.get());
    PresetBar::menuCallback (1000, nullptr);
    PresetBar::menuCallback (5, nullptr);
    EXPECT_TRUE (listener.commands.empty());
    EXPECT_EQ (shownDialog(), nullptr);
    EXPECT_TRUE (platform.revealed.isEmpty());
}

TEST_F (PresetBarTest, RevealIdsShowTheGroupFileAndTheFolderInTheFileBrowser)
{
    const auto alpha = addGroup ("Alpha", 1);
    const auto beta = addGroup ("Beta", 2);
    addPreset ("Beta", "One", 0.1);
    store.parsePresets();

    PresetBar::menuCallback (100001, bar.get());
    PresetBar::menuCallback (100000, bar.get());
    PresetBar::menuCallback (100002, bar.get()); // no such group
    PresetBar::menuCallback (12, bar.get());

    EXPECT_EQ (platform.revealed, (juce::StringArray { beta.getFullPathName(), alpha.getFullPathName(),
                                                       folder.getFullPathName() }));
    EXPECT_TRUE (listener.commands.empty());
}

TEST_F (PresetBarTest, EachCommandOpensItsDialogCentredAtTop15)
{
    addGroup ("Alpha", 1);
    addPreset ("Alpha", "One", 0.1);
    pick ("One", "Alpha");

    struct Case { int command; const char* title; int height; };
    for (const auto& c : { Case { 1, "Save Preset", 270 }, Case { 2, "Rename Preset", 200 },
                           Case { 3, "Remove Preset", 200 }, Case { 4, "Update Preset", 200 },
                           Case { 5, "Create New Group", 200 }, Case { 6, "Rename Group", 270 },
                           Case { 7, "Delete Group", 270 }, Case { 11, "Save as Default", 200 } })
    {
        PresetBar::menuCallback (c.command, bar.get());
        auto* dialog = dynamic_cast<BasicDialog*> (shownDialog());
        ASSERT_NE (dialog, nullptr) << c.command;
        EXPECT_EQ (dialog->getTitle(), c.title) << c.command;
        EXPECT_EQ (dialog->getBounds(), juce::Rectangle<int> (193, 15, 400, c.height)) << c.command;
        EXPECT_TRUE (host.getPanel().isVisible());
    }
    EXPECT_TRUE (listener.commands.empty());
}

TEST_F (PresetBarTest, SaveWithoutAnyGroupWarnsInsteadOfOpeningTheSaveDialog)
{
    PresetBar::menuCallback (1, bar.get());

    auto* alert = dynamic_cast<AlertBoxDialog*> (shownDialog());
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getTitle(), "Save Preset");
    EXPECT_EQ (alert->getMessage(), "WARNING: You must first create a Preset Group");
    EXPECT_EQ (alert->getBounds(), juce::Rectangle<int> (193, 15, 400, 200));
    EXPECT_FALSE (alert->getCancelButton().isVisible());

    click (alert->getOkButton());
    EXPECT_EQ (shownDialog(), nullptr);
    EXPECT_TRUE (groupFiles().isEmpty());
    EXPECT_TRUE (listener.commands.empty());
}

TEST_F (PresetBarTest, SaveAsDefaultActsOnlyAfterTheConfirmationsSave)
{
    PresetBar::menuCallback (11, bar.get());
    auto* confirm = dynamic_cast<OkCancelDialog*> (shownDialog());
    ASSERT_NE (confirm, nullptr);
    EXPECT_EQ (confirm->getMessage(), "Are you sure you want to save current state as Default?");
    EXPECT_EQ (confirm->getOkButton().getButtonText(), "Save");
    EXPECT_TRUE (listener.commands.empty());

    click (confirm->getCancelButton());
    EXPECT_TRUE (listener.commands.empty());
    EXPECT_EQ (shownDialog(), nullptr);

    PresetBar::menuCallback (11, bar.get());
    click (dynamic_cast<OkCancelDialog*> (shownDialog())->getOkButton());
    EXPECT_EQ (listener.commands, std::vector<int> { 11 });
    EXPECT_EQ (shownDialog(), nullptr);
}

TEST_F (PresetBarTest, BarWithoutAListenerIgnoresPicksAndTheDefault)
{
    bar.reset();
    bar = std::make_unique<GlobalPresetBar> (nullptr, &store);
    host.addAndMakeVisible (*bar);

    PresetBar::menuCallback (1000, bar.get());
    PresetBar::menuCallback (10, bar.get());
    PresetBar::menuCallback (11, bar.get());
    click (dynamic_cast<OkCancelDialog*> (shownDialog())->getOkButton());
    EXPECT_EQ (shownDialog(), nullptr);
}

TEST_F (PresetBarTest, BarOutsideAnEditorShowsNoDialog)
{
    GlobalPresetBar loose (&listener, &store);
    loose.presetActions (5);
    loose.presetActions (11);
    EXPECT_EQ (shownDialog(), nullptr);
}

//==============================================================================
TEST_F (PresetBarTest, DialogResultsReachTheListenerAndTheBarFollowsTheStore)
{
    addGroup ("Alpha", 1);
    addPreset ("Alpha", "Old", 0.6);
    pick ("Old", "Alpha");
    makeBar();
    EXPECT_EQ (bar->getPresetName(), "Old");
    EXPECT_EQ (bar->getGroupName(), "Alpha");

    PresetBar::menuCallback (2, bar.get());
    auto* rename = dynamic_cast<RenamePresetDialog*> (shownDialog());
    ASSERT_NE (rename, nullptr);
    rename->getNameField().setText ("New");
    click (rename->getOkButton());
    EXPECT_EQ (listener.commands, std::vector<int> { 0 });
    EXPECT_EQ (bar->getPresetName(), "New");

    PresetBar::menuCallback (6, bar.get());
    auto* renameGroup = dynamic_cast<RenameGroupDialog*> (shownDialog());
    ASSERT_NE (renameGroup, nullptr);
    renameGroup->getNameField().setText ("Renamed");
    click (renameGroup->getOkButton());
    EXPECT_EQ (bar->getGroupName(), "Renamed");

    setGain (1.1);
    PresetBar::menuCallback (4, bar.get());
    click (dynamic_cast<UpdatePresetDialog*> (shownDialog())->getOkButton());
    EXPECT_EQ (presetsIn (fileOf ("Renamed")), (PresetContents { { "New", 1.1 } }));

    PresetBar::menuCallback (3, bar.get());
    click (dynamic_cast<DeletePresetDialog*> (shownDialog())->getOkButton());
    EXPECT_EQ (presetsIn (fileOf ("Renamed")), PresetContents {});
    EXPECT_EQ (listener.commands, (std::vector<int> { 0, 0, 4, 3 }));
}

TEST_F (PresetBarTest, RemovingTheCurrentPresetLoadsTheDefaultThroughTheEditor)
{
    // The listener does what the main editor does with code 3.
    struct EditorLike : PresetBar::Listener
    {
        PresetsManager* store = nullptr;
        std::vector<int> commands;
        void presetBarChanged (PresetBar::PresetCommands command) override
        {
            commands.push_back ((int) command);
            if (command == PresetBar::removePreset || command == PresetBar::resetToDefault)
            {
                store->stateManager->loadDefaultState();
                store->currentPreset.reset();
            }
        }
    } editor;
    editor.store = &store;
    makeBar (&editor);

    addGroup ("Alpha", 1);
    addPreset ("Alpha", "Loud", 1.9);
    pick ("Loud", "Alpha");
    ASSERT_DOUBLE_EQ (gain(), 1.9);

    PresetBar::menuCallback (3, bar.get());
    click (dynamic_cast<DeletePresetDialog*> (shownDialog())->getOkButton());
    EXPECT_EQ (editor.commands, std::vector<int> { 3 });
    EXPECT_DOUBLE_EQ (gain(), 1.0) << "the default state";
    EXPECT_EQ (bar->getPresetName(), "");
    EXPECT_EQ (presetsIn (fileOf ("Alpha")), PresetContents {});
}

//==============================================================================
TEST_F (PresetBarTest, ProductBarShowsThePresetNameOrDefault)
{
    const auto withoutPreset = tarnello::test::snapshot (*bar, "preset-bar-default");
    ASSERT_EQ (withoutPreset.getWidth(), 220);
    ASSERT_EQ (withoutPreset.getHeight(), 30);

    EXPECT_EQ (withoutPreset.getPixelAt (110, 2), juce::Colour (0xFF2B2B2B)) << "the box";
    EXPECT_EQ (withoutPreset.getPixelAt (0, 0).getAlpha(), 0) << "a rounded corner outside the box";
    EXPECT_GT (tarnello::test::countLightPixels (withoutPreset, { 6, 3, 208, 26 }), 30) << "a name is drawn";
    EXPECT_EQ (tarnello::test::countLightPixels (withoutPreset, { 6, 3, 40, 26 }), 0) << "centred";

    bar->setDisplayedNames ("", "Default");
    const auto namedDefault = tarnello::test::snapshot (*bar, "preset-bar-named-default");
    bar->setDisplayedNames ("Alpha", "Warm Echo");
    const auto named = tarnello::test::snapshot (*bar, "preset-bar-warm-echo");

    auto samePixels = [] (const juce::Image& a, const juce::Image& b)
    {
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE (samePixels (withoutPreset, namedDefault)) << "no preset reads \"Default\"";
    EXPECT_FALSE (samePixels (withoutPreset, named));
}

TEST_F (PresetBarTest, TwoLineBarPutsTheGroupAboveThePresetName)
{
    GlobalPresetBar twoLines (&listener, &store, true);
    twoLines.setSize (220, 40);
    twoLines.setDisplayedNames ("Alpha", "Warm Echo");
    const auto image = tarnello::test::snapshot (twoLines, "preset-bar-two-lines");

    // Both lines start at the left; the right half of the bar stays empty.
    EXPECT_GT (tarnello::test::countLightPixels (image, { 6, 3, 60, 15 }), 10);
    EXPECT_GT (tarnello::test::countLightPixels (image, { 6, 22, 60, 16 }), 10);
    EXPECT_EQ (tarnello::test::countLightPixels (image, { 150, 3, 60, 34 }), 0);
}
} // namespace
