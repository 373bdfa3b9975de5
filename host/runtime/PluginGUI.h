// Drives an instance's GUI object as a host does: creates it through the
// procedure the bundle registered for id 1, initialises it with the instance's
// host unknown, asks for its size, hands it a view container around a native
// view when the window opens and takes it back when the window closes, and
// calls it from the host's idle loop.
#pragma once

#include "host/runtime/PluginInstance.h"

#include <memory>
#include <string>

namespace tarnello::host
{
class PluginGUI
{
public:
    // Null, with the reason in `error`, when the effect registered no GUI
    // creator, the creator gives nothing, or the object refuses to initialise.
    static std::unique_ptr<PluginGUI> create (const EffectRecord& effect, PluginInstance& instance, std::string& error);
    // Closes the window first if it is open, then uninitialises and releases the object.
    ~PluginGUI();

    PluginGUI (const PluginGUI&) = delete;
    PluginGUI& operator= (const PluginGUI&) = delete;

    AAX_IACFEffectGUI& gui() const noexcept { return *mGUI; }

    // What the GUI object reports; false when it reports no size.
    bool viewSize (int& width, int& height) const;

    // Hands the GUI object a new view container of `type` around `nativeView`.
    ACFRESULT open (int32_t type, void* nativeView);
    // Takes the view container back (SetViewContainer(null)).
    ACFRESULT close();
    bool isOpen() const noexcept { return mContainer != nullptr; }
    // The open window's container, which records what the plug-in told it; null when closed.
    HostViewContainer* container() const noexcept { return mContainer; }

    // One turn of the host's idle loop: the effect's and the GUI object's timer calls.
    void idle();

private:
    PluginGUI (PluginInstance& instance, AAX_IACFEffectGUI* gui) : mInstance (instance), mGUI (gui) {}

    PluginInstance& mInstance;
    AAX_IACFEffectGUI* mGUI;
    HostViewContainer* mContainer = nullptr;
    bool mInitialized = false;
};
} // namespace tarnello::host
