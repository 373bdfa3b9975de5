#include "host/runtime/PluginGUI.h"

#include "aax/acf/AAXIDs.h"

namespace tarnello::host
{
std::unique_ptr<PluginGUI> PluginGUI::create (const EffectRecord& effect, PluginInstance& instance, std::string& error)
{
    AAX_CreateObjectProc createGUI = nullptr;
    for (const auto& [pointer, procID] : effect.procPtrs)
        if (procID == AAX::kProcID_EffectGUI)
            createGUI = reinterpret_cast<AAX_CreateObjectProc> (const_cast<void*> (pointer));
    if (createGUI == nullptr)
    {
        error = "the effect registered no GUI creator";
        return nullptr;
    }

    IACFUnknown* created = createGUI();
    if (created == nullptr)
    {
        error = "the GUI creator gave no object";
        return nullptr;
    }
    created->AddRef();
    void* raw = nullptr;
    const ACFRESULT queried = created->QueryInterface (IID_IAAXEffectGUIV1, &raw);
    created->Release();
    if (ACFFAILED (queried) || raw == nullptr)
    {
        error = "the GUI object lacks its interface";
        return nullptr;
    }

    std::unique_ptr<PluginGUI> gui (new PluginGUI (instance, static_cast<AAX_IACFEffectGUI*> (raw)));
    const ACFRESULT result = gui->mGUI->Initialize (instance.context().asUnknown());
    gui->mInitialized = true;
    if (result != ACF_OK)
    {
        error = "the GUI object's Initialize answered " + std::to_string (result);
        return nullptr;
    }
    return gui;
}

PluginGUI::~PluginGUI()
{
    close();
    if (mInitialized)
        mGUI->Uninitialize();
    mGUI->Release();
}

bool PluginGUI::viewSize (int& width, int& height) const
{
    AAX_Point size { 0.0f, 0.0f };
    if (mGUI->GetViewSize (&size) != ACF_OK || ! (size.horz >= 1.0f && size.vert >= 1.0f))
        return false;
    width = static_cast<int> (size.horz);
    height = static_cast<int> (size.vert);
    return true;
}

ACFRESULT PluginGUI::open (int32_t type, void* nativeView)
{
    auto* container = new HostViewContainer (mInstance.host(), type, nativeView);
    container->AddRef();
    const ACFRESULT result = mGUI->SetViewContainer (container->asUnknown());
    // The object holds its own references; the host keeps one while the window is open.
    if (mContainer != nullptr)
        mContainer->Release();
    mContainer = container;
    return result;
}

ACFRESULT PluginGUI::close()
{
    if (mContainer == nullptr)
        return ACF_OK;
    const ACFRESULT result = mGUI->SetViewContainer (nullptr);
    mContainer->Release();
    mContainer = nullptr;
    return result;
}

void PluginGUI::idle()
{
    mInstance.effect().TimerWakeup();
    mGUI->TimerWakeup();
}
} // namespace tarnello::host
