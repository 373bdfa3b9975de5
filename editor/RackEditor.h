#pragma once

#include "editor/DragAndDropRack.h"

class ModuleEditor;

// The rack of module panels: asks the processor to add, move, swap and remove
// modules and has each module make its own panel.
class RackEditor : public DragAndDropRack
{
public:
    RackEditor (DovrethProcessor* processor, juce::Viewport* viewport, Listener* listener,
                std::unique_ptr<RackSettings> settings = nullptr);
    ~RackEditor() override;

    bool addModule (int slot, const juce::String& moduleType, bool unused, juce::XmlElement* state) override;
    void moveModule (int from, int to) override;
    void swapModule (int a, int b) override;
    void removeModule (int index) override;

    // Throws the panels away and has the module in slot 0 build a new one.
    void createEditors();

    // The items that are module panels, in rack order.
    juce::Array<ModuleEditor*> getModuleEditors() const;

    void paint (juce::Graphics& g) override;
    void resized() override;

    static constexpr juce::uint32 backgroundColour = 0xff181818;

private:
    // Adds a freshly made panel as a child and builds its controls.
    void installPanel (ModuleEditor* panel, juce::Rectangle<int> bounds);

    JUCE_DECLARE_NON_COPYABLE (RackEditor)
};
