// The folders on disk: the per-user folder under the user's application-data
// folder, the presets folder inside it, and the installed resources folder.

#include <gtest/gtest.h>

#include "framework/PluginPaths.h"
#include "tests/support/TestEnvironment.h"

namespace
{
juce::String homePath (const char* relative)
{
    return juce::String ((tarnello::test::privateHome() / relative).string());
}

struct ResourcesRootReset
{
    ~ResourcesRootReset() { PluginPaths::setResourcesRootForTesting ({}); }
};
} // namespace

TEST (PluginPaths, PerUserFolderIsInTheUsersApplicationDataFolder)
{
    const auto dir = PluginPaths::getPropertiesDir();
    EXPECT_EQ (dir, homePath (".config") + "/Halvory/tarnello/");
    EXPECT_TRUE (juce::File::isAbsolutePath (dir));
    EXPECT_FALSE (dir.contains ("~"));
}

TEST (PluginPaths, PerUserFolderFollowsXdgConfigHome)
{
    const auto saved = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
    const auto elsewhere = homePath ("elsewhere-config");
    setenv ("XDG_CONFIG_HOME", elsewhere.toRawUTF8(), 1);
    const auto dir = PluginPaths::getPropertiesDir();
    setenv ("XDG_CONFIG_HOME", saved.toRawUTF8(), 1);

    EXPECT_EQ (dir, elsewhere + "/Halvory/tarnello/");
}

TEST (PluginPaths, PresetsFolderIsInsideThePerUserFolder)
{
    EXPECT_EQ (PluginPaths::getPresetsDir(), homePath (".config") + "/Halvory/tarnello/Presets/tarnello");
}

TEST (PluginPaths, ResourcesFolderIsTheInstalledOne)
{
    const auto manual = PluginPaths::getResourcesDir ("Manual.pdf");
    EXPECT_TRUE (juce::File::isAbsolutePath (manual));
    EXPECT_TRUE (manual.endsWith ("/Halvory/tarnello/Resources/Manual.pdf")) << manual;
    EXPECT_FALSE (manual.contains ("//"));
    EXPECT_EQ (PluginPaths::getResourcesDir ({}), manual.dropLastCharacters (10));
}

TEST (PluginPaths, ResourcesFolderCanBePointedElsewhereAndBack)
{
    ResourcesRootReset reset;
    const auto installed = PluginPaths::getResourcesDir ("Manual.pdf");
    const auto root = homePath ("resources");

    struct Case { juce::String given; };
    for (const auto& c : { Case { root }, Case { root + "/" } })
    {
        PluginPaths::setResourcesRootForTesting (c.given);
        EXPECT_EQ (PluginPaths::getResourcesDir ("Manual.pdf"), root + "/Manual.pdf") << c.given;
        EXPECT_EQ (PluginPaths::getResourcesDir ("knob.dovi"), root + "/knob.dovi") << c.given;
    }

    PluginPaths::setResourcesRootForTesting ({});
    EXPECT_EQ (PluginPaths::getResourcesDir ("Manual.pdf"), installed);
}
