#include "editor/LabelForControl.h"

#include "ui/CustomLookAndFeel.h"

LabelForControl::LabelForControl (juce::Rectangle<int> bounds, bool editable, bool shouldHideAfterEdit)
    : hideAfterEdit (shouldHideAfterEdit)
{
    controlBounds = bounds;

    setVisible (false);
    setJustificationType (juce::Justification::centred);
    setFont (juce::Font (CustomLookAndFeel::defaultTypefaceName, 18.0f, juce::Font::plain));
    // A single click opens the editor; leaving the field keeps what was typed.
    setEditable (editable, false, false);
}

void LabelForControl::applyControlBounds()
{
    setBounds (controlBounds);
}

void LabelForControl::editorShown (juce::TextEditor* textEditor)
{
    if (textEditor != nullptr)
        textEditor->setJustification (juce::Justification::centred);
}

void LabelForControl::editorAboutToBeHidden (juce::TextEditor* textEditor)
{
    juce::Label::editorAboutToBeHidden (textEditor);

    if (hideAfterEdit)
        setVisible (false);
}
