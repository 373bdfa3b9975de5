// The product's editor in a real window on an X display, used with the real pointer
// through the X server's test extension: a drag on a knob turns its parameter.
// Without a display the test is skipped.

#include "editor/ModuleEditor.h"
#include "editor/PluginEditor.h"
#include "editor/ScaledPluginEditor.h"
#include "effect/PluginProcessor.h"
#include "framework/PluginPaths.h"
#include "tests/ui/support/DisplayAtoms.h"
#include "tests/ui/support/DisplayEvents.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace
{
using tarnello::test::physicalScreenPoint;
using tarnello::test::pumpFor;
using tarnello::test::pumpUntil;

juce::Slider* firstShownSlider (juce::Component& root)
{
    for (auto* child : root.getChildren())
    {
        if (! child->isVisible())
            continue;
        if (auto* slider = dynamic_cast<juce::Slider*> (child); slider != nullptr && slider->getWidth() > 8)
            return slider;
        if (auto* found = firstShownSlider (*child))
            return found;
    }
    return nullptr;
}

std::map<juce::String, double> moduleValues (TarnelloAudioProcessor& processor)
{
    std::map<juce::String, double> values;
    for (auto* param : processor.getModule (0)->params)
        values[param->name] = param->getValue();
    return values;
}

TEST (ProductEditorOnDisplay, ARealPointerDragOnAKnobTurnsItsParameter)
{
    using namespace tarnello::test;
    if (! hasDisplay() || juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        GTEST_SKIP() << "no X display (the display tier runs under xvfb-run)";

    PluginPaths::setResourcesRootForTesting (TARNELLO_BUILD_RESOURCES_DIR);
    std::unique_ptr<TarnelloAudioProcessor> processor (static_cast<TarnelloAudioProcessor*> (createPluginFilter()));
    {
        std::unique_ptr<juce::AudioProcessorEditor> window (processor->createEditorIfNeeded());
        ASSERT_NE (window, nullptr);
        window->setTopLeftPosition (40, 40);
        window->addToDesktop (0);
        window->setVisible (true);
        ASSERT_TRUE (pumpUntil ([&] { return window->isShowing() && window->getPeer() != nullptr; }));
        pumpFor (200);

        auto* editor = dynamic_cast<PluginEditor*> (static_cast<ScaledPluginEditor&> (*window).getInnerEditor());
        ASSERT_NE (editor, nullptr);
        auto* knob = firstShownSlider (*editor->getRack());
        ASSERT_NE (knob, nullptr) << "the panel shows no knob";

        const auto before = moduleValues (*processor);
        const int undoBefore = processor->stateManager->history.undoStates.size();
        const auto start = physicalScreenPoint (*knob, knob->getLocalBounds().getCentre());
        ASSERT_TRUE (movePointerTo (start.x, start.y));
        pumpFor (100);
        ASSERT_TRUE (pressPointer (1, true));
        pumpFor (100);
        for (int step = 1; step <= 12; ++step)
        {
            movePointerTo (start.x, start.y - 6 * step);
            pumpFor (30);
        }
        pressPointer (1, false);
        pumpFor (300);

        const auto after = moduleValues (*processor);
        int changed = 0;
        for (const auto& [name, value] : before)
            if (after.at (name) != value)
                ++changed;
        EXPECT_EQ (changed, 1) << "a drag on one knob should turn exactly one parameter";
        EXPECT_EQ (processor->stateManager->history.undoStates.size(), undoBefore + 1)
            << "the finished gesture records one undo point";

        window->removeFromDesktop();
    }
    PluginPaths::setResourcesRootForTesting ({});
}
} // namespace
