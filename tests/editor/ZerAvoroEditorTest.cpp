// The delay module's panel, built from the layout document the program carries, over
// the real module inside the product: what the document names, what the panel looks
// like at both scales, and the switch between the time and note knobs.

#include "editor/LabelForControl.h"
#include "editor/MeterControl.h"
#include "editor/ZerAvoroEditor.h"
#include "framework/ModuleParam.h"
#include "framework/PluginPaths.h"
#include "tests/effect/ProductTestSupport.h"
#include "tests/ui/support/GuiTestSupport.h"
#include "ui/IKnobControl.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace
{
class DelayPanel : public ::testing::Test
{
protected:
    DelayPanel()
    {
        PluginPaths::setResourcesRootForTesting (TARNELLO_BUILD_RESOURCES_DIR);
        product = effect_test::makeProduct();
        module = product->getModule (0);
    }

    // The panel as the rack makes it: created by the module's creator, sized, built.
    std::unique_ptr<ZerAvoroEditor> makePanel (const LayoutReadObserver& observer = {})
    {
        std::unique_ptr<ZerAvoroEditor> panel (dynamic_cast<ZerAvoroEditor*> (ZerAvoroEditor::create (module, nullptr)));
        if (panel == nullptr)
            return nullptr;
        panel->readObserver = observer;
        panel->setSize (panel->itemWidth, ZerAvoroEditor::panelHeight);
        panel->generateGui (nullptr);
        return panel;
    }

    ModuleParam& param (const char* name) { return *module->getParam (name); }

    std::unique_ptr<TarnelloAudioProcessor> product;
    std::shared_ptr<ModuleProcessor> module;
};

// Every element of a tree, depth first, the root first.
void collect (const juce::ValueTree& tree, std::vector<juce::ValueTree>& into)
{
    into.push_back (tree);
    for (const auto& child : tree)
        collect (child, into);
}

TEST_F (DelayPanel, TheDocumentBindsEveryParameterOfTheModuleByItsExactName)
{
    const auto& layout = ZerAvoroEditor::layoutFor (*module);
    ASSERT_TRUE (layout.isValid());
    std::vector<juce::ValueTree> elements;
    collect (layout, elements);

    std::set<juce::String> named;
    for (const auto& element : elements)
        if (element.hasProperty ("param"))
        {
            const auto name = element["param"].toString();
            EXPECT_NE (module->getParam (name), nullptr) << "no parameter \"" << name << "\"";
            named.insert (name);
        }

    std::set<juce::String> all;
    for (auto* p : module->params)
        all.insert (p->name);
    EXPECT_EQ (all.size(), 11u);
    EXPECT_EQ (named, all);
}

TEST_F (DelayPanel, EveryElementAndAttributeOfTheDocumentIsOneTheBuilderReads)
{
    std::map<juce::ValueTree, std::set<juce::String>, std::less<>> reads;
    std::vector<std::pair<juce::ValueTree, juce::String>> log;
    const LayoutReadObserver observer = [&log] (const juce::ValueTree& t, const juce::Identifier& n) { log.push_back ({ t, n.toString() }); };
    auto panel = makePanel (observer);
    ASSERT_NE (panel, nullptr);

    std::vector<juce::ValueTree> elements;
    collect (ZerAvoroEditor::layoutFor (*module), elements);
    ASSERT_GT (elements.size(), 40u);
    for (const auto& element : elements)
    {
        std::set<juce::String> looked;
        for (const auto& [tree, name] : log)
            if (tree == element)
                looked.insert (name);
        const auto what = element.getType().toString() + " " + element["id"].toString() + element["text"].toString()
                          + element["name"].toString() + element["bounds"].toString();
        EXPECT_FALSE (looked.empty()) << "the builder never looked at <" << what << ">";
        for (int i = 0; i < element.getNumProperties(); ++i)
        {
            const auto attribute = element.getPropertyName (i).toString();
            EXPECT_TRUE (looked.count (attribute) == 1) << "\"" << attribute << "\" of <" << what << "> is never read";
        }
    }
}

TEST_F (DelayPanel, TheSwitchedKnobsAndCaptionsAreFoundByTheirIds)
{
    auto panel = makePanel();
    ASSERT_NE (panel, nullptr);
    ASSERT_NE (panel->timeKnob, nullptr);
    ASSERT_NE (panel->noteKnob, nullptr);
    ASSERT_NE (panel->timeCaption, nullptr);
    ASSERT_NE (panel->noteCaption, nullptr);
    EXPECT_EQ (panel->timeKnob->getName(), "Time");
    EXPECT_EQ (panel->noteKnob->getName(), "Time Note");
    EXPECT_EQ (panel->timeCaption->getText(), "TIME");
    EXPECT_EQ (panel->noteCaption->getText(), "NOTE");
    // Every knob shows its value in a floating label while it moves.
    int knobs = 0;
    for (auto* control : panel->controls)
        if (auto* knob = dynamic_cast<IKnobControl*> (control))
        {
            ++knobs;
            EXPECT_NE (knob->getFloatingLabel(), nullptr) << knob->getName();
        }
    EXPECT_EQ (knobs, 8);
    EXPECT_EQ (panel->meters.size(), 2u);
}

TEST_F (DelayPanel, DelaySyncSwitchesTheKnobsAndCaptionsWithinOneTick)
{
    auto panel = makePanel();
    ASSERT_NE (panel, nullptr);
    ASSERT_DOUBLE_EQ (param ("Delay Sync").getValue(), 0.0);
    const auto shows = [&] (bool time) {
        return panel->timeKnob->isVisible() == time && panel->timeCaption->isVisible() == time
               && panel->noteKnob->isVisible() == ! time && panel->noteCaption->isVisible() == ! time;
    };
    EXPECT_TRUE (shows (true));

    param ("Delay Sync").setValueNotifyingHost (1.0);
    panel->onTimer();
    EXPECT_TRUE (shows (false));

    // A tick without a change leaves the knobs as they are, whoever moved them.
    panel->timeKnob->setVisible (true);
    panel->onTimer();
    EXPECT_TRUE (panel->timeKnob->isVisible());

    param ("Delay Sync").setValueNotifyingHost (0.0);
    panel->onTimer();
    EXPECT_TRUE (shows (true));
}

TEST_F (DelayPanel, APanelMadeBeforeSyncWasOnStartsWithTheNoteKnob)
{
    param ("Delay Sync").setValueNotifyingHost (1.0);
    auto panel = makePanel();
    ASSERT_NE (panel, nullptr);
    EXPECT_FALSE (panel->timeKnob->isVisible());
    EXPECT_TRUE (panel->noteKnob->isVisible());
    EXPECT_DOUBLE_EQ (panel->timeKnob->getValue(), param ("Time").getValue());
}

TEST_F (DelayPanel, TheLayoutIsReadOnceAndSharedByEveryPanelOfTheModule)
{
    auto first = makePanel();
    const auto tree = module->panelLayout;
    auto second = makePanel();
    ASSERT_TRUE (first != nullptr && second != nullptr);
    EXPECT_EQ (module->panelLayout, tree);   // the same tree, not a new one
    EXPECT_EQ (first->layout, &module->panelLayout);
    EXPECT_EQ (second->controls.size(), first->controls.size());
}

TEST_F (DelayPanel, AnUnreadableLayoutGivesAnEmptyPanel)
{
    const juce::ValueTree unreadable = parseLayoutDocument ("<layout><control type=");
    ZerAvoroEditor panel (module, nullptr, &unreadable);
    panel.setSize (786, ZerAvoroEditor::panelHeight);
    panel.generateGui (nullptr);
    EXPECT_EQ (panel.controls.size(), 0);
    EXPECT_EQ (panel.timeKnob, nullptr);
    param ("Delay Sync").setValueNotifyingHost (1.0);
    panel.onTimer();   // nothing to switch, nothing to crash on
    const auto picture = tarnello::test::snapshot (panel, 1.0f);
    EXPECT_EQ (picture.getPixelAt (400, 120).getAlpha(), 0);
}

TEST_F (DelayPanel, VisibleControlsStayInsideThePanelAndNeverOverlap)
{
    auto panel = makePanel();
    ASSERT_NE (panel, nullptr);
    const auto area = panel->getLocalBounds();
    std::vector<juce::Component*> shown;
    for (auto* child : panel->getChildren())
        if (child->isVisible())
            shown.push_back (child);
    ASSERT_GT (shown.size(), 30u);
    for (size_t i = 0; i < shown.size(); ++i)
    {
        EXPECT_TRUE (area.contains (shown[i]->getBounds())) << shown[i]->getName() << " " << shown[i]->getBounds().toString();
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE (shown[i]->getBounds().intersects (shown[j]->getBounds()))
                << shown[i]->getName() << " " << shown[i]->getBounds().toString() << " and "
                << shown[j]->getName() << " " << shown[j]->getBounds().toString();
    }
}

TEST_F (DelayPanel, ThePanelPaintsAtBothScalesForAPersonToLookAt)
{
    auto panel = makePanel();
    ASSERT_NE (panel, nullptr);
    // Meters part-way up, so that the picture shows them.
    auto* p = panel.get();
    for (auto* meter : p->meters)
        meter->setNormalized (0.6f);

    for (float scale : { 1.0f, 2.0f })
    {
        const auto picture = tarnello::test::snapshot (*panel, scale, "editor-panel", "delay-panel");
        ASSERT_EQ (picture.getWidth(), (int) (786 * scale));
        ASSERT_EQ (picture.getHeight(), (int) (234 * scale));
        const auto at = [&] (int x, int y) { return picture.getPixelAt ((int) (x * scale), (int) (y * scale)); };
        EXPECT_EQ (at (3, 230), juce::Colour (0xff181818)) << scale;          // the panel's background
        EXPECT_EQ (at (20, 210), juce::Colour (0xff202020)) << scale;         // inside the delay group
        // The knobs' strips are drawn: the time knob's centre differs from the group behind it.
        EXPECT_NE (at (56, 116), juce::Colour (0xff202020)) << scale;
        EXPECT_NE (at (130, 116), juce::Colour (0xff202020)) << scale;
        // The title is drawn in the strip at the top.
        bool titleInk = false;
        for (int x = 14; x < 100 && ! titleInk; ++x)
            for (int y = 8; y < 22 && ! titleInk; ++y)
                titleInk = at (x, y).getRed() > 150;
        EXPECT_TRUE (titleInk) << scale;
    }

    // With sync on, the note knob shows where the time knob was.
    param ("Delay Sync").setValueNotifyingHost (1.0);
    panel->onTimer();
    tarnello::test::snapshot (*panel, 1.0f, "editor-panel", "delay-panel-sync");

    // A value that moves from elsewhere shows the knob's floating label under its caption.
    param ("Feedback").setValueNotifyingHost (120.0);
    panel->onTimer();
    tarnello::test::finishDesktopAnimations();
    auto* feedback = dynamic_cast<IKnobControl*> (panel->findControl ("feedback"));
    ASSERT_NE (feedback, nullptr);
    ASSERT_NE (feedback->getFloatingLabel(), nullptr);
    EXPECT_TRUE (feedback->getFloatingLabel()->isVisible());
    EXPECT_EQ (dynamic_cast<juce::Label*> (feedback->getFloatingLabel())->getText(), param ("Feedback").getDisplayValue());
    tarnello::test::snapshot (*panel, 2.0f, "editor-panel", "delay-panel-value");
}
} // namespace
