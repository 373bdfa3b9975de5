// The panel's maps: the first control under an id stays, a later prop set replaces an earlier one,
// and keys are told apart by their whole text.

#include "editor/Dictionary.h"

#include <gtest/gtest.h>

TEST (Dictionary, InsertKeepsTheFirstValueUnderAKey)
{
    Dictionary<juce::String, int> map;
    EXPECT_TRUE (map.insert ("time", 1));
    EXPECT_FALSE (map.insert ("time", 2));
    ASSERT_NE (map.find ("time"), nullptr);
    EXPECT_EQ (*map.find ("time"), 1);
}

TEST (Dictionary, InsertOrAssignReplacesTheValue)
{
    Dictionary<juce::String, juce::String> map;
    map.insertOrAssign ("knobs", "first");
    map.insertOrAssign ("knobs", "second");
    ASSERT_NE (map.find ("knobs"), nullptr);
    EXPECT_EQ (*map.find ("knobs"), "second");
    EXPECT_EQ (map.size(), 1u);
}

TEST (Dictionary, FindGivesNullForAnAbsentKeyAndTellsCaseAndLengthApart)
{
    Dictionary<juce::String, int> map;
    map.insert ("lbl-time", 7);
    EXPECT_EQ (map.find ("lbl-time-note"), nullptr);
    EXPECT_EQ (map.find ("LBL-TIME"), nullptr);
    EXPECT_EQ (map.find (""), nullptr);
    ASSERT_NE (map.find ("lbl-time"), nullptr);
    *map.find ("lbl-time") = 8;
    EXPECT_EQ (*map.find ("lbl-time"), 8);
}

TEST (Dictionary, ManyKeysSurviveRehashing)
{
    Dictionary<juce::String, int> map;
    for (int i = 0; i < 500; ++i)
        map.insert ("id" + juce::String (i), i);
    for (int i = 0; i < 500; ++i)
    {
        auto* v = map.find ("id" + juce::String (i));
        ASSERT_NE (v, nullptr) << i;
        EXPECT_EQ (*v, i);
    }
}

TEST (Dictionary, HashIsTheFrameworkStringHash)
{
    // "ab" = ('a' * 101) + 'b'; non-ASCII text hashes by code point.
    EXPECT_EQ (StringHash() (juce::String ("ab")), std::size_t ('a') * 101 + 'b');
    EXPECT_EQ (StringHash() (juce::String()), 0u);
    EXPECT_EQ (StringHash() (juce::String (juce::CharPointer_UTF8 ("\xc3\xa9"))), 0xe9u);
}
