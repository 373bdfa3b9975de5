#include "ui/ModalPanel.h"

namespace
{
constexpr int titleBarHeight = 28;
constexpr int buttonHeight = 38;
constexpr int buttonBottomGap = 53; // from the dialog's bottom edge to the buttons' top
constexpr int buttonSpacing = 15;
constexpr int textMargin = 15;

const juce::Colour overlayColour { 0xAA000000 };
const juce::Colour boxColour { 0xCC333333 };
const juce::Colour boxOutlineColour { 0xFF222222 };

juce::Font defaultFont (float height)
{
    return juce::Font ("Default", height, juce::Font::plain);
}

int centredX (int containerWidth, int width)
{
    return width == containerWidth ? 0 : containerWidth / 2 - width / 2;
}
} // namespace

bool runActionsWhileAlive (const std::vector<std::function<void()>>& actions, juce::Component& owner)
{
    const juce::Component::SafePointer<juce::Component> alive (&owner);
    const auto copy = actions;

    for (const auto& action : copy)
    {
        if (alive == nullptr)
            return false;
        if (action)
            action();
    }

    return alive != nullptr;
}

DialogLayout DialogLayout::forSize (int width, int height)
{
    DialogLayout layout;
    layout.titleBar = { 1, 1, width - 2, titleBarHeight };

    const int buttonWidth = 120 + juce::jmin (0, (width - 285) / 2);
    const int total = 2 * buttonWidth + buttonSpacing;
    const int x0 = centredX (width, total);
    const int buttonTop = height - buttonBottomGap;
    layout.okButton = { x0, buttonTop, buttonWidth, buttonHeight };
    layout.cancelButton = { x0 + buttonWidth + buttonSpacing, buttonTop, buttonWidth, buttonHeight };

    const int titleBottom = layout.titleBar.getBottom();
    layout.textArea = { textMargin, titleBottom + textMargin, width - 2 * textMargin,
                        buttonTop - titleBottom - 2 * textMargin };

    layout.alertOkButton = { centredX (width, buttonWidth), buttonTop, buttonWidth, buttonHeight };
    return layout;
}

//==============================================================================
ModalPanel::TitleBar::CloseButton::CloseButton() = default;

void ModalPanel::TitleBar::CloseButton::mouseEnter (const juce::MouseEvent&)
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
    hovered = true;
    repaint();
}

void ModalPanel::TitleBar::CloseButton::mouseExit (const juce::MouseEvent&)
{
    setMouseCursor (juce::MouseCursor::NormalCursor);
    hovered = false;
    repaint();
}

void ModalPanel::TitleBar::CloseButton::mouseDown (const juce::MouseEvent&)
{
    // Closing deletes this button with its dialog: nothing may follow the call.
    if (auto* bar = findParentComponentOfClass<TitleBar>())
        if (auto* barListener = bar->getListener())
            barListener->titleBarClicked (closeAction);
}

void ModalPanel::TitleBar::CloseButton::paint (juce::Graphics& g)
{
    const int w = getWidth();
    const int h = getHeight();

    g.setColour (juce::Colour (hovered ? 0xCCFFFFFFu : 0x88FFFFFFu));
    g.fillEllipse (4.0f, 4.0f, (float) juce::jmax (0, w - 8), (float) juce::jmax (0, h - 8));

    const auto a = (float) (juce::jmax (w - 8, 10) - 1);
    const auto b = (float) (juce::jmax (h - 8, 10) - 1);
    g.setColour (juce::Colour (0x88000000));
    g.drawLine (9.0f, 9.0f, a, b, 3.0f);
    g.drawLine (a, 9.0f, 9.0f, b, 3.0f);
}

ModalPanel::TitleBar::TitleBar (int cornerSizeIn, Listener* listenerIn)
    : cornerSize (cornerSizeIn), listener (listenerIn), closeButton (std::make_unique<CloseButton>())
{
    addAndMakeVisible (*closeButton);
}

void ModalPanel::TitleBar::setTitle (const juce::String& newTitle)
{
    title = newTitle;
    repaint();
}

void ModalPanel::TitleBar::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const auto corner = (float) cornerSize;

    juce::Path bar;
    bar.addRoundedRectangle (0.0f, 0.0f, w, h, corner, corner, true, true, false, false);
    g.setColour (juce::Colour (0x22FFFFFF));
    g.fillPath (bar);

    g.setColour (juce::Colour (0x33000000));
    g.drawLine (0.0f, h, w, h);

    g.setFont (defaultFont (17.0f));
    const auto box = getLocalBounds();
    g.setColour (juce::Colour (0x44000000));
    g.drawText (title, box.translated (1, 1), juce::Justification::centred, true);
    g.setColour (juce::Colours::white);
    g.drawText (title, box, juce::Justification::centred, true);
}

void ModalPanel::TitleBar::resized()
{
    const int h = getHeight();
    closeButton->setBounds (getWidth() - h - 1, 1, h - 1, h - 1);
}

//==============================================================================
ModalPanel::ModalPanel()
{
    setInterceptsMouseClicks (true, true);
}

ModalPanel::~ModalPanel() = default;

void ModalPanel::paint (juce::Graphics& g)
{
    if (dialog == nullptr)
        return;

    g.fillAll (overlayColour);
    juce::DropShadow (juce::Colour (0xAA010101), 26, { 5, 10 }).drawForRectangle (g, dialog->getBounds());
}

void ModalPanel::setDialog (juce::Component* newDialog)
{
    if (newDialog == dialog.get())
        return;

    // The old dialog goes before the new one is shown, as the user sees one at a time.
    dialog.reset();

    if (newDialog != nullptr)
    {
        dialog.reset (newDialog);
        addAndMakeVisible (*dialog);
    }
    repaint();
}

void ModalPanel::closeDialog()
{
    dialog.reset();
    setVisible (false);
}

//==============================================================================
BasicDialog::BasicDialog()
    : titleBar (std::make_unique<ModalPanel::TitleBar> ((int) 3.0f, this))
{
    addAndMakeVisible (*titleBar);
}

BasicDialog::~BasicDialog() = default;

void BasicDialog::titleBarClicked (ModalPanel::TitleBar::TitleBarActions action)
{
    if (action == ModalPanel::TitleBar::closeAction)
        closeDialog();
}

void BasicDialog::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const auto top = boxColour.withMultipliedBrightness (1.2f).withAlpha ((juce::uint8) 0xB2);

    const juce::Rectangle<float> box (1.0f, 1.0f, juce::jmax (0.0f, w - 2.0f), juce::jmax (0.0f, h - 2.0f));
    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, boxColour, 0.0f, h, false));
    g.fillRoundedRectangle (box, cornerSize);

    g.setColour (boxOutlineColour.withMultipliedBrightness (1.2f));
    g.drawRoundedRectangle (box, cornerSize, 1.0f);
}

void BasicDialog::resized()
{
    titleBar->setBounds (DialogLayout::forSize (getWidth(), getHeight()).titleBar);
}

void BasicDialog::closeThroughPanel()
{
    if (auto* panel = findParentComponentOfClass<ModalPanel>())
        if (panel->getDialog() == this)
            panel->closeDialog();
}

//==============================================================================
BasicOkCancelDialog::BasicOkCancelDialog()
    : okButton (std::make_unique<juce::TextButton> ("Ok")),
      cancelButton (std::make_unique<juce::TextButton> ("Cancel"))
{
    addAndMakeVisible (*okButton);
    addAndMakeVisible (*cancelButton);
}

BasicOkCancelDialog::~BasicOkCancelDialog() = default;

void BasicOkCancelDialog::resized()
{
    BasicDialog::resized();
    const auto layout = DialogLayout::forSize (getWidth(), getHeight());
    okButton->setBounds (layout.okButton);
    cancelButton->setBounds (layout.cancelButton);
}

//==============================================================================
BasicOkCancelTextDialog::BasicOkCancelTextDialog() = default;
BasicOkCancelTextDialog::~BasicOkCancelTextDialog() = default;

void BasicOkCancelTextDialog::setMessage (const juce::String& newMessage)
{
    message = newMessage;
    repaint();
}

void BasicOkCancelTextDialog::paint (juce::Graphics& g)
{
    BasicDialog::paint (g);
    g.setColour (juce::Colours::white);
    g.setFont (defaultFont (16.0f));
    g.drawFittedText (message, textArea, juce::Justification::centred, 10);
}

void BasicOkCancelTextDialog::resized()
{
    BasicOkCancelDialog::resized();
    textArea = DialogLayout::forSize (getWidth(), getHeight()).textArea;
}

void BasicOkCancelTextDialog::closeDialog()
{
    closeThroughPanel();
}

//==============================================================================
AlertBoxDialog::AlertBoxDialog()
{
    cancelButton->setVisible (false);
    okButton->addListener (this);
}

AlertBoxDialog::~AlertBoxDialog()
{
    okButton->removeListener (this);
}

void AlertBoxDialog::resized()
{
    BasicOkCancelTextDialog::resized();
    okButton->setBounds (DialogLayout::forSize (getWidth(), getHeight()).alertOkButton);
}

void AlertBoxDialog::closeDialog()
{
    closeThroughPanel();
}

void AlertBoxDialog::buttonClicked (juce::Button*)
{
    closeDialog();
}

//==============================================================================
OkCancelDialog::OkCancelDialog()
{
    okButton->addListener (this);
    cancelButton->addListener (this);
}

OkCancelDialog::~OkCancelDialog()
{
    okButton->removeListener (this);
    cancelButton->removeListener (this);
}

void OkCancelDialog::closeDialog()
{
    closeThroughPanel();
}

void OkCancelDialog::buttonClicked (juce::Button* button)
{
    const std::vector<std::function<void()>>* actions = nullptr;
    if (button == okButton.get())
        actions = &okActions;
    else if (button == cancelButton.get())
        actions = &cancelActions;
    else
        return;

    // An action may close this dialog itself; then there is nothing left to close.
    if (runActionsWhileAlive (*actions, *this))
        closeDialog();
}

//==============================================================================
void ModalEditorBase::showModalDialogTopCentred (juce::Component* dialog, int width, int height, int top)
{
    if (modalPanel == nullptr)
    {
        // No panel to own it: the dialog must not leak.
        delete dialog;
        return;
    }

    auto& panel = *modalPanel;
    const int w = juce::jmin (width, panel.getWidth() - 4);

    panel.setDialog (dialog);

    if (auto* shown = panel.getDialog())
    {
        const int x = panel.getWidth() == w ? 0 : panel.getWidth() / 2 - w / 2;
        shown->setBounds (x, top, w, height);
        panel.setVisible (true);
        panel.toFront (true);
    }
    else
    {
        // An empty overlay would only block the editor.
        panel.setVisible (false);
    }
}
