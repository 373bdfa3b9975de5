#pragma once

#include "framework/PresetsManager.h"

#include <functional>

// Reads and writes the preset group files of the rack.
class RackPresetsManager : public PresetsManager
{
public:
    using PresetsManager::PresetsManager;

    void parsePresets() override;
    bool saveStateToPreset (int groupIndex, juce::String name) override;
    bool removePreset() override;
    bool renameCurrentPreset (juce::String newName) override;

private:
    // Opens the current preset's group file, lets `edit` change the root and the
    // preset's element, and writes the file back; false, writing nothing, when the
    // group, its file or the preset can't be found.
    bool editCurrentPreset (const std::function<void (juce::XmlElement& root, juce::XmlElement& preset)>& edit);
};
