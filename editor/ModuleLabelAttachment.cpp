#include "editor/ModuleLabelAttachment.h"

#include "framework/ModuleParam.h"

ModuleLabelAttachment::ModuleLabelAttachment (ModuleParam* paramToUse, LabelForControl* control)
    : ModuleControlAttachment (paramToUse),
      label (control)
{
    if (control != nullptr)
        control->addListener (this);
}

ModuleLabelAttachment::~ModuleLabelAttachment()
{
    if (auto* l = label.getComponent())
        l->removeListener (this);
}

void ModuleLabelAttachment::onTimer()
{
    if (auto* l = label.getComponent(); l != nullptr && param != nullptr)
        l->setText (param->getDisplayValue(), juce::dontSendNotification);
}

juce::Component* ModuleLabelAttachment::getControlComponent()
{
    return label.getComponent();
}

void ModuleLabelAttachment::labelTextChanged (juce::Label* l)
{
    if (param == nullptr || l == nullptr)
        return;

    if (const auto typed = typedValue (l->getText(), param->range.start, param->range.end))
        param->setValueNotifyingHost (*typed);
    else
        l->setText (param->getDisplayValue(), juce::dontSendNotification);
}
