#pragma once

// A framework processor whose one module type builds a small panel that records
// what the rack does with it.

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

#include "editor/ModuleEditor.h"
#include "editor/RackEditor.h"
#include "framework/DovrethProcessor.h"
#include "tests/framework/FakeModule.h"

namespace tarnello::test
{
struct PanelLog
{
    int created = 0;
    int deleted = 0;
    int built = 0;
    int builtWithParent = 0;
    int ticks = 0;
    int alive() const { return created - deleted; }
};

class RecordingPanel : public ModuleEditor
{
public:
    RecordingPanel (std::shared_ptr<ModuleProcessor> m, RackEditor* r, PanelLog& logToUse)
        : ModuleEditor (std::move (m), r), log (logToUse)
    {
        ++log.created;
    }

    ~RecordingPanel() override { ++log.deleted; }

    void onTimer() override { ++log.ticks; }

    void generateGui (juce::Component* parent) override
    {
        ++log.built;
        if (parent != nullptr)
            ++log.builtWithParent;
        parentAtBuild = getParentComponent();
    }

    void setShowControlValues (bool) override {}

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::white); }

    juce::Component* parentAtBuild = nullptr;
    PanelLog& log;
};

// The fake module with a panel of a chosen width.
class PanelModule : public FakeModule
{
public:
    static constexpr const char* typeName = "panelled";

    PanelModule (DovrethProcessor* p, PanelLog& logToUse, int width) : FakeModule (p), log (logToUse)
    {
        panelWidth = width;
    }

    ModuleEditor* createEditor (std::shared_ptr<ModuleProcessor> self, RackEditor* rack) override
    {
        selfGiven = self.get();
        return new RecordingPanel (std::move (self), rack, log);
    }

    ModuleProcessor* selfGiven = nullptr;
    PanelLog& log;
};

class RackProcessor : public DovrethProcessor
{
public:
    explicit RackProcessor (int panelWidthToUse = 786) : panelWidth (panelWidthToUse)
    {
        moduleFactory->registerModule (PanelModule::typeName,
                                       [this] { return new PanelModule (this, log, panelWidth); });
        defaultModules.add (PanelModule::typeName);
    }

    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

    PanelModule* module() const { return dynamic_cast<PanelModule*> (getModule (0).get()); }

    // Snapshots the undo history holds, the present one included.
    int undoPoints() const
    {
        auto& history = stateManager->history;
        return history.undoStates.size() + (history.current != nullptr ? 1 : 0);
    }

    PanelLog log;
    int panelWidth;
};

// A bare rack item, so that a rack can hold several; counts the live ones.
struct PlainItem : DragAndDropItem
{
    PlainItem (int width, const juce::String& nameToUse)
    {
        ++live;
        itemWidth = width;
        setSize (width, 234);
        setName (nameToUse);
        dragArea = { 0, 0, width, 30 };
    }
    ~PlainItem() override { --live; }
    void onTimer() override {}
    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::steelblue); }

    static inline int live = 0;
};

struct CountingListener : DragAndDropRack::Listener
{
    void rackResizeIfNeeded() override
    {
        ++calls;
        if (onResize)
            onResize();
    }
    int calls = 0;
    std::function<void()> onResize;
};
} // namespace tarnello::test
