// The attachments between a panel's controls and the delay module's parameters, in
// the product as a host loads it: what the user's gestures write and what the host
// hears, and what a refresh shows after the host or a preset changed a value.

#include <gtest/gtest.h>

#include "editor/IContactControl.h"
#include "editor/ImageControl.h"
#include "editor/LabelForControl.h"
#include "editor/ModuleIContactAttachment.h"
#include "editor/ModuleISwitchAttachment.h"
#include "editor/ModuleImageAttachment.h"
#include "editor/ModuleLabelAttachment.h"
#include "editor/ModuleMenuAttachment.h"
#include "editor/ModulePanelAttachment.h"
#include "editor/ModuleSliderAttachment.h"
#include "editor/ModuleSwitchAttachment.h"
#include "editor/SwitchControl.h"
#include "framework/HostParameter.h"
#include "framework/ModuleFloatParam.h"
#include "framework/StateManager.h"
#include "tests/effect/ProductTestSupport.h"
#include "tests/ui/support/GuiTestSupport.h"

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using namespace tarnello::test;
using effect_test::automate;

namespace
{
// What the host sees of the product: value changes and gestures, by host index.
struct HostEvents : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        changes.push_back ({ index, value });
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { begins.push_back (index); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { ends.push_back (index); }

    void clear() { changes.clear(); begins.clear(); ends.clear(); }

    struct Change { int index; float value; };
    std::vector<Change> changes;
    std::vector<int> begins, ends;
};

// The floating label's editor callbacks, reachable as the label's editor reaches them.
struct TypingLabel : LabelForControl
{
    using LabelForControl::LabelForControl;
    using juce::Label::textEditorReturnKeyPressed;

    void type (const juce::String& text)
    {
        setVisible (true);
        showEditor();
        if (auto* field = getCurrentTextEditor())
        {
            field->setText (text, false);
            textEditorReturnKeyPressed (*field);
        }
    }
};

// Every element of a state snapshot that carries `attribute`, searched depth first.
const juce::XmlElement* elementWith (const juce::XmlElement& root, const juce::String& attribute)
{
    if (root.hasAttribute (attribute))
        return &root;
    for (auto* child : root.getChildIterator())
        if (auto* found = elementWith (*child, attribute))
            return found;
    return nullptr;
}

struct ProductPanel : ::testing::Test
{
    ProductPanel()
    {
        panel.setSize (400, 300);
        product->addListener (&host);
    }

    ~ProductPanel() override
    {
        product->removeListener (&host);
        finishDesktopAnimations();
    }

    ModuleParam* param (const juce::String& name) { return module->getParam (name); }
    int hostIndex (const juce::String& name) { return effect_test::hostIndexOf (*product, name); }

    int historyLength()
    {
        const auto& h = product->stateManager->history;
        return h.undoStates.size() + (h.current != nullptr ? 1 : 0);
    }

    // The knob as the panel builder sets one up, with its floating label.
    void makeKnob (ModuleParam* p)
    {
        knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        knob.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        knob.setMouseDragSensitivity (250);
        knob.setNormalisableRange (p->range);
        knob.setBounds (50, 50, 60, 60);
        panel.addAndMakeVisible (knob);
        floating.applyControlBounds();
        panel.addChildComponent (floating);
        knob.setFloatingLabel (&floating);
        knob.setEditOnRightClickConfigured (true);
        knobAttachment = std::make_unique<ModuleSliderAttachment> (p, &knob, &floating);
        knobAttachment->onTimer(); // the panel's first refresh
    }

    void dragKnobUp (float pixels)
    {
        const juce::Point<float> down { 30.0f, 30.0f };
        knob.mouseDown (mouseEvent (knob, down, juce::ModifierKeys::leftButtonModifier, down));
        for (float dy = 10.0f; dy <= pixels; dy += 10.0f)
            knob.mouseDrag (mouseEvent (knob, down.translated (0.0f, -dy), juce::ModifierKeys::leftButtonModifier, down, true));
        knob.mouseUp (mouseEvent (knob, down.translated (0.0f, -pixels), {}, down, true));
    }

    std::vector<int> changedIndices() const
    {
        std::vector<int> indices;
        for (const auto& c : host.changes)
            indices.push_back (c.index);
        return indices;
    }

    std::unique_ptr<TarnelloAudioProcessor> product = effect_test::makeProduct();
    ZerAvoroProcessor* module = effect_test::delayModule (*product);
    HostEvents host;
    juce::Component panel;
    LabeledSlider knob;
    TypingLabel floating { { 50, 115, 60, 16 }, true, true };
    std::unique_ptr<ModuleSliderAttachment> knobAttachment;
};
} // namespace

TEST_F (ProductPanel, DraggingTheTimeKnobChangesTimeInsideOneHostGestureAndRecordsOneUndoPoint)
{
    auto* time = param ("Time");
    ASSERT_NE (time, nullptr);
    const int index = hostIndex ("Time");
    ASSERT_GE (index, 0);
    makeKnob (time);
    EXPECT_DOUBLE_EQ (knob.getValue(), 240.0);
    host.clear();
    const int historyBefore = historyLength();

    dragKnobUp (100.0f);

    EXPECT_GT (time->getValue(), 240.0);
    EXPECT_DOUBLE_EQ (time->getValue(), knob.getValue());
    EXPECT_EQ (host.begins, std::vector<int> { index });
    EXPECT_EQ (host.ends, std::vector<int> { index });
    ASSERT_FALSE (host.changes.empty());
    for (const auto& c : host.changes)
        EXPECT_EQ (c.index, index);
    EXPECT_FLOAT_EQ (host.changes.back().value, product->getHostParameter (index)->getValue());
    EXPECT_NEAR (time->getRealValueFor (host.changes.back().value), time->getValue(), 1.0);

    // One snapshot, taken after the change.
    EXPECT_EQ (historyLength(), historyBefore + 1);
    const auto* snapshotted = elementWith (*product->stateManager->history.current, "Time");
    ASSERT_NE (snapshotted, nullptr);
    EXPECT_NEAR (snapshotted->getDoubleAttribute ("Time"), time->getValue(), 1e-9);
}

TEST_F (ProductPanel, HostAutomationMovesTheKnobOnTheNextRefreshAndTheSameValueAgainShowsNothing)
{
    auto* time = param ("Time");
    makeKnob (time);
    module->needsRefresh.store (false);

    automate (*product, hostIndex ("Time"), 500.0);
    EXPECT_DOUBLE_EQ (time->getValue(), 500.0);
    EXPECT_TRUE (module->needsRefresh.load()); // the panel refreshes on its next tick
    EXPECT_DOUBLE_EQ (knob.getValue(), 240.0);
    host.clear();

    knobAttachment->onTimer();
    EXPECT_DOUBLE_EQ (knob.getValue(), 500.0);
    EXPECT_EQ (floating.getText(), time->getDisplayValue());
    EXPECT_TRUE (floating.isVisible());
    EXPECT_TRUE (knob.isTimerRunning());

    // The label goes after its delay; the same value pushed again brings nothing back.
    finishDesktopAnimations();
    tick (knob);
    tick (knob);
    ASSERT_FALSE (floating.isVisible());
    knobAttachment->onTimer();
    EXPECT_FALSE (floating.isVisible());
    EXPECT_FALSE (knob.isTimerRunning());

    // A refresh only shows: it tells neither the host nor the history.
    EXPECT_TRUE (host.changes.empty());
    EXPECT_TRUE (host.begins.empty());
}

TEST_F (ProductPanel, TextTypedIntoTheKnobsLabelMovesTheKnobWithinTheRangeAndIgnoresTextWithoutANumber)
{
    auto* time = param ("Time");
    const double maxTime = time->range.end;
    makeKnob (time);
    const int index = hostIndex ("Time");

    struct Case { const char* text; double expected; bool written; };
    const Case cases[] = {
        { "12.5", 12.5, true },
        { "300 ms", 300.0, true },
        { " 7", 7.0, true },
        { ".5", 0.5, true },
        { "99999", maxTime, true },
        { "-5", 0.0, true },
        { "1e9", maxTime, true },
        { "abc", 0.0, false },
        { "", 0.0, false },
        { "-", 0.0, false },
        { "ms 40", 0.0, false },
    };
    for (const auto& c : cases)
    {
        time->setValue (240.0);
        knobAttachment->onTimer();
        host.clear();
        const int historyBefore = historyLength();

        floating.type (c.text);

        const double expected = c.written ? c.expected : 240.0;
        EXPECT_DOUBLE_EQ (time->getValue(), expected) << c.text;
        EXPECT_DOUBLE_EQ (knob.getValue(), expected) << c.text;
        if (c.written)
        {
            // The label closed with its editor and shows again as the knob moves,
            // until its delay runs out.
            EXPECT_TRUE (floating.isVisible()) << c.text;
            EXPECT_TRUE (knob.isTimerRunning()) << c.text;
            ASSERT_FALSE (host.changes.empty()) << c.text;
            EXPECT_EQ (host.changes.back().index, index);
            EXPECT_FLOAT_EQ (host.changes.back().value, (float) time->getNormalizedFor (expected)) << c.text;
        }
        else
        {
            EXPECT_TRUE (host.changes.empty()) << c.text;
            EXPECT_FALSE (floating.isVisible()) << c.text;
            EXPECT_EQ (floating.getText(), time->getDisplayValue()) << c.text;
        }
        // Typing is no gesture and records no undo point.
        EXPECT_TRUE (host.begins.empty()) << c.text;
        EXPECT_EQ (historyLength(), historyBefore) << c.text;
    }
}

TEST_F (ProductPanel, ATypedValueStaysInRangeWhenTheParametersOwnSnappingDoesNotClamp)
{
    // A range whose snapping rounds but does not clamp: the knob's copy of it would
    // take any number typed.
    ModuleFloatParam width (nullptr, "Width", 5.0, 0.0, 10.0, 1.0, "");
    width.setParamRanges (nullptr, [] (double, double, double v) { return std::round (v); });
    makeKnob (&width);

    floating.type ("50");
    EXPECT_DOUBLE_EQ (knob.getValue(), 10.0);
    EXPECT_DOUBLE_EQ (width.getValue(), 10.0);

    floating.type ("-3.6");
    EXPECT_DOUBLE_EQ (knob.getValue(), 0.0);
    EXPECT_DOUBLE_EQ (width.getValue(), 0.0);

    floating.type ("6.4");
    EXPECT_DOUBLE_EQ (knob.getValue(), 6.0);
    EXPECT_DOUBLE_EQ (width.getValue(), 6.0);
}

TEST_F (ProductPanel, AValueLabelShowsTheDisplayTextAndWritesWhatIsTypedWithinTheRange)
{
    auto* feedback = param ("Feedback");
    const int index = hostIndex ("Feedback");
    TypingLabel label ({ 10, 10, 60, 16 }, true, false);
    label.applyControlBounds();
    panel.addAndMakeVisible (label);
    ModuleLabelAttachment attachment (feedback, &label);
    EXPECT_EQ (attachment.getControlComponent(), &label);

    attachment.onTimer();
    EXPECT_EQ (label.getText(), feedback->getDisplayValue());
    EXPECT_TRUE (label.getText().contains ("60"));

    struct Case { const char* text; double expected; bool written; };
    const Case cases[] = { { "12.5", 12.5, true }, { "500", 200.0, true }, { "-1", 0.0, true },
                           { "loud", 0.0, false }, { "", 0.0, false } };
    for (const auto& c : cases)
    {
        feedback->setValue (60.0);
        attachment.onTimer();
        host.clear();

        label.type (c.text);

        EXPECT_DOUBLE_EQ (feedback->getValue(), c.written ? c.expected : 60.0) << c.text;
        EXPECT_EQ (! host.changes.empty(), c.written) << c.text;
        if (c.written)
            EXPECT_EQ (host.changes.back().index, index);
        else
            EXPECT_EQ (label.getText(), feedback->getDisplayValue()) << c.text;
        EXPECT_TRUE (host.begins.empty());
    }
}

TEST_F (ProductPanel, TheDriveSwitchWritesItsClicksAndARefreshSetsItQuietly)
{
    auto* drive = param ("Drive");
    const int index = hostIndex ("Drive");
    SwitchControl sw ({ 5, 5, 40, 20 }, nullptr);
    sw.applyControlBounds();
    panel.addAndMakeVisible (sw);
    ModuleSwitchAttachment attachment (drive, &sw);
    attachment.onTimer();
    EXPECT_FALSE (sw.getToggleState());
    const int historyBefore = historyLength();
    host.clear();

    auto& asComponent = static_cast<juce::Component&> (sw);
    asComponent.mouseDown (mouseEvent (sw, { 3, 3 }, juce::ModifierKeys::leftButtonModifier, { 3, 3 }));
    asComponent.mouseUp (mouseEvent (sw, { 3, 3 }, {}, { 3, 3 }));
    EXPECT_TRUE (sw.getToggleState());
    EXPECT_DOUBLE_EQ (drive->getValue(), 1.0);
    ASSERT_FALSE (host.changes.empty());
    EXPECT_EQ (host.changes.back().index, index);
    EXPECT_FLOAT_EQ (host.changes.back().value, 1.0f);
    EXPECT_TRUE (host.begins.empty());
    EXPECT_EQ (historyLength(), historyBefore);

    automate (*product, index, 0.0);
    host.clear();
    attachment.onTimer();
    EXPECT_FALSE (sw.getToggleState());
    EXPECT_DOUBLE_EQ (drive->getValue(), 0.0);
    EXPECT_TRUE (host.changes.empty());
}

TEST_F (ProductPanel, AnImageSwitchHasAStateForEachValueOfItsRangeAndWritesTheStateClicked)
{
    struct Case { const char* name; int states; };
    for (const auto& c : { Case { "Delay Sync", 2 }, Case { "Time Note", 21 }, Case { "Low Cut", 2 } })
    {
        auto* p = param (c.name);
        ASSERT_NE (p, nullptr) << c.name;
        ISwitchControl sw (0, 0, 1, nullptr, nullptr);
        // As the panel builder counts them.
        sw.setNumberOfStates ((int) (p->range.end - p->range.start) + 1);
        EXPECT_EQ (sw.getNumberOfStates(), c.states) << c.name;
        ModuleISwitchAttachment attachment (p, &sw);

        p->setValue (p->range.end);
        attachment.onTimer();
        EXPECT_EQ (sw.getState(), c.states - 1) << c.name;

        host.clear();
        sw.mouseDown (mouseEvent (sw, { 1, 1 })); // from the last state round to the first
        sw.mouseUp (mouseEvent (sw, { 1, 1 }));
        EXPECT_DOUBLE_EQ (p->getValue(), 0.0) << c.name;
        sw.mouseDown (mouseEvent (sw, { 1, 1 }));
        sw.mouseUp (mouseEvent (sw, { 1, 1 }));
        EXPECT_DOUBLE_EQ (p->getValue(), 1.0) << c.name;
        // Two writes reached the host parameter (the module may move others with them).
        std::vector<float> written;
        for (const auto& change : host.changes)
            if (change.index == hostIndex (c.name))
                written.push_back (change.value);
        EXPECT_EQ (written, (std::vector<float> { 0.0f, (float) p->getNormalizedFor (1.0) })) << c.name;
        EXPECT_TRUE (host.begins.empty());
    }
}

TEST (ContactStep, LimitedClampsAtTheEndsAndWrappingGoesRoundTheRange)
{
    struct Case { double value, increment; bool limited; double start, end, expected; };
    const Case cases[] = {
        // Limited: clamped at both ends.
        { 9.0, 3.0, true, 0.0, 10.0, 10.0 },
        { 10.0, 3.0, true, 0.0, 10.0, 10.0 },
        { 2.0, -3.0, true, 0.0, 10.0, 0.0 },
        { 4.0, 3.0, true, 0.0, 10.0, 7.0 },
        // Wrapping over 0..3, where 0 and 3 are one point: up from the end lands at
        // start + 1, down onto the point from above lands at the start.
        { 0.0, 1.0, false, 0.0, 3.0, 1.0 },
        { 2.0, 1.0, false, 0.0, 3.0, 3.0 },
        { 3.0, 1.0, false, 0.0, 3.0, 1.0 },
        { 1.0, -1.0, false, 0.0, 3.0, 0.0 },
        { 0.0, -1.0, false, 0.0, 3.0, 2.0 },
        { 3.0, -1.0, false, 0.0, 3.0, 2.0 },
        { 1.0, 7.0, false, 0.0, 3.0, 2.0 },   // more than once round
        { 40.0, 30.0, false, -50.0, 50.0, -30.0 },
        { -40.0, -30.0, false, -50.0, 50.0, 30.0 },
        // A range with no extent has nowhere to go.
        { 5.0, 1.0, false, 5.0, 5.0, 5.0 },
        { 5.0, -1.0, false, 5.0, 5.0, 5.0 },
        { 5.0, 1.0, true, 5.0, 5.0, 5.0 },
    };
    for (const auto& c : cases)
    {
        const double r = ModuleIContactAttachment::steppedValue (c.value, c.increment, c.limited, c.start, c.end);
        EXPECT_DOUBLE_EQ (r, c.expected) << c.value << " + " << c.increment << (c.limited ? " limited" : " wrapping")
                                         << " in " << c.start << ".." << c.end;
    }

    // Nothing that is not a number comes out of a wrap.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE (std::isfinite (ModuleIContactAttachment::steppedValue (nan, 1.0, false, 0.0, 3.0)));
    EXPECT_TRUE (std::isfinite (ModuleIContactAttachment::steppedValue (1.0, nan, false, 0.0, 3.0)));
}

TEST_F (ProductPanel, ContactsStepTheirParameterToTheEndsOfItsRangeWithoutAGesture)
{
    struct Case { const char* name; double from, increment; bool limited; std::vector<double> after; };
    const Case cases[] = {
        { "Feedback", 120.0, 50.0, true, { 170.0, 200.0, 200.0 } },
        { "Feedback", 70.0, -50.0, true, { 20.0, 0.0, 0.0 } },
        { "LR Offset", 10.0, 30.0, false, { 40.0, -30.0, 0.0 } },
        { "LR Offset", -20.0, -30.0, false, { -50.0, 20.0, -10.0 } },
    };
    for (const auto& c : cases)
    {
        auto* p = param (c.name);
        const int index = hostIndex (c.name);
        IContactControl contact (0, 0, nullptr, nullptr);
        contact.increment = c.increment;
        contact.limited = c.limited;
        ModuleIContactAttachment attachment (p, &contact);
        EXPECT_EQ (attachment.getControlComponent(), &contact);
        p->setValue (c.from);
        host.clear();
        const int historyBefore = historyLength();

        for (const auto expected : c.after)
        {
            contact.mouseDown (mouseEvent (contact, { 1, 1 }));
            EXPECT_EQ (contact.getFramePosition(), 1);
            contact.mouseUp (mouseEvent (contact, { 1, 1 }));
            EXPECT_DOUBLE_EQ (p->getValue(), expected) << c.name << " from " << c.from;
        }
        EXPECT_EQ (changedIndices(), std::vector<int> (c.after.size(), index)) << c.name;
        EXPECT_TRUE (host.begins.empty());
        EXPECT_EQ (historyLength(), historyBefore);

        // A refresh leaves the button as it is.
        attachment.onTimer();
        EXPECT_EQ (contact.getFramePosition(), 0);
    }
}

TEST_F (ProductPanel, AMenuShowsTheWholePartOfItsValueAndWritesTheChosenItem)
{
    auto* note = param ("Time Note");
    const int index = hostIndex ("Time Note");
    MenuControl menu ({ 0, 0, 50, 20 }, nullptr);
    ModuleMenuAttachment attachment (note, &menu);
    EXPECT_EQ (attachment.getControlComponent(), &menu);

    automate (*product, index, 3.0);
    attachment.onTimer();
    EXPECT_EQ (menu.getSelectedIndex(), 3);

    host.clear();
    MenuControl::menuCallback (6, &menu); // the sixth item chosen
    EXPECT_DOUBLE_EQ (note->getValue(), 5.0);
    EXPECT_EQ (changedIndices(), std::vector<int> { index });
    EXPECT_TRUE (host.begins.empty());

    // A parameter that is no choice: its value's whole part.
    ModuleFloatParam level (nullptr, "Level", 2.9, 0.0, 10.0, 0.1, "");
    MenuControl plain ({ 0, 0, 50, 20 }, nullptr);
    ModuleMenuAttachment plainAttachment (&level, &plain);
    plainAttachment.onTimer();
    EXPECT_EQ (plain.getSelectedIndex(), 2);
}

TEST (ImagePlace, IsTheValuesPlaceInItsRangeAndZeroForARangeWithNoExtent)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { double value, start, end, skew; float expected; };
    const Case cases[] = {
        { 50.0, 0.0, 100.0, 1.0, 0.5f },
        { 0.0, -12.0, 12.0, 1.0, 0.5f },
        { 50.0, 0.0, 100.0, 2.0, 0.25f },
        { 150.0, 0.0, 100.0, 1.0, 1.0f },
        { -10.0, 0.0, 100.0, 1.0, 0.0f },
        { 5.0, 5.0, 5.0, 1.0, 0.0f },
        { 5.0, 5.0, 5.0, 2.0, 0.0f },
        { nan, 0.0, 1.0, 1.0, 0.0f },
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ (ModuleImageAttachment::normalizedFor (c.value, c.start, c.end, c.skew), c.expected)
            << c.value << " in " << c.start << ".." << c.end << " skew " << c.skew;
}

TEST_F (ProductPanel, AnImageShowsTheFrameOfItsParameterAndOneWithoutAParameterIsLeftAlone)
{
    auto* mix = param ("Mix");
    ImageControl picture (0, 0, 11, nullptr, nullptr);
    ModuleImageAttachment attachment (mix, &picture);
    automate (*product, hostIndex ("Mix"), 30.0);
    attachment.onTimer();
    EXPECT_EQ (picture.getFramePosition(), 3);
    EXPECT_EQ (attachment.getHostParamIndex(), hostIndex ("Mix"));

    // A one-value range (end = start) shows the first frame, not a value that is no number.
    ModuleFloatParam fixed (nullptr, "Fixed", 4.0, 4.0, 4.0, 1.0, "");
    ImageControl still (0, 0, 11, nullptr, nullptr);
    ModuleImageAttachment stillAttachment (&fixed, &still);
    stillAttachment.onTimer();
    EXPECT_EQ (still.getFramePosition(), 0);
    EXPECT_FALSE (std::isnan (still.getNormalized()));

    ImageControl loose (0, 0, 11, nullptr, nullptr);
    loose.setNormalized (0.7f);
    ModuleImageAttachment unbound (nullptr, &loose);
    unbound.onTimer();
    EXPECT_FLOAT_EQ (loose.getNormalized(), 0.7f);
    EXPECT_EQ (unbound.getHostParamIndex(), -1);
    EXPECT_EQ (unbound.getParamIndex(), -1);
}

TEST_F (ProductPanel, ASubPanelIsShownWhileItsParameterIsOn)
{
    juce::Component sync;
    panel.addAndMakeVisible (sync);
    ModulePanelAttachment attachment (param ("Delay Sync"), &sync);
    EXPECT_EQ (attachment.getControlComponent(), &sync);

    attachment.onTimer();
    EXPECT_FALSE (sync.isVisible());
    automate (*product, hostIndex ("Delay Sync"), 1.0);
    attachment.onTimer();
    EXPECT_TRUE (sync.isVisible());
    automate (*product, hostIndex ("Delay Sync"), 0.0);
    attachment.onTimer();
    EXPECT_FALSE (sync.isVisible());
}

TEST_F (ProductPanel, AnAttachmentNamesTheHostParameterItsParameterIsBoundTo)
{
    auto* time = param ("Time");
    makeKnob (time);
    EXPECT_EQ (knobAttachment->getHostParamIndex(), hostIndex ("Time"));
    EXPECT_EQ (knobAttachment->getHostParamIndex(), time->getHostParameter()->index);
    EXPECT_EQ (knobAttachment->getParamIndex(), time->paramIndex);
    EXPECT_EQ (knobAttachment->getControlComponent(), &knob);

    ModuleFloatParam loose (nullptr, "Loose", 0.0, 0.0, 1.0, 0.1, "");
    MenuControl menu ({ 0, 0, 10, 10 }, nullptr);
    ModuleMenuAttachment unbound (&loose, &menu);
    EXPECT_EQ (unbound.getHostParamIndex(), -1);
}

TEST_F (ProductPanel, AnAttachmentGoneBeforeItsKnobNoLongerWritesAndOneWhoseKnobIsGoneIsHarmless)
{
    auto* time = param ("Time");
    makeKnob (time);
    knobAttachment.reset();
    host.clear();
    knob.setValue (800.0, juce::sendNotificationSync);
    EXPECT_DOUBLE_EQ (time->getValue(), 240.0);
    EXPECT_TRUE (host.changes.empty());

    auto sw = std::make_unique<SwitchControl> (juce::Rectangle<int> { 0, 0, 10, 10 }, nullptr);
    auto attachment = std::make_unique<ModuleSwitchAttachment> (param ("Drive"), sw.get());
    sw.reset();
    EXPECT_EQ (attachment->getControlComponent(), nullptr);
    attachment->onTimer();
    attachment.reset();
}
