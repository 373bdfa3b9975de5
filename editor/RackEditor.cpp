#include "editor/RackEditor.h"

#include "editor/ModuleEditor.h"
#include "framework/DovrethProcessor.h"

namespace
{
bool isSlot (int index)
{
    return index >= 0 && index < DovrethProcessor::numSlots;
}
} // namespace

RackEditor::RackEditor (DovrethProcessor* processorToUse, juce::Viewport* viewportToUse, Listener* listenerToUse,
                        std::unique_ptr<RackSettings> settingsToUse)
    : DragAndDropRack (processorToUse, viewportToUse, listenerToUse, std::move (settingsToUse))
{
    setOpaque (true);
}

RackEditor::~RackEditor()
{
    // Panels may still ask their rack for things while they go.
    deleteAllItems();
}

void RackEditor::installPanel (ModuleEditor* panel, juce::Rectangle<int> bounds)
{
    panel->generateGui (nullptr);
    panel->setBounds (bounds);
}

bool RackEditor::addModule (int slot, const juce::String& moduleType, bool, juce::XmlElement* state)
{
    if (processor == nullptr)
        return false;

    if (slot == -1)
        slot = items.size();

    if (! isSlot (slot) || processor->addModule (moduleType, slot, true) == nullptr)
        return false;

    auto module = std::atomic_load (&processor->modules[slot]);

    if (module == nullptr)
        return false;

    if (auto* panel = module->createEditor (module, this))
    {
        items.insert (slot, panel);
        updateItems (false);
        installPanel (panel, { slot * panel->itemWidth, 0, panel->itemWidth, getHeight() });
    }

    if (state != nullptr)
        module->setStateInformation (state);

    // After the restore, so that undoing returns to the rack as it was before the
    // module came, not to the module with its default values.
    recordUndoPoint();

    if (listener != nullptr)
        listener->rackResizeIfNeeded();

    if (viewport != nullptr)
        if (auto* panel = items[juce::jmin (slot, items.size() - 1)])
            viewport->setViewPosition (panel->getPosition());

    return true;
}

void RackEditor::moveModule (int from, int to)
{
    if (from == to || processor == nullptr || ! isSlot (from) || ! isSlot (to))
        return;

    auto* slots = processor->modules;
    const auto moving = std::atomic_load (&slots[from]);

    if (from < to)
        for (int i = from; i < to; ++i)
            std::atomic_store (&slots[i], std::atomic_load (&slots[i + 1]));
    else
        for (int i = from; i > to; --i)
            std::atomic_store (&slots[i], std::atomic_load (&slots[i - 1]));

    std::atomic_store (&slots[to], moving);
}

void RackEditor::swapModule (int a, int b)
{
    if (a == b || processor == nullptr || ! isSlot (a) || ! isSlot (b))
        return;

    auto* slots = processor->modules;
    const auto first = std::atomic_load (&slots[a]);
    std::atomic_store (&slots[a], std::atomic_load (&slots[b]));
    std::atomic_store (&slots[b], first);
}

void RackEditor::removeModule (int index)
{
    if (index >= 0 && index < items.size())
    {
        auto* item = items.removeAndReturn (index);
        animator.cancelAnimation (item, false);
        delete item;
    }

    if (processor != nullptr)
        processor->removeModule (index);

    moveModule (index, 0);
    updateItems (true);
}

void RackEditor::createEditors()
{
    deleteAllItems();

    if (processor == nullptr)
        return;

    auto module = std::atomic_load (&processor->modules[0]);

    if (module == nullptr)
        return;

    if (auto* panel = module->createEditor (module, this))
    {
        items.add (panel);
        addAndMakeVisible (panel, 0);
        installPanel (panel, { 0, 0, panel->itemWidth, getHeight() });
    }
}

juce::Array<ModuleEditor*> RackEditor::getModuleEditors() const
{
    juce::Array<ModuleEditor*> editors;
    for (auto* item : items)
        if (auto* editor = dynamic_cast<ModuleEditor*> (item))
            editors.add (editor);
    return editors;
}

void RackEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (backgroundColour));
}

void RackEditor::resized()
{
    int x = 0;
    for (auto* item : items)
    {
        item->setBounds (x, 0, item->itemWidth, settings->itemHeight);
        x += item->itemWidth;
    }
}
