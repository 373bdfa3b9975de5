#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "editor/DragAndDropItem.h"
#include "editor/RackSettings.h"

class DovrethProcessor;

// A row of draggable items: reorders them live while one is dragged, animates them
// into place, can drop an item dragged outside, and records an undo point when a
// drag changed the order. The items are owned by the rack.
class DragAndDropRack : public juce::Component,
                        public juce::DragAndDropTarget,
                        public juce::DragAndDropContainer,
                        public juce::ChangeListener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        // The rack's items changed: the editor checks its own size.
        virtual void rackResizeIfNeeded() = 0;
    };

    // What the width rule needs to know of the primary display.
    struct DisplayMetrics
    {
        double dpi = 0.0;
        int userAreaWidth = 0;
        double scale = 1.0;
    };

    static constexpr int maxViewportWidth = 2040;
    static constexpr int minViewportWidth = 240;

    DragAndDropRack (DovrethProcessor* processor, juce::Viewport* viewport, Listener* listener,
                     std::unique_ptr<RackSettings> settings = nullptr);
    ~DragAndDropRack() override;

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    virtual bool addModule (int slot, const juce::String& moduleType, bool unused, juce::XmlElement* state) = 0;
    virtual void moveModule (int from, int to) = 0;
    virtual void swapModule (int a, int b) = 0;
    virtual void removeModule (int index) = 0;

    void dragOperationStarted (const juce::DragAndDropTarget::SourceDetails& details) override;
    void dragOperationEnded (const juce::DragAndDropTarget::SourceDetails& details) override;
    bool isInterestedInDragSource (const juce::DragAndDropTarget::SourceDetails& details) override;
    void itemDragEnter (const juce::DragAndDropTarget::SourceDetails& details) override;
    void itemDragMove (const juce::DragAndDropTarget::SourceDetails& details) override;
    void itemDragExit (const juce::DragAndDropTarget::SourceDetails& details) override;
    void itemDropped (const juce::DragAndDropTarget::SourceDetails& details) override;

    // The width the viewport should get: the items that fit side by side on the
    // primary display (at most 2040 pixels), never below 240.
    int estimatedViewportWidth() const;

    // The limit for a display; with no display, or one that reports no usable
    // size or density, the 2040 cap.
    static int viewportWidthLimit (std::optional<DisplayMetrics> display);
    // The sum of the item widths, in order, that stays within the limit; 240 when
    // that sum is below 240.
    static int viewportWidthFor (const std::vector<int>& itemWidths, int limit);
    // The primary display's metrics, or none when there is no display.
    static std::optional<DisplayMetrics> primaryDisplayMetrics();

    // The sum of all item widths, at least 240: the rack's own width.
    int contentWidth() const;

    // Deletes every item, the last first.
    void deleteAllItems();

    // Places every item at its slot; animated or at once.
    void updateItems (bool animate);

    // Moves the items into place; the rack listens to it.
    juce::ComponentAnimator& getAnimator() noexcept { return animator; }

    // Same for the rack and every item in it, and different between racks.
    std::int64_t getIdentity() const noexcept { return identity; }

    const std::int64_t identity;
    juce::String description;
    std::unique_ptr<RackSettings> settings;
    juce::Array<DragAndDropItem*> items;
    juce::Viewport* viewport = nullptr;
    Listener* listener = nullptr;
    DovrethProcessor* processor = nullptr;

protected:
    // Moves the dragged item to the slot its dragged edges are nearest to.
    void moveItem (DragAndDropItem* item, juce::Point<int> position);
    // The bounds an item is heading for: the animation's end while it moves.
    juce::Rectangle<int> targetBounds (juce::Component* component);
    void placeItem (DragAndDropItem* item, juce::Rectangle<int> bounds, bool animate);
    void recordUndoPoint();

    juce::Array<DragAndDropItem*> orderAtDragStart;
    DragAndDropItem* itemOutside = nullptr;
    bool draggingOver = false;
    juce::ComponentAnimator animator;

private:
    JUCE_DECLARE_NON_COPYABLE (DragAndDropRack)
};
