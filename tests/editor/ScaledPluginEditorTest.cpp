// The scalable window around an inner editor of the product's base size: its
// limits and aspect ratio, the stored scale it opens at, the scale it shows and
// publishes, and when it stores the scale. Timers are ticked by hand.

#include "editor/ScaledPluginEditor.h"

#include "effect/PluginProcessor.h"
#include "framework/PluginPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace
{
constexpr int baseWidth = 786;
constexpr int baseHeight = 304;

class FixedSizeEditor : public juce::AudioProcessorEditor
{
public:
    explicit FixedSizeEditor (juce::AudioProcessor& p) : AudioProcessorEditor (p) { setSize (baseWidth, baseHeight); }
};

class ScaledWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        storeScale (std::nullopt);
        processor.reset (static_cast<TarnelloAudioProcessor*> (createPluginFilter()));
    }

    void TearDown() override
    {
        window.reset();
        processor.reset();
        storeScale (std::nullopt);
    }

    // The settings file as the next window reads it.
    static void storeScale (std::optional<double> scale)
    {
        juce::ApplicationProperties properties;
        properties.setStorageParameters (PluginPaths::getSettingsOptions());
        auto* settings = properties.getUserSettings();
        if (scale.has_value())
            settings->setValue (SettingsKeys::uiScale, *scale);
        else
            settings->removeValue (SettingsKeys::uiScale);
        settings->saveIfNeeded();
    }

    static std::optional<double> savedScale()
    {
        juce::ApplicationProperties properties;
        properties.setStorageParameters (PluginPaths::getSettingsOptions());
        auto* settings = properties.getUserSettings();
        if (! settings->containsKey (SettingsKeys::uiScale))
            return std::nullopt;
        return settings->getDoubleValue (SettingsKeys::uiScale);
    }

    void openWindow()
    {
        window = std::make_unique<ScaledPluginEditor> (*processor, std::make_unique<FixedSizeEditor> (*processor));
    }

    void tick() { static_cast<juce::Timer&> (*window).timerCallback(); }

    float holderScale() const { return window->getContentHolder().getTransform().mat00; }

    std::unique_ptr<TarnelloAudioProcessor> processor;
    std::unique_ptr<ScaledPluginEditor> window;
};

TEST_F (ScaledWindow, OpensAtTheInnerEditorsSizeWithLimitsTiedToIt)
{
    openWindow();
    EXPECT_EQ (window->getWidth(), baseWidth);
    EXPECT_EQ (window->getHeight(), baseHeight);
    EXPECT_EQ (window->getInnerEditor()->getBounds(), juce::Rectangle<int> (0, 0, baseWidth, baseHeight));
    EXPECT_EQ (window->getContentHolder().getBounds(), juce::Rectangle<int> (0, 0, baseWidth, baseHeight));
    EXPECT_TRUE (window->isResizable());

    auto& limits = window->getScaleConstrainer();
    EXPECT_EQ (window->getConstrainer(), &limits);
    EXPECT_EQ (limits.getMinimumWidth(), 589);
    EXPECT_EQ (limits.getMinimumHeight(), 228);
    EXPECT_EQ (limits.getMaximumWidth(), 3144);
    EXPECT_EQ (limits.getMaximumHeight(), 1216);
    EXPECT_DOUBLE_EQ (limits.getFixedAspectRatio(), 786.0 / 304.0);
    EXPECT_FALSE (window->isTimerRunning()) << "the sizes set while opening store nothing";
}

TEST_F (ScaledWindow, OpensAtAStoredScaleOnlyWhenItIsUsable)
{
    struct Case
    {
        double stored;
        int width, height;
        float processorScale;
    };
    const Case cases[] = {
        { 2.0, 1572, 608, 2.0f },
        { 1.5, 1179, 456, 1.5f },
        { 0.75, 589, 228, 0.75f },
        { 4.0, 3144, 1216, 4.0f },
        { 0.0, baseWidth, baseHeight, 1.0f },
        { -2.0, baseWidth, baseHeight, 1.0f },
        { 0.5, baseWidth, baseHeight, 1.0f },
        { 4.5, baseWidth, baseHeight, 1.0f },
        { std::numeric_limits<double>::quiet_NaN(), baseWidth, baseHeight, 1.0f },
        { std::numeric_limits<double>::infinity(), baseWidth, baseHeight, 1.0f },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.stored);
        storeScale (c.stored);
        processor->uiScale = 1.0f;
        openWindow();
        EXPECT_EQ (window->getWidth(), c.width);
        EXPECT_EQ (window->getHeight(), c.height);
        EXPECT_EQ (processor->uiScale, c.processorScale);
        EXPECT_NEAR (holderScale(), c.processorScale, 0.002); // the window size is truncated to whole pixels
        EXPECT_EQ (window->getInnerEditor()->getWidth(), baseWidth) << "the inner editor keeps its base size";
        EXPECT_EQ (window->getInnerEditor()->getHeight(), baseHeight);
        window.reset();
    }
}

TEST_F (ScaledWindow, WithoutAStoredScaleKeepsTheProcessorsScale)
{
    processor->uiScale = 1.25f;
    openWindow();
    EXPECT_EQ (window->getWidth(), 982);
    EXPECT_EQ (window->getHeight(), 380);
    EXPECT_EQ (processor->uiScale, 1.25f);
}

TEST_F (ScaledWindow, ShowsTheSmallerRatioAndPublishesIt)
{
    openWindow();
    window->setSize (2 * baseWidth, baseHeight);
    EXPECT_FLOAT_EQ (holderScale(), 1.0f);
    EXPECT_FLOAT_EQ (processor->uiScale, 1.0f);

    window->setSize (3 * baseWidth, 2 * baseHeight);
    EXPECT_FLOAT_EQ (holderScale(), 2.0f);
    EXPECT_FLOAT_EQ (processor->uiScale, 2.0f);
    EXPECT_EQ (window->getInnerEditor()->getWidth(), baseWidth) << "scaling never lays the inner editor out again";
}

TEST_F (ScaledWindow, AnEmptyWindowNeverPublishesAScale)
{
    openWindow();
    window->setSize (0, 0);
    EXPECT_EQ (processor->uiScale, 1.0f);
    EXPECT_FALSE (window->isTimerRunning());
    EXPECT_FLOAT_EQ (holderScale(), 1.0f);
}

TEST_F (ScaledWindow, StoresTheScaleOnceAfterABurstOfResizing)
{
    openWindow();
    for (int step = 1; step <= 5; ++step)
    {
        window->setSize (baseWidth + 40 * step, baseHeight + 40 * step);
        EXPECT_TRUE (window->isTimerRunning());
        tick(); // each tick saw a resize: nothing is stored yet
        EXPECT_FALSE (savedScale().has_value()) << "stored during the drag, at step " << step;
    }
    window->setSize (1179, 456);
    tick();
    EXPECT_FALSE (savedScale().has_value());
    tick(); // a whole quiet period
    ASSERT_TRUE (savedScale().has_value());
    EXPECT_NEAR (*savedScale(), 1.5, 1e-6);
    EXPECT_FALSE (window->isTimerRunning());

    // The next burst stores again, once.
    storeScale (std::nullopt);
    window->setSize (baseWidth, baseHeight);
    tick();
    tick();
    ASSERT_TRUE (savedScale().has_value());
    EXPECT_NEAR (*savedScale(), 1.0, 1e-6);
}

TEST_F (ScaledWindow, TheNextWindowOfAnyInstanceOpensAtTheLastStoredScale)
{
    openWindow();
    window->setSize (1179, 456);
    tick();
    tick();
    window.reset();

    std::unique_ptr<TarnelloAudioProcessor> other (static_cast<TarnelloAudioProcessor*> (createPluginFilter()));
    ScaledPluginEditor second (*other, std::make_unique<FixedSizeEditor> (*other));
    EXPECT_EQ (second.getWidth(), 1179);
    EXPECT_EQ (second.getHeight(), 456);
    EXPECT_FLOAT_EQ (other->uiScale, 1.5f);
}

} // namespace
