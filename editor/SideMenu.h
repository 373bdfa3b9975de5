#pragma once

#include "framework/DovrethProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <utility>

// The menu button at the top right of the main editor, drawn as three bars. A
// click opens the editor-wide commands (UI scale reset, undo and redo, inline
// help, manual, offers page, About box); the chosen item goes to the listener,
// split into a command in hundreds and the remainder. The menu changes nothing itself.
class SideMenu : public juce::Component
{
public:
    // Command codes, counted in hundreds.
    enum Commands : int
    {
        None = 0,
        WindowScaleStep = 300,
        About = 400,
        SaveOversampling = 1100,
        ResetUIScale = 1500,
        SaveUIScale = 1600,
        Undo = 1800,
        Redo = 1900,
        EnableTooltips = 2000,
        OpenManual = 3000,
        SpecialDeals = 4000,
    };

    struct Listener
    {
        virtual ~Listener() = default;
        // `argument` points to an int: the item id's remainder below the hundreds.
        virtual void sideMenuAction (Commands command, void* argument) = 0;
    };

    SideMenu (Listener* listener, DovrethProcessor* processor);

    // The menu as it would open now: enabled and ticked states read at this moment.
    juce::PopupMenu buildMenu() const;
    // A chosen item id as (command, argument): the id rounded down to hundreds and the rest.
    static std::pair<int, int> splitItemId (int itemId) noexcept;
    // What the menu's modal callback calls; a null side menu (deleted meanwhile) hears nothing.
    static void menuCallback (int result, SideMenu* menu);

    bool isHovered() const noexcept { return hovered; }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics& g) override;

private:
    Listener* listener;
    bool hovered = false;
    DovrethProcessor* processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SideMenu)
};
