#pragma once

#include <juce_data_structures/juce_data_structures.h>

// The folders the plug-in uses on disk, and the user settings file's options.
// Every path returned is absolute and expanded.
namespace PluginPaths
{
inline constexpr const char* makerName = "Halvory";
inline constexpr const char* productId = "tarnello";
inline constexpr const char* productName = "Tarnello";

// Per-user folder for settings and presets, ending with "/".
juce::String getPropertiesDir();
// Presets folder: the properties folder + "Presets/" + the product id.
juce::String getPresetsDir();
// The installed resources folder with `name` appended.
juce::String getResourcesDir (const juce::String& name);

// The resources folder a plug-in bundle carries beside its binary: for
// "<name>.aaxplugin/Contents/<arch>/<name>.so" that is "<name>.aaxplugin/Contents/Resources".
// A bundle that has one reads its resources from there (the build tree's bundle does);
// anything else gives a File that does not exist.
juce::File getBundleResourcesFolder (const juce::File& moduleFile);

// Lets tests point the resources folder elsewhere; an empty root restores the installed one.
void setResourcesRootForTesting (const juce::String& root);

juce::PropertiesFile::Options getSettingsOptions();
} // namespace PluginPaths

// Keys of the user settings file.
namespace SettingsKeys
{
inline constexpr const char* inlineHelp = "inlineHelp";
inline constexpr const char* oversampling = "oversampling";
inline constexpr const char* oversamplingType = "oversamplingType";
inline constexpr const char* uiScale = "uiScale";
inline constexpr const char* defaultState = "defaultState";
} // namespace SettingsKeys
