// The delay panel's layout document as the program carries it.

#include "editor/LayoutAttributes.h"
#include "editor/ZerAvoroEditorLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    for (const char* text : { "", "not xml at all", "<", "<?xml version=\"1.0\"?>", "<?xml version=\"1.0\"",
                              "<l b=\"\"><?\?>e", "<layout><control/><?pi x?>text</layout>" })
        EXPECT_FALSE (parseLayoutDocument (text).isValid()) << text;
}

TEST (ZerAvoroLayout, ADeclarationAndCommentsAreFine)
{
    const std::string bytes = "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- a panel -->\n"
                              "<layout background=\"ff010203\"><!-- x --><shape type=\"rect\"/></layout>";
    const auto tree = parseLayoutDocument (bytes.data(), bytes.size());
    ASSERT_TRUE (tree.isValid());
    EXPECT_EQ (tree.getNumChildren(), 1);
}

TEST (ZerAvoroLayout, BytesThatAreNotUtf8GiveNoTree)
{
    const std::vector<std::string> broken {
        "<layout a=\"\xf6\"/>",
        "<?xml version=\"1.0\"?><layout>\xf6\xf6\xf6",
        "<layout>\xc3</layout>",
        "<layout a=\"\xe0\x87\x87\"/>",       // overlong
        "<layout a=\"\xc0\xaf\"/>",            // overlong
        "<layout a=\"\xed\xa0\x80\"/>",       // a surrogate
        "<layout a=\"\xf4\x90\x80\x80\"/>",   // past U+10FFFF
    };
    for (const auto& bytes : broken)
        EXPECT_FALSE (parseLayoutDocument (bytes.data(), bytes.size()).isValid()) << bytes;

    const std::string fine = "<layout background=\"ff000000\"><caption text=\"\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5\"/></layout>";
    const auto tree = parseLayoutDocument (fine.data(), fine.size());
    ASSERT_TRUE (tree.isValid());
    EXPECT_EQ (tree.getChild (0)["text"].toString(), juce::String (juce::CharPointer_UTF8 ("\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5")));
}
