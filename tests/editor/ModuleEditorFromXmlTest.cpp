// The layout vocabulary, one small document per case: what each element builds, the
// attributes it reads (own value, prop set, default), and how the built controls are
// bound, found, refreshed and shown.

#include "editor/IContactControl.h"
#include "editor/ImageControl.h"
#include "editor/LabelForControl.h"
#include "editor/SwitchControl.h"
#include "tests/editor/PanelTestSupport.h"
#include "tests/ui/support/GuiTestSupport.h"
#include "ui/HelpTextVisor.h"
#include "ui/IKnobControl.h"
#include "ui/Imaged.h"
#include "ui/ISwitchControl.h"
#include "ui/KnobControl.h"
#include "ui/MenuControl.h"
#include "ui/PanelControl.h"
#include "ui/RectShapeDrawer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using tarnello::test::BuiltPanel;

namespace
{
juce::String layoutOf (const juce::String& children, const juce::String& rootAttributes = {})
{
    return "<layout " + rootAttributes + ">" + children + "</layout>";
}

class BuildResources : public ::testing::Test
{
protected:
    BuildResources() { PluginPaths::setResourcesRootForTesting (TARNELLO_BUILD_RESOURCES_DIR); }
};

using LayoutVocabulary = BuildResources;

struct KnobCase
{
    const char* what;
    const char* children;
    int frames;
    int dragPixels;
    double velocity;
};

TEST_F (LayoutVocabulary, ImageKnobsReadPropSetsInDocumentOrderAndTheirOwnValuesFirst)
{
    const std::vector<KnobCase> cases {
        { "no frames, no speed: one frame, 250 pixels",
          R"(<control type="iKnob" id="k" param="Gain"/>)", 1, 250, 0.1 },
        { "from the prop set",
          R"(<prop name="p" frames="65" speed="2"/><control type="iKnob" id="k" param="Gain" prop="p"/>)", 65, 125, 0.2 },
        { "own value over the set",
          R"(<prop name="p" frames="65" speed="2"/><control type="iKnob" id="k" param="Gain" prop="p" frames="9"/>)", 9, 125, 0.2 },
        { "a set after the element does nothing",
          R"(<control type="iKnob" id="k" param="Gain" prop="p"/><prop name="p" frames="65" speed="2"/>)", 1, 250, 0.1 },
        { "a later set of the same name replaces the earlier",
          R"(<prop name="p" frames="65"/><prop name="p" speed="4"/><control type="iKnob" id="k" param="Gain" prop="p"/>)", 1, 62, 0.4 },
        { "sets are one level deep",
          R"(<prop name="base" frames="65"/><prop name="p" prop="base"/><control type="iKnob" id="k" param="Gain" prop="p"/>)", 1, 250, 0.1 },
        { "speed 0 counts as 1",
          R"(<control type="iKnob" id="k" param="Gain" speed="0"/>)", 1, 250, 0.1 },
        { "a negative speed counts as 1",
          R"(<control type="iKnob" id="k" param="Gain" speed="-3"/>)", 1, 250, 0.1 },
        { "a speed that is no number counts as 1",
          R"(<control type="iKnob" id="k" param="Gain" speed="fast"/>)", 1, 250, 0.1 },
    };

    for (const auto& c : cases)
    {
        BuiltPanel built (layoutOf (c.children));
        auto* knob = built.find<IKnobControl> ("k");
        ASSERT_NE (knob, nullptr) << c.what;
        EXPECT_EQ (knob->getFrames(), c.frames) << c.what;
        EXPECT_EQ (knob->getMouseDragSensitivity(), c.dragPixels) << c.what;
        EXPECT_NEAR (knob->getVelocitySensitivity(), c.velocity, 1e-9) << c.what;
        EXPECT_EQ (knob->getSliderStyle(), juce::Slider::RotaryVerticalDrag) << c.what;
        EXPECT_EQ (knob->getTextBoxPosition(), juce::Slider::NoTextBox) << c.what;
    }
}

TEST_F (LayoutVocabulary, ImageKnobsTakeTheParametersRangeDefaultNameAndSnapping)
{
    BuiltPanel built (layoutOf (R"(
        <control type="iKnob" id="one" param="Gain" snap="0.5" x="10" y="20" image="panels/knob.dovi" frames="65"/>
        <control type="iKnob" id="list" param="Time" snap="1, 0, 0.25"/>
        <control type="iKnob" id="none" param="Gain"/>)"));
    auto* one = built.find<IKnobControl> ("one");
    auto* list = built.find<IKnobControl> ("list");
    auto* none = built.find<IKnobControl> ("none");
    ASSERT_TRUE (one != nullptr && list != nullptr && none != nullptr);

    EXPECT_DOUBLE_EQ (one->getSnapInterval(), 0.5);
    EXPECT_TRUE (one->getSnapList().isEmpty());
    EXPECT_DOUBLE_EQ (list->getSnapInterval(), 0.0);
    EXPECT_EQ (list->getSnapList(), (juce::Array<double> { 0.0, 0.25, 1.0 }));
    EXPECT_DOUBLE_EQ (none->getSnapInterval(), 0.0);
    EXPECT_TRUE (none->getSnapList().isEmpty());

    EXPECT_DOUBLE_EQ (one->getMinimum(), 0.0);
    EXPECT_DOUBLE_EQ (one->getMaximum(), 2.0);
    EXPECT_DOUBLE_EQ (one->getDoubleClickReturnValue(), 1.0);
    EXPECT_TRUE (one->isDoubleClickReturnEnabled());
    EXPECT_EQ (one->getName(), "Gain");
    EXPECT_DOUBLE_EQ (list->getMaximum(), 4000.0);
    // The strip's place and one frame's size: 48 x 48 at (10, 20).
    EXPECT_EQ (one->getBounds(), juce::Rectangle<int> (10, 20, 48, 48));
}

TEST_F (LayoutVocabulary, AnIdFindsTheFirstControlThatNamedIt)
{
    BuiltPanel built (layoutOf (R"(
        <control type="iKnob" id="twice" param="Gain" x="1"/>
        <control type="iKnob" id="twice" param="Time" x="2"/>
        <control type="iKnob" param="Time" x="3"/>)"));
    auto* found = built.find<IKnobControl> ("twice");
    ASSERT_NE (found, nullptr);
    EXPECT_EQ (found->getName(), "Gain");
    EXPECT_EQ (built.panel->controls.size(), 3);
    EXPECT_EQ (built.panel->findControl (""), nullptr);
}

TEST_F (LayoutVocabulary, ImageSwitchesHaveAStateForEveryWholeValueOfTheRange)
{
    struct Case { const char* param; int states; };
    for (const auto& c : { Case { "Mode", 3 }, Case { "Low Cut", 2 }, Case { "Steps", 4 }, Case { "Flat", 1 } })
    {
        BuiltPanel built (layoutOf (juce::String (R"(<control type="iSwitch" id="s" image="panels/switch.dovi" hand="yes" param=")") + c.param + "\"/>"));
        auto* control = built.find<ISwitchControl> ("s");
        ASSERT_NE (control, nullptr) << c.param;
        EXPECT_EQ (control->getNumberOfStates(), c.states) << c.param;
        EXPECT_EQ (control->getFrames(), c.states) << c.param;
    }
}

TEST_F (LayoutVocabulary, AnImageSwitchShowsAndWritesItsParameter)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    module->mode->setValue (2.0);
    BuiltPanel built (layoutOf (R"(<control type="iSwitch" id="s" param="Mode" image="panels/switch.dovi"/>)"), module);
    auto* control = built.find<ISwitchControl> ("s");
    ASSERT_NE (control, nullptr);
    EXPECT_EQ (control->getState(), 2);

    control->mouseDown (tarnello::test::mouseEvent (*control, { 2.0f, 2.0f }));
    control->mouseUp (tarnello::test::mouseEvent (*control, { 2.0f, 2.0f }));
    EXPECT_DOUBLE_EQ (module->mode->getValue(), 0.0);   // wrapped round to the first state
}

TEST_F (LayoutVocabulary, ContactsClampByDefaultAndWrapWhenNotLimited)
{
    struct Case
    {
        const char* what;
        const char* attributes;
        double from;
        std::vector<double> afterEachPress;
    };
    const std::vector<Case> cases {
        { "limited by default", R"(increment="1")", 2.0, { 3.0, 3.0 } },
        { "limited going down", R"(increment="-2" limited="yes")", 1.0, { 0.0, 0.0 } },
        { "wrapping", R"(increment="1" limited="0")", 1.0, { 2.0, 3.0, 1.0 } },
        { "wrapping down", R"(increment="-1" limited="false")", 1.0, { 0.0, 2.0 } },
        { "increment from a prop set", R"(prop="c")", 0.0, { 2.0, 3.0 } },
    };

    for (const auto& c : cases)
    {
        auto module = std::make_shared<tarnello::test::LayoutModule>();
        module->steps->setValue (c.from);
        BuiltPanel built (layoutOf (juce::String (R"(<prop name="c" increment="2"/><control type="iContact" id="c" param="Steps" image="panels/button.dovi" )")
                                    + c.attributes + "/>"),
                          module);
        auto* contact = built.find<IContactControl> ("c");
        ASSERT_NE (contact, nullptr) << c.what;
        EXPECT_EQ (contact->getFrames(), 2) << c.what;
        for (auto expected : c.afterEachPress)
        {
            contact->mouseDown (tarnello::test::mouseEvent (*contact, { 1.0f, 1.0f }));
            EXPECT_EQ (contact->getFramePosition(), 1) << c.what;
            contact->mouseUp (tarnello::test::mouseEvent (*contact, { 1.0f, 1.0f }));
            EXPECT_DOUBLE_EQ (module->steps->getValue(), expected) << c.what;
        }
        EXPECT_EQ (contact->getFramePosition(), 0) << c.what;
    }
}

TEST_F (LayoutVocabulary, MenusListTheChoicesOfAChoiceParameterOnly)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    module->mode->setValue (1.0);
    BuiltPanel built (layoutOf (R"(
        <control type="menu" id="choice" param="Mode" bounds="5, 6, 70, 20" help="Pick"/>
        <control type="menu" id="plain" param="Gain" bounds="5, 30, 70, 20"/>)"), module);
    auto* choice = built.find<MenuControl> ("choice");
    auto* plain = built.find<MenuControl> ("plain");
    ASSERT_TRUE (choice != nullptr && plain != nullptr);

    EXPECT_EQ (choice->getItems(), (juce::StringArray { "Slow", "Medium", "Fast" }));
    EXPECT_EQ (choice->getTitle(), "Mode");
    EXPECT_EQ (choice->getSelectedIndex(), 1);
    EXPECT_EQ (choice->getHelpText(), "Pick");
    EXPECT_EQ (choice->getBounds(), juce::Rectangle<int> (5, 6, 70, 20));
    EXPECT_TRUE (plain->getItems().isEmpty());
    EXPECT_TRUE (plain->getTitle().isEmpty());
}

TEST_F (LayoutVocabulary, VectorSwitchesTakeTheirColoursFromTheDocumentOrTheDefaults)
{
    BuiltPanel built (layoutOf (R"(
        <prop name="sw" thumbOnColor="ff00ff00" hand="1"/>
        <control type="switch" id="plain" param="Low Cut" bounds="1, 2, 30, 14"/>
        <control type="switch" id="styled" param="Low Cut" bounds="1, 20, 30, 14" prop="sw" bgOffColor="80102030"/>)"));
    auto* plain = built.find<SwitchControl> ("plain");
    auto* styled = built.find<SwitchControl> ("styled");
    ASSERT_TRUE (plain != nullptr && styled != nullptr);
    EXPECT_EQ (plain->thumbOnColour, juce::Colour (0xffdcb98b));
    EXPECT_EQ (plain->bgOffColour, juce::Colour (0xff1b1b1b));
    EXPECT_FALSE (plain->usesHandCursor());
    EXPECT_EQ (plain->getBounds(), juce::Rectangle<int> (1, 2, 30, 14));
    EXPECT_EQ (styled->thumbOnColour, juce::Colour (0xff00ff00));
    EXPECT_EQ (styled->bgOffColour, juce::Colour (0x80102030));
    EXPECT_EQ (styled->thumbOffColour, juce::Colour (0xff515151));
    EXPECT_TRUE (styled->usesHandCursor());
}

TEST_F (LayoutVocabulary, ControlsNamingNoParameterAreLeftOut)
{
    for (const char* element : {
             R"(<control type="iKnob" id="x" param="Nope"/>)",
             R"(<control type="iSwitch" id="x" param="Nope"/>)",
             R"(<control type="iContact" id="x"/>)",
             R"(<control type="menu" id="x" param="gain"/>)",
             R"(<control type="switch" id="x" param="Nope"/>)",
             R"(<control type="knob" id="x" param="Nope"/>)",
             R"(<label id="x" param="Nope"/>)",
             R"(<panel id="x" bounds="0, 0, 50, 50"><control type="iKnob" id="inner" param="Gain"/></panel>)",
             R"(<control type="dial" id="x" param="Gain"/>)",
             R"(<slider id="x" param="Gain"/>)" })
    {
        BuiltPanel built (layoutOf (element));
        EXPECT_EQ (built.panel->findControl ("x"), nullptr) << element;
        EXPECT_EQ (built.panel->findControl ("inner"), nullptr) << element;
        EXPECT_EQ (built.panel->controls.size(), 0) << element;
        EXPECT_EQ (built.panel->attachments.size(), 0) << element;
        EXPECT_EQ (built.panel->getNumChildComponents(), 0) << element;
    }
}

TEST_F (LayoutVocabulary, AnImageWithAParameterNamingNoneIsShownUnbound)
{
    BuiltPanel built (layoutOf (R"(<image id="i" image="panels/meter.dovi" frames="33" param="Nope" setFrame="16"/>)"));
    auto* image = built.find<ImageControl> ("i");
    ASSERT_NE (image, nullptr);
    EXPECT_EQ (built.panel->attachments.size(), 0);
    EXPECT_EQ (image->getFramePosition(), 16);
}

struct GradientCase
{
    const char* what;
    const char* attributes;
    bool solid;
    bool gradient;
    juce::Point<float> from, to;
};

TEST_F (LayoutVocabulary, ShapesFillPlainOrWithAGradientThatReplacesThePlainFill)
{
    const std::vector<GradientCase> cases {
        { "plain", R"(fillColor="ff102030")", true, false, {}, {} },
        { "horizontal", R"(gradient="h, ff000000, ffffffff")", false, true, { 10.0f, 0.0f }, { 110.0f, 0.0f } },
        { "vertical over a plain fill", R"(fillColor="ff102030" gradient="v,ff000000,ffffffff")", false, true, { 0.0f, 20.0f }, { 0.0f, 70.0f } },
        { "two parts: no fill at all", R"(fillColor="ff102030" gradient="h, ff000000")", false, false, {}, {} },
        { "unknown direction: no fill at all", R"(fillColor="ff102030" gradient="d, ff000000, ffffffff")", false, false, {}, {} },
        { "capital direction: no fill", R"(gradient="H, ff000000, ffffffff")", false, false, {}, {} },
    };

    for (const auto& c : cases)
    {
        BuiltPanel built (layoutOf (juce::String (R"(<shape type="rect" bounds="10, 20, 100, 50" )") + c.attributes + "/>"));
        ASSERT_EQ (built.panel->shapes.size(), 1) << c.what;
        auto* shape = dynamic_cast<RectShapeDrawer*> (built.panel->shapes[0]);
        ASSERT_NE (shape, nullptr) << c.what;
        EXPECT_EQ (shape->rectangle, juce::Rectangle<int> (10, 20, 100, 50)) << c.what;
        EXPECT_EQ (shape->useFillColour, c.solid) << c.what;
        EXPECT_EQ (shape->useGradient, c.gradient) << c.what;
        if (c.gradient)
        {
            EXPECT_EQ (shape->gradient.point1, c.from) << c.what;
            EXPECT_EQ (shape->gradient.point2, c.to) << c.what;
            EXPECT_EQ (shape->gradient.getColourAtPosition (0.0), juce::Colour (0xff000000)) << c.what;
            EXPECT_EQ (shape->gradient.getColourAtPosition (1.0), juce::Colour (0xffffffff)) << c.what;
            EXPECT_FALSE (shape->gradient.isRadial) << c.what;
        }
    }
}

TEST_F (LayoutVocabulary, ShapesReadTheirBorderDefaultsAndSkipOtherTypes)
{
    BuiltPanel built (layoutOf (R"(
        <shape type="circle" bounds="0, 0, 5, 5"/>
        <prop name="frame" border="2" cornerSize="6"/>
        <shape type="rect" bounds="1, 1, 5, 5"/>
        <shape type="rect" bounds="1, 1, 5, 5" prop="frame" borderColor="ff00ff00"/>)"));
    ASSERT_EQ (built.panel->shapes.size(), 2);
    auto* plain = dynamic_cast<RectShapeDrawer*> (built.panel->shapes[0]);
    auto* framed = dynamic_cast<RectShapeDrawer*> (built.panel->shapes[1]);
    EXPECT_EQ (plain->borderWidth, 0);
    EXPECT_EQ (plain->borderColour, juce::Colour (0xff777777));
    EXPECT_EQ (plain->cornerSize, 0);
    EXPECT_EQ (framed->borderWidth, 2);
    EXPECT_EQ (framed->cornerSize, 6);
    EXPECT_EQ (framed->borderColour, juce::Colour (0xff00ff00));
}

TEST_F (LayoutVocabulary, MetersShowTheModulesMeterValuesInDocumentOrder)
{
    BuiltPanel built (layoutOf (R"(
        <image id="picture" image="panels/meter.dovi" frames="33"/>
        <image id="first" meter="yes" image="panels/meter.dovi" frames="33"/>
        <prop name="m" meter="true"/>
        <image id="second" prop="m" image="panels/meter.dovi" frames="33" x="20"/>)"));
    auto* picture = built.find<ImageControl> ("picture");
    auto* first = built.find<ImageControl> ("first");
    auto* second = built.find<ImageControl> ("second");
    ASSERT_TRUE (picture != nullptr && first != nullptr && second != nullptr);
    ASSERT_EQ (built.panel->meters.size(), 2u);

    built.panel->onTimer();
    EXPECT_FLOAT_EQ (first->getNormalized(), 0.1f);
    EXPECT_FLOAT_EQ (second->getNormalized(), 0.2f);
    EXPECT_FLOAT_EQ (picture->getNormalized(), 0.0f);
    EXPECT_EQ (built.panel->attachments.size(), 0);
}

TEST_F (LayoutVocabulary, ImagesStartAtTheirFirstFrameAndFollowTheirParameter)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    BuiltPanel built (layoutOf (R"(
        <image id="one" image="panels/meter.dovi"/>
        <image id="set" image="panels/meter.dovi" frames="33" setFrame="8"/>
        <image id="bound" image="panels/meter.dovi" frames="33" param="Steps"/>)"), module);
    EXPECT_EQ (built.find<ImageControl> ("one")->getFramePosition(), 0);
    EXPECT_EQ (built.find<ImageControl> ("set")->getFramePosition(), 8);
    // The bound one starts at its first frame; the first push puts the value there.
    module->steps->setValue (3.0);
    module->needsRefresh = true;
    built.panel->onTimer();
    EXPECT_EQ (built.find<ImageControl> ("bound")->getFramePosition(), 32);
}

TEST_F (LayoutVocabulary, APanelShowsItsChildrenWhileItsParameterIsOn)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    module->gain->setValue (1.5);
    BuiltPanel built (layoutOf (R"(
        <panel id="sub" param="Low Cut" bounds="10, 10, 100, 80" background="ff334455">
          <control type="iKnob" id="inner" param="Steps" x="5" y="5"/>
        </panel>
        <control type="iKnob" id="after" param="Gain"/>)"), module);
    auto* sub = built.find<PanelControl> ("sub");
    auto* inner = built.find<IKnobControl> ("inner");
    auto* after = built.find<IKnobControl> ("after");
    ASSERT_TRUE (sub != nullptr && inner != nullptr && after != nullptr);

    EXPECT_EQ (inner->getParentComponent(), sub);
    EXPECT_EQ (sub->getBounds(), juce::Rectangle<int> (10, 10, 100, 80));
    EXPECT_EQ (sub->fillColour, juce::Colour (0xff334455));
    EXPECT_FALSE (sub->isVisible());
    EXPECT_FALSE (inner->isShowing());
    // The control after the sub-panel got its value with everybody else's.
    EXPECT_DOUBLE_EQ (after->getValue(), 1.5);
    EXPECT_EQ (built.panel->afterBuilds, 1);

    module->lowCut->setValue (1.0);
    module->needsRefresh = true;
    built.panel->onTimer();
    EXPECT_TRUE (sub->isVisible());
    EXPECT_TRUE (inner->isVisible());
}

TEST_F (LayoutVocabulary, TheRefreshPushesValuesOnlyWhenTheModuleAsks)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    BuiltPanel built (layoutOf (R"(<control type="iKnob" id="k" param="Gain"/>)"), module);
    auto* knob = built.find<IKnobControl> ("k");
    EXPECT_DOUBLE_EQ (knob->getValue(), 1.0);
    EXPECT_FALSE (module->needsRefresh.load());

    module->gain->value.store (0.25);   // changed without telling the module
    built.panel->onTimer();
    EXPECT_DOUBLE_EQ (knob->getValue(), 1.0);
    module->needsRefresh = true;
    built.panel->onTimer();
    EXPECT_DOUBLE_EQ (knob->getValue(), 0.25);
    EXPECT_FALSE (module->needsRefresh.load());
}

TEST_F (LayoutVocabulary, LabelsAndCaptionsReadTheirLookFromTheDocument)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    BuiltPanel built (layoutOf (R"(
        <prop name="cap" color="ff112233" fontSize="11" style="medium" align="left"/>
        <label id="value" param="Gain" bounds="1, 2, 60, 16"/>
        <label id="fixed" param="Gain" bounds="1, 2, 60, 16" editable="0" style="Bold" align="right"/>
        <caption id="cap" text="DEPTH" bounds="3, 4, 50, 14" prop="cap" editable="yes"/>
        <caption id="bold" text="B" style="bold" align="centre"/>
        <caption id="turned" text="T" bounds="10, 20, 50, 14" rotate="90"/>)"), module);
    auto* value = built.find<LabelForControl> ("value");
    auto* fixed = built.find<LabelForControl> ("fixed");
    auto* cap = built.find<LabelForControl> ("cap");
    auto* bold = built.find<LabelForControl> ("bold");
    auto* turned = built.find<LabelForControl> ("turned");
    ASSERT_TRUE (value && fixed && cap && bold && turned);

    EXPECT_EQ (value->getText(), module->gain->getDisplayValue());
    EXPECT_TRUE (value->isEditableOnSingleClick());
    EXPECT_EQ (value->findColour (juce::Label::textColourId), juce::Colour (0xfff8f8f8));
    EXPECT_EQ (value->getFont().getTypefaceName(), "Gui");
    EXPECT_FLOAT_EQ (value->getFont().getHeight(), 14.0f);
    EXPECT_EQ (value->getJustificationType(), juce::Justification::centred);
    EXPECT_TRUE (value->isVisible());
    EXPECT_EQ (value->getBounds(), juce::Rectangle<int> (1, 2, 60, 16));

    EXPECT_FALSE (fixed->isEditableOnSingleClick());
    EXPECT_FALSE (fixed->getFont().isBold());        // "Bold" is not "bold"
    EXPECT_EQ (fixed->getJustificationType(), juce::Justification::right);

    EXPECT_EQ (cap->getText(), "DEPTH");
    EXPECT_FALSE (cap->isEditableOnSingleClick());   // a caption never is
    EXPECT_EQ (cap->getFont().getTypefaceName(), "GuiMedium");
    EXPECT_FLOAT_EQ (cap->getFont().getHeight(), 11.0f);
    EXPECT_EQ (cap->findColour (juce::Label::textColourId), juce::Colour (0xff112233));
    EXPECT_EQ (cap->getJustificationType(), juce::Justification::left);
    EXPECT_TRUE (bold->getFont().isBold());
    EXPECT_EQ (bold->getJustificationType(), juce::Justification::centred);

    const auto corner = juce::Point<float> (10.0f, 20.0f).transformedBy (turned->getTransform());
    EXPECT_NEAR (corner.x, 10.0f, 1e-3f);
    EXPECT_NEAR (corner.y, 20.0f, 1e-3f);
    const auto far = juce::Point<float> (60.0f, 20.0f).transformedBy (turned->getTransform());
    EXPECT_NEAR (far.x, 10.0f, 1e-3f);   // the top edge turned a quarter round its left end
    EXPECT_NEAR (far.y, 70.0f, 1e-3f);
    EXPECT_EQ (built.panel->attachments.size(), 2);
}

TEST_F (LayoutVocabulary, VectorKnobsReadStyleAnglesSpeedAndPlaceTheirFloatingLabel)
{
    BuiltPanel built (layoutOf (R"(
        <control type="knob" id="plain" param="Gain" bounds="100, 50, 60, 60" label="-1, 4, 40, 14" help="Level"/>
        <control type="knob" id="bar" param="Gain" style="hozirontalBar" speed="2"/>
        <control type="knob" id="spelled" param="Gain" style="horizontalBar" startAngle="0" endAngle="180"/>
        <control type="knob" id="vertical" param="Gain" style="verticalBar" startAngle="400" endAngle="100"/>)"));
    auto* plain = built.find<KnobControl> ("plain");
    auto* bar = built.find<KnobControl> ("bar");
    auto* spelled = built.find<KnobControl> ("spelled");
    auto* vertical = built.find<KnobControl> ("vertical");
    ASSERT_TRUE (plain && bar && spelled && vertical);

    EXPECT_EQ (plain->getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    const auto sweep = plain->getRotaryParameters();
    EXPECT_FLOAT_EQ (sweep.startAngleRadians, 210.0f * 3.1415927f / 180.0f);
    EXPECT_FLOAT_EQ (sweep.endAngleRadians, 510.0f * 3.1415927f / 180.0f);
    EXPECT_TRUE (sweep.stopAtEnd);
    EXPECT_EQ (plain->getBounds(), juce::Rectangle<int> (100, 50, 60, 60));
    EXPECT_EQ (plain->getHelpText(), "Level");
    EXPECT_EQ (plain->getMouseDragSensitivity(), 250);
    ASSERT_NE (plain->getFloatingLabel(), nullptr);
    EXPECT_EQ (plain->getFloatingLabel()->getBounds(), juce::Rectangle<int> (110, 114, 40, 14));
    EXPECT_EQ (plain->getFloatingLabel()->getParentComponent(), built.panel.get());
    EXPECT_FALSE (plain->getFloatingLabel()->isVisible());

    EXPECT_EQ (bar->getSliderStyle(), juce::Slider::LinearBar);
    EXPECT_EQ (bar->getMouseDragSensitivity(), 125);
    EXPECT_NEAR (bar->getVelocitySensitivity(), 0.2, 1e-9);
    EXPECT_EQ (bar->getFloatingLabel(), nullptr);
    EXPECT_EQ (spelled->getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_FLOAT_EQ (spelled->getRotaryParameters().endAngleRadians, 3.1415927f);
    EXPECT_EQ (vertical->getSliderStyle(), juce::Slider::LinearBarVertical);
    // Colours and the track's start: defaults, or the document's.
    EXPECT_EQ (plain->trackFillColour, juce::Colour (0xffebbf8a));
    EXPECT_EQ (plain->shadowColour, juce::Colour (0x99000000));
    EXPECT_DOUBLE_EQ (plain->trackFillStart, 0.0);
    // An end before the start is no sweep: the default one instead.
    EXPECT_FLOAT_EQ (vertical->getRotaryParameters().startAngleRadians, 210.0f * 3.1415927f / 180.0f);
}

TEST_F (LayoutVocabulary, VectorKnobsKeepTheLookTheDocumentGivesThem)
{
    BuiltPanel built (layoutOf (R"(
        <prop name="look" knobColor="ff010203" pointerColor="ffa0b0c0"/>
        <control type="knob" id="k" param="Gain" prop="look" trackFillColor="ff00ff00" fillTrackStart="1"/>
        <control type="knob" id="beyond" param="Gain" fillTrackStart="50"/>)"));
    auto* k = built.find<KnobControl> ("k");
    auto* beyond = built.find<KnobControl> ("beyond");
    ASSERT_TRUE (k && beyond);
    EXPECT_EQ (k->knobColour, juce::Colour (0xff010203));
    EXPECT_EQ (k->pointerColour, juce::Colour (0xffa0b0c0));
    EXPECT_EQ (k->trackFillColour, juce::Colour (0xff00ff00));
    EXPECT_EQ (k->trackBgColour, juce::Colour (0xff383838));
    EXPECT_DOUBLE_EQ (k->trackFillStart, 0.5);        // 1 of 0..2: the middle, which a bipolar knob fills from
    EXPECT_DOUBLE_EQ (beyond->trackFillStart, 1.0);   // past the end: the end
}

TEST_F (LayoutVocabulary, ImageKnobLabelsAreRelativeOnlyWithXMinusOne)
{
    BuiltPanel built (layoutOf (R"(
        <control type="iKnob" id="relative" param="Gain" x="30" y="30" label="-1, 4, 40, 14"/>
        <control type="iKnob" id="placed" param="Gain" x="30" y="30" label="16, 80, 40, 14" labelEdit="0"/>)"));
    auto* relative = built.find<IKnobControl> ("relative");
    auto* placed = built.find<IKnobControl> ("placed");
    ASSERT_TRUE (relative && placed);
    // An image knob gives no bounds of its own to place by.
    EXPECT_EQ (relative->getFloatingLabel()->getBounds(), juce::Rectangle<int> (-21, 3, 40, 14));
    EXPECT_TRUE (relative->isEditOnRightClickConfigured());
    EXPECT_EQ (placed->getFloatingLabel()->getBounds(), juce::Rectangle<int> (16, 80, 40, 14));
    EXPECT_FALSE (placed->isEditOnRightClickConfigured());
    EXPECT_FALSE (dynamic_cast<juce::Label*> (placed->getFloatingLabel())->isEditableOnSingleClick());
}

TEST_F (LayoutVocabulary, HitShapesTakeTheCircleFirst)
{
    BuiltPanel built (layoutOf (R"(
        <control type="iKnob" id="circle" param="Gain" hitCircle="50, 40, 20"/>
        <control type="iKnob" id="both" param="Gain" hitCircle="10,20" hitRectangle="1, 2, 3, 4"/>
        <control type="iKnob" id="rect" param="Gain" hitRectangle="1, 2, 30, 40"/>
        <control type="iKnob" id="none" param="Gain"/>)"));
    auto* circle = built.find<IKnobControl> ("circle");
    auto* both = built.find<IKnobControl> ("both");
    auto* rect = built.find<IKnobControl> ("rect");
    auto* none = built.find<IKnobControl> ("none");
    EXPECT_EQ (circle->getHitKind(), Control::hitCircle);
    EXPECT_EQ (circle->getHitCircleShape(), (Control::Circle { 50, 40, 20 }));
    EXPECT_EQ (both->getHitKind(), Control::hitCircle);
    EXPECT_EQ (both->getHitCircleShape(), (Control::Circle { 10, 20, 0 }));
    EXPECT_EQ (rect->getHitKind(), Control::hitRectangle);
    EXPECT_EQ (rect->getHitRect(), juce::Rectangle<int> (1, 2, 30, 40));
    EXPECT_EQ (none->getHitKind(), Control::hitNone);
}

TEST_F (LayoutVocabulary, TheRootGivesTheBackgroundColour)
{
    struct Case { const char* root; juce::uint32 argb; };
    for (const auto& c : { Case { "", 0x00000000 }, Case { R"(background="ff223344")", 0xff223344 },
                           Case { R"(background="223344")", 0x00223344 } })
    {
        BuiltPanel built (layoutOf ("", c.root));
        EXPECT_EQ (built.panel->backgroundColour.getARGB(), c.argb) << c.root;
        const auto picture = tarnello::test::snapshot (*built.panel, 1.0f);
        EXPECT_EQ (picture.getPixelAt (150, 100).getARGB(), c.argb == 0xff223344 ? 0xff223344 : 0u) << c.root;
    }
}

TEST_F (LayoutVocabulary, ARootImageIsPaintedAtTheOriginInPlaceOfTheColour)
{
    BuiltPanel built (layoutOf ("", R"(image="panels/knob-large.dovi" background="ffff0000")"));
    ASSERT_NE (built.panel->backgroundImage, nullptr);
    EXPECT_EQ (built.panel->backgroundColour.getARGB(), 0u);
    for (float scale : { 1.0f, 2.0f })
    {
        const auto picture = tarnello::test::snapshot (*built.panel, scale);
        const auto strip = built.panel->backgroundImage->getImage (scale);
        ASSERT_TRUE (strip.isValid());
        // The strip's first frame, 64 x 64 at the top left; nothing red anywhere.
        EXPECT_EQ (picture.getPixelAt ((int) (32 * scale), (int) (32 * scale)), strip.getPixelAt ((int) (32 * scale), (int) (32 * scale))) << scale;
        EXPECT_NE (picture.getPixelAt (250, 150), juce::Colour (0xffff0000)) << scale;
    }
}

TEST_F (LayoutVocabulary, APanelWithoutAModuleOrLayoutBuildsNothing)
{
    juce::ValueTree layout = parseLayoutDocument (layoutOf (R"(<control type="iKnob" id="k" param="Gain"/>)"));
    tarnello::test::CountingPanel orphan (nullptr, nullptr, &layout);
    orphan.generateGui (nullptr);
    EXPECT_EQ (orphan.controls.size(), 0);
    EXPECT_EQ (orphan.afterBuilds, 0);

    auto module = std::make_shared<tarnello::test::LayoutModule>();
    tarnello::test::CountingPanel empty (module, nullptr, nullptr);
    empty.generateGui (nullptr);
    EXPECT_EQ (empty.controls.size(), 0);
    EXPECT_EQ (empty.afterBuilds, 1);
    EXPECT_FALSE (module->needsRefresh.load());
}

TEST_F (LayoutVocabulary, BuildingTwiceAddsNoSecondSetOfControls)
{
    BuiltPanel built (layoutOf (R"(<control type="iKnob" id="k" param="Gain"/><shape type="rect"/>)"));
    built.panel->generateGui (nullptr);
    EXPECT_EQ (built.panel->controls.size(), 1);
    EXPECT_EQ (built.panel->shapes.size(), 1);
    EXPECT_EQ (built.panel->afterBuilds, 1);
}

TEST_F (LayoutVocabulary, HidingControlValuesTurnsOffEveryKnobsFloatingLabel)
{
    BuiltPanel built (layoutOf (R"(
        <control type="iKnob" id="a" param="Gain" label="0, 0, 40, 14"/>
        <control type="knob" id="b" param="Gain" bounds="0, 0, 40, 40"/>)"));
    auto* a = built.find<IKnobControl> ("a");
    auto* b = built.find<KnobControl> ("b");
    built.panel->setShowControlValues (false);
    EXPECT_FALSE (a->isLabelEnabled());
    EXPECT_FALSE (b->isLabelEnabled());
    EXPECT_FALSE (a->getFloatingLabel()->isVisible());
    built.panel->setShowControlValues (true);
    EXPECT_TRUE (a->isLabelEnabled());
    EXPECT_TRUE (b->isLabelEnabled());
}

TEST_F (LayoutVocabulary, ControlsShowTheirHelpInTheStripOfTheEditorAroundThePanel)
{
    auto module = std::make_shared<tarnello::test::LayoutModule>();
    auto layout = parseLayoutDocument (layoutOf (R"(
        <control type="iKnob" id="k" param="Gain" help="Level"/>
        <image id="i" image="panels/meter.dovi" help="Meter"/>)"));
    juce::Component editor, rack;
    HelpTextVisor strip;
    editor.addAndMakeVisible (strip);
    editor.addAndMakeVisible (rack);
    tarnello::test::CountingPanel panel (module, nullptr, &layout);
    rack.addAndMakeVisible (panel);
    panel.generateGui (nullptr);

    EXPECT_EQ (panel.helpVisor, &strip);
    ASSERT_NE (panel.findControl ("k"), nullptr);
    EXPECT_EQ (panel.findControl ("k")->getHelpTextVisor(), &strip);
    EXPECT_EQ (panel.findControl ("k")->getHelpText(), "Level");
    EXPECT_EQ (panel.findControl ("i")->getHelpTextVisor(), &strip);
}

TEST_F (LayoutVocabulary, HostileValuesBuildAndPaintWithoutHarm)
{
    for (const char* element : {
             R"(<control type="iKnob" param="Gain" x="2147483647" y="-2147483648" frames="-5" speed="1e-300"/>)",
             R"(<control type="iKnob" param="Gain" frames="2000000000" speed="1e300" snap=",,,"/>)",
             R"(<control type="knob" param="Gain" bounds="999999999999, 5, 999999999999, 9" startAngle="-90" endAngle="99999999"/>)",
             R"(<control type="iSwitch" param="Time" image="panels/switch.dovi"/>)",
             R"(<control type="iContact" param="Flat" limited="0" increment="1e308"/>)",
             R"(<label param="Gain" bounds="0, 0, 50, 14" rotate="1e300" fontSize="-4"/>)",
             R"(<caption text="big" bounds="0, 0, 50, 14" fontSize="1e9" rotate="nan"/>)",
             R"(<caption text="TONE" bounds="346, 158, 6077777777777777777, 14"/>)",
             R"(<control type="iKnob" param="Gain" image="panels/knob.dovi" hitRectangle="-2000000000, 0, 10, 10"/>)",
             R"(<shape type="rect" bounds="-1000000000, -1000000000, 2000000000, 2000000000" border="2147483647" cornerSize="-7" gradient="v"/>)",
             R"(<image image="panels/meter.dovi" frames="0" setFrame="-3" param="Gain"/>)",
             R"(<image image="../../../../etc/passwd.dovi" frames="3" meter="yes"/>)",
             R"(<panel param="Low Cut" bounds="0,0,9,9"><panel param="Low Cut"><panel param="Drive"/></panel></panel>)" })
    {
        BuiltPanel built (layoutOf (element));
        built.module->needsRefresh = true;
        built.panel->onTimer();
        built.panel->resized();
        const auto picture = tarnello::test::snapshot (*built.panel, 2.0f);
        EXPECT_EQ (picture.getWidth(), 600) << element;
    }
}

TEST_F (LayoutVocabulary, TheGripIsTheTopStripOfThePanel)
{
    BuiltPanel built (layoutOf (R"(<control type="iKnob" id="k" param="Gain" x="7" y="9"/>)"));
    built.panel->setSize (400, 200);
    EXPECT_EQ (built.panel->dragArea, juce::Rectangle<int> (0, 0, 400, 30));
    EXPECT_EQ (built.panel->itemWidth, 300);
}
} // namespace
