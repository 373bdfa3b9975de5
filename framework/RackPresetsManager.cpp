#include "framework/RackPresetsManager.h"

#include "framework/PlainXml.h"
#include "framework/StateManager.h"

#include <algorithm>
#include <vector>

namespace
{
bool isGroupRoot (const juce::XmlElement& root)
{
    return root.getTagName().equalsIgnoreCase ("Group");
}

bool isPresetElement (const juce::XmlElement& element)
{
    return element.getTagName().equalsIgnoreCase ("Preset");
}

// The group file's "Preset" child named `name` exactly, or null.
juce::XmlElement* findPresetNamed (juce::XmlElement& root, const juce::String& name)
{
    for (auto* child : root.getChildIterator())
        if (isPresetElement (*child) && child->getStringAttribute ("name") == name)
            return child;

    return nullptr;
}

// A group file in JUCE's default text format: the XML declaration, lines wrapped at
// 60 and "\r\n" line ends. The write goes through a temporary file, so a failure
// leaves the old file as it was.
bool writeGroupFile (const juce::XmlElement& root, const juce::String& path)
{
    return path.isNotEmpty() && juce::File::isAbsolutePath (path) && root.writeTo (juce::File (path));
}

std::unique_ptr<juce::XmlElement> readGroupFile (const juce::String& path)
{
    if (path.isEmpty() || ! juce::File::isAbsolutePath (path))
        return nullptr;

    return PlainXml::parse (juce::File (path));
}
} // namespace

void RackPresetsManager::parsePresets()
{
    if (parsed)
        return;
    parsed = true;

    presets.clear();
    groups.clear();

    const juce::File folder (presetsFolder);
    if (presetsFolder.isEmpty() || ! juce::File::isAbsolutePath (presetsFolder) || ! folder.isDirectory())
        return;

    // Only the folder itself, in file-name order, so that the group order does not
    // depend on the file system.
    auto files = folder.findChildFiles (juce::File::findFiles, false, "*.presets");
    std::sort (files.begin(), files.end(), [] (const juce::File& a, const juce::File& b)
               { return a.getFileName().compare (b.getFileName()) < 0; });

    std::vector<std::unique_ptr<juce::XmlElement>> roots;

    for (const auto& file : files)
    {
        auto root = PlainXml::parse (file);
        if (root == nullptr)
            continue;

        groups.add ({ root->getStringAttribute ("name"), file.getFullPathName() });
        roots.push_back (std::move (root));
    }

    for (int gi = 0; gi < groups.size(); ++gi)
    {
        const auto& root = *roots[(size_t) gi];
        if (! isGroupRoot (root))
            continue;

        for (auto* child : root.getChildIterator())
        {
            if (! isPresetElement (*child))
                continue;

            auto* preset = new Preset();
            preset->name = child->getStringAttribute ("name");
            preset->index = presets.size();
            preset->groupName = groups.getReference (gi).name;
            preset->groupIndex = gi;
            preset->state = std::make_unique<juce::XmlElement> (*child);
            presets.add (preset);
        }
    }
}

bool RackPresetsManager::saveStateToPreset (int groupIndex, juce::String name)
{
    if (name.trim().isEmpty() || stateManager == nullptr || ! stateManager->saveState)
        return false;

    const juce::ScopedLock sl (presetLock());

    // Updating the current preset with an index that no longer points anywhere: its
    // group is still known by name.
    if (! juce::isPositiveAndBelow (groupIndex, groups.size()) && name == currentPreset.name
        && currentPreset.groupName.isNotEmpty())
    {
        parsePresets();
        groupIndex = findGroupIndex (currentPreset.groupName, -1);
    }

    if (! juce::isPositiveAndBelow (groupIndex, groups.size()))
        return false;

    const auto group = groups.getReference (groupIndex);
    auto root = readGroupFile (group.file);

    // A file of another kind is listed but never written: its presets would not be read back.
    if (root == nullptr || ! isGroupRoot (*root))
        return false;

    juce::XmlElement* element = nullptr;
    for (auto* child : root->getChildIterator())
    {
        if (child->getStringAttribute ("name") == name)
        {
            element = child;
            break;
        }
    }

    if (element != nullptr)
    {
        element->deleteAllChildElements();
        stateManager->saveState (element);
    }
    else
    {
        element = new juce::XmlElement ("Preset");
        element->setAttribute ("name", name);
        element->setAttribute ("group", group.name);
        stateManager->saveState (element);
        root->prependChildElement (element);
    }

    if (! writeGroupFile (*root, group.file))
        return false;

    currentPreset.name = name;
    currentPreset.index = -1;
    currentPreset.groupName = group.name;
    currentPreset.groupIndex = groupIndex;
    currentPreset.state = std::make_unique<juce::XmlElement> (*element);

    parsed = false;
    return true;
}

bool RackPresetsManager::editCurrentPreset (const std::function<void (juce::XmlElement&, juce::XmlElement&)>& edit)
{
    const juce::ScopedLock sl (presetLock());

    if (currentPreset.groupName.isEmpty())
        return false;

    parsePresets();

    const auto file = getFileFromGroupName (currentPreset.groupName);
    auto root = readGroupFile (file);
    if (root == nullptr || ! isGroupRoot (*root) || root->getNumChildElements() == 0)
        return false;

    auto* element = findPresetNamed (*root, currentPreset.name);
    if (element == nullptr)
        return false;

    edit (*root, *element);

    if (! writeGroupFile (*root, file))
        return false;

    parsed = false;
    return true;
}

bool RackPresetsManager::removePreset()
{
    return editCurrentPreset ([] (juce::XmlElement& root, juce::XmlElement& preset)
                              { root.removeChildElement (&preset, true); });
}

bool RackPresetsManager::renameCurrentPreset (juce::String newName)
{
    if (newName.trim().isEmpty())
        return false;

    const juce::ScopedLock sl (presetLock());

    if (! editCurrentPreset ([&newName] (juce::XmlElement&, juce::XmlElement& preset)
                             { preset.setAttribute ("name", newName); }))
        return false;

    // The preset goes by its new name from now on, so that Update and Remove find it.
    currentPreset.name = newName;
    if (currentPreset.state != nullptr)
        currentPreset.state->setAttribute ("name", newName);

    return true;
}
