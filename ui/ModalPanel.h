#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// Runs each action in order over a copy of the list, and stops as soon as `owner`
// is gone: an action may close the dialog that holds the list (Return confirms and
// closes). Returns whether `owner` still exists afterwards.
bool runActionsWhileAlive (const std::vector<std::function<void()>>& actions, juce::Component& owner);

// Where the parts of a dialog of width w and height h go; the same numbers for
// every dialog of the family.
struct DialogLayout
{
    juce::Rectangle<int> titleBar;
    juce::Rectangle<int> okButton;
    juce::Rectangle<int> cancelButton;
    juce::Rectangle<int> textArea;
    juce::Rectangle<int> alertOkButton; // the OK button alone, centred

    static DialogLayout forSize (int width, int height);
};

// The translucent overlay over the whole editor that holds the one dialog shown.
// It owns the dialog and is visible exactly while it holds one.
class ModalPanel : public juce::Component
{
public:
    class TitleBar : public juce::Component
    {
    public:
        enum TitleBarActions
        {
            closeAction = 0
        };

        class Listener
        {
        public:
            virtual ~Listener() = default;
            virtual void titleBarClicked (TitleBarActions action) = 0;
        };

        class CloseButton : public juce::Component
        {
        public:
            CloseButton();

            void mouseEnter (const juce::MouseEvent&) override;
            void mouseExit (const juce::MouseEvent&) override;
            void mouseDown (const juce::MouseEvent&) override;
            void paint (juce::Graphics&) override;

            bool isHovered() const noexcept { return hovered; }

        private:
            bool hovered = false;
        };

        TitleBar (int cornerSize, Listener* listener);

        void paint (juce::Graphics&) override;
        void resized() override;

        void setTitle (const juce::String& newTitle);
        const juce::String& getTitle() const noexcept { return title; }
        Listener* getListener() const noexcept { return listener; }
        CloseButton& getCloseButton() noexcept { return *closeButton; }

    private:
        int cornerSize;
        Listener* listener;
        std::unique_ptr<CloseButton> closeButton;
        juce::String title;
    };

    ModalPanel();
    ~ModalPanel() override;

    void paint (juce::Graphics&) override;

    juce::Component* getDialog() const noexcept { return dialog.get(); }

    // Takes `newDialog` over and shows it, deleting the one held before; the dialog
    // already held changes nothing, null only deletes.
    void setDialog (juce::Component* newDialog);

    // Deletes the dialog and hides the panel.
    void closeDialog();

private:
    std::unique_ptr<juce::Component> dialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModalPanel)
};

// The rounded dark box with a title bar and a round close button.
class BasicDialog : public juce::Component, public ModalPanel::TitleBar::Listener
{
public:
    BasicDialog();
    ~BasicDialog() override;

    virtual void closeDialog() = 0;
    void titleBarClicked (ModalPanel::TitleBar::TitleBarActions action) override;

    void paint (juce::Graphics&) override;
    void resized() override;

    void setTitle (const juce::String& title) { titleBar->setTitle (title); }
    juce::String getTitle() const { return titleBar->getTitle(); }
    ModalPanel::TitleBar& getTitleBar() noexcept { return *titleBar; }

protected:
    // Deletes this dialog through the panel that holds it; nothing when there is none.
    // Nothing of the dialog may be touched after it.
    void closeThroughPanel();

    std::unique_ptr<ModalPanel::TitleBar> titleBar;
    float cornerSize = 3.0f;
};

// The box with an "Ok" and a "Cancel" button at the bottom.
class BasicOkCancelDialog : public BasicDialog
{
public:
    BasicOkCancelDialog();
    ~BasicOkCancelDialog() override;

    void resized() override;

    juce::TextButton& getOkButton() noexcept { return *okButton; }
    juce::TextButton& getCancelButton() noexcept { return *cancelButton; }

protected:
    std::unique_ptr<juce::TextButton> okButton;
    std::unique_ptr<juce::TextButton> cancelButton;
};

// The two buttons with a message text above them.
class BasicOkCancelTextDialog : public BasicOkCancelDialog
{
public:
    BasicOkCancelTextDialog();
    ~BasicOkCancelTextDialog() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void closeDialog() override;

    void setMessage (const juce::String& newMessage);
    const juce::String& getMessage() const noexcept { return message; }
    juce::Rectangle<int> getTextArea() const noexcept { return textArea; }

protected:
    juce::String message;
    juce::Rectangle<int> textArea;
};

// A message with a single "Ok" that closes it.
class AlertBoxDialog : public BasicOkCancelTextDialog, public juce::Button::Listener
{
public:
    AlertBoxDialog();
    ~AlertBoxDialog() override;

    void resized() override;
    void closeDialog() override;
    void buttonClicked (juce::Button*) override;
};

// A question whose "Ok" runs one list of actions and "Cancel" another; both close it.
class OkCancelDialog : public BasicOkCancelTextDialog, public juce::Button::Listener
{
public:
    OkCancelDialog();
    ~OkCancelDialog() override;

    void closeDialog() override;
    void buttonClicked (juce::Button*) override;

    std::vector<std::function<void()>> okActions;
    std::vector<std::function<void()>> cancelActions;
};

// Mix-in of an editor that shows dialogs in its modal panel; the editor owns the panel.
class ModalEditorBase
{
public:
    virtual ~ModalEditorBase() = default;

    // Hands `dialog` to the panel (which owns it from now on), centred, `top` from the
    // top, at most the panel's width minus 4 wide.
    void showModalDialogTopCentred (juce::Component* dialog, int width, int height, int top);

    ModalPanel* modalPanel = nullptr;
};
