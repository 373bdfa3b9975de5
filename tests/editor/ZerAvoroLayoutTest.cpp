// The delay panel's layout document as the program carries it.

#include "editor/LayoutAttributes.h"
#include "editor/ZerAvoroEditorLayout.h"

#include <gtest/gtest.h>

TEST (ZerAvoroLayout, TheCarriedTextIsTheSourceDocument)
{
    const juce::File source (TARNELLO_ZERAVORO_LAYOUT);
    ASSERT_TRUE (source.existsAsFile());
    const auto carried = zerAvoroLayoutText();
    EXPECT_GT (carried.length(), 1000);
    EXPECT_EQ (carried, source.loadFileAsString());
}

TEST (ZerAvoroLayout, TheDocumentParsesIntoALayoutTree)
{
    const auto tree = parseLayoutDocument (zerAvoroLayoutText());
    ASSERT_TRUE (tree.isValid());
    EXPECT_GT (tree.getNumChildren(), 20);
}

TEST (ZerAvoroLayout, TextThatDoesNotParseGivesNoTree)
{
    for (const char* text : { "", "not xml at all", "<", "<?xml version=\"1.0\"?>" })
        EXPECT_FALSE (parseLayoutDocument (text).isValid()) << text;
}
