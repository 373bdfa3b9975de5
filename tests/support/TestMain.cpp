// Every test binary runs with a private, empty HOME and XDG_CONFIG_HOME so that
// settings and presets written by the code under test never touch the real user's
// files. A JUCE GUI initialiser provides the message manager that timers need;
// tests call timer callbacks directly instead of waiting for them.

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>

#include "tests/support/TestEnvironment.h"

int main (int argc, char** argv)
{
    tarnello::test::enterPrivateHome();

    ::testing::InitGoogleTest (&argc, argv);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juceInit;
        result = RUN_ALL_TESTS();
    }

    tarnello::test::removePrivateHome();
    return result;
}
