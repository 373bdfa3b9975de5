#include "editor/ModuleSliderAttachment.h"

#include "framework/ModuleParam.h"

#include <cmath>

ModuleSliderAttachment::ModuleSliderAttachment (ModuleParam* paramToUse, LabeledSlider* sliderToUse,
                                                LabelForControl* floatingLabel)
    : ModuleControlAttachment (paramToUse),
      slider (sliderToUse),
      label (floatingLabel)
{
    if (sliderToUse != nullptr)
        sliderToUse->addListener (this);
    if (floatingLabel != nullptr)
        floatingLabel->addListener (this);
}

ModuleSliderAttachment::~ModuleSliderAttachment()
{
    if (auto* s = slider.getComponent())
        s->removeListener (this);
    if (auto* l = label.getComponent())
        l->removeListener (this);
}

void ModuleSliderAttachment::onTimer()
{
    auto* s = slider.getComponent();
    if (s == nullptr || param == nullptr)
        return;

    if (param->enabled != s->isEnabled())
    {
        s->setEnabled (param->enabled);
        s->setEditOnRightClick (param->enabled && s->isEditOnRightClickConfigured());
    }

    // A value that moved the knob came from elsewhere (host, preset): show it.
    const double before = s->getValue();
    s->setValue (param->getValue(), juce::dontSendNotification);
    const double after = s->getValue();
    if (! (before == after))
        s->startShowingFloatingLabel();

    if (auto* l = label.getComponent())
        l->setText (param->getDisplayValue(), juce::dontSendNotification);
}

juce::Component* ModuleSliderAttachment::getControlComponent()
{
    return slider.getComponent();
}

void ModuleSliderAttachment::sliderValueChanged (juce::Slider* s)
{
    if (param == nullptr || s == nullptr)
        return;

    param->setValueNotifyingHost (s->getValue());

    if (auto* own = slider.getComponent())
        own->startShowingFloatingLabel();
}

void ModuleSliderAttachment::labelTextChanged (juce::Label* l)
{
    auto* s = slider.getComponent();
    if (param == nullptr || s == nullptr || l == nullptr)
        return;

    const auto typed = typedValue (l->getText(), param->range.start, param->range.end);
    if (! typed)
    {
        l->setText (param->getDisplayValue(), juce::dontSendNotification);
        return;
    }

    s->setValue (*typed, juce::sendNotificationSync);
}

void ModuleSliderAttachment::sliderDragStarted (juce::Slider*)
{
    if (param != nullptr)
        param->beginChangeGesture();
}

void ModuleSliderAttachment::sliderDragEnded (juce::Slider*)
{
    if (param != nullptr)
        param->endChangeGesture();
}
