#pragma once

// A panel built from a small layout document over a test module with one parameter
// of each kind a layout binds.

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "editor/LayoutAttributes.h"
#include "editor/ModuleEditorFromXml.h"
#include "framework/ModuleFloatParam.h"
#include "framework/ModuleIntParam.h"
#include "framework/PluginPaths.h"
#include "tests/framework/FakeModule.h"

namespace tarnello::test
{
// FakeModule's "Gain" (0..2), "Low Cut" (off/on) and "Time", plus "Mode" (three
// choices), "Steps" (0..3 in whole steps) and "Flat" (a range of one value). Meter i
// reads (i + 1) / 10.
class LayoutModule : public FakeModule
{
public:
    LayoutModule() : FakeModule (nullptr)
    {
        mode = new ModuleEnumParam (this, "Mode", { "Slow", "Medium", "Fast" });
        addParam (mode);
        steps = new ModuleFloatParam (this, "Steps", 0.0, 0.0, 3.0, 1.0, {});
        addParam (steps);
        flat = new ModuleFloatParam (this, "Flat", 1.0, 1.0, 1.0, 1.0, {});
        addParam (flat);
        panelWidth = 300;
    }

    float getMeterValue (int index) override { return (float) (index + 1) / 10.0f; }

    ModuleEnumParam* mode = nullptr;
    ModuleFloatParam* steps = nullptr;
    ModuleFloatParam* flat = nullptr;
};

// Counts the hook the builder calls once the panel is built.
class CountingPanel : public ModuleEditorFromXml
{
public:
    using ModuleEditorFromXml::ModuleEditorFromXml;
    void afterGuiGenerated() override { ++afterBuilds; }
    int afterBuilds = 0;
};

struct BuiltPanel
{
    explicit BuiltPanel (const juce::String& document, std::shared_ptr<LayoutModule> m = std::make_shared<LayoutModule>())
        : module (std::move (m)),
          layout (parseLayoutDocument (document)),
          panel (std::make_unique<CountingPanel> (module, nullptr, &layout))
    {
        panel->setSize (300, 200);
        panel->generateGui (nullptr);
    }

    template <typename ControlType>
    ControlType* find (const juce::String& id) const
    {
        return dynamic_cast<ControlType*> (panel->findControl (id));
    }

    std::shared_ptr<LayoutModule> module;
    juce::ValueTree layout;
    std::unique_ptr<CountingPanel> panel;
};
} // namespace tarnello::test
