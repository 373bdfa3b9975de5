#pragma once

#include "ui/Control.h"

// An invisible hot spot on a panel that pops up a menu of choices and remembers the
// chosen one. Items may be markers: "@sep" a separator, "@col" a column break, and
// "@head <text>" a section header; markers count as positions, so the menu id of an
// item is its position in the whole list plus 1.
class MenuControl : public Control,
                    public juce::Component
{
public:
    // The inline help text, not JUCE's tooltip-style help text of a component.
    using Control::setHelpText;
    using Control::getHelpText;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void menuControlChanged (MenuControl* control) = 0;
    };

    MenuControl (juce::Rectangle<int> bounds, HelpTextVisor* visor);

    void setListener (Listener* l) noexcept { listener = l; }
    void setItems (const juce::StringArray& newItems) { items = newItems; }
    const juce::StringArray& getItems() const noexcept { return items; }
    void setTitle (const juce::String& newTitle) { title = newTitle; }
    const juce::String& getTitle() const noexcept { return title; }
    void setSelectedIndex (int index) noexcept { selectedIndex = index; }
    int getSelectedIndex() const noexcept { return selectedIndex; }
    void setShowAtMouse (bool atMouse) noexcept { showAtMouse = atMouse; }
    void setShowTitle (bool show) noexcept { showTitle = show; }

    // The menu as it would be shown.
    juce::PopupMenu buildMenu();
    // Builds the menu and shows it asynchronously, under the control or at the mouse.
    void showMenu();
    // The menu's completion: 0 (dismissed) keeps the selection; a null control (gone) is ignored.
    static void menuCallback (int result, MenuControl* control);

    void applyControlBounds() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

private:
    Listener* listener = nullptr;
    int selectedIndex = 0;
    bool showAtMouse = false;
    bool showTitle = true;
    juce::StringArray items;
    juce::String title;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MenuControl)
};
