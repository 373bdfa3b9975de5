// The main editor's work on the product: undo and redo, preset picks and the default
// state, and panels rebuilt after a state came from outside them. The panels here are
// recorders that remember the values they were built with, so that a rebuilt panel
// can be told from a refreshed one.

#include "tests/editor/ProductEditorFixture.h"

#include "effect/ZerAvoroProcessor.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
using namespace tarnello::test;

class MainEditor : public ProductEditorTest
{
protected:
    void SetUp() override
    {
        ProductEditorTest::SetUp();
        installRecordingPanels();
        openEditor();
    }

    // A knob gesture as the panel makes it: the change, then one undo point.
    void turn (const juce::String& name, double value)
    {
        auto* p = param (name);
        ASSERT_NE (p, nullptr) << name;
        p->beginChangeGesture();
        p->setValueNotifyingHost (value);
        p->endChangeGesture();
    }
};

TEST_F (MainEditor, BuildsThePanelBeforeItIsShownAndRefreshesItOnEveryTick)
{
    ASSERT_NE (recorder(), nullptr);
    EXPECT_TRUE (recorder()->generated);
    EXPECT_FALSE (processor->rebuildEditors.load());
    const int serial = panelSerial();
    const int ticksBefore = recorder()->ticks;
    tick();
    tick();
    EXPECT_EQ (panelSerial(), serial) << "a tick without an outside change rebuilt the panel";
    EXPECT_EQ (recorder()->ticks, ticksBefore + 2);
}

TEST_F (MainEditor, AHostStateRestoreRebuildsThePanelOnTheNextTick)
{
    turn ("Mix", 20.0);
    juce::MemoryBlock chunk;
    processor->getStateInformation (chunk);
    turn ("Mix", 70.0);
    const int serial = panelSerial();

    processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
    EXPECT_EQ (panelSerial(), serial) << "the panel is rebuilt by the timer, not by the restore";

    tick();
    ASSERT_NE (recorder(), nullptr);
    EXPECT_NE (panelSerial(), serial);
    EXPECT_DOUBLE_EQ (recorder()->mixWhenBuilt, 20.0);
    EXPECT_EQ (recorder()->getModule(), processor->getModule (0)) << "the new panel shows the restored module";

    const int rebuilt = panelSerial();
    tick();
    EXPECT_EQ (panelSerial(), rebuilt) << "one restore, one rebuild";
}

TEST_F (MainEditor, AHostRestoreOnAnotherThreadIsNeverLost)
{
    turn ("Mix", 30.0);
    juce::MemoryBlock chunk;
    processor->getStateInformation (chunk);
    turn ("Mix", 60.0);

    // The restore happens while the panel is being rebuilt for an earlier one.
    processor->rebuildEditors = true;
    auto* module = dynamic_cast<ZerAvoroProcessor*> (processor->getModule (0).get());
    ASSERT_NE (module, nullptr);
    bool restored = false;
    module->setEditorCreator ([&] (std::shared_ptr<ModuleProcessor> self, RackEditor* rack) -> ModuleEditor* {
        if (! restored)
        {
            restored = true;
            std::thread host ([&] { processor->setStateInformation (chunk.getData(), (int) chunk.getSize()); });
            host.join();
        }
        return new RecordingPanel (std::move (self), rack);
    });

    tick();
    ASSERT_TRUE (restored);
    tick();
    ASSERT_NE (recorder(), nullptr);
    EXPECT_DOUBLE_EQ (recorder()->mixWhenBuilt, 30.0) << "the restore made during a rebuild was never shown";
    EXPECT_EQ (recorder()->getModule(), processor->getModule (0));
}

TEST_F (MainEditor, UndoAndRedoLoadTheNeighbouringStateAndRebuildThePanel)
{
    turn ("Mix", 25.0);
    turn ("Mix", 75.0);
    const int serial = panelSerial();

    command (SideMenu::Undo);
    EXPECT_DOUBLE_EQ (param ("Mix")->getValue(), 25.0);
    ASSERT_NE (recorder(), nullptr);
    EXPECT_NE (panelSerial(), serial) << "undo refreshed the old panel instead of building a new one";
    EXPECT_DOUBLE_EQ (recorder()->mixWhenBuilt, 25.0);
    EXPECT_EQ (recorder()->getModule(), processor->getModule (0));

    command (SideMenu::Redo);
    EXPECT_DOUBLE_EQ (param ("Mix")->getValue(), 75.0);
    EXPECT_DOUBLE_EQ (recorder()->mixWhenBuilt, 75.0);
    EXPECT_EQ (undoCount(), 2);
    EXPECT_EQ (redoCount(), 0);
}

TEST_F (MainEditor, UndoAndRedoWithNothingToStepToLoadNothingButStillRebuild)
{
    turn ("Mix", 40.0);
    processor->stateManager->history.undoStates.clear();
    ASSERT_FALSE (processor->stateManager->canRedo());

    for (auto code : { SideMenu::Undo, SideMenu::Redo })
    {
        const int serial = panelSerial();
        param ("Mix")->setValue (55.0); // a change no snapshot holds
        command (code);
        EXPECT_DOUBLE_EQ (param ("Mix")->getValue(), 55.0) << "a state was loaded from an empty list";
        EXPECT_NE (panelSerial(), serial);
        EXPECT_EQ (undoCount(), 0);
        EXPECT_EQ (redoCount(), 0);
    }
}

TEST_F (MainEditor, PickingAPresetAndResetToDefaultEachAddOneSnapshotAfterLoading)
{
    auto& store = *processor->presetsManager;
    store.parsePresets();
    const auto group = store.createGroupFile ("Mine");
    ASSERT_TRUE (group.existsAsFile());
    store.parsePresets();
    turn ("Mix", 33.0);
    ASSERT_TRUE (store.saveStateToPreset (store.findGroupIndex ("Mine", -1), "Thirty-three"));
    store.parsePresets();
    ASSERT_EQ (store.presets.size(), 1);
    turn ("Mix", 90.0);

    struct Case
    {
        const char* what;
        int code;
        double mixAfter;
        const char* presetShown;
    };
    const double defaultMix = [this] {
        TarnelloAudioProcessor fresh;
        fresh.loadDefaultState();
        return fresh.getModule (0)->getParam ("Mix")->getValue();
    }();
    for (const auto& c : { Case { "preset", PresetBar::firstPresetId + store.presets[0]->index, 33.0, "Thirty-three" },
                           Case { "reset", PresetBar::resetToDefault, defaultMix, "" } })
    {
        SCOPED_TRACE (c.what);
        const int undoBefore = undoCount();
        const int serial = panelSerial();
        editor->presetBarChanged ((PresetBar::PresetCommands) c.code);
        EXPECT_DOUBLE_EQ (param ("Mix")->getValue(), c.mixAfter);
        EXPECT_EQ (undoCount(), undoBefore + 1);
        EXPECT_EQ (redoCount(), 0);
        EXPECT_NE (panelSerial(), serial);
        ASSERT_NE (recorder(), nullptr);
        EXPECT_DOUBLE_EQ (recorder()->mixWhenBuilt, c.mixAfter);
        EXPECT_EQ (editor->getPresetBar()->getPresetName(), c.presetShown);

        // The snapshot was taken after the load: undo goes back to before it.
        auto* current = processor->stateManager->history.current.get();
        ASSERT_NE (current, nullptr);
        TarnelloAudioProcessor probe;
        probe.loadStateFromXml (current);
        EXPECT_DOUBLE_EQ (probe.getModule (0)->getParam ("Mix")->getValue(), c.mixAfter);
    }
}

TEST_F (MainEditor, SaveAsDefaultChangesOnlyTheStoredDefault)
{
    turn ("Mix", 44.0);
    settingsFile.set (SettingsKeys::defaultState, "earlier");
    processor->appProperties.closeFiles();
    const auto before = settingsFile.all();
    const int undoBefore = undoCount();
    const int serial = panelSerial();
    const auto shownBefore = editor->getPresetBar()->getPresetName();

    editor->presetBarChanged (PresetBar::saveAsDefault);

    EXPECT_EQ (undoCount(), undoBefore);
    EXPECT_EQ (panelSerial(), serial);
    EXPECT_EQ (editor->getPresetBar()->getPresetName(), shownBefore);
    auto after = settingsFile.all();
    const auto stored = after[SettingsKeys::defaultState];
    EXPECT_NE (stored, "earlier");
    after.set (SettingsKeys::defaultState, "earlier");
    EXPECT_EQ (after, before) << "another setting changed";

    // The next instance starts from it.
    turn ("Mix", 5.0);
    std::unique_ptr<juce::AudioProcessor> next (createPluginFilter());
    auto* product = static_cast<TarnelloAudioProcessor*> (next.get());
    EXPECT_DOUBLE_EQ (product->getModule (0)->getParam ("Mix")->getValue(), 44.0);
}

TEST_F (MainEditor, OtherPresetBarCodesOnlyRefreshTheNamesShown)
{
    processor->presetsManager->currentPreset.name = "Shown";
    processor->presetsManager->currentPreset.groupName = "Group";
    for (int code : { -1, 0, 4, 1, 5, 12, 999 })
    {
        SCOPED_TRACE (code);
        const int undoBefore = undoCount();
        const int serial = panelSerial();
        editor->presetBarChanged ((PresetBar::PresetCommands) code);
        EXPECT_EQ (undoCount(), undoBefore);
        EXPECT_EQ (panelSerial(), serial);
        EXPECT_EQ (editor->getPresetBar()->getPresetName(), "Shown");
        EXPECT_EQ (editor->getPresetBar()->getGroupName(), "Group");
    }
}
} // namespace
