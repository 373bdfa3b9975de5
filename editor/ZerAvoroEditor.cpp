#include "editor/ZerAvoroEditor.h"

#include "editor/LabelForControl.h"
#include "editor/LayoutAttributes.h"
#include "editor/ZerAvoroEditorLayout.h"
#include "framework/ModuleParam.h"
#include "framework/ModuleProcessor.h"
#include "ui/IKnobControl.h"

ZerAvoroEditor::ZerAvoroEditor (std::shared_ptr<ModuleProcessor> moduleToShow, RackEditor* rackEditor,
                                const juce::ValueTree* layoutTree)
    : ModuleEditorFromXml (std::move (moduleToShow), rackEditor, layoutTree)
{
}

const juce::ValueTree& ZerAvoroEditor::layoutFor (ModuleProcessor& m)
{
    if (! m.panelLayout.isValid())
        m.panelLayout = parseLayoutDocument (zerAvoroLayoutText());
    return m.panelLayout;
}

ModuleEditor* ZerAvoroEditor::create (std::shared_ptr<ModuleProcessor> moduleToShow, RackEditor* rackEditor)
{
    auto m = std::atomic_load (&moduleToShow);
    if (m == nullptr)
        return nullptr;
    const auto& layoutTree = layoutFor (*m);
    return new ZerAvoroEditor (std::move (m), rackEditor, &layoutTree);
}

void ZerAvoroEditor::afterGuiGenerated()
{
    // A layout without one of these simply leaves it out of the switching.
    timeKnob = dynamic_cast<IKnobControl*> (findControl ("time"));
    noteKnob = dynamic_cast<IKnobControl*> (findControl ("time-note"));
    timeCaption = dynamic_cast<LabelForControl*> (findControl ("lbl-time"));
    noteCaption = dynamic_cast<LabelForControl*> (findControl ("lbl-time-note"));
}

void ZerAvoroEditor::onTimer()
{
    auto m = getModule();
    if (m != nullptr && m->needsRefresh.load (std::memory_order_relaxed))
    {
        if (auto* delaySync = m->getParam ("Delay Sync"))
        {
            const bool synced = (int) delaySync->getValue() != 0;
            if (timeKnob != nullptr)
                timeKnob->setVisible (! synced);
            if (noteKnob != nullptr)
                noteKnob->setVisible (synced);
            if (timeCaption != nullptr)
                timeCaption->setVisible (! synced);
            if (noteCaption != nullptr)
                noteCaption->setVisible (synced);
        }
    }
    ModuleEditorFromXml::onTimer();
}

void ZerAvoroEditor::resized()
{
    ModuleEditorFromXml::resized();
}
