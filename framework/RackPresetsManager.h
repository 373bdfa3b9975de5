#pragma once

#include "PresetsManager.h"

// Reads and writes the preset group files of the rack.
class RackPresetsManager : public PresetsManager
{
public:
    using PresetsManager::PresetsManager;

    void parsePresets() override;
    bool saveStateToPreset (int groupIndex, juce::String name) override;
    bool removePreset() override;
    bool renameCurrentPreset (juce::String newName) override;
};
