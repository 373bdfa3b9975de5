// The dialogs' name field: Return and Escape run their own actions in order, other
// keys type; only in REAPER does focus move the field onto the desktop (that half is
// in the display suite).

#include <gtest/gtest.h>

#include "tests/ui/DialogTestSupport.h"
#include "ui/PluginTextEditor.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
using Log = std::vector<std::string>;

class PluginTextEditorKeys : public ::testing::Test
{
protected:
    juce::Component dialog;
    PluginTextEditor field { "name" };
    Log log;

    void SetUp() override
    {
        dialog.setSize (400, 200);
        field.setBounds (15, 80, 370, 28);
        dialog.addAndMakeVisible (field);
        field.returnActions = { [this] { log.push_back ("return 1"); },
                                [this] { log.push_back ("return 2"); },
                                [this] { log.push_back ("return 3"); } };
        field.escapeActions = { [this] { log.push_back ("escape 1"); }, [this] { log.push_back ("escape 2"); } };
    }
};

TEST_F (PluginTextEditorKeys, ReturnAndEscapeRunTheirOwnListInOrderWhateverTheModifiers)
{
    const Log returns { "return 1", "return 2", "return 3" };
    const Log escapes { "escape 1", "escape 2" };

    struct Case { const char* what; juce::KeyPress key; const Log& expected; };
    const Case cases[] = {
        { "Return", juce::KeyPress (juce::KeyPress::returnKey), returns },
        { "Shift+Return", juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::shiftModifier, 0), returns },
        { "Ctrl+Return", juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::ctrlModifier, 0), returns },
        { "Escape", juce::KeyPress (juce::KeyPress::escapeKey), escapes },
        { "Alt+Escape", juce::KeyPress (juce::KeyPress::escapeKey, juce::ModifierKeys::altModifier, 0), escapes },
    };

    for (const auto& c : cases)
    {
        log.clear();
        EXPECT_TRUE (field.keyPressed (c.key)) << c.what;
        EXPECT_EQ (log, c.expected) << c.what;
        EXPECT_EQ (field.getText(), "") << c.what << " typed nothing";
    }
}

TEST_F (PluginTextEditorKeys, EmptyListsStillConsumeTheKey)
{
    field.returnActions.clear();
    field.escapeActions.clear();
    EXPECT_TRUE (field.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    EXPECT_TRUE (field.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_TRUE (log.empty());
}

TEST_F (PluginTextEditorKeys, OtherKeysTypeAsInAnyTextField)
{
    EXPECT_TRUE (field.keyPressed (juce::KeyPress ('a', {}, 'a')));
    EXPECT_TRUE (field.keyPressed (juce::KeyPress ('B', juce::ModifierKeys::shiftModifier, 'B')));
    EXPECT_EQ (field.getText(), "aB");
    EXPECT_TRUE (log.empty());

    field.setInputRestrictions (3);
    for (auto c : juce::String ("xyz"))
        field.keyPressed (juce::KeyPress ((int) c, {}, c));
    EXPECT_EQ (field.getText(), "aBx");
}

TEST (PluginTextEditorActions, AnActionThatDeletesTheFieldEndsTheList)
{
    // Return confirms the dialog, and the dialog deletes itself with the field in it:
    // the list is gone while it runs. The later actions must not run.
    auto owner = std::make_unique<juce::Component>();
    auto field = std::make_unique<PluginTextEditor>();
    owner->addAndMakeVisible (*field);

    Log log;
    field->returnActions = { [&] { log.push_back ("confirm"); },
                             [&] { field.reset(); owner.reset(); },
                             [&] { log.push_back ("after close"); } };

    auto* raw = field.get();
    EXPECT_TRUE (raw->keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    EXPECT_EQ (log, Log { "confirm" });
    EXPECT_EQ (field, nullptr);
}

//==============================================================================
// Focus without a display: whatever the host, the field stays in its dialog unless it
// may move, and only REAPER is asked about moving.
TEST (PluginTextEditorFocus, StaysInItsDialogOutsideReaperOrWhenItCannotBeEdited)
{
    struct Case
    {
        const char* what;
        bool reaper, readOnly, fieldEnabled, parentEnabled;
        bool asksForHost;
    };

    for (const auto& c : { Case { "another host", false, false, true, true, true },
                           Case { "REAPER, read-only", true, true, true, true, false },
                           Case { "REAPER, field disabled", true, false, false, true, false },
                           Case { "REAPER, dialog disabled", true, false, true, false, false } })
    {
        juce::Component outer;
        juce::Component dialog;
        outer.addAndMakeVisible (dialog);
        PluginTextEditor field;
        field.setBounds (15, 80, 370, 28);
        dialog.addAndMakeVisible (field);

        int asked = 0;
        field.setHostIsReaperCheck ([&asked, &c] { ++asked; return c.reaper; });
        field.setReadOnly (c.readOnly);
        field.setEnabled (c.fieldEnabled);
        outer.setEnabled (c.parentEnabled);

        field.focusGained (juce::Component::focusChangedDirectly);
        EXPECT_FALSE (field.isOnDesktop()) << c.what;
        EXPECT_EQ (field.getParentComponent(), &dialog) << c.what;
        EXPECT_EQ (field.getBounds(), juce::Rectangle<int> (15, 80, 370, 28)) << c.what;
        EXPECT_FALSE (field.isAlwaysOnTop()) << c.what;
        EXPECT_EQ (asked > 0, c.asksForHost) << c.what;

        field.focusLost (juce::Component::focusChangedDirectly);
        EXPECT_EQ (field.getParentComponent(), &dialog) << c.what;
        EXPECT_EQ (field.getBounds(), juce::Rectangle<int> (15, 80, 370, 28)) << c.what;
    }
}

TEST (PluginTextEditorFocus, TheTestRunnerIsNotReaper)
{
    // The real check reads the host application's name; this program is not REAPER, so
    // a field with the default check stays embedded.
    EXPECT_FALSE (PluginTextEditor::hostIsReaper());

    juce::Component dialog;
    PluginTextEditor field;
    dialog.addAndMakeVisible (field);
    field.focusGained (juce::Component::focusChangedDirectly);
    EXPECT_FALSE (field.isOnDesktop());
    EXPECT_EQ (field.getParentComponent(), &dialog);
}
} // namespace
