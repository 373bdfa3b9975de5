#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

template <typename T>
struct StateHistory
{
    struct DataHistory
    {
        juce::OwnedArray<T> undoStates; // newest first
        std::unique_ptr<T> current;
        juce::OwnedArray<T> redoStates; // newest first
        int maxStates = 32;
    };
};

// Undo/redo history of whole-rack snapshots, and the hub of the processor's state
// callbacks, so that the editor, the rack and the preset store can save and load
// whole states without knowing the processor.
class StateManager
{
public:
    using SaveCallback = std::function<void (juce::XmlElement*)>;
    using LoadCallback = std::function<void (juce::XmlElement*)>;
    using LoadDefaultCallback = std::function<void()>;

    StateManager (int maxStates, SaveCallback saveState, LoadCallback loadState,
                  LoadDefaultCallback loadDefaultState);

    // Records a snapshot of the present state ("State" holding "slots").
    void saveToHistoricalStates();

    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();

    SaveCallback saveState;
    LoadCallback loadState;
    LoadDefaultCallback loadDefaultState;

    StateHistory<juce::XmlElement>::DataHistory history;

    // Guards every state operation of the processor and the preset store's current
    // preset: state calls may come on a host thread while the message thread loads a
    // preset or undoes. Recursive; never taken by the audio thread.
    juce::CriticalSection stateLock;

private:
    // Moves the present snapshot to the front of `to` and loads the newest of `from`.
    void step (juce::OwnedArray<juce::XmlElement>& from, juce::OwnedArray<juce::XmlElement>& to);
};
