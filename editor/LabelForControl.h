#pragma once

#include "ui/Control.h"

// A label that is also a panel control: a parameter's value text, a fixed caption,
// or a knob's floating value label. An editable one opens for typing on a single
// click; one made with `hideAfterEdit` hides itself when its editor closes.
// Starts hidden, with empty text, centred, in the "Default" font at 18.
class LabelForControl : public Control,
                        public juce::Label
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    LabelForControl (juce::Rectangle<int> bounds, bool editable, bool hideAfterEdit);

    void applyControlBounds() override;

    bool hidesAfterEdit() const noexcept { return hideAfterEdit; }

protected:
    void editorAboutToBeHidden (juce::TextEditor* textEditor) override;
    void editorShown (juce::TextEditor* textEditor) override;

private:
    bool hideAfterEdit = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabelForControl)
};
