#pragma once

// One way into the product's editor for every test: the processor from the bundle's
// factory, its editor from createEditor inside the scalable window, the timer ticked
// by hand, the desktop's programs replaced by a recorder, and the user settings file
// emptied before and after.

#include "editor/ModuleEditor.h"
#include "editor/PlatformActions.h"
#include "editor/PluginEditor.h"
#include "editor/ScaledPluginEditor.h"
#include "effect/PluginProcessor.h"
#include "effect/ZerAvoroProcessor.h"
#include "framework/PluginPaths.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace tarnello::test
{
// What the editor asked the desktop to open.
struct RecordedActions : PlatformActions
{
    void revealToUser (const juce::File& file) override { revealed.push_back (file); }
    bool openWebAddress (const juce::URL& address) override
    {
        opened.push_back (address.toString (true));
        return true;
    }

    std::vector<juce::File> revealed;
    std::vector<juce::String> opened;
};

// The user settings file as a new editor or processor reads it.
class SettingsFile
{
public:
    SettingsFile() { properties.setStorageParameters (PluginPaths::getSettingsOptions()); }

    juce::PropertiesFile& read()
    {
        properties.closeFiles();
        return *properties.getUserSettings();
    }

    void clear()
    {
        auto& file = read();
        file.clear();
        file.saveIfNeeded();
        properties.closeFiles();
    }

    void set (const juce::String& key, const juce::var& value)
    {
        auto& file = read();
        file.setValue (key, value);
        file.saveIfNeeded();
        properties.closeFiles();
    }

    std::optional<juce::String> get (const juce::String& key)
    {
        auto& file = read();
        if (! file.containsKey (key))
            return std::nullopt;
        return file.getValue (key);
    }

    juce::StringPairArray all() { return read().getAllProperties(); }

private:
    juce::ApplicationProperties properties;
};

// A module panel that remembers the "Mix" value it was built with and counts its
// ticks; every panel made gets the next serial number.
class RecordingPanel : public ModuleEditor
{
public:
    RecordingPanel (std::shared_ptr<ModuleProcessor> shown, RackEditor* owner)
        : ModuleEditor (std::move (shown), owner), serial (++made), mixWhenBuilt (getModule()->getParam ("Mix")->getValue())
    {
        itemWidth = getModule()->panelWidth;
        setSize (itemWidth, 234);
    }

    void onTimer() override { ++ticks; }
    void generateGui (juce::Component*) override { generated = true; }
    void setShowControlValues (bool) override {}

    static inline int made = 0;
    const int serial;
    const double mixWhenBuilt;
    int ticks = 0;
    bool generated = false;
};

class ProductEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The panels' film strips as the build draws them.
        PluginPaths::setResourcesRootForTesting (TARNELLO_BUILD_RESOURCES_DIR);
        settingsFile.clear();
        processor.reset (static_cast<TarnelloAudioProcessor*> (createPluginFilter()));
    }

    void TearDown() override
    {
        closeEditor();
        processor.reset();
        settingsFile.clear();
        PluginPaths::setResourcesRootForTesting ({});
    }

    void openEditor()
    {
        window.reset (static_cast<ScaledPluginEditor*> (processor->createEditor()));
        ASSERT_NE (window, nullptr);
        editor = dynamic_cast<PluginEditor*> (window->getInnerEditor());
        ASSERT_NE (editor, nullptr) << "the window holds another editor than the product's";
    }

    void closeEditor()
    {
        editor = nullptr;
        window.reset();
    }

    // The delay module as the product makes it, with recording panels, in place of the
    // default state's module; then the editor.
    void installRecordingPanels()
    {
        processor->moduleFactory->registerModule (ZerAvoroProcessor::moduleTypeId, [p = processor.get()] {
            auto* module = new ZerAvoroProcessor (p);
            module->setEditorCreator ([] (std::shared_ptr<ModuleProcessor> self, RackEditor* rack) -> ModuleEditor* {
                return new RecordingPanel (std::move (self), rack);
            });
            return module;
        });
        processor->loadDefaultState();
    }

    RecordingPanel* recorder() const { return dynamic_cast<RecordingPanel*> (panel()); }
    int panelSerial() const { return recorder() != nullptr ? recorder()->serial : 0; }

    // One 33 ms tick of the main editor, as the message loop would run it.
    void tick() { static_cast<juce::Timer&> (*editor).timerCallback(); }

    void command (SideMenu::Commands code, int argument = 0) { editor->sideMenuAction (code, &argument); }

    ModuleEditor* panel() const
    {
        const auto panels = editor->getRack()->getModuleEditors();
        return panels.isEmpty() ? nullptr : panels.getFirst();
    }

    ModuleParam* param (const juce::String& name) const
    {
        auto module = processor->getModule (0);
        return module != nullptr ? module->getParam (name) : nullptr;
    }

    int undoCount() const { return processor->stateManager->history.undoStates.size(); }
    int redoCount() const { return processor->stateManager->history.redoStates.size(); }

    SettingsFile settingsFile;
    RecordedActions actions;
    PlatformActions::ScopedOverride actionsOverride { actions };
    std::unique_ptr<TarnelloAudioProcessor> processor;
    std::unique_ptr<ScaledPluginEditor> window;
    PluginEditor* editor = nullptr;
};
} // namespace tarnello::test
