#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "editor/Dictionary.h"
#include "editor/DragAndDropItem.h"

class Control;
class HelpTextVisor;
class ModuleControlAttachment;
class ModuleProcessor;
class RackEditor;
class ShapeDrawer;

// A module's panel in the rack. The module makes it; a builder fills its controls;
// the rack owns it.
class ModuleEditor : public DragAndDropItem
{
public:
    ModuleEditor (std::shared_ptr<ModuleProcessor> module, RackEditor* rack);
    ~ModuleEditor() override;

    // Every 33 ms from the main editor: pushes the module's state into the controls.
    void onTimer() override = 0;
    // Builds the panel's controls; the rack passes a null parent.
    virtual void generateGui (juce::Component* parent) = 0;
    virtual void setShowControlValues (bool show) = 0;

    // The module shown; the audio thread may replace the slot, so read it atomically.
    std::shared_ptr<ModuleProcessor> getModule() const { return std::atomic_load (&module); }
    RackEditor* getRackEditor() const noexcept { return rack; }

    // Filled by the panel's builder.
    std::shared_ptr<ModuleProcessor> module;
    RackEditor* rack = nullptr;
    juce::OwnedArray<ModuleControlAttachment> attachments;
    juce::OwnedArray<Control> controls;
    Dictionary<juce::String, Control*> controlsById;
    juce::OwnedArray<ShapeDrawer> shapes;
    HelpTextVisor* helpVisor = nullptr;

private:
    JUCE_DECLARE_NON_COPYABLE (ModuleEditor)
};
