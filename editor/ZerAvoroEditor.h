#pragma once

#include "editor/ModuleEditorFromXml.h"

class IKnobControl;
class LabelForControl;

// The delay module's panel: the generic layout panel, showing either the free time
// knob or the tempo note knob (with its caption) as "Delay Sync" says.
class ZerAvoroEditor : public ModuleEditorFromXml
{
public:
    static constexpr int panelHeight = 234;

    ZerAvoroEditor (std::shared_ptr<ModuleProcessor> module, RackEditor* rack, const juce::ValueTree* layout);

    // The module's panel, over the module's cached layout tree; the tree is made from
    // the document the program carries the first time. Null without a module.
    static ModuleEditor* create (std::shared_ptr<ModuleProcessor> module, RackEditor* rack);
    // The module's cached layout tree, read from the carried document while it is empty.
    // Stays empty when the document does not parse, which builds an empty panel.
    static const juce::ValueTree& layoutFor (ModuleProcessor& module);

    void afterGuiGenerated() override;
    void onTimer() override;
    void resized() override;

    IKnobControl* timeKnob = nullptr;
    IKnobControl* noteKnob = nullptr;
    LabelForControl* timeCaption = nullptr;
    LabelForControl* noteCaption = nullptr;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZerAvoroEditor)
};
