#include "framework/StateManager.h"

StateManager::StateManager (int maxStates, SaveCallback saveStateIn, LoadCallback loadStateIn,
                            LoadDefaultCallback loadDefaultStateIn)
    : saveState (std::move (saveStateIn)),
      loadState (std::move (loadStateIn)),
      loadDefaultState (std::move (loadDefaultStateIn))
{
    history.maxStates = juce::jmax (1, maxStates);
}

void StateManager::saveToHistoricalStates()
{
    const juce::ScopedLock sl (stateLock);

    auto snapshot = std::make_unique<juce::XmlElement> ("State");
    if (saveState)
        saveState (snapshot.get());

    while (history.undoStates.size() >= history.maxStates)
        history.undoStates.removeLast();

    if (history.current != nullptr)
        history.undoStates.insert (0, history.current.release());

    history.current = std::move (snapshot);
    history.redoStates.clear();
}

bool StateManager::canUndo() const
{
    const juce::ScopedLock sl (stateLock);
    return ! history.undoStates.isEmpty();
}

bool StateManager::canRedo() const
{
    const juce::ScopedLock sl (stateLock);
    return ! history.redoStates.isEmpty();
}

void StateManager::undo()
{
    step (history.undoStates, history.redoStates);
}

void StateManager::redo()
{
    step (history.redoStates, history.undoStates);
}

void StateManager::step (juce::OwnedArray<juce::XmlElement>& from, juce::OwnedArray<juce::XmlElement>& to)
{
    const juce::ScopedLock sl (stateLock);

    if (from.isEmpty())
        return;

    if (history.current != nullptr)
        to.insert (0, history.current.release());

    history.current.reset (from.removeAndReturn (0));

    if (loadState)
        loadState (history.current.get());
}
