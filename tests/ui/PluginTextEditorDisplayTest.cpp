// The name field in REAPER, on a real display: while focused it sits on the desktop
// as a window of its own at the same place, and goes back into its dialog afterwards;
// a dialog closed meanwhile takes that window with it. Skipped without a display.

#include <gtest/gtest.h>

#include "tests/ui/DialogTestSupport.h"
#include "ui/PluginTextEditor.h"

#include <memory>

namespace
{
using tarnello::test::DialogHost;

bool haveDisplay()
{
    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

// A dialog that owns its name field, as the preset dialogs do.
struct NameDialog : OkCancelDialog
{
    NameDialog()
    {
        field->setBounds (15, 80, 370, 28);
        field->setHostIsReaperCheck ([] { return true; });
        addAndMakeVisible (*field);
    }
    std::unique_ptr<PluginTextEditor> field = std::make_unique<PluginTextEditor> ("name");
};

class ReaperTextField : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (! haveDisplay())
            GTEST_SKIP() << "no display";

        desktopBefore = juce::Desktop::getInstance().getNumComponents();
        host = std::make_unique<DialogHost> (786, 304);
        host->setTopLeftPosition (100, 100);
        host->addToDesktop (0);
        host->setVisible (true);
        dialog = new NameDialog();
        host->showModalDialogTopCentred (dialog, 400, 200, 15);
    }

    void TearDown() override { host.reset(); }

    std::unique_ptr<DialogHost> host;
    NameDialog* dialog = nullptr;
    int desktopBefore = 0;
};

TEST_F (ReaperTextField, LeavesItsDialogWhileFocusedAndComesBackToTheSamePlace)
{
    auto& field = *dialog->field;
    const auto screenBefore = field.getScreenPosition();
    const auto boundsBefore = field.getBounds();

    field.focusGained (juce::Component::focusChangedDirectly);
    EXPECT_TRUE (field.isOnDesktop());
    EXPECT_EQ (field.getParentComponent(), nullptr);
    EXPECT_TRUE (field.isAlwaysOnTop());
    EXPECT_EQ (field.getScreenPosition(), screenBefore);
    EXPECT_EQ (field.getWidth(), boundsBefore.getWidth());
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), desktopBefore + 2);

    // Typing still reaches the dialog's actions while the field is a window of its own.
    bool confirmed = false;
    field.returnActions = { [&confirmed] { confirmed = true; } };
    field.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_TRUE (confirmed);

    field.focusLost (juce::Component::focusChangedDirectly);
    EXPECT_FALSE (field.isOnDesktop());
    EXPECT_EQ (field.getParentComponent(), dialog);
    EXPECT_EQ (field.getBounds(), boundsBefore);
    EXPECT_FALSE (field.isAlwaysOnTop());
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), desktopBefore + 1);
}

TEST_F (ReaperTextField, DialogClosedWhileTheFieldIsOnTheDesktopLeavesNoWindow)
{
    dialog->field->focusGained (juce::Component::focusChangedDirectly);
    ASSERT_TRUE (dialog->field->isOnDesktop());

    const juce::Component::SafePointer<juce::Component> alive (dialog);
    dialog->closeDialog();
    EXPECT_EQ (alive, nullptr);
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), desktopBefore + 1) << "only the editor";

    host.reset();
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), desktopBefore);
}

TEST_F (ReaperTextField, OtherHostsKeepTheFieldInItsDialog)
{
    auto& field = *dialog->field;
    field.setHostIsReaperCheck ([] { return false; });
    field.focusGained (juce::Component::focusChangedDirectly);
    EXPECT_FALSE (field.isOnDesktop());
    EXPECT_EQ (field.getParentComponent(), dialog);
}
} // namespace
