// The module rack: how wide its viewport should be, how it makes, builds and
// throws away the module panels, and what it does to the processor's slots.

#include "editor/RackEditor.h"

#include "tests/editor/RackTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

using tarnello::test::CountingListener;
using tarnello::test::RackProcessor;
using Metrics = DragAndDropRack::DisplayMetrics;

namespace
{
struct LimitCase
{
    const char* what;
    std::optional<Metrics> display;
    int expected;
};

TEST (RackWidthRule, LimitFollowsTheDisplayAndFallsBackToTheCap)
{
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<LimitCase> cases {
        { "no display", std::nullopt, 2040 },
        { "96 dpi full HD", Metrics { 96.0, 1920, 1.0 }, 1920 },
        { "100 dpi full HD", Metrics { 100.0, 1920, 1.0 }, 1843 },
        { "double density, scale 2", Metrics { 192.0, 1920, 2.0 }, 1920 },
        { "wide display capped", Metrics { 96.0, 3840, 1.0 }, 2040 },
        { "small laptop", Metrics { 96.0, 1366, 1.0 }, 1366 },
        { "dpi 0", Metrics { 0.0, 1920, 1.0 }, 2040 },
        { "negative dpi", Metrics { -96.0, 1920, 1.0 }, 2040 },
        { "dpi not a number", Metrics { nan, 1920, 1.0 }, 2040 },
        { "scale not a number", Metrics { 96.0, 1920, nan }, 2040 },
        { "tiny dpi", Metrics { 1.0e-30, 1920, 1.0 }, 2040 },
        { "no width", Metrics { 96.0, 0, 1.0 }, 2040 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (DragAndDropRack::viewportWidthLimit (c.display), c.expected) << c.what;
}

struct WidthCase
{
    std::vector<int> widths;
    int limit;
    int expected;
};

TEST (RackWidthRule, SumsTheItemsThatFitAndNeverGoesBelow240)
{
    const std::vector<WidthCase> cases {
        { {}, 2040, 240 },
        { { 786 }, 2040, 786 },
        { { 786 }, 786, 786 },
        { { 786 }, 785, 240 },
        { { 100 }, 2040, 240 },
        { { 786, 786 }, 1843, 1572 },
        { { 786, 786, 786 }, 2040, 1572 },
        // Stops at the first item that does not fit, even when a later one would.
        { { 786, 2000, 100 }, 2040, 786 },
        { { 100, 100, 100 }, 2040, 300 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (DragAndDropRack::viewportWidthFor (c.widths, c.limit), c.expected)
            << c.widths.size() << " items, limit " << c.limit;
}

class RackEditorTest : public ::testing::Test
{
protected:
    RackProcessor processor;
    juce::Viewport viewport;
    CountingListener listener;
    RackEditor* rack = new RackEditor (&processor, &viewport, &listener);

    RackEditorTest()
    {
        viewport.setViewedComponent (rack, true);
        rack->setBounds (0, 0, 786, rack->settings->itemHeight);
        viewport.setBounds (0, 0, 786, rack->settings->itemHeight);
    }

    void addToSlot()
    {
        ASSERT_NE (processor.addModule (tarnello::test::PanelModule::typeName, 0, true), nullptr);
    }
};

TEST_F (RackEditorTest, WithoutADisplayOnePanelGetsItsWidthAndAnEmptyRack240)
{
    if (DragAndDropRack::primaryDisplayMetrics().has_value())
        GTEST_SKIP() << "a display is attached";

    EXPECT_EQ (rack->estimatedViewportWidth(), 240);

    addToSlot();
    rack->createEditors();
    EXPECT_EQ (rack->estimatedViewportWidth(), 786);
}

TEST_F (RackEditorTest, CreatesThePanelThroughTheModuleAndBuildsItWithNoParent)
{
    addToSlot();
    rack->createEditors();

    ASSERT_EQ (rack->items.size(), 1);
    auto* panel = dynamic_cast<tarnello::test::RecordingPanel*> (rack->items[0]);
    ASSERT_NE (panel, nullptr);

    EXPECT_EQ (processor.module()->selfGiven, processor.module());
    EXPECT_EQ (panel->getModule().get(), processor.module());
    EXPECT_EQ (panel->getRackEditor(), rack);
    EXPECT_EQ (processor.log.built, 1);
    EXPECT_EQ (processor.log.builtWithParent, 0);
    // Built while already in the rack, so the panel can reach its rack from the start.
    EXPECT_EQ (panel->parentAtBuild, rack);
    EXPECT_TRUE (panel->isVisible());
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (0, 0, 786, 234));
    EXPECT_EQ (rack->getModuleEditors().size(), 1);
}

TEST_F (RackEditorTest, RebuildingDeletesTheOldPanelsAndLeavesOneNewOne)
{
    addToSlot();
    rack->createEditors();
    rack->createEditors();
    rack->createEditors();

    EXPECT_EQ (processor.log.created, 3);
    EXPECT_EQ (processor.log.deleted, 2);
    EXPECT_EQ (rack->items.size(), 1);
    EXPECT_EQ (rack->getNumChildComponents(), 1);

    delete viewport.getViewedComponent();
    rack = nullptr;
    EXPECT_EQ (processor.log.alive(), 0) << "the rack deletes its panels when it goes";
}

TEST_F (RackEditorTest, AnEmptySlotLeavesTheRackEmpty)
{
    rack->createEditors();
    EXPECT_TRUE (rack->items.isEmpty());
    EXPECT_EQ (rack->getNumChildComponents(), 0);

    addToSlot();
    rack->createEditors();
    processor.removeModule (0);
    rack->createEditors();
    EXPECT_TRUE (rack->items.isEmpty());
    EXPECT_EQ (processor.log.alive(), 0);
}

TEST_F (RackEditorTest, LaysItsPanelsOutLeftToRightAndPaintsItsBackground)
{
    addToSlot();
    rack->createEditors();
    rack->items[0]->setBounds (50, 20, 10, 10);
    rack->resized();
    EXPECT_EQ (rack->items[0]->getBounds(), juce::Rectangle<int> (0, 0, 786, 234));

    rack->deleteAllItems();
    juce::Image image (juce::Image::ARGB, 20, 20, true);
    juce::Graphics g (image);
    rack->paint (g);
    EXPECT_EQ (image.getPixelAt (10, 10).getARGB(), 0xff181818u);
}

TEST_F (RackEditorTest, AddingAModuleBuildsItsPanelAndRecordsTheRestoredState)
{
    const auto undoPointsBefore = processor.undoPoints();

    juce::XmlElement state ("panelled");
    state.setAttribute ("Gain", 1.5);
    ASSERT_TRUE (rack->addModule (-1, tarnello::test::PanelModule::typeName, false, &state));

    ASSERT_EQ (rack->items.size(), 1);
    EXPECT_EQ (processor.log.built, 1);
    EXPECT_EQ (rack->items[0]->getBounds(), juce::Rectangle<int> (0, 0, 786, 234));
    EXPECT_DOUBLE_EQ (processor.module()->gain->getValue(), 1.5);
    EXPECT_EQ (listener.calls, 1);
    EXPECT_EQ (processor.undoPoints(), undoPointsBefore + 1);

    // The undo point holds the module as restored, not as it was created.
    auto& current = processor.stateManager->history.current;
    ASSERT_NE (current, nullptr);
    EXPECT_TRUE (current->toString().contains ("Gain=\"1.5"));
}

TEST_F (RackEditorTest, AddingWhatTheProcessorCannotMakeChangesNothing)
{
    const auto undoPointsBefore = processor.undoPoints();

    EXPECT_FALSE (rack->addModule (0, "no such module", false, nullptr));
    addToSlot();
    // The one slot is taken now, and there is no slot 1.
    EXPECT_FALSE (rack->addModule (0, tarnello::test::PanelModule::typeName, false, nullptr));
    EXPECT_FALSE (rack->addModule (1, tarnello::test::PanelModule::typeName, false, nullptr));

    EXPECT_TRUE (rack->items.isEmpty());
    EXPECT_EQ (processor.log.created, 0);
    EXPECT_EQ (processor.undoPoints(), undoPointsBefore);
    EXPECT_EQ (listener.calls, 0);
}

TEST_F (RackEditorTest, RemovingAModuleDeletesItsPanelAndEmptiesTheSlot)
{
    addToSlot();
    rack->createEditors();

    rack->removeModule (0);
    EXPECT_TRUE (rack->items.isEmpty());
    EXPECT_EQ (processor.log.alive(), 0);
    EXPECT_EQ (processor.getModule (0), nullptr);

    // Out of range: nothing to remove, nothing breaks.
    rack->removeModule (5);
    rack->removeModule (-1);
    EXPECT_TRUE (rack->items.isEmpty());
}

TEST_F (RackEditorTest, MovesAndSwapsOutsideTheSlotsLeaveTheModuleInPlace)
{
    addToSlot();
    const auto module = processor.getModule (0);

    rack->moveModule (0, 0);
    rack->moveModule (0, 3);
    rack->moveModule (-2, 0);
    rack->swapModule (0, 1);
    rack->swapModule (0, 0);

    EXPECT_EQ (processor.getModule (0), module);
}

TEST_F (RackEditorTest, RacksHaveTheirOwnDescriptionAndIgnoreOtherDrags)
{
    RackEditor other (&processor, nullptr, nullptr);
    EXPECT_NE (other.description, rack->description);
    EXPECT_TRUE (rack->description.startsWith ("_moduleItem_"));

    juce::Component source;
    EXPECT_TRUE (rack->isInterestedInDragSource ({ rack->description, &source, {} }));
    EXPECT_FALSE (rack->isInterestedInDragSource ({ other.description, &source, {} }));
    EXPECT_FALSE (rack->isInterestedInDragSource ({ "files", &source, {} }));
}
} // namespace
