#pragma once

#include <juce_core/juce_core.h>

namespace tarnello::test
{
// Stands in for the processor's rack in tests of the undo history and the preset
// store: its whole state is one number, saved into a "slots" element and read back
// from the "slots" child (any case) of whatever root it is given.
struct FakeRack
{
    int value = 0;
    int loads = 0;
    juce::String lastLoadedRootTag;

    void save (juce::XmlElement* root) const
    {
        root->createNewChildElement ("slots")->createNewChildElement ("fake")->setAttribute ("value", value);
    }

    void load (juce::XmlElement* root)
    {
        ++loads;
        lastLoadedRootTag = root->getTagName();
        for (auto* child : root->getChildIterator())
            if (child->getTagName().equalsIgnoreCase ("slots"))
                if (auto* module = child->getFirstChildElement())
                    value = module->getIntAttribute ("value");
    }
};
} // namespace tarnello::test
