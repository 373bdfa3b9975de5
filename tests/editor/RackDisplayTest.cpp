// The rack on a real display: its viewport width (as many panels as the screen
// shows side by side, at most 2040 pixels), and items dragged with the real pointer.

#include "editor/RackEditor.h"

#include "tests/editor/RackTestSupport.h"
#include "tests/ui/support/DisplayAtoms.h"
#include "tests/ui/support/DisplayEvents.h"
#include "tests/ui/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using tarnello::test::physicalScreenPoint;
using tarnello::test::pumpFor;
using tarnello::test::pumpUntil;

// Panels of 786 pixels, as the delay module's, in a rack with a viewport.
struct RackOfPanels
{
    explicit RackOfPanels (int count)
    {
        viewport.setViewedComponent (rack, true);
        for (int i = 0; i < count; ++i)
        {
            auto* panel = new tarnello::test::RecordingPanel (nullptr, rack, log);
            panel->itemWidth = 786;
            rack->items.add (panel);
        }
        rack->updateItems (false);
    }

    tarnello::test::RackProcessor processor;
    tarnello::test::PanelLog log;
    juce::Viewport viewport;
    RackEditor* rack = new RackEditor (&processor, &viewport, nullptr);
};

TEST (RackOnADisplay, ShowsThePanelsTheScreenHasRoomFor)
{
    if (! tarnello::test::hasDisplay())
        GTEST_SKIP() << "no X display";

    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    ASSERT_NE (display, nullptr);
    ASSERT_GT (display->dpi, 0.0);

    const auto screenWidth = 96.0 / display->dpi * display->userArea.getWidth() * display->scale;
    if (screenWidth < 2 * 786 || screenWidth >= 3 * 786)
        GTEST_SKIP() << "the test wants a screen with room for two panels but not three, not " << screenWidth;

    EXPECT_EQ (RackOfPanels (0).rack->estimatedViewportWidth(), 240);
    EXPECT_EQ (RackOfPanels (1).rack->estimatedViewportWidth(), 786);
    EXPECT_EQ (RackOfPanels (3).rack->estimatedViewportWidth(), 2 * 786);
}

// A window with a rack of three 200-pixel items, a, b and c, below a free strip
// that is not part of the rack.
struct DragWindow : juce::Component
{
    DragWindow()
    {
        rack->settings->dragEnabled = true;
        for (auto name : { "a", "b", "c" })
            rack->items.add (new tarnello::test::PlainItem (200, name));
        rack->updateItems (false);
        rack->setBounds (0, 0, 600, 234);
        viewport.setViewedComponent (rack, true);
        viewport.setScrollBarsShown (false, false, false, true);
        viewport.setBounds (0, 100, 600, 234);
        addAndMakeVisible (viewport);

        setOpaque (true);
        setBounds (100, 100, 700, 400);
        addToDesktop (0);
        setVisible (true);
    }

    ~DragWindow() override
    {
        viewport.setViewedComponent (nullptr);
        removeFromDesktop();
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xFF161616)); }

    juce::String order() const
    {
        juce::String names;
        for (auto* each : rack->items)
            names << each->getName();
        return names;
    }

    // The picture that follows the pointer: the rack's child that is not an item.
    juce::Component* dragImage() const
    {
        for (auto* child : rack->getChildren())
            if (! rack->items.contains (dynamic_cast<DragAndDropItem*> (child)))
                return child;
        return nullptr;
    }

    // Whether the dragged picture's left edge looks tinted red rather than the item's blue.
    bool imageEdgeIsRed() const
    {
        auto* image = dragImage();
        if (image == nullptr)
            return false;
        const auto picture = image->createComponentSnapshot (image->getLocalBounds(), true, 1.0f);
        const auto edge = picture.getPixelAt (0, picture.getHeight() / 2);
        return edge.getRed() > edge.getBlue();
    }

    // The opacity of the middle of the dragged picture, 0 to 255; -1 with none.
    int imageCentreAlpha() const
    {
        auto* image = dragImage();
        if (image == nullptr)
            return -1;
        const auto picture = image->createComponentSnapshot (image->getLocalBounds(), true, 1.0f);
        return picture.getPixelAt (picture.getWidth() / 2, picture.getHeight() / 2).getAlpha();
    }

    tarnello::test::RackProcessor processor;
    juce::Viewport viewport;
    RackEditor* rack = new RackEditor (&processor, &viewport, nullptr);
};

struct RackDragOnDisplay : ::testing::Test
{
    void SetUp() override
    {
        if (! tarnello::test::hasDisplay() || juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
            GTEST_SKIP() << "no X display (the display tier runs under xvfb-run)";
        window = std::make_unique<DragWindow>();
        ASSERT_TRUE (pumpUntil ([this] { return window->isShowing() && window->getPeer() != nullptr; }));
        pumpFor (100);
    }

    void TearDown() override
    {
        if (window != nullptr)
        {
            tarnello::test::pressPointer (1, false);
            tarnello::test::holdAltKey (false);
            pumpFor (100);
        }
        window.reset();
    }

    // Moves the real pointer in small steps to a point of the window, as a hand would.
    void moveTo (juce::Point<int> inWindow)
    {
        const auto target = physicalScreenPoint (*window, inWindow);
        for (int i = 1; i <= 8; ++i)
        {
            const auto p = pointer + (target - pointer) * i / 8;
            tarnello::test::movePointerTo (p.x, p.y);
            pumpFor (15);
        }
        pointer = target;
        pumpFor (60);
    }

    // Grabs item a by its grip, 100 pixels from its left edge.
    void grabFirstItem()
    {
        pointer = physicalScreenPoint (*window, { 100, 110 });
        tarnello::test::movePointerTo (pointer.x, pointer.y);
        pumpFor (100);
        tarnello::test::pressPointer (1, true);
        pumpFor (100);
        moveTo ({ 120, 112 });
        ASSERT_TRUE (pumpUntil ([this] { return window->rack->isDragAndDropActive(); }));
    }

    void release()
    {
        tarnello::test::pressPointer (1, false);
        pumpUntil ([this] { return ! window->rack->isDragAndDropActive(); });
        pumpFor (100);
    }

    std::unique_ptr<DragWindow> window;
    juce::Point<int> pointer;
};

TEST_F (RackDragOnDisplay, ADraggedItemTakesItsNewPlaceAndIsTintedOutsideTheRack)
{
    const auto undoPoints = window->processor.undoPoints();
    auto* a = window->rack->items[0];

    grabFirstItem();
    EXPECT_FALSE (a->isVisible()) << "its picture stands in for it while it moves";
    EXPECT_EQ (a->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::DraggingHandCursor));

    moveTo ({ 300, 112 });
    EXPECT_EQ (window->order(), "bac");
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::insideRack);
    EXPECT_FALSE (window->imageEdgeIsRed());
    EXPECT_NEAR (window->imageCentreAlpha(), 204, 2) << "the picture lets the rack show through";

    // Out of the rack into the strip above it, and back.
    moveTo ({ 300, 50 });
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::insideRack)
        << "a rack that keeps what is dropped outside never calls an item outside";
    window->rack->settings->removeWhenDroppedOutside = true;
    moveTo ({ 300, 112 });
    moveTo ({ 300, 50 });
    EXPECT_TRUE (a->isOutsideRack);
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::outsideRack);
    EXPECT_TRUE (window->imageEdgeIsRed());
    tarnello::test::snapshot (*window->dragImage(), 1.0f, "editor", "rack-item-dragged-outside");

    moveTo ({ 300, 112 });
    EXPECT_FALSE (a->isOutsideRack);
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::insideRack);
    EXPECT_FALSE (window->imageEdgeIsRed());

    release();
    EXPECT_EQ (window->order(), "bac");
    EXPECT_TRUE (a->isVisible());
    EXPECT_EQ (a->getBounds().getX(), 200);
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::none);
    EXPECT_EQ (window->processor.undoPoints(), undoPoints + 1);
}

TEST_F (RackDragOnDisplay, WithAltHeldTheImageNeverChanges)
{
    window->rack->settings->removeWhenDroppedOutside = true;
    auto* a = window->rack->items[0];

    ASSERT_TRUE (tarnello::test::holdAltKey (true));
    pumpFor (50);
    grabFirstItem();
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::fixed);

    moveTo ({ 300, 50 });
    EXPECT_TRUE (a->isOutsideRack);
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::fixed);
    EXPECT_FALSE (window->imageEdgeIsRed());
    moveTo ({ 300, 112 });
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::fixed);

    release();
    tarnello::test::holdAltKey (false);
    EXPECT_EQ (a->draggingState, DragAndDropItem::DraggingState::none);
}

TEST_F (RackDragOnDisplay, DroppedOutsideAnItemIsRemovedOnlyWhenTheRackSaysSo)
{
    for (const bool remove : { false, true })
    {
        SCOPED_TRACE (remove ? "removing" : "keeping");
        window->rack->settings->removeWhenDroppedOutside = remove;
        const auto undoPoints = window->processor.undoPoints();
        const auto itemsBefore = window->rack->items.size();
        const auto order = window->order();

        grabFirstItem();
        moveTo ({ 120, 40 });
        release();

        EXPECT_EQ (window->rack->items.size(), remove ? itemsBefore - 1 : itemsBefore);
        EXPECT_EQ (tarnello::test::PlainItem::live, window->rack->items.size());
        EXPECT_EQ (window->order(), remove ? order.substring (1) : order);
        EXPECT_EQ (window->processor.undoPoints(), remove ? undoPoints + 1 : undoPoints);
        if (! remove)
        {
            EXPECT_TRUE (window->rack->items[0]->isVisible());
        }
    }
}
} // namespace
