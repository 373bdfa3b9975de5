#include "framework/PluginPaths.h"

#ifndef TARNELLO_RESOURCES_DIR
 #define TARNELLO_RESOURCES_DIR "/usr/local/share/Halvory/tarnello/Resources/"
#endif

namespace PluginPaths
{
namespace
{
juce::SpinLock resourcesRootLock;
juce::String resourcesRootOverride;

// An absolute, expanded folder path ending with "/". A relative path (only possible
// from a hand-set build option or a test) is taken from the working folder.
juce::String asFolderPath (const juce::String& path)
{
    const auto file = juce::File::isAbsolutePath (path)
                          ? juce::File (path)
                          : juce::File::getCurrentWorkingDirectory().getChildFile (path);
    auto full = file.getFullPathName();
    return full.endsWithChar ('/') ? full : full + "/";
}

juce::String installedResourcesRoot()
{
   #if JUCE_MAC
    return juce::String ("/Library/Application Support/") + makerName + "/" + productId + "/Resources/";
   #else
    const auto bundled = getBundleResourcesFolder (juce::File::getSpecialLocation (juce::File::currentExecutableFile));
    return asFolderPath (bundled.isDirectory() ? bundled.getFullPathName() : juce::String (TARNELLO_RESOURCES_DIR));
   #endif
}
} // namespace

juce::File getBundleResourcesFolder (const juce::File& moduleFile)
{
    const auto contents = moduleFile.getParentDirectory().getParentDirectory();
    if (contents.getFileName() != "Contents" || ! contents.getParentDirectory().getFileName().endsWith (".aaxplugin"))
        return {};
    const auto resources = contents.getChildFile ("Resources");
    return resources.isDirectory() ? resources : juce::File();
}

juce::String getPropertiesDir()
{
   #if JUCE_MAC
    return asFolderPath (juce::String ("~/Library/Application Support/") + makerName + "/" + productId + "/");
   #else
    // JUCE only consults ~/.config/user-dirs.dirs; honour the environment's
    // XDG_CONFIG_HOME first, as every other desktop program does.
    const auto xdg = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
    const auto base = juce::File::isAbsolutePath (xdg)
                        ? juce::File (xdg)
                        : juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
    return asFolderPath (base.getChildFile (makerName).getChildFile (productId).getFullPathName());
   #endif
}

juce::String getPresetsDir()
{
    return getPropertiesDir() + "Presets/" + productId;
}

juce::String getResourcesDir (const juce::String& name)
{
    juce::String root;
    {
        const juce::SpinLock::ScopedLockType sl (resourcesRootLock);
        root = resourcesRootOverride;
    }
    return (root.isEmpty() ? installedResourcesRoot() : asFolderPath (root)) + name;
}

void setResourcesRootForTesting (const juce::String& root)
{
    const juce::SpinLock::ScopedLockType sl (resourcesRootLock);
    resourcesRootOverride = root;
}

juce::PropertiesFile::Options getSettingsOptions()
{
    juce::PropertiesFile::Options options;
    options.applicationName = productName;
    options.filenameSuffix = "settings";
    // An absolute folder name is used as it stands on every platform.
    options.folderName = getPropertiesDir();
    options.osxLibrarySubFolder = juce::String ("Application Support/") + makerName + "/" + productId;
    options.commonToAllUsers = false;
    options.ignoreCaseOfKeyNames = false;
    options.doNotSave = false;
    options.millisecondsBeforeSaving = 3000;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    options.processLock = nullptr;
    return options;
}
} // namespace PluginPaths
