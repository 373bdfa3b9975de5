// Dragging rack items: when a press starts a drag or scrolls the rack, and how the
// rack reorders, drops and records what a drag did.

#include "editor/DragAndDropItem.h"
#include "editor/RackEditor.h"

#include "tests/editor/RackTestSupport.h"
#include "tests/ui/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using tarnello::test::mouseEvent;
using tarnello::test::RackProcessor;
using Details = juce::DragAndDropTarget::SourceDetails;

namespace
{
using tarnello::test::PlainItem;

const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
const auto right = juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier);

class DragAndDropTest : public ::testing::Test
{
protected:
    RackProcessor processor;
    juce::Viewport viewport;
    tarnello::test::CountingListener listener;
    RackEditor* rack = new RackEditor (&processor, &viewport, &listener);

    DragAndDropTest()
    {
        viewport.setViewedComponent (rack, true);
        viewport.setScrollBarsShown (false, false, false, true);
        viewport.setBounds (0, 0, 400, 234);
        for (auto name : { "a", "b", "c" })
            rack->items.add (new PlainItem (200, name));
        rack->updateItems (false);
        rack->setBounds (0, 0, 600, 234);
    }

    ~DragAndDropTest() override { viewport.setViewedComponent (nullptr); }

    DragAndDropItem& item (int index) { return *rack->items[index]; }

    juce::String order() const
    {
        juce::String names;
        for (auto* each : rack->items)
            names << each->getName();
        return names;
    }

    // A press that holds the left button on the item at (x, y) of its own.
    void press (DragAndDropItem& target, int x, int y, juce::ModifierKeys mods = left)
    {
        target.mouseDown (mouseEvent (target, { (float) x, (float) y }, mods, { (float) x, (float) y }));
    }
};

TEST_F (DragAndDropTest, RackItemsAreLaidOutSideBySide)
{
    EXPECT_EQ (item (0).getBounds(), juce::Rectangle<int> (0, 0, 200, 234));
    EXPECT_EQ (item (1).getBounds(), juce::Rectangle<int> (200, 0, 200, 234));
    EXPECT_EQ (item (2).getBounds(), juce::Rectangle<int> (400, 0, 200, 234));
    EXPECT_EQ (rack->contentWidth(), 600);
}

TEST_F (DragAndDropTest, ARightButtonPressDoesNothing)
{
    rack->settings->dragEnabled = true;
    // Close to the viewport's right edge, where a held left button would scroll.
    press (item (1), 190, 10, right);

    EXPECT_EQ (item (1).grabX, 0);
    EXPECT_FALSE (item (1).isDragging);
    EXPECT_EQ (viewport.getViewPositionX(), 0);
}

TEST_F (DragAndDropTest, WithDraggingOffAPressNeitherDragsNorScrolls)
{
    ASSERT_FALSE (rack->settings->dragEnabled);
    press (item (1), 190, 10);
    item (1).mouseDrag (mouseEvent (item (1), { 195.0f, 12.0f }, left, { 190.0f, 10.0f }, true));

    EXPECT_FALSE (item (1).isDragging);
    EXPECT_FALSE (rack->isDragAndDropActive());
    EXPECT_EQ (viewport.getViewPositionX(), 0);
    EXPECT_EQ (item (1).getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
}

TEST_F (DragAndDropTest, APressOutsideTheGripScrollsButStartsNoDrag)
{
    rack->settings->dragEnabled = true;
    // Below the 30-pixel grip, 10 pixels from the viewport's right edge.
    press (item (1), 190, 100);

    EXPECT_EQ (item (1).grabX, 190);
    EXPECT_FALSE (rack->isDragAndDropActive());
    EXPECT_EQ (item (1).getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
    EXPECT_GT (viewport.getViewPositionX(), 0);
    EXPECT_LE (viewport.getViewPositionX(), 60) << "one step scrolls at most 60 pixels";

    // Away from the edges the rack stays where it is.
    const auto scrolled = viewport.getViewPositionX();
    item (1).mouseDrag (mouseEvent (item (1), { 100.0f, 100.0f }, left, { 190.0f, 100.0f }, true));
    EXPECT_EQ (viewport.getViewPositionX(), scrolled);
}

TEST_F (DragAndDropTest, APressInTheGripTakesTheHandAndNamesTheDragAsTheRackDoes)
{
    rack->settings->dragEnabled = true;
    // With alt held the image is fixed from the start; the pointer here is not
    // really down, so no drag can start and there is no image to change.
    press (item (1), 20, 10, left.withFlags (juce::ModifierKeys::altModifier));

    EXPECT_EQ (item (1).getMouseCursor(), juce::MouseCursor (juce::MouseCursor::DraggingHandCursor));
    EXPECT_EQ (item (1).description, rack->description);
    EXPECT_EQ (item (1).draggingState, DragAndDropItem::DraggingState::fixed);
    EXPECT_TRUE (rack->isInterestedInDragSource ({ item (1).description, &item (1), {} }));

    item (1).mouseUp (mouseEvent (item (1), { 20.0f, 10.0f }, {}, { 20.0f, 10.0f }, true));
    EXPECT_EQ (item (1).getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
    EXPECT_EQ (item (1).draggingState, DragAndDropItem::DraggingState::none);
}

TEST_F (DragAndDropTest, ReleasingShowsTheItemAgainUnlessItWasDraggedOutside)
{
    rack->settings->dragEnabled = true;

    press (item (0), 20, 100);
    ASSERT_TRUE (item (0).isDragging);
    item (0).setVisible (false); // as the rack hides it while it is dragged over it
    item (0).mouseUp (mouseEvent (item (0), { 20.0f, 100.0f }, {}, { 20.0f, 100.0f }, true));
    EXPECT_TRUE (item (0).isVisible());
    EXPECT_FALSE (item (0).isDragging);
    EXPECT_EQ (item (0).draggingState, DragAndDropItem::DraggingState::none);

    press (item (0), 20, 100);
    item (0).setVisible (false);
    item (0).isOutsideRack = true;
    item (0).mouseUp (mouseEvent (item (0), { 20.0f, 100.0f }, {}, { 20.0f, 100.0f }, true));
    EXPECT_FALSE (item (0).isVisible()) << "the rack may be removing it";
}

TEST_F (DragAndDropTest, TheDragImageStateChangesOnlyWhenItDiffers)
{
    item (0).setDraggingState (rack, DragAndDropItem::DraggingState::outsideRack);
    EXPECT_EQ (item (0).draggingState, DragAndDropItem::DraggingState::outsideRack);
    item (0).setDraggingState (rack, DragAndDropItem::DraggingState::insideRack);
    EXPECT_EQ (item (0).draggingState, DragAndDropItem::DraggingState::insideRack);
    // Without a container there is no image to redo, but the state still follows.
    item (0).setDraggingState (nullptr, DragAndDropItem::DraggingState::fixed);
    EXPECT_EQ (item (0).draggingState, DragAndDropItem::DraggingState::fixed);
}

TEST_F (DragAndDropTest, DraggingPastANeighbourSwapsThemAndRecordsOneUndoPoint)
{
    const auto before = processor.undoPoints();
    item (0).grabX = 50;
    const Details details { rack->description, &item (0), {} };
    rack->dragOperationStarted (details);
    rack->itemDragEnter (details);

    auto* dragged = &item (0);
    rack->itemDragMove ({ rack->description, dragged, { 300, 10 } });
    EXPECT_EQ (order(), "bac");
    EXPECT_FALSE (dragged->isVisible()) << "hidden while its image is dragged";
    EXPECT_EQ (dragged->getBounds().getX(), 200) << "the dragged item goes to its slot at once";
    EXPECT_TRUE (rack->getAnimator().isAnimating (&item (0))) << "the neighbour slides into place";

    rack->itemDropped ({ rack->description, dragged, { 300, 10 } });
    rack->dragOperationEnded (details);

    EXPECT_EQ (item (0).getBounds().getX(), 0);
    EXPECT_EQ (item (1).getBounds().getX(), 200);
    EXPECT_EQ (rack->getChildComponent (0), &item (0)) << "children follow the items' order";
    EXPECT_EQ (processor.undoPoints(), before + 1);
}

TEST_F (DragAndDropTest, ADragThatEndsInTheStartingOrderRecordsNothing)
{
    const auto before = processor.undoPoints();
    auto* dragged = &item (0);
    dragged->grabX = 50;
    const Details details { rack->description, dragged, {} };
    rack->dragOperationStarted (details);
    rack->itemDragEnter (details);
    rack->itemDragMove ({ rack->description, dragged, { 300, 10 } });
    ASSERT_EQ (order(), "bac");
    rack->itemDragMove ({ rack->description, dragged, { 60, 10 } });
    EXPECT_EQ (order(), "abc");
    rack->itemDropped ({ rack->description, dragged, { 60, 10 } });
    rack->dragOperationEnded (details);

    EXPECT_EQ (processor.undoPoints(), before);
}

TEST_F (DragAndDropTest, DroppedOutsideTheItemGoesOnlyWhenTheRackRemovesThem)
{
    for (const bool remove : { false, true })
    {
        SCOPED_TRACE (remove ? "removing" : "keeping");
        rack->settings->removeWhenDroppedOutside = remove;
        const auto before = processor.undoPoints();
        const auto itemsBefore = rack->items.size();
        auto* dragged = &item (itemsBefore - 1);
        const Details details { rack->description, dragged, {} };

        rack->dragOperationStarted (details);
        rack->itemDragEnter (details);
        rack->itemDragExit (details);
        EXPECT_EQ (dragged->isOutsideRack, remove);
        rack->dragOperationEnded (details);

        EXPECT_EQ (rack->items.size(), remove ? itemsBefore - 1 : itemsBefore);
        EXPECT_EQ (PlainItem::live, rack->items.size());
        EXPECT_EQ (processor.undoPoints(), remove ? before + 1 : before);
    }
}
TEST_F (DragAndDropTest, WhenTheItemsHaveSettledTheEditorChecksItsSizeAndTheViewStays)
{
    viewport.setViewPosition (120, 0);
    // The editor's resize may reset the view; the rack puts it back.
    listener.onResize = [this] { viewport.setViewPosition (0, 0); };

    item (0).setTopLeftPosition (300, 0);
    rack->updateItems (true);
    ASSERT_TRUE (rack->getAnimator().isAnimating());
    rack->changeListenerCallback (&rack->getAnimator());
    EXPECT_EQ (listener.calls, 0) << "not while the items still move";

    tarnello::test::finishAnimations (rack->getAnimator());
    EXPECT_EQ (item (0).getX(), 0);
    rack->changeListenerCallback (&rack->getAnimator());
    EXPECT_EQ (listener.calls, 1);
    EXPECT_EQ (viewport.getViewPositionX(), 120);

    // Nor while an item is dragged over the rack.
    const Details details { rack->description, &item (0), {} };
    rack->dragOperationStarted (details);
    rack->itemDragEnter (details);
    rack->changeListenerCallback (&rack->getAnimator());
    EXPECT_EQ (listener.calls, 1);
    rack->dragOperationEnded (details);
    rack->changeListenerCallback (&rack->getAnimator());
    EXPECT_EQ (listener.calls, 2);
}
} // namespace
