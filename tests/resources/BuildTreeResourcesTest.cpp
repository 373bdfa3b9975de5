// Where the resources folder is for a plug-in bundle, and that the build tree's
// bundle finds the drawn film strips without an install.

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/PluginPaths.h"
#include "tests/support/TestEnvironment.h"

namespace
{
juce::File scratch (const char* name)
{
    auto folder = juce::File (juce::String ((tarnello::test::privateHome() / name).string()));
    folder.deleteRecursively();
    folder.createDirectory();
    return folder;
}
} // namespace

TEST (BundleResources, ABundleWithAResourcesFolderUsesItAnythingElseHasNone)
{
    const auto root = scratch ("bundles");
    const auto withResources = root.getChildFile ("Tarnello.aaxplugin/Contents");
    withResources.getChildFile ("x86_64-linux").createDirectory();
    withResources.getChildFile ("Resources").createDirectory();
    const auto without = root.getChildFile ("Other.aaxplugin/Contents/x86_64-linux");
    without.createDirectory();
    const auto notABundle = root.getChildFile ("Plain/Contents/x86_64-linux");
    notABundle.createDirectory();
    notABundle.getSiblingFile ("Resources").createDirectory();

    EXPECT_EQ (PluginPaths::getBundleResourcesFolder (withResources.getChildFile ("x86_64-linux/Tarnello.so")),
               withResources.getChildFile ("Resources"));
    EXPECT_FALSE (PluginPaths::getBundleResourcesFolder (without.getChildFile ("Other.so")).exists());
    EXPECT_FALSE (PluginPaths::getBundleResourcesFolder (notABundle.getChildFile ("Plain.so")).exists());
    EXPECT_FALSE (PluginPaths::getBundleResourcesFolder (root.getChildFile ("tests/some-test")).exists());
}

#ifdef TARNELLO_PRODUCT_BUNDLE_FILE
TEST (BundleResources, TheBuildTreesBundleReadsTheBuildTreesFilmStrips)
{
    const auto folder = PluginPaths::getBundleResourcesFolder (juce::File (TARNELLO_PRODUCT_BUNDLE_FILE));
    ASSERT_TRUE (folder.isDirectory());
    const auto knob = folder.getChildFile ("panels/x2_knob.dovi");
    EXPECT_TRUE (knob.existsAsFile());
    const auto built = juce::File (TARNELLO_BUILD_RESOURCES_DIR).getChildFile ("panels/x2_knob.dovi");
    EXPECT_EQ (std::filesystem::canonical (knob.getFullPathName().toStdString()),
               std::filesystem::canonical (built.getFullPathName().toStdString()));
}
#endif
