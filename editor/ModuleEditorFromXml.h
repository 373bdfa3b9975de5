#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

#include "editor/Dictionary.h"
#include "editor/LayoutAttributes.h"
#include "editor/ModuleEditor.h"

class Imaged;
class LabeledSlider;
class LabelForControl;
class MeterControl;
class ModuleParam;
class ModuleProcessor;

// A module panel whose controls come from a layout document: each child element of
// the document's root names a control, label, shape, sub-panel, image or prop set.
// The panel builds them once, binds each to the parameter it names and refreshes
// them from the module on the editor's timer.
class ModuleEditorFromXml : public ModuleEditor
{
public:
    // `layout` is the module's cached layout tree (owned by the module); null or an
    // invalid tree builds an empty panel.
    ModuleEditorFromXml (std::shared_ptr<ModuleProcessor> module, RackEditor* rack, const juce::ValueTree* layout);
    ~ModuleEditorFromXml() override;

    void onTimer() override;
    // With a null container: builds the whole panel, then pushes every value once.
    // With a sub-panel built here: builds that panel's children only.
    void generateGui (juce::Component* container) override;
    void setShowControlValues (bool show) override;
    // Called once after the whole panel is built, before the first values are pushed.
    virtual void afterGuiGenerated() {}

    void paint (juce::Graphics& g) override;
    void resized() override;

    // The prop set an element names, or an invalid tree.
    juce::ValueTree getProps (const juce::ValueTree& element);
    // Enters `control` under the element's "id", unless the id is absent or taken.
    void addToControlsMap (const juce::ValueTree& element, Control* control);

    void createKnob (const juce::ValueTree& element, juce::Component* container);
    void createLabel (const juce::ValueTree& element, juce::Component* container, bool caption);
    void setControlHit (Control* control, const juce::ValueTree& element);
    // The slider's floating value label, or null when the element asks for none.
    LabelForControl* setFloatingLabelForSlider (LabeledSlider* slider, const juce::ValueTree& element,
                                                juce::Rectangle<int> controlBounds);

    // Control lookup by id; null when absent.
    Control* findControl (const juce::String& id);

    const juce::ValueTree* layout = nullptr;
    Dictionary<juce::String, juce::ValueTree> props;
    juce::Colour backgroundColour;
    std::unique_ptr<Imaged> backgroundImage;
    std::vector<MeterControl*> meters;

    // Told of every attribute the builder looks up (tests find unread attributes with it).
    LayoutReadObserver readObserver;

private:
    void buildChildren (const juce::ValueTree& root, juce::Component* container, ModuleProcessor& module);
    void buildElement (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& module);
    void createControl (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& module);
    void createIKnob (const juce::ValueTree& element, juce::Component* container, ModuleParam& param);
    void createISwitch (const juce::ValueTree& element, juce::Component* container, ModuleParam& param);
    void createIContact (const juce::ValueTree& element, juce::Component* container, ModuleParam& param);
    void createMenu (const juce::ValueTree& element, juce::Component* container, ModuleParam& param);
    void createSwitch (const juce::ValueTree& element, juce::Component* container, ModuleParam& param, ModuleProcessor& module);
    void createPanel (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& module);
    void createShape (const juce::ValueTree& element);
    void createImage (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& module);

    LayoutAttributes attributesOf (const juce::ValueTree& element);
    // The parameter an element's "param" names, or null.
    ModuleParam* paramOf (const juce::ValueTree& element, ModuleProcessor& module);
    Imaged* makeImage (const juce::String& path);
    // Adds a built control to `controls`, the id map and the container, shown, at its bounds.
    void place (Control* control, juce::Component& component, const juce::ValueTree& element, juce::Component* container);
    HelpTextVisor* findHelpVisor() const;

    // Film strips of the controls; the controls only point at them.
    juce::OwnedArray<Imaged> images;
    // Sub-panels built here and the elements their children come from.
    std::vector<std::pair<juce::Component*, juce::ValueTree>> panelElements;
    bool built = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModuleEditorFromXml)
};
