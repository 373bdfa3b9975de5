// The rack's viewport width on a real display: as many panels as the screen shows
// side by side, at most 2040 pixels.

#include "editor/RackEditor.h"

#include "tests/editor/RackTestSupport.h"
#include "tests/ui/support/DisplayAtoms.h"

#include <gtest/gtest.h>

namespace
{
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
} // namespace
