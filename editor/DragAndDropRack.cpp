#include "editor/DragAndDropRack.h"

#include "framework/DovrethProcessor.h"

#include <atomic>
#include <cmath>
#include <cstdlib>

namespace
{
std::int64_t nextRackIdentity()
{
    static std::atomic<std::int64_t> counter { 0 };
    return ++counter;
}

DragAndDropItem* itemOf (const juce::DragAndDropTarget::SourceDetails& details)
{
    return dynamic_cast<DragAndDropItem*> (details.sourceComponent.get());
}
} // namespace

DragAndDropRack::DragAndDropRack (DovrethProcessor* processorToUse, juce::Viewport* viewportToUse,
                                  Listener* listenerToUse, std::unique_ptr<RackSettings> settingsToUse)
    : identity (nextRackIdentity()),
      description ("_moduleItem_" + juce::String (identity)),
      settings (settingsToUse != nullptr ? std::move (settingsToUse) : std::make_unique<RackSettings>()),
      viewport (viewportToUse),
      listener (listenerToUse),
      processor (processorToUse)
{
    animator.addChangeListener (this);
}

DragAndDropRack::~DragAndDropRack()
{
    animator.removeChangeListener (this);
    animator.cancelAllAnimations (false);
    deleteAllItems();
}

void DragAndDropRack::deleteAllItems()
{
    for (int i = items.size(); --i >= 0;)
    {
        auto* item = items[i];
        animator.cancelAnimation (item, false);
        delete item;
    }

    items.clear();
    orderAtDragStart.clear();
    itemOutside = nullptr;
}

void DragAndDropRack::changeListenerCallback (juce::ChangeBroadcaster*)
{
    if (animator.isAnimating() || draggingOver)
        return;

    if (viewport == nullptr)
    {
        if (listener != nullptr)
            listener->rackResizeIfNeeded();
        return;
    }

    // A resize of the editor may reset the viewport; keep the user's place.
    const auto viewPosition = viewport->getViewPosition();

    if (listener != nullptr)
        listener->rackResizeIfNeeded();

    viewport->setViewPosition (viewPosition);
}

bool DragAndDropRack::isInterestedInDragSource (const juce::DragAndDropTarget::SourceDetails& details)
{
    return details.description.toString() == description;
}

void DragAndDropRack::dragOperationStarted (const juce::DragAndDropTarget::SourceDetails&)
{
    orderAtDragStart.clear();
    itemOutside = nullptr;
    draggingOver = false;
    orderAtDragStart.addArray (items);
}

void DragAndDropRack::itemDragEnter (const juce::DragAndDropTarget::SourceDetails& details)
{
    if (auto* item = itemOf (details))
    {
        draggingOver = true;
        item->isOutsideRack = false;
        itemOutside = nullptr;
    }
}

void DragAndDropRack::itemDragMove (const juce::DragAndDropTarget::SourceDetails& details)
{
    if (auto* item = itemOf (details))
    {
        draggingOver = true;
        item->setVisible (false);
        moveItem (item, details.localPosition);
    }
}

void DragAndDropRack::itemDragExit (const juce::DragAndDropTarget::SourceDetails& details)
{
    if (! settings->removeWhenDroppedOutside)
        return;

    if (auto* item = itemOf (details))
    {
        draggingOver = false;
        item->isOutsideRack = true;
        itemOutside = item;
    }
}

void DragAndDropRack::itemDropped (const juce::DragAndDropTarget::SourceDetails& details)
{
    if (itemOf (details) != nullptr)
    {
        draggingOver = true;
        updateItems (false);
    }
}

void DragAndDropRack::dragOperationEnded (const juce::DragAndDropTarget::SourceDetails&)
{
    if (itemOutside != nullptr)
    {
        const auto index = items.indexOf (itemOutside);
        itemOutside = nullptr;

        if (index >= 0)
            removeModule (index);
    }

    itemOutside = nullptr;
    draggingOver = false;

    if (items != orderAtDragStart)
        recordUndoPoint();

    orderAtDragStart.clear();
}

void DragAndDropRack::recordUndoPoint()
{
    if (processor != nullptr && processor->stateManager != nullptr)
        processor->stateManager->saveToHistoricalStates();
}

juce::Rectangle<int> DragAndDropRack::targetBounds (juce::Component* component)
{
    return animator.isAnimating (component) ? animator.getComponentDestination (component) : component->getBounds();
}

void DragAndDropRack::placeItem (DragAndDropItem* item, juce::Rectangle<int> bounds, bool animate)
{
    if (animate)
    {
        animator.animateComponent (item, bounds, 1.0f, settings->animationMs, false, 1.0, 1.0);
    }
    else
    {
        animator.cancelAnimation (item, false);
        item->setBounds (bounds);
    }
}

void DragAndDropRack::updateItems (bool animate)
{
    int x = 0;

    for (int i = 0; i < items.size(); ++i)
    {
        auto* item = items[i];

        if (item->getParentComponent() != this)
        {
            item->setVisible (true);
            addChildComponent (item, i);
        }

        placeItem (item, { x, 0, item->getWidth(), item->getHeight() }, animate);
        x += item->getWidth();
    }
}

void DragAndDropRack::moveItem (DragAndDropItem* item, juce::Point<int> position)
{
    const auto startIndex = items.indexOf (item);

    if (startIndex < 0)
        return;

    const auto left = position.x - item->grabX;
    const auto right = left + item->getWidth();
    auto index = startIndex;

    for (int pass = 0; pass < items.size(); ++pass)
    {
        const auto cur = items.indexOf (item);
        const auto own = targetBounds (item);
        const auto distance = std::abs (right - own.getRight());
        auto newIndex = cur;

        if (cur > 0 && std::abs (left - targetBounds (items[cur - 1]).getX()) < distance)
            newIndex = cur - 1;

        if (cur < items.size() - 1 && std::abs (left - own.getX()) > std::abs (right - targetBounds (items[cur + 1]).getRight()))
            newIndex = cur + 1;

        if (newIndex == cur)
            break;

        items.remove (cur);
        items.insert (newIndex, item);
        removeChildComponent (item);
        addChildComponent (item, newIndex);
        index = newIndex;

        int x = 0;
        for (auto* each : items)
        {
            placeItem (each, { x, 0, each->getWidth(), each->getHeight() }, each != item);
            x += each->getWidth();
        }
    }

    if (index != startIndex)
        moveModule (startIndex, index);
}

int DragAndDropRack::contentWidth() const
{
    int width = 0;
    for (auto* item : items)
        width += juce::jmax (0, item->itemWidth);
    return juce::jmax (minViewportWidth, width);
}

std::optional<DragAndDropRack::DisplayMetrics> DragAndDropRack::primaryDisplayMetrics()
{
    // With no display server there is no primary display at all.
    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        return DisplayMetrics { display->dpi, display->userArea.getWidth(), display->scale };

    return std::nullopt;
}

int DragAndDropRack::viewportWidthLimit (std::optional<DisplayMetrics> display)
{
    if (! display.has_value())
        return maxViewportWidth;

    const auto dpi = (float) display->dpi;
    const auto scale = (float) display->scale;

    if (! (dpi > 0.0f) || ! std::isfinite (dpi) || ! std::isfinite (scale))
        return maxViewportWidth;

    const auto limit = (96.0f / dpi) * (float) display->userAreaWidth * scale;

    // A display that reports no width is as good as none.
    if (! (limit >= 1.0f) || ! std::isfinite (limit))
        return maxViewportWidth;

    return limit >= (float) maxViewportWidth ? maxViewportWidth : (int) limit;
}

int DragAndDropRack::viewportWidthFor (const std::vector<int>& itemWidths, int limit)
{
    std::int64_t sum = 0;

    for (auto width : itemWidths)
    {
        const auto next = sum + juce::jmax (0, width);
        if (next > limit)
            break;
        sum = next;
    }

    return sum < minViewportWidth ? minViewportWidth : (int) sum;
}

int DragAndDropRack::estimatedViewportWidth() const
{
    std::vector<int> widths;
    widths.reserve ((size_t) items.size());
    for (auto* item : items)
        widths.push_back (item->itemWidth);

    return viewportWidthFor (widths, viewportWidthLimit (primaryDisplayMetrics()));
}
