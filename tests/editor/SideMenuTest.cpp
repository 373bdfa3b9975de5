// The side menu: its items as they would open, the split of a chosen id into a
// command and its argument, and its three bars.

#include "editor/SideMenu.h"

#include "effect/PluginProcessor.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
struct Item
{
    juce::String text;
    int id;
    bool enabled;
    bool ticked;
    bool operator== (const Item& o) const { return text == o.text && id == o.id && enabled == o.enabled && ticked == o.ticked; }
};

std::ostream& operator<< (std::ostream& os, const Item& item)
{
    return os << "{" << item.text << ", " << item.id << ", " << item.enabled << ", " << item.ticked << "}";
}

// The menu's items in order; separators as id 0 with an empty text.
std::vector<Item> itemsOf (const juce::PopupMenu& menu)
{
    std::vector<Item> items;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        items.push_back ({ item.isSeparator ? juce::String() : item.text, item.isSeparator ? 0 : item.itemID,
                           item.isEnabled, item.isTicked });
    }
    return items;
}

struct RecordingListener : SideMenu::Listener
{
    void sideMenuAction (SideMenu::Commands command, void* argument) override
    {
        calls.emplace_back (static_cast<int> (command), *static_cast<int*> (argument));
    }
    std::vector<std::pair<int, int>> calls;
};

class SideMenuTest : public ::testing::Test
{
protected:
    std::unique_ptr<TarnelloAudioProcessor> processor { static_cast<TarnelloAudioProcessor*> (createPluginFilter()) };
    RecordingListener listener;
    SideMenu menu { &listener, processor.get() };
};

TEST_F (SideMenuTest, ListsItsItemsWithTheirStateAtOpening)
{
    processor->inlineHelp = true;
    const std::vector<Item> expected {
        { "Reset UI Scale", 1500, true, false },
        { "", 0, true, false },
        { "Undo", 1800, false, false },
        { "Redo", 1900, false, false },
        { "", 0, true, false },
        { "Enable Tooltips", 2000, true, true },
        { "Open Manual", 3000, true, false },
        { "", 0, true, false },
        { "Explore Special Deals", 4000, true, false },
        { "About Tarnello", 400, true, false },
    };
    auto items = itemsOf (menu.buildMenu());
    // A leading separator is dropped by the menu itself when it opens.
    if (! items.empty() && items.front().id == 0)
        items.erase (items.begin());
    EXPECT_EQ (items, expected);
}

TEST_F (SideMenuTest, UndoRedoAndTheTooltipsTickFollowTheProcessor)
{
    const auto stateOf = [this] (int id) {
        for (const auto& item : itemsOf (menu.buildMenu()))
            if (item.id == id)
                return item;
        return Item {};
    };

    processor->stateManager->saveToHistoricalStates();
    processor->stateManager->saveToHistoricalStates();
    EXPECT_TRUE (stateOf (1800).enabled);
    EXPECT_FALSE (stateOf (1900).enabled);

    processor->stateManager->undo();
    EXPECT_TRUE (stateOf (1900).enabled);

    processor->inlineHelp = false;
    EXPECT_FALSE (stateOf (2000).ticked);
    processor->inlineHelp = true;
    EXPECT_TRUE (stateOf (2000).ticked);
}

TEST_F (SideMenuTest, SplitsAChosenIdIntoHundredsAndTheRest)
{
    const struct { int id, command, argument; } cases[] = {
        { 0, 0, 0 }, { 302, 300, 2 }, { 400, 400, 0 }, { 1500, 1500, 0 },
        { 1899, 1800, 99 }, { 4000, 4000, 0 }, { 99, 0, 99 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.id);
        EXPECT_EQ (SideMenu::splitItemId (c.id), std::make_pair (c.command, c.argument));
    }
}

TEST_F (SideMenuTest, HandsTheChosenItemToItsListener)
{
    SideMenu::menuCallback (400, &menu);
    SideMenu::menuCallback (302, &menu);
    SideMenu::menuCallback (0, &menu); // dismissed
    EXPECT_EQ (listener.calls, (std::vector<std::pair<int, int>> { { 400, 0 }, { 300, 2 }, { 0, 0 } }));

    SideMenu::menuCallback (1800, nullptr); // the side menu was deleted while its menu was open
    EXPECT_EQ (listener.calls.size(), 3u);
}

TEST_F (SideMenuTest, DrawsThreeBarsGreyOrWhiteWhenHovered)
{
    menu.setBounds (0, 0, 23, 18);
    const auto barRows = [this] (juce::Colour colour) {
        const auto picture = menu.createComponentSnapshot (menu.getLocalBounds(), false, 1.0f);
        std::vector<int> rows;
        for (int y = 0; y < 18; ++y)
            if (picture.getPixelAt (11, y) == colour && picture.getPixelAt (0, y) == colour
                && picture.getPixelAt (22, y) == colour)
                rows.push_back (y);
        return rows;
    };
    const std::vector<int> bars { 0, 1, 2, 6, 7, 8, 12, 13, 14 };
    EXPECT_EQ (barRows (juce::Colour (0xFFD0D0CE)), bars);

    const auto now = juce::Time::getCurrentTime();
    menu.mouseEnter (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), juce::Point<float> (5.0f, 5.0f),
                                       juce::ModifierKeys(), 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &menu, &menu, now,
                                       juce::Point<float> (5.0f, 5.0f), now, 1, false));
    EXPECT_TRUE (menu.isHovered());
    EXPECT_EQ (barRows (juce::Colours::white), bars);
}
} // namespace
