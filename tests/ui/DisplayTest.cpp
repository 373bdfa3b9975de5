// On a real X display: menus really shown, chosen from and dismissed, and a control
// hovered and left with real pointer events. Without a display these tests are skipped.

#include <gtest/gtest.h>

#include "tests/ui/support/DisplayAtoms.h"
#include "tests/ui/support/DisplayEvents.h"
#include "tests/ui/support/GuiTestSupport.h"
#include "ui/HelpTextVisor.h"
#include "ui/ISwitchControl.h"
#include "ui/MenuControl.h"

#include <functional>

using namespace tarnello::test;

namespace
{
struct Window : juce::Component
{
    Window()
    {
        setOpaque (true);
        setBounds (100, 100, 320, 220);
        addToDesktop (0);
        setVisible (true);
    }
    ~Window() override { removeFromDesktop(); }
    void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xFF161616)); }
};

struct OnDisplay : ::testing::Test
{
    void SetUp() override
    {
        if (! hasDisplay() || juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
            GTEST_SKIP() << "no X display (the display tier runs under xvfb-run)";
        window = std::make_unique<Window>();
        ASSERT_TRUE (pumpUntil ([this] { return window->isShowing() && window->getPeer() != nullptr; }));
        pumpFor (100);
    }

    void TearDown() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        pumpFor (50);
        window.reset();
    }

    // The desktop window of an open popup menu, if there is one.
    juce::Component* openMenuWindow() const
    {
        auto& desktop = juce::Desktop::getInstance();
        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* c = desktop.getComponent (i); c != window.get() && c->isShowing())
                return c;
        return nullptr;
    }

    std::unique_ptr<Window> window;
};

} // namespace

TEST_F (OnDisplay, AMenuIsShownUnderItsControlAndDismissedWithoutAChoice)
{
    MenuControl menu ({ 20, 20, 80, 24 }, nullptr);
    menu.setItems ({ "1/4", "1/8", "1/16" });
    menu.setSelectedIndex (1);
    MenuChoices recorder;
    menu.setListener (&recorder);
    window->addAndMakeVisible (menu);
    menu.applyControlBounds();

    menu.showMenu();
    ASSERT_TRUE (pumpUntil ([this] { return openMenuWindow() != nullptr; }));
    auto* shown = openMenuWindow();
    EXPECT_GE (shown->getScreenY(), menu.getScreenBounds().getBottom() - 1); // opens under the control
    snapshot (*shown, 1.0f, "ui", "menu-shown");

    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE (pumpUntil ([this] { return openMenuWindow() == nullptr; }));
    pumpFor (50);
    EXPECT_EQ (menu.getSelectedIndex(), 1);
    EXPECT_TRUE (recorder.selections.empty());
}

TEST_F (OnDisplay, ARealClickOnAMenuItemChoosesIt)
{
    MenuControl menu ({ 20, 20, 80, 24 }, nullptr);
    menu.setItems ({ "Off", "On", "Auto" });
    MenuChoices recorder;
    menu.setListener (&recorder);
    window->addAndMakeVisible (menu);
    menu.applyControlBounds();

    // A real click on the hot spot opens the menu.
    ASSERT_TRUE (movePointerTo (physicalScreenPoint (menu, { 40, 12 }).x, physicalScreenPoint (menu, { 40, 12 }).y));
    pumpFor (100);
    clickPointer (1);
    ASSERT_TRUE (pumpUntil ([this] { return openMenuWindow() != nullptr; }));
    auto* shown = openMenuWindow();
    pumpFor (400); // menus ignore a release that comes right after they open

    // The last item sits at the bottom of the menu window.
    const auto target = physicalScreenPoint (*shown, { shown->getWidth() / 2, shown->getHeight() - 10 });
    movePointerTo (target.x - 3, target.y);
    pumpFor (150);
    movePointerTo (target.x, target.y);
    pumpFor (150);
    clickPointer (1);

    EXPECT_TRUE (pumpUntil ([&] { return ! recorder.selections.empty(); }));
    EXPECT_EQ (menu.getSelectedIndex(), 2);
    EXPECT_EQ (recorder.selections, std::vector<int> { 2 });
    EXPECT_TRUE (pumpUntil ([this] { return openMenuWindow() == nullptr; }));
}

TEST_F (OnDisplay, AMenuWhoseControlIsDeletedWhileOpenIsDismissedHarmlessly)
{
    auto menu = std::make_unique<MenuControl> (juce::Rectangle<int> { 20, 20, 80, 24 }, nullptr);
    menu->setItems ({ "A", "B" });
    MenuChoices recorder;
    menu->setListener (&recorder);
    window->addAndMakeVisible (*menu);
    menu->applyControlBounds();

    menu->showMenu();
    ASSERT_TRUE (pumpUntil ([this] { return openMenuWindow() != nullptr; }));
    menu.reset();
    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE (pumpUntil ([this] { return openMenuWindow() == nullptr; }));
    pumpFor (50);
    EXPECT_TRUE (recorder.selections.empty());
}

TEST_F (OnDisplay, HoveringAControlShowsItsHelpAndLeavingItFadesTheHelpAfterTheDelay)
{
    HelpTextVisor visor;
    visor.setBounds (0, 190, 320, 30);
    window->addAndMakeVisible (visor);

    ISwitchControl control (0, 0, 1, nullptr, &visor);
    control.setHelpText ("Drive warms the echoes");
    control.setHitRectangle ({ 40, 40, 60, 40 });
    control.setHandCursor (true);
    window->addAndMakeVisible (control);
    control.applyControlBounds();

    const auto outside = physicalScreenPoint (*window, { 250, 120 });
    movePointerTo (outside.x, outside.y);
    pumpFor (150);
    ASSERT_FALSE (visor.getLabel().isVisible());

    const auto inside = physicalScreenPoint (control, { 30, 20 });
    movePointerTo (inside.x, inside.y);
    ASSERT_TRUE (pumpUntil ([&] { return visor.getLabel().isVisible() && visor.getLabel().getAlpha() > 0.99f; }));
    EXPECT_EQ (visor.getLabel().getText(), "Drive warms the echoes");
    EXPECT_TRUE (control.isMouseOver());
    snapshot (*window, 1.0f, "ui", "hovered-help");

    movePointerTo (outside.x, outside.y);
    ASSERT_TRUE (pumpUntil ([&] { return visor.isHidePending(); }));
    EXPECT_TRUE (visor.isTimerRunning());
    EXPECT_TRUE (visor.getLabel().isVisible()); // still up during the delay

    const auto left = juce::Time::getMillisecondCounter();
    EXPECT_TRUE (pumpUntil ([&] { return ! visor.getLabel().isVisible(); }, 5000));
    EXPECT_GE (juce::Time::getMillisecondCounter() - left, 1500u);
}
