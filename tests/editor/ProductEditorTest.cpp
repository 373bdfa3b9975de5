// The product's editor as the host gets it from createEditor: its size inside the
// scalable window, the side menu's commands, the About box, the help strip's
// setting, the shared look-and-feel, and the picture it paints.

#include "tests/editor/ProductEditorFixture.h"

#include "effect/ZerAvoroProcessor.h"
#include "tests/ui/support/GuiTestSupport.h"
#include "ui/Control.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using namespace tarnello::test;

constexpr int baseWidth = 786;
constexpr int baseHeight = 304;

juce::PropertiesFile& processorSettings (TarnelloAudioProcessor& p) { return *p.appProperties.getUserSettings(); }

TEST_F (ProductEditorTest, OpensAtItsBaseSizeInsideTheScalableWindow)
{
    openEditor();
    EXPECT_EQ (window->getWidth(), baseWidth);
    EXPECT_EQ (window->getHeight(), baseHeight);
    EXPECT_EQ (editor->getWidth(), baseWidth);
    EXPECT_EQ (editor->getHeight(), baseHeight);
    EXPECT_EQ (editor->getParentComponent(), &window->getContentHolder());

    auto& limits = window->getScaleConstrainer();
    EXPECT_EQ (limits.getMinimumWidth(), (int) (baseWidth * 0.75));
    EXPECT_EQ (limits.getMaximumHeight(), baseHeight * 4);
    EXPECT_DOUBLE_EQ (limits.getFixedAspectRatio(), (double) baseWidth / baseHeight);

    EXPECT_EQ (editor->getViewport().getBounds(), juce::Rectangle<int> (0, 38, baseWidth, 234));
    EXPECT_EQ (editor->getSideMenu()->getBounds(), juce::Rectangle<int> (baseWidth - 39, 13, 23, 18));
    EXPECT_EQ (editor->getPresetBar()->getBounds(), juce::Rectangle<int> (baseWidth / 2 - 110, 4, 220, 30));
    EXPECT_EQ (editor->getHelpTextVisor()->getBounds(), juce::Rectangle<int> (8, 274, baseWidth - 16, 29));
    ASSERT_NE (panel(), nullptr) << "the delay module's panel is missing";
    EXPECT_EQ (panel()->getBounds(), juce::Rectangle<int> (0, 0, baseWidth, 234));
}

TEST_F (ProductEditorTest, OpensAtTheStoredScaleWithTheInnerEditorAtItsBaseSize)
{
    settingsFile.set (SettingsKeys::uiScale, 2.0);
    openEditor();
    EXPECT_EQ (window->getWidth(), 2 * baseWidth);
    EXPECT_EQ (window->getHeight(), 2 * baseHeight);
    EXPECT_EQ (editor->getWidth(), baseWidth);
    EXPECT_EQ (editor->getHeight(), baseHeight);
    EXPECT_FLOAT_EQ (window->getContentHolder().getTransform().mat00, 2.0f);
    EXPECT_FLOAT_EQ (processor->uiScale, 2.0f);

    // A second window of the same instance opens the same way.
    auto second = std::unique_ptr<ScaledPluginEditor> (static_cast<ScaledPluginEditor*> (processor->createEditor()));
    EXPECT_EQ (second->getWidth(), 2 * baseWidth);
    EXPECT_EQ (second->getInnerEditor()->getWidth(), baseWidth);
}

TEST_F (ProductEditorTest, AfterUndoAndRedoTheDelayPanelShowsTheRestoredValuesAtOnce)
{
    openEditor();
    auto mixKnob = [this]() -> juce::Slider* {
        auto* found = panel() != nullptr ? panel()->controlsById.find ("mix") : nullptr;
        return found != nullptr ? dynamic_cast<juce::Slider*> (*found) : nullptr;
    };
    ASSERT_NE (mixKnob(), nullptr) << "the delay panel has no mix knob";

    for (double value : { 20.0, 80.0 })
    {
        auto* mix = param ("Mix");
        mix->beginChangeGesture();
        mix->setValueNotifyingHost (value);
        mix->endChangeGesture();
    }
    tick();
    EXPECT_DOUBLE_EQ (mixKnob()->getValue(), 80.0);

    command (SideMenu::Undo);
    EXPECT_DOUBLE_EQ (param ("Mix")->getValue(), 20.0);
    EXPECT_DOUBLE_EQ (mixKnob()->getValue(), 20.0) << "no tick needed: the panel was built anew";
    command (SideMenu::Redo);
    EXPECT_DOUBLE_EQ (mixKnob()->getValue(), 80.0);
}

TEST_F (ProductEditorTest, AnEmptiedRackShrinksTheEditorAndTheWindowFollowsAtItsScale)
{
    settingsFile.set (SettingsKeys::uiScale, 1.5);
    openEditor();
    processor->removeModule (0);
    processor->rebuildEditors = true;
    tick();

    EXPECT_EQ (panel(), nullptr);
    EXPECT_EQ (editor->getWidth(), 240);
    EXPECT_EQ (editor->getHeight(), 234 + 70);
    EXPECT_EQ (window->getWidth(), (int) (240 * 1.5f));
    EXPECT_EQ (window->getHeight(), (int) (304 * 1.5f));
    auto& limits = window->getScaleConstrainer();
    EXPECT_EQ (limits.getMinimumWidth(), 180);
    EXPECT_EQ (limits.getMaximumWidth(), 960);
    EXPECT_DOUBLE_EQ (limits.getFixedAspectRatio(), 240.0 / 304.0);
    EXPECT_FLOAT_EQ (window->getContentHolder().getTransform().mat00, 1.5f);
}

TEST_F (ProductEditorTest, AResizeAfterAnUnusableScaleNeverEmptiesTheWindow)
{
    openEditor();
    struct Case
    {
        float published;
        float used;
    };
    int round = 0;
    for (const auto& c : { Case { 0.0f, 1.0f }, Case { -2.0f, 1.0f }, Case { std::numeric_limits<float>::quiet_NaN(), 1.0f },
                           Case { std::numeric_limits<float>::infinity(), 1.0f }, Case { 10.0f, 4.0f },
                           Case { 0.5f, 0.75f }, Case { 2.0f, 2.0f } })
    {
        SCOPED_TRACE (c.published);
        processor->uiScale = c.published;
        // A rack whose width changes makes the editor resize the window at that scale.
        if (round++ % 2 == 0)
            processor->removeModule (0);
        else
            processor->addModule (ZerAvoroProcessor::moduleTypeId, 0, true);
        processor->rebuildEditors = true;
        tick();
        EXPECT_EQ (window->getWidth(), (int) ((float) editor->getWidth() * c.used));
        EXPECT_EQ (window->getHeight(), (int) ((float) editor->getHeight() * c.used));
        EXPECT_GT (window->getContentHolder().getWidth(), 0);
    }
}

TEST_F (ProductEditorTest, ARackOfTheRightSizeOnlyLaysOutAgain)
{
    openEditor();
    auto& limits = window->getScaleConstrainer();
    limits.setSizeLimits (100, 100, 5000, 5000);
    window->setSize (900, 348);
    const auto bounds = window->getBounds();

    editor->rackResizeIfNeeded();
    EXPECT_EQ (limits.getMinimumWidth(), 100) << "the window's limits were replaced";
    EXPECT_EQ (window->getBounds(), bounds);
    EXPECT_EQ (editor->getWidth(), baseWidth);
}

TEST_F (ProductEditorTest, WindowScaleStepsUseTheFactorTableAndIgnoreAnythingElse)
{
    openEditor();
    struct Case
    {
        int argument;
        float factor; // 0: the window stays as it is
    };
    for (const auto& c : { Case { 1, 0.8f }, Case { 2, 1.0f }, Case { 3, 1.25f }, Case { 4, 1.5f }, Case { 0, 0.0f },
                           Case { 5, 0.0f }, Case { -1, 0.0f }, Case { 99, 0.0f } })
    {
        SCOPED_TRACE (c.argument);
        window->setSize (baseWidth, baseHeight);
        processor->uiScale = 1.0f;
        command (SideMenu::WindowScaleStep, c.argument);
        if (c.factor > 0.0f)
        {
            EXPECT_EQ (window->getWidth(), (int) (baseWidth * c.factor));
            EXPECT_EQ (window->getHeight(), (int) (baseHeight * c.factor));
            EXPECT_FLOAT_EQ (processor->uiScale, c.factor);
        }
        else
        {
            EXPECT_EQ (window->getWidth(), baseWidth);
            EXPECT_FLOAT_EQ (processor->uiScale, 1.0f);
        }
        EXPECT_EQ (editor->getWidth(), baseWidth) << "the inner editor is never re-laid out for scaling";
    }
}

TEST_F (ProductEditorTest, ResetUIScaleAndSaveUIScale)
{
    settingsFile.set (SettingsKeys::uiScale, 1.5);
    openEditor();
    ASSERT_EQ (window->getWidth(), (int) (baseWidth * 1.5));

    command (SideMenu::ResetUIScale);
    EXPECT_EQ (window->getWidth(), baseWidth);
    EXPECT_EQ (window->getHeight(), baseHeight);
    EXPECT_FLOAT_EQ (processor->uiScale, 1.0f);
    EXPECT_DOUBLE_EQ (processorSettings (*processor).getDoubleValue (SettingsKeys::uiScale), 1.0);

    processor->uiScale = 1.25f;
    command (SideMenu::SaveUIScale);
    EXPECT_EQ (settingsFile.get (SettingsKeys::uiScale), juce::String ("1.25"));
}

TEST_F (ProductEditorTest, SaveOversamplingStoresTheChoiceAndTheFilterType)
{
    openEditor();
    processor->oversampling->choice = 2;
    command (SideMenu::SaveOversampling);
    EXPECT_EQ (settingsFile.get (SettingsKeys::oversampling), juce::String ("2"));
    EXPECT_EQ (settingsFile.get (SettingsKeys::oversamplingType), juce::String ("IIR"));
}

TEST_F (ProductEditorTest, CommandsWithoutAnEffectChangeNothing)
{
    openEditor();
    const auto settingsBefore = settingsFile.all();
    const auto bounds = window->getBounds();
    const int undoBefore = undoCount();
    for (int code : { 0, 100, 1200, 1300, 1700, 2100, 5000, -400 })
    {
        SCOPED_TRACE (code);
        command ((SideMenu::Commands) code, 1);
        EXPECT_EQ (window->getBounds(), bounds);
        EXPECT_EQ (undoCount(), undoBefore);
        EXPECT_FALSE (editor->modalPanel->isVisible());
        EXPECT_TRUE (actions.opened.empty());
    }
    EXPECT_EQ (settingsFile.all(), settingsBefore);
}

TEST_F (ProductEditorTest, EnableTooltipsTogglesTheHelpStripAndTheNextEditorFollows)
{
    openEditor();
    ASSERT_TRUE (processor->inlineHelp);
    EXPECT_TRUE (editor->getHelpTextVisor()->isVisible());

    command (SideMenu::EnableTooltips);
    EXPECT_FALSE (processor->inlineHelp);
    EXPECT_FALSE (editor->getHelpTextVisor()->isVisible());
    EXPECT_EQ (settingsFile.get (SettingsKeys::inlineHelp), juce::String ("0"));

    closeEditor();
    processor.reset (static_cast<TarnelloAudioProcessor*> (createPluginFilter()));
    openEditor();
    EXPECT_FALSE (editor->getHelpTextVisor()->isVisible()) << "the stored setting was not read back";

    command (SideMenu::EnableTooltips);
    EXPECT_TRUE (editor->getHelpTextVisor()->isVisible());
    EXPECT_EQ (settingsFile.get (SettingsKeys::inlineHelp), juce::String ("1"));
}

TEST_F (ProductEditorTest, ManualOffersPageAndLogoOpenTheirAddresses)
{
    openEditor();
    command (SideMenu::OpenManual);
    command (SideMenu::SpecialDeals);
    editor->getLogoButton()->mouseDown (mouseEvent (*editor->getLogoButton(), { 5.0f, 5.0f }));

    ASSERT_EQ (actions.opened.size(), 3u);
    EXPECT_EQ (actions.opened[0], juce::URL (juce::File (PluginPaths::getResourcesDir ({}) + "Manual.pdf")).toString (true));
    EXPECT_TRUE (actions.opened[0].endsWith ("/Manual.pdf")) << actions.opened[0];
    EXPECT_EQ (actions.opened[1], juce::String (DovrethEditor::websiteHost) + "/razor-special-deals.html?p=tarnello");
    EXPECT_EQ (actions.opened[2], juce::String (DovrethEditor::websiteHost) + "/?razor=tarnello&ver=1.0.0");
    EXPECT_EQ (editor->getLogoButton()->getBounds(), juce::Rectangle<int> (10, 9, 110, 20));
}

TEST_F (ProductEditorTest, AboutBoxNamesTheVersionTheWrapperAndWhereToGetHelp)
{
    EXPECT_EQ (DovrethEditor::aboutMessage (juce::AudioProcessor::wrapperType_Undefined),
               juce::String ("Tarnello version \n1.0.0 Final (build 333)\nUKN intel\n\nSupport \n")
                   + DovrethEditor::supportAddress + "\n\nProduct by \nHalvory");
    EXPECT_TRUE (DovrethEditor::aboutMessage (juce::AudioProcessor::wrapperType_AAX).contains ("\nAAX intel\n"));
    EXPECT_TRUE (juce::String (DovrethEditor::supportAddress).endsWith ("/support/"));

    openEditor();
    command (SideMenu::About);
    ASSERT_TRUE (editor->modalPanel->isVisible());
    auto* dialog = dynamic_cast<AlertBoxDialog*> (editor->modalPanel->getChildComponent (editor->modalPanel->getNumChildComponents() - 1));
    ASSERT_NE (dialog, nullptr);
    EXPECT_EQ (dialog->getMessage(), DovrethEditor::aboutMessage (processor->wrapperType));
    EXPECT_TRUE (dialog->getMessage().contains ("\nUKN intel\n")) << "made outside a wrapper";
    EXPECT_EQ (dialog->getWidth(), 300);
    EXPECT_EQ (dialog->getHeight(), 300);
    EXPECT_EQ (dialog->getY(), 1);
}

TEST_F (ProductEditorTest, EditorsShareOneLookAndFeelAndTheHistoryKeepsItsCurrentState)
{
    openEditor();
    auto* first = &editor->getLookAndFeel();
    EXPECT_EQ (first, &juce::LookAndFeel::getDefaultLookAndFeel());
    EXPECT_NE (dynamic_cast<CustomLookAndFeel*> (first), nullptr);
    auto* current = processor->stateManager->history.current.get();
    ASSERT_NE (current, nullptr) << "the first editor gives the history its current state";

    auto second = std::unique_ptr<ScaledPluginEditor> (static_cast<ScaledPluginEditor*> (processor->createEditor()));
    EXPECT_EQ (&second->getInnerEditor()->getLookAndFeel(), first);
    EXPECT_EQ (processor->stateManager->history.current.get(), current);
    second.reset();
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), first) << "the open editor lost its look-and-feel";
}

TEST_F (ProductEditorTest, PaintsTheBackgroundThePresetBarAndTheBottomTiles)
{
    openEditor();
    const auto picture = snapshot (*window, 1.0f, "product-editor", "editor");
    ASSERT_EQ (picture.getWidth(), baseWidth);
    ASSERT_EQ (picture.getHeight(), baseHeight);
    // Left of the preset bar, right of the logo, above the rack.
    EXPECT_EQ (picture.getPixelAt (200, 20).getARGB(), 0xFF161616u);
    EXPECT_EQ (picture.getPixelAt (baseWidth / 2 - 100, 8).getARGB(), 0xFF2B2B2Bu) << "no preset bar";

    // At 800 pixels wide the bottom image repeats every 49 pixels up to the edge: 17
    // tiles, the last one cut off. Compared row by row above the product logo.
    editor->setSize (800, baseHeight);
    const auto wide = snapshot (*editor, 1.0f, "product-editor", "editor-800");
    const int top = baseHeight - PluginEditor::bottomImageHeight;
    int tilesSeen = 0;
    for (int i = 0; i * PluginEditor::bottomImageWidth < 800; ++i)
    {
        bool same = true, drawn = false;
        for (int x = 0; x < PluginEditor::bottomImageWidth && i * PluginEditor::bottomImageWidth + x < 800; ++x)
            for (int y = 0; y < 8; ++y)
            {
                const auto pixel = wide.getPixelAt (i * PluginEditor::bottomImageWidth + x, top + y);
                same = same && pixel == wide.getPixelAt (x, top + y);
                drawn = drawn || pixel.getARGB() != 0xFF161616u;
            }
        tilesSeen += same && drawn ? 1 : 0;
    }
    EXPECT_EQ (tilesSeen, 17);
    EXPECT_EQ (PluginEditor::bottomTileCount (800), 17);
}
} // namespace
