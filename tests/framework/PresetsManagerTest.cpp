// The preset store: group files in a presets folder, read back into groups and
// presets, written in place or first, renamed, removed, and new group files.

#include <gtest/gtest.h>

#include "tests/framework/FakeRack.h"
#include "framework/RackPresetsManager.h"
#include "framework/StateManager.h"
#include "tests/support/TestEnvironment.h"

#include <atomic>
#include <thread>
#include <unistd.h>

namespace
{
using tarnello::test::FakeRack;

juce::String groupFile (const juce::String& name, std::initializer_list<std::pair<const char*, int>> presets)
{
    juce::XmlElement root ("Group");
    root.setAttribute ("name", name);
    for (const auto& [presetName, value] : presets)
    {
        auto* preset = root.createNewChildElement ("Preset");
        preset->setAttribute ("name", presetName);
        preset->setAttribute ("group", "written-group");
        preset->createNewChildElement ("slots")->createNewChildElement ("fake")->setAttribute ("value", value);
    }
    return root.toString();
}

// The names and values of the presets in a group file, in document order.
std::vector<std::pair<juce::String, int>> presetsIn (const juce::File& file)
{
    std::vector<std::pair<juce::String, int>> result;
    if (auto root = juce::parseXML (file))
    {
        for (auto* preset : root->getChildIterator())
        {
            int value = -1;
            if (auto* slots = preset->getChildByName ("slots"))
                if (auto* module = slots->getFirstChildElement())
                    value = module->getIntAttribute ("value");
            result.emplace_back (preset->getStringAttribute ("name"), value);
        }
    }
    return result;
}

using Contents = std::vector<std::pair<juce::String, int>>;

class PresetStore : public ::testing::Test
{
protected:
    FakeRack rack;
    StateManager stateManager { 32,
                                [this] (juce::XmlElement* e) { rack.save (e); },
                                [this] (juce::XmlElement* e) { rack.load (e); },
                                [] {} };
    juce::File folder;
    std::unique_ptr<RackPresetsManager> store;

    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = juce::File (juce::String ((tarnello::test::privateHome() / "presets").string()))
                     .getChildFile (juce::String (info->name()));
        folder.deleteRecursively();
        ASSERT_TRUE (folder.createDirectory());
        store = std::make_unique<RackPresetsManager> (&stateManager, "tarnello", folder.getFullPathName());
    }

    void TearDown() override { folder.deleteRecursively(); }

    juce::File write (const juce::String& fileName, const juce::String& text)
    {
        auto file = folder.getChildFile (fileName);
        file.getParentDirectory().createDirectory();
        EXPECT_TRUE (file.replaceWithText (text));
        return file;
    }

    // Makes the preset of that name current, as picking it from the menu does.
    void pick (const juce::String& name, const juce::String& group)
    {
        store->parsePresets();
        for (auto* preset : store->presets)
            if (preset->name == name && preset->groupName == group)
                return store->loadStateFromPreset (preset->index);
        FAIL() << "no preset " << name << " in " << group;
    }

    static juce::Time localTime (int year, int month, int day, int hours, int minutes, int seconds)
    {
        return juce::Time (year, month, day, hours, minutes, seconds, 0, true);
    }
};
} // namespace

TEST_F (PresetStore, TwoGroupFilesListTheFirstFilesPresetsThenTheSecondsWithConsecutiveIndices)
{
    write ("b.presets", groupFile ("Beta", { { "B1", 3 } }));
    write ("a.presets", groupFile ("Alpha", { { "A1", 1 }, { "A2", 2 } }));

    store->parsePresets();

    ASSERT_EQ (store->groups.size(), 2);
    EXPECT_EQ (store->groups[0].name, "Alpha");
    EXPECT_EQ (store->groups[0].file, folder.getChildFile ("a.presets").getFullPathName());
    EXPECT_EQ (store->groups[1].name, "Beta");

    struct Expected { const char* name; int groupIndex; const char* groupName; int value; };
    const Expected expected[] = { { "A1", 0, "Alpha", 1 }, { "A2", 0, "Alpha", 2 }, { "B1", 1, "Beta", 3 } };
    ASSERT_EQ (store->presets.size(), 3);
    for (int i = 0; i < 3; ++i)
    {
        const auto& p = *store->presets[i];
        EXPECT_EQ (p.name, expected[i].name);
        EXPECT_EQ (p.index, i);
        EXPECT_EQ (p.groupIndex, expected[i].groupIndex);
        // The group's own name, not the preset's "group" attribute.
        EXPECT_EQ (p.groupName, expected[i].groupName);
        ASSERT_NE (p.state, nullptr);
        EXPECT_EQ (p.state->getTagName(), "Preset");
        EXPECT_EQ (p.state->getChildByName ("slots")->getFirstChildElement()->getIntAttribute ("value"),
                   expected[i].value);
    }
}

TEST_F (PresetStore, FileOfAnotherRootIsListedAsAGroupWithNoPresets)
{
    write ("a-bank.presets", "<Bank name=\"Old Bank\"><Preset name=\"Hidden\"><slots/></Preset></Bank>");
    write ("b-noname.presets", "<Group><Preset name=\"Nameless\"><slots/></Preset></Group>");

    store->parsePresets();

    ASSERT_EQ (store->groups.size(), 2);
    EXPECT_EQ (store->groups[0].name, "Old Bank");
    EXPECT_EQ (store->groups[1].name, "");
    ASSERT_EQ (store->presets.size(), 1);
    EXPECT_EQ (store->presets[0]->name, "Nameless");
    EXPECT_EQ (store->presets[0]->index, 0);
    EXPECT_EQ (store->presets[0]->groupIndex, 1);
}

TEST_F (PresetStore, TagsAreReadIgnoringCase)
{
    write ("lower.presets", "<group name=\"G\"><preset name=\"one\"><slots/></preset>"
                            "<Other name=\"skipped\"/><PRESET name=\"two\"/></group>");

    store->parsePresets();

    ASSERT_EQ (store->presets.size(), 2);
    EXPECT_EQ (store->presets[0]->name, "one");
    EXPECT_EQ (store->presets[1]->name, "two");
    EXPECT_EQ (store->presets[1]->index, 1);
}

TEST_F (PresetStore, FilesThatCannotBeReadAreSkipped)
{
    write ("good.presets", groupFile ("Good", { { "P", 1 } }));
    write ("not-xml.presets", "this is not XML");
    write ("empty.presets", "");
    write ("truncated.presets", "<Group name=\"Cut\"><Preset name=\"P\"><slo");
    {
        // Nested far deeper than a parser that recurses per level can follow.
        juce::MemoryOutputStream deep;
        deep << "<Group name=\"Deep\"><Preset name=\"P\">";
        for (int i = 0; i < 200000; ++i)
            deep << "<slots>";
        write ("nested.presets", deep.toString());
    }
    const char binary[] = { '\x00', '\xff', '\x7f', '<', '\x01' };
    ASSERT_TRUE (folder.getChildFile ("binary.presets").replaceWithData (binary, sizeof (binary)));
    ASSERT_EQ (symlink ("/nonexistent/target.presets",
                        folder.getChildFile ("dangling.presets").getFullPathName().toRawUTF8()), 0);
    // Not listed: a subfolder's files, a folder named like a group file, another extension.
    write ("sub/deep.presets", groupFile ("Deep", { { "D", 1 } }));
    write ("folder.presets/inner.presets", groupFile ("Inner", { { "I", 1 } }));
    write ("notes.txt", groupFile ("Text", { { "T", 1 } }));

    store->parsePresets();

    ASSERT_EQ (store->groups.size(), 1);
    EXPECT_EQ (store->groups[0].name, "Good");
    ASSERT_EQ (store->presets.size(), 1);
    EXPECT_EQ (store->presets[0]->name, "P");
}

TEST_F (PresetStore, MissingFolderListsNothing)
{
    RackPresetsManager missing (&stateManager, "tarnello", folder.getChildFile ("absent").getFullPathName());
    missing.parsePresets();
    EXPECT_TRUE (missing.groups.isEmpty());
    EXPECT_TRUE (missing.presets.isEmpty());
}

TEST_F (PresetStore, FolderIsReadOnceUntilAWrite)
{
    write ("a.presets", groupFile ("A", { { "P", 1 } }));
    store->parsePresets();
    EXPECT_TRUE (store->parsed);

    write ("b.presets", groupFile ("B", { { "Q", 2 } }));
    store->parsePresets();
    EXPECT_EQ (store->groups.size(), 1);

    ASSERT_TRUE (store->saveStateToPreset (0, "New"));
    EXPECT_FALSE (store->parsed);
    store->parsePresets();
    EXPECT_EQ (store->groups.size(), 2);
    EXPECT_EQ (store->presets.size(), 3);
}

TEST_F (PresetStore, LoadingAPresetMakesItCurrentAndLoadsItsState)
{
    write ("a.presets", groupFile ("Alpha", { { "A1", 11 }, { "A2", 22 } }));
    store->parsePresets();

    store->loadStateFromPreset (1);

    EXPECT_EQ (rack.value, 22);
    EXPECT_EQ (rack.lastLoadedRootTag, "Preset");
    const auto& current = store->currentPreset;
    EXPECT_EQ (current.name, "A2");
    EXPECT_EQ (current.index, 1);
    EXPECT_EQ (current.groupName, "Alpha");
    EXPECT_EQ (current.groupIndex, 0);
    ASSERT_NE (current.state, nullptr);
    EXPECT_NE (current.state.get(), store->presets[1]->state.get());

    for (int outside : { -1, 2, 1000 })
    {
        store->loadStateFromPreset (outside);
        EXPECT_EQ (rack.loads, 1) << outside;
        EXPECT_EQ (store->currentPreset.name, "A2") << outside;
    }
}

TEST_F (PresetStore, SavingUnderANewNamePutsThePresetFirst)
{
    const auto file = write ("a.presets", groupFile ("Alpha", { { "Old", 1 } }));
    store->parsePresets();
    rack.value = 5;

    ASSERT_TRUE (store->saveStateToPreset (0, "New"));

    EXPECT_EQ (presetsIn (file), (Contents { { "New", 5 }, { "Old", 1 } }));
    auto root = juce::parseXML (file);
    auto* saved = root->getFirstChildElement();
    ASSERT_EQ (saved->getNumAttributes(), 2);
    EXPECT_EQ (saved->getAttributeName (0), "name");
    EXPECT_EQ (saved->getAttributeName (1), "group");
    EXPECT_EQ (saved->getStringAttribute ("group"), "Alpha");

    const auto& current = store->currentPreset;
    EXPECT_EQ (current.name, "New");
    EXPECT_EQ (current.index, -1);
    EXPECT_EQ (current.groupName, "Alpha");
    EXPECT_EQ (current.groupIndex, 0);
    ASSERT_NE (current.state, nullptr);
    EXPECT_TRUE (current.state->isEquivalentTo (saved, false));

    // The index is found again once the list is re-read.
    store->matchOnLoadPluginWithPreset();
    EXPECT_EQ (store->currentPreset.index, 0);
    EXPECT_EQ (store->presets[0]->name, "New");
}

TEST_F (PresetStore, SavingUnderAnExistingNameReplacesItsContentInPlace)
{
    const auto file = write ("a.presets",
                             "<Group name=\"Alpha\"><Preset name=\"A\"/>"
                             "<Preset name=\"B\" group=\"Alpha\" note=\"kept\"><slots><fake value=\"1\"/></slots><extra/></Preset>"
                             "<Preset name=\"C\"/></Group>");
    store->parsePresets();
    rack.value = 9;

    ASSERT_TRUE (store->saveStateToPreset (0, "B"));

    EXPECT_EQ (presetsIn (file), (Contents { { "A", -1 }, { "B", 9 }, { "C", -1 } }));
    auto root = juce::parseXML (file);
    auto* replaced = root->getChildElement (1);
    EXPECT_EQ (replaced->getStringAttribute ("note"), "kept");
    EXPECT_EQ (replaced->getNumChildElements(), 1);
}

TEST_F (PresetStore, GroupFilesAreWrittenWithTheXmlDeclarationAndCrLfLineEnds)
{
    const auto file = write ("a.presets", groupFile ("Alpha", {}));
    store->parsePresets();
    ASSERT_TRUE (store->saveStateToPreset (0, "New"));

    const auto text = file.loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Group name=\"Alpha\">\r\n"))
        << text;
    EXPECT_TRUE (text.endsWith ("</Group>\r\n"));
    for (int i = text.indexOfChar ('\n'); i >= 0; i = text.indexOfChar (i + 1, '\n'))
        ASSERT_EQ (text[i - 1], '\r') << "bare line feed at " << i;
}

TEST_F (PresetStore, SavingIntoAGroupThatCannotTakeItChangesNothing)
{
    write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    const auto bank = write ("b.presets", "<Bank name=\"Bank\"/>");
    store->parsePresets();
    store->loadStateFromPreset (0);
    const auto before = bank.loadFileAsString();

    // A file that no longer reads, after the list was made.
    const auto broken = write ("c.presets", groupFile ("Broken", {}));
    store->parsed = false;
    store->parsePresets();
    ASSERT_TRUE (broken.replaceWithText ("not XML"));

    struct Case { const char* what; int groupIndex; const char* name; };
    const Case cases[] = {
        { "index past the end", 3, "X" },
        { "negative index, new name", -1, "X" },
        { "root is not Group", 1, "X" },
        { "file does not parse", 2, "X" },
        { "empty name", 0, "" },
        { "blank name", 0, "  " },
    };

    for (const auto& c : cases)
    {
        EXPECT_FALSE (store->saveStateToPreset (c.groupIndex, c.name)) << c.what;
        EXPECT_EQ (store->currentPreset.name, "P") << c.what;
        EXPECT_EQ (store->currentPreset.index, 0) << c.what;
        EXPECT_EQ (store->currentPreset.groupName, "Alpha") << c.what;
    }
    EXPECT_EQ (bank.loadFileAsString(), before);
    EXPECT_EQ (broken.loadFileAsString(), "not XML");
    EXPECT_EQ (presetsIn (folder.getChildFile ("a.presets")), (Contents { { "P", 1 } }));
}

TEST_F (PresetStore, FailedWriteIsReportedAndLeavesTheCurrentPresetAndTheFile)
{
    // Readable, but the temporary file JUCE writes beside it needs a longer name
    // than the file system allows, so every write of it fails.
    const auto longName = juce::String::repeatedString ("g", 245) + ".presets";
    const auto file = folder.getChildFile (longName);
    {
        juce::FileOutputStream out (file);
        ASSERT_TRUE (out.openedOk());
        out.writeText (groupFile ("Long", { { "P", 1 }, { "Q", 2 } }), false, false, nullptr);
    }
    const auto before = file.loadFileAsString();
    pick ("P", "Long");
    ASSERT_EQ (store->currentPreset.name, "P");
    rack.value = 42;

    EXPECT_FALSE (store->saveStateToPreset (0, "New"));
    EXPECT_FALSE (store->saveStateToPreset (0, "P"));
    EXPECT_FALSE (store->updateCurrentPreset());
    EXPECT_FALSE (store->renameCurrentPreset ("Renamed"));
    EXPECT_FALSE (store->removePreset());

    const auto& current = store->currentPreset;
    EXPECT_EQ (current.name, "P");
    EXPECT_EQ (current.index, 0);
    EXPECT_EQ (current.groupName, "Long");
    EXPECT_EQ (current.groupIndex, 0);
    EXPECT_EQ (current.state->getChildByName ("slots")->getFirstChildElement()->getIntAttribute ("value"), 1);
    EXPECT_EQ (file.loadFileAsString(), before);
    EXPECT_TRUE (store->parsed);
}

TEST_F (PresetStore, RemoveAndRenameDoNothingWithoutACurrentGroup)
{
    const auto file = write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    const auto before = file.loadFileAsString();
    store->parsePresets();
    store->currentPreset.name = "P";

    EXPECT_FALSE (store->removePreset());
    EXPECT_FALSE (store->renameCurrentPreset ("New"));
    EXPECT_EQ (file.loadFileAsString(), before);
    EXPECT_EQ (store->currentPreset.name, "P");
}

TEST_F (PresetStore, RemoveAndRenameOfAPresetNoLongerInItsFileDoNothing)
{
    const auto file = write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    pick ("P", "Alpha");
    ASSERT_TRUE (file.replaceWithText (groupFile ("Alpha", { { "Other", 2 } })));
    const auto before = file.loadFileAsString();

    EXPECT_FALSE (store->renameCurrentPreset ("New"));
    EXPECT_FALSE (store->removePreset());
    EXPECT_EQ (file.loadFileAsString(), before);
    EXPECT_EQ (store->currentPreset.name, "P");
}

TEST_F (PresetStore, RenamedPresetGoesByItsNewNameForUpdateAndRemove)
{
    const auto file = write ("a.presets", groupFile ("Alpha", { { "Keep", 1 }, { "Old", 2 } }));
    pick ("Old", "Alpha");

    ASSERT_TRUE (store->renameCurrentPreset ("New"));
    EXPECT_EQ (store->currentPreset.name, "New");
    EXPECT_EQ (store->currentPreset.state->getStringAttribute ("name"), "New");
    EXPECT_EQ (presetsIn (file), (Contents { { "Keep", 1 }, { "New", 2 } }));
    EXPECT_FALSE (store->parsed);

    rack.value = 7;
    ASSERT_TRUE (store->updateCurrentPreset());
    EXPECT_EQ (presetsIn (file), (Contents { { "Keep", 1 }, { "New", 7 } }));

    ASSERT_TRUE (store->removePreset());
    EXPECT_EQ (presetsIn (file), (Contents { { "Keep", 1 } }));
}

TEST_F (PresetStore, UpdateFindsTheGroupByNameWhenItsIndexIsStale)
{
    const auto beta = write ("x.presets", groupFile ("Beta", { { "P", 1 } }));
    const auto gamma = write ("y.presets", groupFile ("Gamma", { { "P", 2 } }));
    pick ("P", "Gamma");
    ASSERT_EQ (store->currentPreset.groupIndex, 1);

    // A new group sorts first, so Gamma moves to index 2 and index 1 is Beta's.
    const auto alpha = store->createGroupFile ("Alpha");
    ASSERT_TRUE (alpha.existsAsFile());

    rack.value = 30;
    ASSERT_TRUE (store->updateCurrentPreset());
    EXPECT_EQ (presetsIn (gamma), (Contents { { "P", 30 } }));
    EXPECT_EQ (presetsIn (beta), (Contents { { "P", 1 } }));
    EXPECT_EQ (presetsIn (alpha), Contents {});
    EXPECT_EQ (store->currentPreset.groupIndex, 2);
    EXPECT_EQ (store->currentPreset.groupName, "Gamma");

    // After a host state load both indices are -1; the dialog's own call still lands in Gamma.
    store->currentPreset.index = -1;
    store->currentPreset.groupIndex = -1;
    rack.value = 31;
    ASSERT_TRUE (store->saveStateToPreset (store->currentPreset.groupIndex, store->currentPreset.name));
    EXPECT_EQ (presetsIn (gamma), (Contents { { "P", 31 } }));
    EXPECT_EQ (presetsIn (beta), (Contents { { "P", 1 } }));

    store->currentPreset.groupIndex = -1;
    rack.value = 32;
    ASSERT_TRUE (store->updateCurrentPreset());
    EXPECT_EQ (presetsIn (gamma), (Contents { { "P", 32 } }));
}

TEST_F (PresetStore, UpdateWithoutACurrentPresetOrItsGroupDoesNothing)
{
    const auto file = write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    EXPECT_FALSE (store->updateCurrentPreset());

    store->currentPreset.name = "P";
    store->currentPreset.groupName = "Gone";
    EXPECT_FALSE (store->updateCurrentPreset());
    EXPECT_EQ (presetsIn (file), (Contents { { "P", 1 } }));
    EXPECT_EQ (store->currentPreset.groupName, "Gone");
}

TEST_F (PresetStore, MatchingAfterAStateLoadFindsTheIndicesOrForgetsThePreset)
{
    write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    write ("b.presets", groupFile ("Beta", { { "P", 2 }, { "Q", 3 } }));

    struct Case { const char* name; const char* group; int index; int groupIndex; const char* nameAfter; };
    const Case cases[] = {
        { "Q", "Beta", 2, 1, "Q" },
        { "P", "Beta", 1, 1, "P" },
        { "P", "Gone", -1, -1, "" },
        { "Q", "Alpha", -1, -1, "" },
        { "", "Alpha", -1, -1, "" },
    };

    for (const auto& c : cases)
    {
        store->currentPreset.reset();
        store->currentPreset.name = c.name;
        store->currentPreset.groupName = c.group;
        store->matchOnLoadPluginWithPreset();
        EXPECT_EQ (store->currentPreset.index, c.index) << c.name << " in " << c.group;
        EXPECT_EQ (store->currentPreset.groupIndex, c.groupIndex) << c.name << " in " << c.group;
        EXPECT_EQ (store->currentPreset.name, c.nameAfter) << c.name << " in " << c.group;
    }

    // An index already known is kept as it is.
    store->currentPreset.name = "Anything";
    store->currentPreset.groupName = "Alpha";
    store->currentPreset.index = 0;
    store->matchOnLoadPluginWithPreset();
    EXPECT_EQ (store->currentPreset.name, "Anything");
}

TEST_F (PresetStore, GroupLookupsMatchTheNameExactly)
{
    const auto file = write ("a.presets", groupFile ("Alpha", {}));
    write ("b.presets", groupFile ("Alpha", {}));
    store->parsePresets();

    EXPECT_TRUE (store->existsGroup ("Alpha"));
    EXPECT_FALSE (store->existsGroup ("alpha"));
    EXPECT_FALSE (store->existsGroup ("Alpha "));
    EXPECT_EQ (store->getFileFromGroupName ("Alpha"), file.getFullPathName());
    EXPECT_EQ (store->getFileFromGroupName ("ALPHA"), "");
}

TEST_F (PresetStore, RemovingAGroupDeletesItsFile)
{
    const auto a = write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    const auto b = write ("b.presets", groupFile ("Beta", { { "Q", 1 } }));
    store->parsePresets();

    EXPECT_FALSE (store->removeGroup (2));
    EXPECT_FALSE (store->removeGroup (-1));
    EXPECT_TRUE (store->parsed);

    EXPECT_TRUE (store->removeGroup (0));
    EXPECT_FALSE (a.exists());
    EXPECT_TRUE (b.exists());
    EXPECT_FALSE (store->parsed);
    store->parsePresets();
    ASSERT_EQ (store->groups.size(), 1);
    EXPECT_EQ (store->groups[0].name, "Beta");
    EXPECT_EQ (store->presets[0]->groupIndex, 0);
}

TEST_F (PresetStore, RemovingTheCurrentPresetsGroupForgetsTheCurrentPreset)
{
    write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    const auto beta = write ("b.presets", groupFile ("Beta", { { "Q", 2 } }));
    pick ("P", "Alpha");

    // Another group goes: the current preset stays, and Update still reaches Alpha.
    ASSERT_TRUE (store->removeGroup (1));
    EXPECT_FALSE (beta.exists());
    EXPECT_EQ (store->currentPreset.name, "P");
    EXPECT_EQ (store->currentPreset.groupName, "Alpha");

    store->parsePresets();
    ASSERT_TRUE (store->removeGroup (0));
    EXPECT_EQ (store->currentPreset.name, "");
    EXPECT_EQ (store->currentPreset.groupName, "");
    EXPECT_EQ (store->currentPreset.groupIndex, -1);
    EXPECT_FALSE (store->updateCurrentPreset());
    EXPECT_TRUE (juce::File (store->presetsFolder).findChildFiles (juce::File::findFiles, false, "*.presets").isEmpty());
}

TEST_F (PresetStore, RenamingAGroupRewritesItsFileAndTheCurrentPresetsGroup)
{
    const auto alpha = write ("a.presets", groupFile ("Alpha", { { "P", 1 }, { "Q", 2 } }));
    const auto beta = write ("b.presets", groupFile ("Beta", { { "R", 3 } }));
    pick ("P", "Alpha");

    ASSERT_TRUE (store->renameGroup (1, "  Delta "));
    EXPECT_EQ (store->currentPreset.groupName, "Alpha") << "another group was renamed";
    EXPECT_FALSE (store->parsed);

    store->parsePresets();
    ASSERT_TRUE (store->renameGroup (0, "Gamma"));
    EXPECT_EQ (store->currentPreset.groupName, "Gamma");

    const auto root = juce::parseXML (alpha);
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getStringAttribute ("name"), "Gamma");
    EXPECT_EQ (presetsIn (alpha), (Contents { { "P", 1 }, { "Q", 2 } }));
    EXPECT_TRUE (alpha.loadFileAsString().startsWith ("<?xml"));
    EXPECT_EQ (juce::parseXML (beta)->getStringAttribute ("name"), "Delta");

    // Update after the rename writes into the renamed file, under the preset's own name.
    rack.value = 9;
    ASSERT_TRUE (store->updateCurrentPreset());
    EXPECT_EQ (presetsIn (alpha), (Contents { { "P", 9 }, { "Q", 2 } }));
    store->parsePresets();
    EXPECT_TRUE (store->existsGroup ("Gamma"));
    EXPECT_FALSE (store->existsGroup ("Alpha"));
}

TEST_F (PresetStore, RenamingAGroupRefusesWhatItCannotDo)
{
    const auto alpha = write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    write ("b.presets", groupFile ("Beta", {}));
    const auto bank = write ("c.presets", "<Bank name=\"Bank\"/>");
    store->parsePresets();
    ASSERT_EQ (store->groups.size(), 3);
    const auto alphaText = alpha.loadFileAsString();

    struct Case { int group; const char* name; };
    for (const auto& c : { Case { 0, "" }, Case { 0, "   " }, Case { 0, "Beta" }, Case { 0, "Alpha" },
                           Case { 3, "New" }, Case { -1, "New" }, Case { 2, "New" } })
    {
        EXPECT_FALSE (store->renameGroup (c.group, c.name)) << c.group << " '" << c.name << "'";
        EXPECT_TRUE (store->parsed);
    }
    EXPECT_EQ (alpha.loadFileAsString(), alphaText);
    EXPECT_EQ (bank.loadFileAsString(), "<Bank name=\"Bank\"/>");

    // Names are taken only exactly: a name that differs in case is free.
    EXPECT_TRUE (store->renameGroup (0, "beta"));
    EXPECT_EQ (juce::parseXML (alpha)->getStringAttribute ("name"), "beta");
}

TEST_F (PresetStore, NewGroupFileNameRunsTheLocalTimeFiguresTogether)
{
    struct Case { int year, month, day, hours, minutes, seconds; const char* expected; };
    const Case cases[] = {
        { 2026, 1, 15, 9, 5, 7, "tarnello-202645957.presets" }, // day 45 counted from 0
        { 2026, 0, 1, 0, 0, 0, "tarnello-20260000.presets" },
        { 2025, 11, 31, 23, 59, 59, "tarnello-2025364235959.presets" },
        { 2024, 11, 31, 12, 0, 30, "tarnello-202436512030.presets" }, // a leap year
    };

    for (const auto& c : cases)
        EXPECT_EQ (PresetsManager::groupFileNameFor ("tarnello", localTime (c.year, c.month, c.day, c.hours, c.minutes, c.seconds)),
                   juce::String (c.expected));
}

TEST_F (PresetStore, NewGroupFileHoldsOnlyTheTrimmedNameAndIsListed)
{
    store->parsePresets();
    const auto file = store->createGroupFile ("  My Group  ", localTime (2026, 1, 15, 9, 5, 7));

    EXPECT_EQ (file, folder.getChildFile ("tarnello-202645957.presets"));
    ASSERT_TRUE (file.existsAsFile());
    EXPECT_EQ (file.loadFileAsString(),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Group name=\"My Group\"/>\r\n");
    EXPECT_FALSE (store->parsed);
    store->parsePresets();
    EXPECT_TRUE (store->existsGroup ("My Group"));

    for (const char* blank : { "", "   " })
        EXPECT_EQ (store->createGroupFile (blank), juce::File()) << "'" << blank << "'";
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 1);
}

TEST_F (PresetStore, NewGroupNeverOverwritesAGroupOfTheSameFileName)
{
    const auto now = localTime (2026, 1, 15, 9, 5, 7);
    const auto first = store->createGroupFile ("One", now);
    store->parsePresets();
    rack.value = 3;
    ASSERT_TRUE (store->saveStateToPreset (0, "Kept"));

    const auto second = store->createGroupFile ("Two", now);
    const auto third = store->createGroupFile ("Three", now);

    EXPECT_EQ (second.getFileName(), "tarnello-202645957-2.presets");
    EXPECT_EQ (third.getFileName(), "tarnello-202645957-3.presets");
    EXPECT_EQ (presetsIn (first), (Contents { { "Kept", 3 } }));

    // Day 1 at 11:05:07 and day 11 at 1:05:07 give the same figures.
    const auto dayOne = localTime (2026, 0, 2, 11, 5, 7);
    const auto dayEleven = localTime (2026, 0, 12, 1, 5, 7);
    ASSERT_EQ (PresetsManager::groupFileNameFor ("tarnello", dayOne),
               PresetsManager::groupFileNameFor ("tarnello", dayEleven));
    const auto early = store->createGroupFile ("Early", dayOne);
    store->parsePresets();
    int earlyIndex = -1;
    for (int i = 0; i < store->groups.size(); ++i)
        if (store->groups[i].name == "Early")
            earlyIndex = i;
    rack.value = 4;
    ASSERT_TRUE (store->saveStateToPreset (earlyIndex, "E"));

    const auto late = store->createGroupFile ("Late", dayEleven);
    EXPECT_NE (early, late);
    EXPECT_EQ (juce::parseXML (early)->getStringAttribute ("name"), "Early");
    EXPECT_EQ (presetsIn (early), (Contents { { "E", 4 } }));

    store->parsePresets();
    juce::StringArray names;
    for (const auto& g : store->groups)
        names.add (g.name);
    names.sort (false);
    EXPECT_EQ (names.joinIntoString (","), "Early,Late,One,Three,Two");
}

TEST_F (PresetStore, NewGroupThatCannotBeWrittenGivesNoFile)
{
    const auto blocker = write ("regular-file", "not a folder");
    RackPresetsManager blocked (&stateManager, "tarnello", blocker.getChildFile ("Presets").getFullPathName());

    EXPECT_EQ (blocked.createGroupFile ("Group"), juce::File());
    EXPECT_TRUE (blocker.existsAsFile());
    EXPECT_EQ (blocker.loadFileAsString(), "not a folder");
}

TEST_F (PresetStore, SavingAndLoadingHoldTheStateLock)
{
    write ("a.presets", groupFile ("Alpha", { { "P", 1 } }));
    store->parsePresets();

    // What a host thread would see while the callbacks run.
    auto lockTakenElsewhere = [this]
    {
        std::atomic<bool> entered { false };
        std::thread host ([&]
                          {
                              if (stateManager.stateLock.tryEnter())
                              {
                                  entered = true;
                                  stateManager.stateLock.exit();
                              }
                          });
        host.join();
        return ! entered.load();
    };

    bool heldWhileSaving = false, heldWhileLoading = false;
    stateManager.saveState = [&] (juce::XmlElement* e) { heldWhileSaving = lockTakenElsewhere(); rack.save (e); };
    stateManager.loadState = [&] (juce::XmlElement* e) { heldWhileLoading = lockTakenElsewhere(); rack.load (e); };

    store->loadStateFromPreset (0);
    ASSERT_TRUE (store->saveStateToPreset (0, "New"));

    EXPECT_TRUE (heldWhileLoading);
    EXPECT_TRUE (heldWhileSaving);
    EXPECT_FALSE (lockTakenElsewhere());
}
