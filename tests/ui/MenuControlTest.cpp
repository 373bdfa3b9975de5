// The menu hot spot: the menu it builds from its items and markers, and what a
// choice or a dismissal does. Menus are read, not shown (see the display tier).

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/MenuControl.h"

using namespace tarnello::test;

namespace
{
struct Entry
{
    enum Kind { item, separator, header } kind;
    int id = 0;
    juce::String text;
    bool ticked = false;
    bool breakAfter = false;

    static Entry choice (int id, const char* text, bool ticked = false, bool breakAfter = false)
    {
        return { item, id, text, ticked, breakAfter };
    }
    static Entry line() { return { separator, 0, {}, false, false }; }
    static Entry heading (const char* text) { return { header, 0, text, false, false }; }

    bool operator== (const Entry& o) const
    {
        return kind == o.kind && id == o.id && text == o.text && ticked == o.ticked && breakAfter == o.breakAfter;
    }
};

std::ostream& operator<< (std::ostream& os, const Entry& e)
{
    const char* kinds[] = { "item", "separator", "header" };
    return os << kinds[e.kind] << " " << e.id << " '" << e.text << "'" << (e.ticked ? " ticked" : "")
              << (e.breakAfter ? " break" : "");
}

std::vector<Entry> read (const juce::PopupMenu& menu)
{
    std::vector<Entry> entries;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& i = it.getItem();
        const auto kind = i.isSectionHeader ? Entry::header : i.isSeparator ? Entry::separator : Entry::item;
        entries.push_back ({ kind, i.itemID, i.text, i.isTicked, i.shouldBreakAfter });
        if (kind == Entry::item)
        {
            EXPECT_TRUE (i.isEnabled) << i.text;
        }
    }
    return entries;
}

} // namespace

TEST (MenuControl, ItemsKeepTheirPositionAsIdAndTheSelectionIsTicked)
{
    MenuControl m ({ 0, 0, 40, 20 }, nullptr);
    m.setItems ({ "1/4", "@sep", "1/8" });
    m.setSelectedIndex (2);

    const std::vector<Entry> expected = { Entry::choice (1, "1/4"), Entry::line(), Entry::choice (3, "1/8", true) };
    EXPECT_EQ (read (m.buildMenu()), expected);

    MenuChoices recorder;
    m.setListener (&recorder);
    MenuControl::menuCallback (1, &m);
    EXPECT_EQ (m.getSelectedIndex(), 0);
    EXPECT_EQ (recorder.selections, std::vector<int> { 0 });
    EXPECT_TRUE (read (m.buildMenu())[0].ticked);
}

TEST (MenuControl, HeaderMarkersNeedTheirBlank)
{
    MenuControl m ({ 0, 0, 40, 20 }, nullptr);
    m.setItems ({ "@head Straight", "1/4", "@headDotted", "@head Triplet @head notes" });
    const std::vector<Entry> expected = { Entry::heading ("Straight"), Entry::choice (2, "1/4"),
                                          Entry::choice (3, "@headDotted"), Entry::heading ("Triplet notes") };
    EXPECT_EQ (read (m.buildMenu()), expected);
}

TEST (MenuControl, AColumnBreakFollowsTheItemBeforeItAndIsIgnoredFirst)
{
    MenuControl m ({ 0, 0, 40, 20 }, nullptr);
    m.setItems ({ "@col", "A", "B", "@col", "C" });
    m.setSelectedIndex (-1);
    const std::vector<Entry> expected = { Entry::choice (2, "A"), Entry::choice (3, "B", false, true),
                                          Entry::choice (5, "C") };
    EXPECT_EQ (read (m.buildMenu()), expected);
}

TEST (MenuControl, TheTitleLeadsAsAHeaderWhenShown)
{
    MenuControl m ({ 0, 0, 40, 20 }, nullptr);
    m.setItems ({ "Off", "On" });
    m.setTitle ("Low Cut");
    auto entries = read (m.buildMenu());
    ASSERT_EQ (entries.size(), 3u);
    EXPECT_EQ (entries[0], Entry::heading ("Low Cut"));

    m.setShowTitle (false);
    EXPECT_EQ (read (m.buildMenu()).size(), 2u);

    m.setShowTitle (true);
    m.setTitle ({});
    EXPECT_EQ (read (m.buildMenu()).size(), 2u);
}

TEST (MenuControl, OnlyMarkersGiveAMenuWithNoChoices)
{
    MenuControl m ({ 0, 0, 40, 20 }, nullptr);
    m.setItems ({ "@sep", "@col", "@head Nothing" });
    const auto entries = read (m.buildMenu());
    EXPECT_EQ (entries, std::vector<Entry> { Entry::heading ("Nothing") }); // JUCE drops a leading separator
}

TEST (MenuControl, DismissingKeepsTheSelectionAndAGoneControlIsLeftAlone)
{
    MenuControl m ({ 0, 0, 40, 20 }, nullptr);
    m.setItems ({ "A", "B", "C" });
    m.setSelectedIndex (1);
    MenuChoices recorder;
    m.setListener (&recorder);

    MenuControl::menuCallback (0, &m);
    EXPECT_EQ (m.getSelectedIndex(), 1);
    EXPECT_TRUE (recorder.selections.empty());

    MenuControl::menuCallback (3, nullptr); // the control was deleted while its menu was open
    MenuControl::menuCallback (3, &m);
    EXPECT_EQ (recorder.selections, std::vector<int> { 2 });
}

TEST (MenuControl, TakesItsBoundsAndShowsTheHandOverIt)
{
    MenuControl m ({ 12, 30, 60, 18 }, nullptr);
    m.applyControlBounds();
    EXPECT_EQ (m.getBounds(), juce::Rectangle<int> (12, 30, 60, 18));

    m.mouseEnter (mouseEvent (m, { 3, 3 }));
    EXPECT_EQ (m.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));
    m.mouseExit (mouseEvent (m, { 80, 3 }));
    EXPECT_EQ (m.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
}
