#include "editor/SideMenu.h"

#include "framework/PluginPaths.h"

#include <cmath>

SideMenu::SideMenu (Listener* l, DovrethProcessor* p) : listener (l), processor (p)
{
}

juce::PopupMenu SideMenu::buildMenu() const
{
    const bool canUndo = processor != nullptr && processor->stateManager != nullptr && processor->stateManager->canUndo();
    const bool canRedo = processor != nullptr && processor->stateManager != nullptr && processor->stateManager->canRedo();
    const bool helpOn = processor != nullptr && processor->inlineHelp;

    juce::PopupMenu menu;
    menu.addSeparator(); // ignored at the top; kept for the menu's shape
    menu.addItem (ResetUIScale, "Reset UI Scale");
    menu.addSeparator();
    menu.addItem (Undo, "Undo", canUndo);
    menu.addItem (Redo, "Redo", canRedo);
    menu.addSeparator();
    menu.addItem (EnableTooltips, "Enable Tooltips", true, helpOn);
    menu.addItem (OpenManual, "Open Manual");
    menu.addSeparator();
    menu.addItem (SpecialDeals, "Explore Special Deals");
    menu.addItem (About, juce::String ("About ") + PluginPaths::productName);
    return menu;
}

std::pair<int, int> SideMenu::splitItemId (int itemId) noexcept
{
    const int command = (int) (std::floor ((double) itemId / 100.0) * 100.0);
    return { command, itemId - command };
}

void SideMenu::menuCallback (int result, SideMenu* menu)
{
    if (menu == nullptr || menu->listener == nullptr)
        return;
    auto [command, argument] = splitItemId (result);
    menu->listener->sideMenuAction (static_cast<Commands> (command), &argument);
}

void SideMenu::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
    repaint();
}

void SideMenu::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    setMouseCursor (juce::MouseCursor::NormalCursor);
    repaint();
}

void SideMenu::mouseDown (const juce::MouseEvent&)
{
    hovered = false;
    setMouseCursor (juce::MouseCursor::NormalCursor);
    repaint();

    buildMenu().showMenuAsync (juce::PopupMenu::Options()
                                   .withTargetComponent (this)
                                   .withMinimumWidth (100)
                                   .withMaximumNumColumns (3),
                               juce::ModalCallbackFunction::forComponent (menuCallback, this));
}

void SideMenu::paint (juce::Graphics& g)
{
    g.setColour (hovered ? juce::Colours::white : juce::Colour (0xFFD0D0CE));
    const int bar = getHeight() / 5;
    for (int i = 0; i < 3; ++i)
        g.fillRect (0, 2 * i * bar, getWidth(), bar);
}
