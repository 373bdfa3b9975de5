// Main of the GUI test binaries. Like the plain test main, every binary runs with a
// private, empty HOME and XDG_CONFIG_HOME. Then it starts JUCE's GUI, installs
// CustomLookAndFeel as the default look-and-feel and clears JUCE's typeface cache:
// fonts resolve only through the default look-and-feel, and JUCE caches them by name.
//
// Headless binaries drop DISPLAY so that every run draws the same, whatever the
// developer's desktop. Display binaries keep it and, before JUCE connects, make sure
// the window-manager atoms JUCE looks up exist (see DisplayAtoms.h).

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <memory>

#include "tests/support/TestEnvironment.h"
#include "ui/CustomLookAndFeel.h"

#if TARNELLO_DISPLAY_TIER
 #include "tests/ui/support/DisplayAtoms.h"
#endif

int main (int argc, char** argv)
{
    tarnello::test::enterPrivateHome();

   #if TARNELLO_DISPLAY_TIER
    tarnello::test::prepareDisplayForJuce();
   #else
    unsetenv ("DISPLAY");
   #endif

    ::testing::InitGoogleTest (&argc, argv);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juceInit;
        auto lookAndFeel = std::make_unique<CustomLookAndFeel>();
        juce::LookAndFeel::setDefaultLookAndFeel (lookAndFeel.get());
        juce::Typeface::clearTypefaceCache();

        result = RUN_ALL_TESTS();

        juce::PopupMenu::dismissAllActiveMenus();
        juce::Desktop::getInstance().getAnimator().cancelAllAnimations (false);
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    tarnello::test::removePrivateHome();
    return result;
}
