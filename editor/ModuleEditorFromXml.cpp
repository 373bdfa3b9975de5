#include "editor/ModuleEditorFromXml.h"

#include "editor/DovrethEditor.h"
#include "editor/IContactControl.h"
#include "editor/ImageControl.h"
#include "editor/LabelForControl.h"
#include "editor/MeterControl.h"
#include "editor/ModuleControlAttachment.h"
#include "editor/ModuleIContactAttachment.h"
#include "editor/ModuleISwitchAttachment.h"
#include "editor/ModuleImageAttachment.h"
#include "editor/ModuleLabelAttachment.h"
#include "editor/ModuleMenuAttachment.h"
#include "editor/ModulePanelAttachment.h"
#include "editor/ModuleSliderAttachment.h"
#include "editor/ModuleSwitchAttachment.h"
#include "editor/SwitchControl.h"
#include "framework/ModuleIntParam.h"
#include "framework/ModuleParam.h"
#include "framework/ModuleProcessor.h"
#include "ui/HelpTextVisor.h"
#include "ui/IKnobControl.h"
#include "ui/ISwitchControl.h"
#include "ui/Imaged.h"
#include "ui/KnobControl.h"
#include "ui/MenuControl.h"
#include "ui/PanelControl.h"
#include "ui/RectShapeDrawer.h"
#include "ui/StringToRect.h"

#include <cmath>

namespace
{
constexpr int dragSensitivityPixels = 250;
constexpr int gripHeight = 30;
// More states than this is no switch a panel can draw; it keeps a strip's frames tall enough to see.
constexpr int maxSwitchStates = 256;
constexpr int maxShapeBorder = 4096;
constexpr int maxExtent = 1 << 16;

// A speed of 0 or less (or not a number) would divide by zero or turn the knob backwards.
double usableSpeed (double speed)
{
    return std::isfinite (speed) && speed > 0.0 ? speed : 1.0;
}

void setSpeed (juce::Slider& slider, double speed)
{
    speed = usableSpeed (speed);
    // At least one pixel for the whole range; at most what an int holds comfortably.
    const auto pixels = juce::jlimit (1.0f, 1.0e6f, (float) dragSensitivityPixels / (float) speed);
    slider.setMouseDragSensitivity ((int) pixels);
    slider.setVelocityModeParameters (speed * 0.1, 1, 0.1, true, juce::ModifierKeys::ctrlAltCommandModifiers);
}

void setUpKnobSlider (juce::Slider& slider)
{
    slider.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    setSpeed (slider, 1.0);
}

void setSnap (LabeledSlider& slider, const juce::String& text)
{
    const auto values = stringToDoubleArray (text);
    if (values.size() == 1)
        slider.setSnapInterval (values[0]);
    else if (values.size() >= 2)
        slider.setSnapList (values);
}

void setRangeAndDefault (juce::Slider& slider, const ModuleParam& param)
{
    slider.setNormalisableRange (param.range);
    slider.setDoubleClickReturnValue (true, param.defaultValue, juce::ModifierKeys::altModifier);
    slider.setName (param.name);
}

// Places and sizes are kept to an area the renderer can take at any scale (it works
// in fixed point); a panel shows far less of it.
int limitedCoordinate (int value)
{
    return juce::jlimit (-maxExtent, maxExtent, value);
}

int positionOf (const LayoutAttributes& a, const char* name)
{
    return limitedCoordinate (a.integer (name));
}

juce::Rectangle<int> areaOf (const LayoutAttributes& a, const char* name)
{
    return a.rectangle (name).getIntersection ({ -maxExtent, -maxExtent, 2 * maxExtent, 2 * maxExtent });
}

float degreesToRadians (int degrees)
{
    return (float) degrees * 3.1415927f / 180.0f;
}

juce::Justification justificationFor (const juce::String& align)
{
    if (align == "left")
        return juce::Justification::left;
    if (align == "right")
        return juce::Justification::right;
    return juce::Justification::centred;
}

juce::Font fontFor (const juce::String& style, float height)
{
    if (style == "medium")
        return juce::Font ("GuiMedium", height, juce::Font::plain);
    if (style == "bold")
        return juce::Font ("Gui", height, juce::Font::bold);
    if (style == "italic")
        return juce::Font ("Gui", height, juce::Font::italic);
    return juce::Font ("Gui", height, juce::Font::plain);
}
} // namespace

ModuleEditorFromXml::ModuleEditorFromXml (std::shared_ptr<ModuleProcessor> moduleToShow, RackEditor* rackEditor,
                                          const juce::ValueTree* layoutTree)
    : ModuleEditor (std::move (moduleToShow), rackEditor),
      layout (layoutTree)
{
    // The first tick pushes every parameter's value into its control.
    if (auto m = getModule())
        m->needsRefresh.store (true, std::memory_order_relaxed);
}

ModuleEditorFromXml::~ModuleEditorFromXml()
{
    meters.clear();
    backgroundImage.reset();
    props.clear();
}

LayoutAttributes ModuleEditorFromXml::attributesOf (const juce::ValueTree& element)
{
    return LayoutAttributes (element, getProps (element), readObserver ? &readObserver : nullptr);
}

juce::ValueTree ModuleEditorFromXml::getProps (const juce::ValueTree& element)
{
    const LayoutAttributes own (element, {}, readObserver ? &readObserver : nullptr);
    if (! own.has ("prop"))
        return {};
    if (const auto* set = props.find (own.text ("prop")))
        return *set;
    return {};
}

void ModuleEditorFromXml::addToControlsMap (const juce::ValueTree& element, Control* control)
{
    const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
    if (a.has ("id"))
        controlsById.insert (a.text ("id"), control);
}

Control* ModuleEditorFromXml::findControl (const juce::String& id)
{
    const auto* found = controlsById.find (id);
    return found != nullptr ? *found : nullptr;
}

ModuleParam* ModuleEditorFromXml::paramOf (const juce::ValueTree& element, ModuleProcessor& m)
{
    const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
    return m.getParam (a.text ("param"));
}

Imaged* ModuleEditorFromXml::makeImage (const juce::String& path)
{
    return images.add (new Imaged (this, path));
}

HelpTextVisor* ModuleEditorFromXml::findHelpVisor() const
{
    if (auto* mainEditor = findParentComponentOfClass<DovrethEditor>())
        return mainEditor->getHelpTextVisor();
    // Outside the main editor (a stand-alone view of the panel), a help strip that
    // stands beside it or above it.
    for (auto* ancestor = getParentComponent(); ancestor != nullptr; ancestor = ancestor->getParentComponent())
        for (auto* child : ancestor->getChildren())
            if (auto* visor = dynamic_cast<HelpTextVisor*> (child))
                return visor;
    return nullptr;
}

void ModuleEditorFromXml::place (Control* control, juce::Component& component, const juce::ValueTree& element,
                                 juce::Component* container)
{
    controls.add (control);
    addToControlsMap (element, control);
    control->applyControlBounds();
    component.setVisible (true);
    container->addAndMakeVisible (component);
}

void ModuleEditorFromXml::generateGui (juce::Component* container)
{
    auto m = getModule();
    if (m == nullptr)
        return;
    if (helpVisor == nullptr)
        helpVisor = findHelpVisor();

    if (container != nullptr)
    {
        // A sub-panel of this panel: its own element's children, inside it.
        for (const auto& [panel, element] : panelElements)
            if (panel == container)
                buildChildren (element, container, *m);
        return;
    }

    // The panel is built once; a second build would stack a second set of controls.
    if (built)
        return;
    built = true;

    const auto root = layout != nullptr ? *layout : juce::ValueTree();
    const LayoutAttributes a (root, {}, readObserver ? &readObserver : nullptr);
    if (a.has ("image"))
        backgroundImage = std::make_unique<Imaged> (this, a.text ("image"));
    else if (a.has ("background"))
        backgroundColour = a.colour ("background");

    buildChildren (root, this, *m);

    afterGuiGenerated();
    // Only now, once: a sub-panel's build must not use up the refresh that the
    // controls after it need for their first values.
    onTimer();
}

void ModuleEditorFromXml::buildChildren (const juce::ValueTree& root, juce::Component* container, ModuleProcessor& m)
{
    for (const auto& child : root)
        buildElement (child, container, m);
}

void ModuleEditorFromXml::buildElement (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& m)
{
    const auto type = element.getType();
    if (type == juce::Identifier ("control"))
        createControl (element, container, m);
    else if (type == juce::Identifier ("label"))
        createLabel (element, container, false);
    else if (type == juce::Identifier ("caption"))
        createLabel (element, container, true);
    else if (type == juce::Identifier ("panel"))
        createPanel (element, container, m);
    else if (type == juce::Identifier ("shape"))
        createShape (element);
    else if (type == juce::Identifier ("image"))
        createImage (element, container, m);
    else if (type == juce::Identifier ("prop"))
    {
        const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
        props.insertOrAssign (a.text ("name"), element);
    }
}

void ModuleEditorFromXml::createControl (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& m)
{
    const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
    const auto type = a.text ("type");
    if (type == "knob")
    {
        createKnob (element, container);
        return;
    }
    if (type != "iKnob" && type != "iSwitch" && type != "iContact" && type != "menu" && type != "switch")
        return;

    // A control bound to nothing would write into nothing: leave it out.
    auto* param = paramOf (element, m);
    if (param == nullptr)
        return;

    if (type == "iKnob")
        createIKnob (element, container, *param);
    else if (type == "iSwitch")
        createISwitch (element, container, *param);
    else if (type == "iContact")
        createIContact (element, container, *param);
    else if (type == "menu")
        createMenu (element, container, *param);
    else
        createSwitch (element, container, *param, m);
}

void ModuleEditorFromXml::createIKnob (const juce::ValueTree& element, juce::Component* container, ModuleParam& param)
{
    const auto a = attributesOf (element);
    auto* image = makeImage (a.inheritedText ("image"));
    const auto frames = a.inheritedInteger ("frames", 1);
    auto* knob = new IKnobControl (positionOf (a, "x"), positionOf (a, "y"), frames, image, helpVisor);

    setUpKnobSlider (*knob);
    setSpeed (*knob, a.inheritedReal ("speed", 1.0));
    setSnap (*knob, a.inheritedText ("snap"));
    setRangeAndDefault (*knob, param);

    knob->setHelpText (a.text ("help"));
    setControlHit (knob, element);
    controls.add (knob);
    addToControlsMap (element, knob);
    auto* label = setFloatingLabelForSlider (knob, element, { -1, -1, 0, 0 });
    knob->applyControlBounds();
    container->addAndMakeVisible (knob);
    attachments.add (new ModuleSliderAttachment (&param, knob, label));
}

void ModuleEditorFromXml::createISwitch (const juce::ValueTree& element, juce::Component* container, ModuleParam& param)
{
    const auto a = attributesOf (element);
    const auto span = param.range.end - param.range.start;
    const int states = std::isfinite (span) ? juce::jlimit (1, maxSwitchStates, (int) span + 1) : 1;
    auto* image = makeImage (a.inheritedText ("image"));
    const int x = positionOf (a, "x"), y = positionOf (a, "y");
    auto* control = new ISwitchControl (x, y, states, image, helpVisor);
    control->setNumberOfStates (states);
    control->setHandCursor (a.inheritedBoolean ("hand", false));

    control->setHelpText (a.text ("help"));
    setControlHit (control, element);
    place (control, *control, element, container);
    attachments.add (new ModuleISwitchAttachment (&param, control));
}

void ModuleEditorFromXml::createIContact (const juce::ValueTree& element, juce::Component* container, ModuleParam& param)
{
    const auto a = attributesOf (element);
    auto* image = makeImage (a.inheritedText ("image"));
    const int x = positionOf (a, "x"), y = positionOf (a, "y");
    auto* control = new IContactControl (x, y, image, helpVisor);
    control->increment = a.inheritedReal ("increment", 1.0);
    control->limited = a.inheritedBoolean ("limited", true);

    control->setHelpText (a.text ("help"));
    setControlHit (control, element);
    place (control, *control, element, container);
    attachments.add (new ModuleIContactAttachment (&param, control));
}

void ModuleEditorFromXml::createMenu (const juce::ValueTree& element, juce::Component* container, ModuleParam& param)
{
    const auto a = attributesOf (element);
    auto* menu = new MenuControl (areaOf (a, "bounds"), helpVisor);
    if (auto* choice = dynamic_cast<ModuleEnumParam*> (&param))
    {
        menu->setTitle (choice->name);
        menu->setItems (choice->choices);
    }
    menu->setHelpText (a.text ("help"));
    place (menu, *menu, element, container);
    attachments.add (new ModuleMenuAttachment (&param, menu));
}

void ModuleEditorFromXml::createSwitch (const juce::ValueTree& element, juce::Component* container, ModuleParam& param,
                                        ModuleProcessor& m)
{
    const auto a = attributesOf (element);
    auto* button = new SwitchControl (areaOf (a, "bounds"), helpVisor);
    button->setHelpText (a.text ("help"));
    button->setHandCursor (a.inheritedBoolean ("hand", false));
    if (a.hasInherited ("laf"))
        if (auto* laf = m.getLookAndFeel (a.inheritedText ("laf")))
            button->setLookAndFeel (laf);
    button->thumbOnColour = a.inheritedColour ("thumbOnColor", button->thumbOnColour);
    button->thumbOffColour = a.inheritedColour ("thumbOffColor", button->thumbOffColour);
    button->borderOnColour = a.inheritedColour ("borderOnColor", button->borderOnColour);
    button->borderOffColour = a.inheritedColour ("borderOffColor", button->borderOffColour);
    button->bgOnColour = a.inheritedColour ("bgOnColor", button->bgOnColour);
    button->bgOffColour = a.inheritedColour ("bgOffColor", button->bgOffColour);

    setControlHit (button, element);
    place (button, *button, element, container);
    attachments.add (new ModuleSwitchAttachment (&param, button));
}

void ModuleEditorFromXml::createPanel (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& m)
{
    // A sub-panel is shown by its parameter; without one it would never show.
    auto* param = paramOf (element, m);
    if (param == nullptr)
        return;

    const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
    auto* panel = new PanelControl();
    panel->setControlBounds (areaOf (a, "bounds"));
    panel->colour = panel->fillColour = a.colour ("background", juce::Colour (0xff212121));
    place (panel, *panel, element, container);
    attachments.add (new ModulePanelAttachment (param, panel));

    panelElements.emplace_back (panel, element);
    generateGui (panel);
}

void ModuleEditorFromXml::createShape (const juce::ValueTree& element)
{
    const auto a = attributesOf (element);
    if (a.text ("type") != "rect")
        return;

    auto* shape = new RectShapeDrawer();
    shape->rectangle = areaOf (a, "bounds");
    if (a.hasInherited ("fillColor"))
    {
        shape->useFillColour = true;
        shape->fillColour = a.inheritedColour ("fillColor");
    }
    if (a.hasInherited ("gradient"))
    {
        // A gradient replaces the plain fill, even one that does not read.
        shape->useFillColour = false;
        juce::StringArray parts;
        parts.addTokens (a.inheritedText ("gradient"), ",", "\"");
        const auto& r = shape->rectangle;
        if (parts.size() >= 3)
        {
            const auto direction = parts[0].trim();
            const auto from = LayoutAttributes::toColour (parts[1]);
            const auto to = LayoutAttributes::toColour (parts[2]);
            if (direction == "h")
            {
                shape->gradient = juce::ColourGradient (from, (float) r.getX(), 0.0f, to, (float) r.getRight(), 0.0f, false);
                shape->useGradient = true;
            }
            else if (direction == "v")
            {
                shape->gradient = juce::ColourGradient (from, 0.0f, (float) r.getY(), to, 0.0f, (float) r.getBottom(), false);
                shape->useGradient = true;
            }
        }
    }
    // A border wider than any panel draws nothing more, only slower.
    shape->borderWidth = juce::jlimit (0, maxShapeBorder, a.inheritedInteger ("border", 0));
    shape->borderColour = a.inheritedColour ("borderColor", juce::Colour (0xff777777));
    shape->cornerSize = juce::jlimit (0, maxShapeBorder, a.inheritedInteger ("cornerSize", 0));
    shapes.add (shape);
}

void ModuleEditorFromXml::createImage (const juce::ValueTree& element, juce::Component* container, ModuleProcessor& m)
{
    const auto a = attributesOf (element);
    auto* image = makeImage (a.inheritedText ("image"));
    const auto frames = juce::jmax (1, a.inheritedInteger ("frames", 1));
    const auto isMeter = a.inheritedBoolean ("meter", false);
    const int x = positionOf (a, "x"), y = positionOf (a, "y");
    auto* display = new ImageControl (x, y, frames, image, helpVisor);
    display->setHelpText (a.text ("help"));
    place (display, *display, element, container);

    if (isMeter)
    {
        meters.push_back (display);
        return;
    }
    if (a.has ("param"))
        if (auto* param = m.getParam (a.text ("param")))
            attachments.add (new ModuleImageAttachment (param, display));
    const auto first = a.integer ("setFrame");
    display->setNormalized (frames > 1 ? (float) first / (float) (frames - 1) : 0.0f);
}

void ModuleEditorFromXml::createKnob (const juce::ValueTree& element, juce::Component* container)
{
    auto m = getModule();
    if (m == nullptr)
        return;
    auto* param = paramOf (element, *m);
    if (param == nullptr)
        return;

    const auto a = attributesOf (element);
    auto* knob = new KnobControl();
    knob->setControlBounds (areaOf (a, "bounds"));
    knob->setHelpTextVisor (helpVisor);
    setUpKnobSlider (*knob);

    knob->setHelpText (a.text ("help"));
    setControlHit (knob, element);
    controls.add (knob);
    setRangeAndDefault (*knob, *param);

    if (a.hasInherited ("laf"))
        if (auto* laf = m->getLookAndFeel (a.inheritedText ("laf")))
            knob->setLookAndFeel (laf);
    const auto style = a.inheritedText ("style");
    const auto sliderStyle = style == "verticalBar"     ? juce::Slider::LinearBarVertical
                             : style == "hozirontalBar" ? juce::Slider::LinearBar
                                                        : juce::Slider::RotaryVerticalDrag;
    if (sliderStyle != knob->getSliderStyle())
        knob->setSliderStyle (sliderStyle);
    setSnap (*knob, a.inheritedText ("snap"));
    knob->trackFillColour = a.inheritedColour ("trackFillColor", knob->trackFillColour);
    knob->trackBgColour = a.inheritedColour ("trackBgColor", knob->trackBgColour);
    knob->knobBorderColour = a.inheritedColour ("knobBorderColor", knob->knobBorderColour);
    knob->knobColour = a.inheritedColour ("knobColor", knob->knobColour);
    knob->pointerColour = a.inheritedColour ("pointerColor", knob->pointerColour);
    knob->shadowColour = a.inheritedColour ("shadowColor", knob->shadowColour);
    setSpeed (*knob, a.inheritedReal ("speed", 1.0));

    auto start = degreesToRadians (a.inheritedInteger ("startAngle", 210));
    auto end = degreesToRadians (a.inheritedInteger ("endAngle", 510));
    // The slider only takes angles in 0..4 pi with the end past the start.
    const auto limit = 4.0f * juce::MathConstants<float>::pi;
    if (! (start >= 0.0f && start < limit && end >= 0.0f && end < limit && end > start))
    {
        start = degreesToRadians (210);
        end = degreesToRadians (510);
    }
    knob->setRotaryParameters (start, end, true);
    const auto fillStart = a.inheritedReal ("fillTrackStart", param->range.start);
    if (std::isfinite (fillStart))
        knob->trackFillStart = knob->valueToProportionOfLength (juce::jlimit (param->range.start, param->range.end, fillStart));

    auto* label = setFloatingLabelForSlider (knob, element, knob->getControlBounds());
    knob->applyControlBounds();
    container->addAndMakeVisible (knob);
    addToControlsMap (element, knob);
    attachments.add (new ModuleSliderAttachment (param, knob, label));
}

void ModuleEditorFromXml::createLabel (const juce::ValueTree& element, juce::Component* container, bool caption)
{
    auto m = getModule();
    if (m == nullptr)
        return;
    const auto a = attributesOf (element);
    const auto bounds = areaOf (a, "bounds");
    ModuleParam* param = nullptr;
    if (! caption)
    {
        param = paramOf (element, *m);
        if (param == nullptr)
            return;
    }
    const auto editable = a.inheritedBoolean ("editable", true);
    const auto colour = a.inheritedColour ("color", juce::Colour (0xfff8f8f8));
    const auto align = a.inheritedText ("align", "centred");
    const auto fontSize = a.inheritedReal ("fontSize", 14.0);
    const auto style = a.inheritedText ("style", "plain");

    auto* label = new LabelForControl (bounds, editable && ! caption, false);
    if (a.hasInherited ("rotate"))
    {
        // An angle beyond a float's reach is no rotation.
        const auto radians = (float) a.inheritedReal ("rotate") * 3.1415927f / 180.0f;
        if (std::isfinite (radians))
            label->setTransform (juce::AffineTransform::rotation (radians, (float) bounds.getX(), (float) bounds.getY()));
    }
    label->setColour (juce::Label::textColourId, colour);
    label->setColour (juce::Label::backgroundColourId, juce::Colour (0x00ffffff));
    label->setColour (juce::Label::outlineColourId, juce::Colour (0x00ffffff));
    label->setColour (juce::Label::backgroundWhenEditingColourId, juce::Colour (0xffffffff));
    label->setColour (juce::Label::outlineWhenEditingColourId, juce::Colour (0xffffffff));
    label->setJustificationType (justificationFor (align));
    // A font has a visible, finite height.
    const auto height = std::isfinite (fontSize) ? juce::jlimit (1.0f, 512.0f, (float) fontSize) : 14.0f;
    label->setFont (fontFor (style, height));

    if (caption)
        label->setText (a.text ("text"), juce::dontSendNotification);
    else
        attachments.add (new ModuleLabelAttachment (param, label));

    place (label, *label, element, container);
}

void ModuleEditorFromXml::setControlHit (Control* control, const juce::ValueTree& element)
{
    const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
    if (a.has ("hitCircle"))
    {
        juce::StringArray parts;
        parts.addTokens (a.text ("hitCircle"), ",", "\"");
        const auto number = [&parts] (int i) { return i < parts.size() ? limitedCoordinate (parseLayoutInt (parts[i])) : 0; };
        control->setHitCircle (number (0), number (1), number (2));
    }
    else if (a.has ("hitRectangle"))
    {
        control->setHitRectangle (areaOf (a, "hitRectangle"));
    }
}

LabelForControl* ModuleEditorFromXml::setFloatingLabelForSlider (LabeledSlider* slider, const juce::ValueTree& element,
                                                                 juce::Rectangle<int> controlBounds)
{
    const LayoutAttributes a (element, {}, readObserver ? &readObserver : nullptr);
    if (! a.has ("label"))
        return nullptr;

    const auto editable = a.boolean ("labelEdit", true);
    auto r = areaOf (a, "label");
    if (r.getX() == -1)
        r.setPosition (controlBounds.getX() + controlBounds.getWidth() / 2 - r.getWidth() / 2,
                       controlBounds.getY() + controlBounds.getHeight() + r.getY());

    auto* label = new LabelForControl (r, editable, true);
    slider->setFloatingLabel (label);
    slider->setEditOnRightClickConfigured (editable);
    label->setColour (juce::Label::backgroundWhenEditingColourId, juce::Colour (0xffffffff));
    label->setColour (juce::Label::outlineWhenEditingColourId, juce::Colour (0xffffffff));
    controls.add (label);
    label->applyControlBounds();
    // The label lives on the panel itself so it is never clipped by a sub-panel;
    // the slider shows and hides it.
    addChildComponent (label);
    return label;
}

void ModuleEditorFromXml::onTimer()
{
    auto m = getModule();
    if (m == nullptr)
        return;
    for (size_t i = 0; i < meters.size(); ++i)
        meters[i]->setNormalized (m->getMeterValue ((int) i));
    // Cleared before the push, so that a change landing during the push raises it again.
    if (m->needsRefresh.exchange (false, std::memory_order_relaxed))
        for (auto* attachment : attachments)
            attachment->onTimer();
}

void ModuleEditorFromXml::setShowControlValues (bool show)
{
    for (auto* attachment : attachments)
    {
        auto* sliderAttachment = dynamic_cast<ModuleSliderAttachment*> (attachment);
        if (sliderAttachment == nullptr)
            continue;
        auto* slider = sliderAttachment->getSlider();
        if (slider == nullptr)
            continue;
        slider->setLabelEnabled (show);
        auto* label = slider->getFloatingLabel();
        if (show || label == nullptr)
            continue;
        slider->stopTimer();
        if (label->isShowing() && slider->getHideDelay() > 0)
            juce::Desktop::getInstance().getAnimator().animateComponent (label, label->getBounds(), 0.0f,
                                                                         slider->getHideDelay(), true, 1.0, 1.0);
        label->setVisible (false);
    }
}

void ModuleEditorFromXml::paint (juce::Graphics& g)
{
    if (backgroundImage != nullptr)
    {
        backgroundImage->refreshImageAndScale (g);
        const auto& image = backgroundImage->getImage();
        if (image.isValid())
        {
            const auto scale = (float) juce::jmax (1, backgroundImage->getScale());
            g.setOpacity (1.0f);
            g.drawImage (image, 0.0f, 0.0f, (float) image.getWidth() / scale, (float) image.getHeight() / scale,
                         0, 0, image.getWidth(), image.getHeight());
        }
    }
    else
    {
        g.fillAll (backgroundColour);
    }
    for (auto* shape : shapes)
        shape->draw (g);
}

void ModuleEditorFromXml::resized()
{
    dragArea = { 0, 0, getWidth(), gripHeight };
    for (auto* control : controls)
        control->applyControlBounds();
}
