#include "editor/ModulePanelAttachment.h"

#include "framework/ModuleParam.h"

ModulePanelAttachment::ModulePanelAttachment (ModuleParam* paramToUse, juce::Component* panelToUse)
    : ModuleControlAttachment (paramToUse),
      panel (panelToUse)
{
}

void ModulePanelAttachment::onTimer()
{
    if (auto* p = panel.getComponent(); p != nullptr && param != nullptr)
        p->setVisible (param->getValue() > 0.0);
}

juce::Component* ModulePanelAttachment::getControlComponent()
{
    return panel.getComponent();
}
