#include "aax/bridge/BridgeGUI.h"

#include "aax/bridge/BridgeProcessor.h"
#include "aax/bridge/MessageLoop.h"

#include "aax/acf/AAXViewTypes.h"

namespace tarnello::aax
{
BridgeGUI::BridgeGUI() = default;

BridgeGUI::~BridgeGUI()
{
    // The base cannot close the window: closing needs this class.
    if (GetViewContainer() != nullptr)
        SetViewContainer (nullptr);
    DeleteEditor();
}

BridgeProcessor* BridgeGUI::GetBridgeProcessor() const
{
    // The host hands back this instance's own effect-parameters object.
    return dynamic_cast<BridgeProcessor*> (GetEffectParameters());
}

AAX_Result BridgeGUI::Uninitialize()
{
    const AAX_Result result = AAX_CEffectGUI::Uninitialize();
    DeleteEditor();
    return result;
}

void BridgeGUI::CreateViewContents()
{
    if (mEditor != nullptr)
        return;
    auto* bridge = GetBridgeProcessor();
    if (bridge == nullptr)
        return;

    auto& processor = bridge->getPluginInstance();
    if (! processor.hasEditor())
        return;
    // A second window on the same instance gets an editor of its own; the
    // processor's active editor stays the first one.
    mEditor.reset (processor.getActiveEditor() == nullptr ? processor.createEditorIfNeeded() : processor.createEditor());
    if (mEditor != nullptr)
        mEditor->setTopLeftPosition (0, 0);
}

void BridgeGUI::CreateViewContainer()
{
    CreateViewContents();
    auto* container = GetViewContainer();
    if (mEditor == nullptr || container == nullptr)
        return;

    void* nativeView = container->GetPtr();
    if (nativeView == nullptr || container->GetType() != AAX_eViewContainer_Type_XWindow)
        return;

    mEditor->setVisible (true);
    mEditor->addToDesktop (0, nativeView);
    mEditor->addComponentListener (this);
    mAttached = true;
    ReportViewSize();
}

void BridgeGUI::DeleteViewContainer()
{
    DeleteEditor();
}

void BridgeGUI::DeleteEditor()
{
    if (mEditor == nullptr)
        return;
    if (mAttached)
    {
        mEditor->removeComponentListener (this);
        mEditor->removeFromDesktop();
        mAttached = false;
    }
    mEditor.reset();
}

AAX_Result BridgeGUI::GetViewSize (AAX_Point* outSize) const
{
    if (outSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (mEditor == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    outSize->vert = static_cast<float> (mEditor->getHeight());
    outSize->horz = static_cast<float> (mEditor->getWidth());
    return AAX_SUCCESS;
}

void BridgeGUI::ReportViewSize()
{
    AAX_Point size {};
    if (auto* container = GetViewContainer(); container != nullptr && GetViewSize (&size) == AAX_SUCCESS)
        container->SetViewSize (size);
}

void BridgeGUI::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        ReportViewSize();
}

AAX_Result BridgeGUI::TimerWakeup()
{
    DispatchPendingMessages();
    return AAX_SUCCESS;
}

AAX_Result BridgeGUI::ParameterUpdated (AAX_CParamID)
{
    // The editor reads its values on its own timer; what changed is shown on the next paint.
    if (mEditor != nullptr)
        mEditor->repaint();
    return AAX_SUCCESS;
}
} // namespace tarnello::aax
