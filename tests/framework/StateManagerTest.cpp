// The undo history: whole-rack snapshots taken after each change, stepped
// through with the processor's load callback.

#include <gtest/gtest.h>

#include "tests/framework/FakeRack.h"
#include "framework/StateManager.h"

namespace
{
using tarnello::test::FakeRack;

class UndoHistory : public ::testing::Test
{
protected:
    FakeRack rack;
    StateManager manager { 32,
                           [this] (juce::XmlElement* e) { rack.save (e); },
                           [this] (juce::XmlElement* e) { rack.load (e); },
                           [] {} };

    // A finished change: the value moves, then a snapshot is taken after it.
    void change (int newValue)
    {
        rack.value = newValue;
        manager.saveToHistoricalStates();
    }
};
} // namespace

TEST_F (UndoHistory, StartsEmptyAndUndoOrRedoDoNothing)
{
    EXPECT_FALSE (manager.canUndo());
    EXPECT_FALSE (manager.canRedo());
    manager.undo();
    manager.redo();
    EXPECT_EQ (rack.loads, 0);
    EXPECT_EQ (manager.history.current, nullptr);
}

TEST_F (UndoHistory, SnapshotIsAStateElementHoldingTheSlots)
{
    change (7);
    ASSERT_NE (manager.history.current, nullptr);
    EXPECT_EQ (manager.history.current->getTagName(), "State");
    auto* slots = manager.history.current->getChildByName ("slots");
    ASSERT_NE (slots, nullptr);
    EXPECT_EQ (slots->getFirstChildElement()->getIntAttribute ("value"), 7);
}

TEST_F (UndoHistory, AfterOneChangeUndoCannotReachTheStateBeforeIt)
{
    change (1);
    EXPECT_FALSE (manager.canUndo());
    manager.undo();
    EXPECT_EQ (rack.value, 1);
    EXPECT_EQ (rack.loads, 0);
}

TEST_F (UndoHistory, AfterTwoChangesUndoRestoresTheFirstAndRedoTheSecond)
{
    change (1);
    change (2);

    manager.undo();
    EXPECT_EQ (rack.value, 1);
    EXPECT_EQ (rack.lastLoadedRootTag, "State");
    EXPECT_FALSE (manager.canUndo());
    EXPECT_TRUE (manager.canRedo());

    manager.undo();
    EXPECT_EQ (rack.loads, 1);

    manager.redo();
    EXPECT_EQ (rack.value, 2);
    EXPECT_FALSE (manager.canRedo());
    EXPECT_TRUE (manager.canUndo());

    manager.redo();
    EXPECT_EQ (rack.loads, 2);
}

TEST_F (UndoHistory, AChangeAfterAnUndoClearsTheRedoList)
{
    change (1);
    change (2);
    change (3);
    manager.undo();
    manager.undo();
    ASSERT_EQ (rack.value, 1);

    change (10);
    EXPECT_FALSE (manager.canRedo());
    manager.redo();
    EXPECT_EQ (rack.value, 10);

    manager.undo();
    EXPECT_EQ (rack.value, 1);
}

TEST_F (UndoHistory, AfterFortyChangesUndoStepsBackExactlyThirtyTwoTimes)
{
    for (int i = 1; i <= 40; ++i)
        change (i);

    int undos = 0;
    while (manager.canUndo())
    {
        manager.undo();
        ++undos;
        ASSERT_LE (undos, 40);
    }

    EXPECT_EQ (undos, 32);
    EXPECT_EQ (rack.value, 40 - 32);
    manager.undo();
    EXPECT_EQ (rack.value, 8);

    int redos = 0;
    while (manager.canRedo())
    {
        manager.redo();
        ++redos;
        ASSERT_LE (redos, 40);
    }
    EXPECT_EQ (redos, 32);
    EXPECT_EQ (rack.value, 40);
}

TEST (UndoHistoryDepth, FollowsTheDepthGiven)
{
    int value = 0;
    StateManager manager (3,
                          [&] (juce::XmlElement* e) { e->createNewChildElement ("slots")->setAttribute ("v", value); },
                          [&] (juce::XmlElement* e) { value = e->getChildByName ("slots")->getIntAttribute ("v"); },
                          [] {});

    for (value = 1; value <= 10; ++value)
        manager.saveToHistoricalStates();

    int undos = 0;
    for (; manager.canUndo(); ++undos)
        manager.undo();

    EXPECT_EQ (undos, 3);
    EXPECT_EQ (value, 7);
}
