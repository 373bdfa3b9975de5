#pragma once

// The framework processor with a fake module, its real preset store pointed at an
// empty folder of its own, and an editor stand-in that shows dialogs: what the preset
// bar and the preset dialogs work on in the product.

#include <gtest/gtest.h>

#include "framework/ModuleProcessor.h"
#include "framework/PresetsManager.h"
#include "tests/framework/DovrethProcessorTest.h"
#include "tests/support/TestEnvironment.h"
#include "tests/ui/DialogTestSupport.h"

#include <utility>
#include <vector>

namespace tarnello::test
{
using PresetContents = std::vector<std::pair<juce::String, double>>; // name, gain

class PresetFixture : public ::testing::Test
{
protected:
    ScopedSettingsFile settings;
    TestProcessor processor;
    PresetsManager& store = *processor.presetsManager;
    juce::File folder;
    DialogHost host { 786, 304 };
    std::vector<int> results;

    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = juce::File (juce::String ((privateHome() / "editor-presets").string()))
                     .getChildFile (juce::String (info->test_suite_name()) + "-" + info->name());
        folder.deleteRecursively();
        ASSERT_TRUE (folder.createDirectory());
        store.presetsFolder = folder.getFullPathName();
        store.parsed = false;
        processor.loadDefaultState();
        ASSERT_NE (processor.fake(), nullptr);
    }

    void TearDown() override { folder.deleteRecursively(); }

    std::function<void (int)> recordResults()
    {
        return [this] (int code) { results.push_back (code); };
    }

    void setGain (double gain) { processor.fake()->gain->setValue (gain); }
    double gain() const { return processor.fake()->gain->getValue(); }

    // A new group file; `order` keeps the folder's (file-name) order in creation order.
    juce::File addGroup (const juce::String& name, int order)
    {
        auto file = store.createGroupFile (name, juce::Time (2026, 0, 1 + order, 10, 0, 0, 0, true));
        EXPECT_TRUE (file.existsAsFile()) << name;
        return file;
    }

    // Saves the present state with that gain as a preset of the group, through the store.
    void addPreset (const juce::String& group, const juce::String& name, double presetGain)
    {
        store.parsePresets();
        const int gi = store.findGroupIndex (group, -1);
        ASSERT_GE (gi, 0) << group;
        setGain (presetGain);
        ASSERT_TRUE (store.saveStateToPreset (gi, name));
    }

    // Makes the preset current and loads it, as picking it from the menu does.
    void pick (const juce::String& name, const juce::String& group)
    {
        store.parsePresets();
        for (auto* preset : store.presets)
            if (preset->name == name && preset->groupName == group)
                return store.loadStateFromPreset (preset->index);
        FAIL() << "no preset " << name << " in " << group;
    }

    juce::File fileOf (const juce::String& group)
    {
        store.parsed = false;
        store.parsePresets();
        return juce::File (store.getFileFromGroupName (group));
    }

    // The group's name in its file and its presets with their gains, in file order.
    static juce::String groupNameIn (const juce::File& file)
    {
        const auto root = juce::parseXML (file);
        return root != nullptr ? root->getStringAttribute ("name") : "<unreadable>";
    }

    static PresetContents presetsIn (const juce::File& file)
    {
        PresetContents result;
        if (const auto root = juce::parseXML (file))
        {
            for (auto* preset : root->getChildIterator())
            {
                double value = -1.0;
                if (auto* slots = preset->getChildByName ("slots"))
                    if (auto* module = slots->getFirstChildElement())
                        value = module->getDoubleAttribute (ModuleProcessor::attributeNameFor ("Gain"), -1.0);
                result.emplace_back (preset->getStringAttribute ("name"), value);
            }
        }
        return result;
    }

    juce::Array<juce::File> groupFiles() const
    {
        auto files = folder.findChildFiles (juce::File::findFiles, false, "*.presets");
        files.sort();
        return files;
    }

    template <typename Dialog>
    Dialog* show (Dialog* dialog, int width = 400, int height = 270)
    {
        host.showModalDialogTopCentred (dialog, width, height, 15);
        return dialog;
    }
};
} // namespace tarnello::test
