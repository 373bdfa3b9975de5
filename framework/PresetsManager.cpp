#include "framework/PresetsManager.h"

#include "framework/PlainXml.h"
#include "framework/StateManager.h"

Preset::Preset (const Preset& other)
    : name (other.name),
      index (other.index),
      groupName (other.groupName),
      groupIndex (other.groupIndex),
      state (other.state != nullptr ? std::make_unique<juce::XmlElement> (*other.state) : nullptr)
{
}

Preset& Preset::operator= (const Preset& other)
{
    if (this != &other)
    {
        name = other.name;
        index = other.index;
        groupName = other.groupName;
        groupIndex = other.groupIndex;
        state = other.state != nullptr ? std::make_unique<juce::XmlElement> (*other.state) : nullptr;
    }
    return *this;
}

void Preset::reset()
{
    name.clear();
    index = -1;
    groupName.clear();
    groupIndex = -1;
    state.reset();
}

PresetsManager::PresetsManager (StateManager* stateManagerIn, const juce::String& productIdIn,
                                const juce::String& presetsFolderIn)
    : stateManager (stateManagerIn), productId (productIdIn), presetsFolder (presetsFolderIn)
{
    currentPreset.reset();
}

PresetsManager::~PresetsManager() = default;

juce::CriticalSection& PresetsManager::presetLock()
{
    return stateManager != nullptr ? stateManager->stateLock : fallbackLock;
}

int PresetsManager::findGroupIndex (const juce::String& name, int hint) const
{
    if (juce::isPositiveAndBelow (hint, groups.size()) && groups.getReference (hint).name == name)
        return hint;

    for (int i = 0; i < groups.size(); ++i)
        if (groups.getReference (i).name == name)
            return i;

    return -1;
}

void PresetsManager::loadStateFromPreset (int index)
{
    if (! juce::isPositiveAndBelow (index, presets.size()))
        return;

    auto* preset = presets.getUnchecked (index);
    if (preset->state == nullptr || stateManager == nullptr || ! stateManager->loadState)
        return;

    const juce::ScopedLock sl (presetLock());
    currentPreset = *preset;
    stateManager->loadState (currentPreset.state.get());
}

juce::String PresetsManager::getFileFromGroupName (juce::String name)
{
    for (const auto& group : groups)
        if (group.name == name)
            return group.file;

    return {};
}

bool PresetsManager::existsGroup (juce::String name)
{
    for (const auto& group : groups)
        if (group.name == name)
            return true;

    return false;
}

bool PresetsManager::removeGroup (int groupIndex)
{
    if (! juce::isPositiveAndBelow (groupIndex, groups.size()))
        return false;

    const juce::ScopedLock sl (presetLock());

    const bool wasCurrent = currentPreset.groupName.isNotEmpty()
                            && findGroupIndex (currentPreset.groupName, currentPreset.groupIndex) == groupIndex;

    const bool deleted = juce::File (groups.getReference (groupIndex).file).deleteFile();
    parsed = false;

    if (deleted && wasCurrent)
        currentPreset.reset();

    return deleted;
}

void PresetsManager::matchOnLoadPluginWithPreset()
{
    const juce::ScopedLock sl (presetLock());

    if (currentPreset.index >= 0 || currentPreset.name.isEmpty())
        return;

    parsePresets();

    for (auto* preset : presets)
    {
        if (preset->name == currentPreset.name && preset->groupName == currentPreset.groupName)
        {
            currentPreset.index = preset->index;
            currentPreset.groupIndex = preset->groupIndex;
            return;
        }
    }

    currentPreset.reset();
}

bool PresetsManager::updateCurrentPreset()
{
    const juce::ScopedLock sl (presetLock());

    if (currentPreset.name.isEmpty() || currentPreset.groupName.isEmpty())
        return false;

    parsePresets();

    const int groupIndex = findGroupIndex (currentPreset.groupName, currentPreset.groupIndex);
    if (groupIndex < 0)
        return false;

    return saveStateToPreset (groupIndex, currentPreset.name);
}

bool PresetsManager::renameGroup (int groupIndex, const juce::String& newName)
{
    const auto name = newName.trim();
    if (name.isEmpty() || ! juce::isPositiveAndBelow (groupIndex, groups.size()) || existsGroup (name))
        return false;

    const juce::ScopedLock sl (presetLock());

    const auto group = groups.getReference (groupIndex);
    const juce::File file (group.file);
    auto root = file.existsAsFile() ? PlainXml::parse (file) : nullptr;
    if (root == nullptr || ! root->getTagName().equalsIgnoreCase ("Group"))
        return false;

    root->setAttribute ("name", name);
    if (! root->writeTo (file))
        return false;

    if (currentPreset.groupName.isNotEmpty()
        && findGroupIndex (currentPreset.groupName, currentPreset.groupIndex) == groupIndex)
        currentPreset.groupName = name;

    parsed = false;
    return true;
}

juce::String PresetsManager::groupFileNameFor (const juce::String& productId, juce::Time now)
{
    return productId + "-" + juce::String (now.getYear()) + juce::String (now.getDayOfYear())
           + juce::String (now.getHours()) + juce::String (now.getMinutes())
           + juce::String (now.getSeconds()) + ".presets";
}

juce::File PresetsManager::createGroupFile (const juce::String& groupName)
{
    return createGroupFile (groupName, juce::Time::getCurrentTime());
}

juce::File PresetsManager::createGroupFile (const juce::String& groupName, juce::Time now)
{
    const auto name = groupName.trim();
    if (name.isEmpty())
        return {};

    const juce::File folder (presetsFolder);
    if (! folder.isDirectory() && ! folder.createDirectory())
        return {};

    // The time figures run together, so two names can meet (two groups in one second,
    // day 1 at 11:05:07 and day 11 at 1:05:07): never write over a file that is there.
    const auto fileName = groupFileNameFor (productId, now);
    const auto stem = fileName.upToLastOccurrenceOf (".presets", false, false);
    auto file = folder.getChildFile (fileName);

    for (int suffix = 2; file.exists(); ++suffix)
    {
        if (suffix > 1000)
            return {};
        file = folder.getChildFile (stem + "-" + juce::String (suffix) + ".presets");
    }

    juce::XmlElement root ("Group");
    root.setAttribute ("name", name);

    if (! root.writeTo (file))
        return {};

    parsed = false;
    return file;
}
