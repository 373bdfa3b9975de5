#pragma once

#include <juce_core/juce_core.h>

#include <memory>

class StateManager;

class Preset
{
public:
    Preset() = default;
    Preset (const Preset& other);
    Preset& operator= (const Preset& other);

    void reset();

    juce::String name;
    int index = -1;
    juce::String groupName;
    int groupIndex = -1;
    std::unique_ptr<juce::XmlElement> state;
};

// The preset model: groups (one ".presets" file each) and their presets, the
// current preset, and loading a preset through the undo history's callbacks.
// Writes report failure to the caller and leave the current preset as it was.
class PresetsManager
{
public:
    struct PresetGroup
    {
        juce::String name;
        juce::String file;
    };

    PresetsManager (StateManager* stateManager, const juce::String& productId, const juce::String& presetsFolder);
    virtual ~PresetsManager();

    virtual void parsePresets() = 0;
    virtual void loadStateFromPreset (int index);
    virtual bool saveStateToPreset (int groupIndex, juce::String name) = 0;
    virtual bool removePreset() = 0;
    virtual bool renameCurrentPreset (juce::String newName) = 0;

    juce::String getFileFromGroupName (juce::String name);
    // Deletes the group's file; a current preset of that group is forgotten, so that
    // nothing is written into a group that is gone.
    bool removeGroup (int groupIndex);
    void matchOnLoadPluginWithPreset();
    bool existsGroup (juce::String name);

    // Overwrites the current preset with the present state. The group is found by
    // the current preset's group name, so an index gone stale (a host state load, a
    // group added or removed) never sends the preset into another group's file.
    bool updateCurrentPreset();

    // Creates a new, empty group file named after the product id and the local time;
    // never overwrites an existing file. Returns the new file, or a null File on failure.
    juce::File createGroupFile (const juce::String& groupName);
    juce::File createGroupFile (const juce::String& groupName, juce::Time now);

    // Gives the group a new name in its file (and to the current preset, when it is of
    // that group). False, changing nothing, for an empty name, a name already taken, an
    // index out of range or a file that is no group file.
    bool renameGroup (int groupIndex, const juce::String& newName);

    // The position of the group of that exact name, preferring `hint` when it names it; -1 for none.
    int findGroupIndex (const juce::String& name, int hint) const;

    // "<productId>-<year><day of year from 0><hours><minutes><seconds>.presets".
    static juce::String groupFileNameFor (const juce::String& productId, juce::Time now);

    bool parsed = false;
    juce::Array<PresetGroup> groups;
    juce::OwnedArray<Preset> presets;
    Preset currentPreset;
    StateManager* stateManager = nullptr;
    juce::String productId;
    juce::String presetsFolder;

protected:
    // The state manager's lock, or a private one when there is no state manager.
    juce::CriticalSection& presetLock();

private:
    juce::CriticalSection fallbackLock;
};
