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
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "TestEnvironment.h"
#include "ui/CustomLookAndFeel.h"

#if TARNELLO_DISPLAY_TIER
 #include "tests/ui/support/DisplayAtoms.h"
#endif

namespace
{
std::filesystem::path makePrivateHome()
{
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        auto candidate = base / ("tarnello-test-" + std::to_string (rd()));
        std::error_code ec;
        if (std::filesystem::create_directory (candidate, ec))
            return candidate;
    }
    std::abort();
}
} // namespace

namespace tarnello::test
{
const std::filesystem::path& privateHome()
{
    static const std::filesystem::path home = makePrivateHome();
    return home;
}
} // namespace tarnello::test

int main (int argc, char** argv)
{
    const auto& home = tarnello::test::privateHome();
    const auto config = home / ".config";
    std::filesystem::create_directories (config);
    setenv ("HOME", home.c_str(), 1);
    setenv ("XDG_CONFIG_HOME", config.c_str(), 1);

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

    std::error_code ec;
    std::filesystem::remove_all (home, ec);
    return result;
}
