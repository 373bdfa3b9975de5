// The user settings file: where it lies, what a fresh account reads, and that
// what one instance writes the next one reads back.

#include <gtest/gtest.h>

#include "framework/PluginPaths.h"

namespace
{
class UserSettings : public ::testing::Test
{
protected:
    juce::File settingsFile { PluginPaths::getPropertiesDir() + "Tarnello.settings" };

    void SetUp() override { settingsFile.deleteFile(); }
    void TearDown() override { settingsFile.deleteFile(); }

    static std::unique_ptr<juce::ApplicationProperties> open()
    {
        auto props = std::make_unique<juce::ApplicationProperties>();
        props->setStorageParameters (PluginPaths::getSettingsOptions());
        return props;
    }
};
} // namespace

TEST_F (UserSettings, FileIsTarnelloDotSettingsInThePerUserFolder)
{
    const auto options = PluginPaths::getSettingsOptions();
    EXPECT_EQ (options.getDefaultFile(), settingsFile);

    auto props = open();
    ASSERT_NE (props->getUserSettings(), nullptr);
    EXPECT_EQ (props->getUserSettings()->getFile().getFullPathName(),
               PluginPaths::getPropertiesDir() + "Tarnello.settings");

    // Written later by JUCE's timer, not on every change.
    EXPECT_EQ (options.millisecondsBeforeSaving, 3000);
    EXPECT_FALSE (options.commonToAllUsers);
    EXPECT_FALSE (options.ignoreCaseOfKeyNames);
}

TEST_F (UserSettings, FreshAccountReadsTheDefaults)
{
    auto props = open();
    auto* settings = props->getUserSettings();
    EXPECT_TRUE (settings->getBoolValue (SettingsKeys::inlineHelp, true));
    EXPECT_DOUBLE_EQ (settings->getDoubleValue (SettingsKeys::uiScale, 1.0), 1.0);
    EXPECT_TRUE (settings->getValue (SettingsKeys::defaultState).isEmpty());
    EXPECT_FALSE (settingsFile.exists());
}

TEST_F (UserSettings, WrittenKeysReachTheNextInstanceAsXml)
{
    const juce::String defaultState = "12.ABCDEFGHIJKLMNOP";
    {
        auto props = open();
        auto* settings = props->getUserSettings();
        settings->setValue (SettingsKeys::inlineHelp, false);
        settings->setValue (SettingsKeys::uiScale, 1.5);
        settings->setValue (SettingsKeys::oversamplingType, "IIR");
        settings->setValue (SettingsKeys::defaultState, defaultState);
        EXPECT_TRUE (settings->saveIfNeeded());
    }

    ASSERT_TRUE (settingsFile.existsAsFile());
    auto xml = juce::parseXML (settingsFile);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "PROPERTIES");

    auto props = open();
    auto* settings = props->getUserSettings();
    EXPECT_FALSE (settings->getBoolValue (SettingsKeys::inlineHelp, true));
    EXPECT_DOUBLE_EQ (settings->getDoubleValue (SettingsKeys::uiScale, 1.0), 1.5);
    EXPECT_EQ (settings->getValue (SettingsKeys::oversamplingType), "IIR");
    EXPECT_EQ (settings->getValue (SettingsKeys::defaultState), defaultState);
    // Key names are matched exactly.
    EXPECT_TRUE (settings->getValue ("INLINEHELP").isEmpty());
}

TEST_F (UserSettings, UnreadableFileYieldsTheDefaults)
{
    ASSERT_TRUE (settingsFile.getParentDirectory().createDirectory());
    for (const std::string& content : { std::string ("not xml at all"), std::string ("<PROPERTIES><VALUE name="),
                                       std::string ("\x01\x02\0\xff", 4) })
    {
        ASSERT_TRUE (settingsFile.replaceWithData (content.data(), content.size()));
        auto props = open();
        auto* settings = props->getUserSettings();
        EXPECT_TRUE (settings->getBoolValue (SettingsKeys::inlineHelp, true)) << content.size();
        EXPECT_DOUBLE_EQ (settings->getDoubleValue (SettingsKeys::uiScale, 1.0), 1.0) << content.size();
        EXPECT_TRUE (settings->getValue (SettingsKeys::defaultState).isEmpty()) << content.size();
    }
}
