#include "ui/MenuControl.h"

MenuControl::MenuControl (juce::Rectangle<int> bounds, HelpTextVisor* helpVisor)
{
    visor = helpVisor;
    controlBounds = bounds;
}

juce::PopupMenu MenuControl::buildMenu()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&getLookAndFeel());

    if (showTitle && title.isNotEmpty())
        menu.addSectionHeader (title);

    for (int i = 0; i < items.size(); ++i)
    {
        const auto& item = items[i];

        if (item == "@sep")
            menu.addSeparator();
        else if (item == "@col")
            menu.addColumnBreak(); // after the item added last; nothing on an empty menu
        else if (item.startsWith ("@head "))
            menu.addSectionHeader (item.replace ("@head ", {}));
        else
            menu.addItem (i + 1, item, true, i == selectedIndex);
    }

    return menu;
}

void MenuControl::showMenu()
{
    auto menu = buildMenu();
    auto options = showAtMouse ? juce::PopupMenu::Options()
                               : juce::PopupMenu::Options().withTargetComponent (this);
    menu.showMenuAsync (options, juce::ModalCallbackFunction::forComponent (menuCallback, this));
}

void MenuControl::menuCallback (int result, MenuControl* control)
{
    if (control == nullptr || result == 0)
        return;

    control->selectedIndex = result - 1;
    if (control->listener != nullptr)
        control->listener->menuControlChanged (control);
    control->repaint();
}

void MenuControl::applyControlBounds()
{
    setBounds (controlBounds);
}

void MenuControl::mouseDown (const juce::MouseEvent&)
{
    showMenu();
}

void MenuControl::mouseEnter (const juce::MouseEvent&)
{
    showCustomHelpText();
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void MenuControl::mouseExit (const juce::MouseEvent&)
{
    armHelpTextHiding();
    setMouseCursor (juce::MouseCursor::NormalCursor);
}
