// The modal panel and its dialogs: one dialog at a time, centred; the box, the
// buttons and the text laid out by width; OK, Cancel and the close button running
// their actions and closing the dialog.

#include <gtest/gtest.h>

#include "tests/ui/DialogTestSupport.h"
#include "ui/ModalPanel.h"

#include <string>
#include <vector>

namespace
{
using tarnello::test::click;
using tarnello::test::DialogHost;
using tarnello::test::mouseEventFor;
using juce::Rectangle;

TEST (DialogLayoutTest, ButtonsAndTextFollowTheDialogsWidth)
{
    struct Case
    {
        int width, height;
        Rectangle<int> ok, cancel, text, alertOk;
    };

    const Case cases[] = {
        { 300, 200, { 23, 147, 120, 38 }, { 158, 147, 120, 38 }, { 15, 44, 270, 88 }, { 90, 147, 120, 38 } },
        { 400, 270, { 73, 217, 120, 38 }, { 208, 217, 120, 38 }, { 15, 44, 370, 158 }, { 140, 217, 120, 38 } },
        { 245, 200, { 15, 147, 100, 38 }, { 130, 147, 100, 38 }, { 15, 44, 215, 88 }, { 72, 147, 100, 38 } },
        { 285, 150, { 15, 97, 120, 38 }, { 150, 97, 120, 38 }, { 15, 44, 255, 38 }, { 82, 97, 120, 38 } },
        { 284, 150, { 15, 97, 120, 38 }, { 150, 97, 120, 38 }, { 15, 44, 254, 38 }, { 82, 97, 120, 38 } },
        { 283, 150, { 15, 97, 119, 38 }, { 149, 97, 119, 38 }, { 15, 44, 253, 38 }, { 82, 97, 119, 38 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::to_string (c.width) + " x " + std::to_string (c.height));

        BasicOkCancelTextDialog text;
        text.setSize (c.width, c.height);
        EXPECT_EQ (text.getTitleBar().getBounds(), Rectangle<int> (1, 1, c.width - 2, 28));
        EXPECT_EQ (text.getTitleBar().getCloseButton().getBounds(), Rectangle<int> (c.width - 2 - 28 - 1, 1, 27, 27));
        EXPECT_EQ (text.getOkButton().getBounds(), c.ok);
        EXPECT_EQ (text.getCancelButton().getBounds(), c.cancel);
        EXPECT_EQ (text.getTextArea(), c.text);

        AlertBoxDialog alert;
        alert.setSize (c.width, c.height);
        EXPECT_EQ (alert.getOkButton().getBounds(), c.alertOk);
        EXPECT_FALSE (alert.getCancelButton().isVisible());
    }
}

TEST (DialogLayoutTest, NewDialogsCarryOkAndCancelAndAVisibleCloseButton)
{
    OkCancelDialog dialog;
    EXPECT_EQ (dialog.getOkButton().getButtonText(), "Ok");
    EXPECT_EQ (dialog.getCancelButton().getButtonText(), "Cancel");
    EXPECT_TRUE (dialog.getOkButton().isVisible());
    EXPECT_TRUE (dialog.getCancelButton().isVisible());
    EXPECT_TRUE (dialog.getTitleBar().isVisible());
    EXPECT_TRUE (dialog.getTitleBar().getCloseButton().isVisible());
    EXPECT_EQ (dialog.getTitleBar().getListener(), &dialog);
    EXPECT_EQ (dialog.getTitle(), "");
}

//==============================================================================
class ModalPanelTest : public ::testing::Test
{
protected:
    DialogHost host { 786, 304 };
    ModalPanel& panel = host.getPanel();
};

TEST_F (ModalPanelTest, ShowsOneDialogAtATimeCentredAtItsTop)
{
    EXPECT_FALSE (panel.isVisible());
    EXPECT_EQ (panel.getBounds(), host.getLocalBounds());

    auto* first = new OkCancelDialog();
    const juce::Component::SafePointer<juce::Component> firstAlive (first);
    host.showModalDialogTopCentred (first, 400, 200, 15);

    EXPECT_TRUE (panel.isVisible());
    EXPECT_EQ (panel.getDialog(), first);
    EXPECT_EQ (first->getParentComponent(), &panel);
    EXPECT_TRUE (first->isVisible());
    EXPECT_EQ (first->getBounds(), Rectangle<int> (193, 15, 400, 200));

    // The same dialog again is kept and only placed anew.
    host.showModalDialogTopCentred (first, 300, 300, 1);
    ASSERT_NE (firstAlive, nullptr);
    EXPECT_EQ (panel.getDialog(), first);
    EXPECT_EQ (first->getBounds(), Rectangle<int> (243, 1, 300, 300));

    // A second one replaces it, and the first is gone.
    auto* second = new AlertBoxDialog();
    const juce::Component::SafePointer<juce::Component> secondAlive (second);
    host.showModalDialogTopCentred (second, 400, 270, 15);
    EXPECT_EQ (firstAlive, nullptr);
    EXPECT_EQ (panel.getDialog(), second);
    EXPECT_EQ (panel.getNumChildComponents(), 1);

    // None clears the panel and hides it, so that it no longer covers the editor.
    host.showModalDialogTopCentred (nullptr, 400, 200, 15);
    EXPECT_EQ (secondAlive, nullptr);
    EXPECT_EQ (panel.getDialog(), nullptr);
    EXPECT_FALSE (panel.isVisible());
}

TEST_F (ModalPanelTest, DialogWiderThanThePanelIsNarrowedToItsWidthLessFour)
{
    struct Case { int panelWidth, dialogWidth; Rectangle<int> expected; };
    for (const auto& c : { Case { 786, 400, { 193, 15, 400, 200 } },
                           Case { 300, 400, { 2, 15, 296, 200 } },
                           Case { 404, 400, { 2, 15, 400, 200 } },
                           Case { 403, 400, { 2, 15, 399, 200 } } })
    {
        host.setSize (c.panelWidth, 304);
        host.showModalDialogTopCentred (new OkCancelDialog(), c.dialogWidth, 200, 15);
        ASSERT_NE (panel.getDialog(), nullptr);
        EXPECT_EQ (panel.getDialog()->getBounds(), c.expected) << c.panelWidth;
    }
}

TEST_F (ModalPanelTest, EditorWithoutAPanelDeletesTheDialogItWasGiven)
{
    DialogHost noPanel;
    noPanel.modalPanel = nullptr;

    struct Probe : AlertBoxDialog
    {
        explicit Probe (bool& gone) : flag (gone) {}
        ~Probe() override { flag = true; }
        bool& flag;
    };
    bool deleted = false;
    noPanel.showModalDialogTopCentred (new Probe (deleted), 400, 200, 15);
    EXPECT_TRUE (deleted);
}

//==============================================================================
// An OK/Cancel dialog whose actions write into a log.
class DialogActionsTest : public ModalPanelTest
{
protected:
    std::vector<std::string> log;
    OkCancelDialog* dialog = nullptr;
    juce::Component::SafePointer<juce::Component> alive;

    void SetUp() override
    {
        dialog = new OkCancelDialog();
        dialog->okActions = { [this] { log.push_back ("ok 1"); }, [this] { log.push_back ("ok 2"); } };
        dialog->cancelActions = { [this] { log.push_back ("cancel 1"); }, [this] { log.push_back ("cancel 2"); } };
        alive = dialog;
        host.showModalDialogTopCentred (dialog, 400, 200, 15);
    }

    void expectClosed()
    {
        EXPECT_EQ (alive, nullptr);
        EXPECT_EQ (panel.getDialog(), nullptr);
        EXPECT_FALSE (panel.isVisible());
    }
};

TEST_F (DialogActionsTest, OkRunsItsActionsInOrderThenCloses)
{
    click (dialog->getOkButton());
    EXPECT_EQ (log, (std::vector<std::string> { "ok 1", "ok 2" }));
    expectClosed();
}

TEST_F (DialogActionsTest, CancelRunsOnlyItsOwnActionsThenCloses)
{
    click (dialog->getCancelButton());
    EXPECT_EQ (log, (std::vector<std::string> { "cancel 1", "cancel 2" }));
    expectClosed();
}

TEST_F (DialogActionsTest, CloseButtonClosesWithoutRunningEitherList)
{
    auto& closeButton = dialog->getTitleBar().getCloseButton();
    closeButton.mouseDown (mouseEventFor (closeButton));
    EXPECT_TRUE (log.empty());
    expectClosed();
}

TEST_F (DialogActionsTest, EmptyListsJustClose)
{
    dialog->okActions.clear();
    click (dialog->getOkButton());
    expectClosed();
}

TEST_F (DialogActionsTest, AnActionThatClosesTheDialogEndsTheList)
{
    // The dialog and its list are gone after the second action: the third must not run,
    // and nothing may touch the deleted dialog (ASan sees it).
    dialog->okActions = { [this] { log.push_back ("ok 1"); },
                          [this] { dialog->closeDialog(); },
                          [this] { log.push_back ("ok 3"); } };
    click (dialog->getOkButton());
    EXPECT_EQ (log, (std::vector<std::string> { "ok 1" }));
    expectClosed();
}

TEST_F (DialogActionsTest, AnotherButtonDoesNothing)
{
    juce::TextButton stranger ("stranger");
    dialog->buttonClicked (&stranger);
    EXPECT_TRUE (log.empty());
    EXPECT_NE (alive, nullptr);
    EXPECT_TRUE (panel.isVisible());
}

TEST_F (ModalPanelTest, AlertClosesOnItsOkButton)
{
    auto* alert = new AlertBoxDialog();
    const juce::Component::SafePointer<juce::Component> alive (alert);
    host.showModalDialogTopCentred (alert, 400, 200, 15);
    EXPECT_FALSE (alert->getCancelButton().isVisible());

    click (alert->getOkButton());
    EXPECT_EQ (alive, nullptr);
    EXPECT_FALSE (panel.isVisible());
}

TEST (DialogClosingTest, DialogOutsideAPanelIgnoresClosing)
{
    juce::Component parent;
    OkCancelDialog dialog;
    bool ran = false;
    dialog.okActions = { [&ran] { ran = true; } };
    parent.addAndMakeVisible (dialog);

    click (dialog.getOkButton());
    EXPECT_TRUE (ran);
    EXPECT_EQ (dialog.getParentComponent(), &parent);

    dialog.titleBarClicked (ModalPanel::TitleBar::closeAction);
    EXPECT_EQ (dialog.getParentComponent(), &parent);
}

TEST (DialogClosingTest, CloseButtonHoversAndAsksItsTitleBarsListener)
{
    struct Recorder : ModalPanel::TitleBar::Listener
    {
        void titleBarClicked (ModalPanel::TitleBar::TitleBarActions action) override { actions.push_back (action); }
        std::vector<int> actions;
    };

    Recorder recorder;
    ModalPanel::TitleBar bar (3, &recorder);
    bar.setSize (398, 28);
    auto& button = bar.getCloseButton();

    button.mouseEnter (mouseEventFor (button));
    EXPECT_TRUE (button.isHovered());
    EXPECT_EQ (button.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));
    button.mouseExit (mouseEventFor (button));
    EXPECT_FALSE (button.isHovered());
    EXPECT_EQ (button.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));

    button.mouseDown (mouseEventFor (button));
    EXPECT_EQ (recorder.actions, std::vector<int> { 0 });

    // A bar without a listener, and a button outside any bar, do nothing.
    ModalPanel::TitleBar lonely (3, nullptr);
    lonely.getCloseButton().mouseDown (mouseEventFor (lonely.getCloseButton()));
    ModalPanel::TitleBar::CloseButton orphan;
    orphan.mouseDown (mouseEventFor (orphan));
    EXPECT_EQ (recorder.actions, std::vector<int> { 0 });
}

TEST (DialogClosingTest, OnlyTheCloseActionCloses)
{
    DialogHost host;
    auto* dialog = new AlertBoxDialog();
    const juce::Component::SafePointer<juce::Component> alive (dialog);
    host.showModalDialogTopCentred (dialog, 400, 200, 15);

    dialog->titleBarClicked (static_cast<ModalPanel::TitleBar::TitleBarActions> (1));
    EXPECT_NE (alive, nullptr);
    dialog->titleBarClicked (ModalPanel::TitleBar::closeAction);
    EXPECT_EQ (alive, nullptr);
}

//==============================================================================
TEST_F (ModalPanelTest, PaintsTheOverlayTheShadowAndTheBox)
{
    const auto emptyPanel = tarnello::test::snapshot (panel, "modal-panel-empty");
    EXPECT_EQ (emptyPanel.getPixelAt (10, 10).getAlpha(), 0) << "no dialog, no overlay";

    auto* dialog = new OkCancelDialog();
    dialog->setTitle ("Save as Default");
    dialog->setMessage ("Are you sure you want to save current state as Default?");
    dialog->getOkButton().setButtonText ("Save");
    host.showModalDialogTopCentred (dialog, 400, 200, 15);

    const auto image = tarnello::test::snapshot (host, "modal-panel-ok-cancel");
    ASSERT_EQ (image.getWidth(), 786);

    // The overlay darkens the editor: 0xAA black far from the dialog.
    const auto overlay = image.getPixelAt (5, 290);
    EXPECT_NEAR (overlay.getAlpha(), 0xAA, 1);
    EXPECT_EQ (overlay.getRed(), 0);

    // The shadow falls below and to the right of the box: darker there than above it.
    const auto belowBox = image.getPixelAt (193 + 200, 15 + 200 + 8);
    EXPECT_GT (belowBox.getAlpha(), overlay.getAlpha());

    // The box is grey, lighter at its top than at its bottom.
    const auto top = image.getPixelAt (193 + 10, 15 + 32);
    const auto bottom = image.getPixelAt (193 + 10, 15 + 196);
    EXPECT_GT (top.getAlpha(), 0xAA);
    EXPECT_GT (top.getBrightness(), bottom.getBrightness());

    // The title and the message are drawn in white, the close button as a light disc.
    EXPECT_GT (tarnello::test::countLightPixels (image, { 193 + 100, 15 + 2, 200, 26 }), 30);
    EXPECT_GT (tarnello::test::countLightPixels (image, dialog->getTextArea().translated (193, 15)), 100);
    EXPECT_EQ (tarnello::test::countLightPixels (image, { 193 + 4, 15 + 40, 8, 100 }), 0);
    const auto closeCentre = dialog->getTitleBar().getCloseButton().getBounds().getCentre().translated (193 + 1, 15 + 1);
    EXPECT_GT (image.getPixelAt (closeCentre.x - 6, closeCentre.y).getBrightness(), 0.3f);
}
} // namespace
