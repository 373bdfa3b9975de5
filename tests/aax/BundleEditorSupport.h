// The product's GUI object driven as a host drives it: created through the
// procedure the bundle registered, handed X windows, idled.
#pragma once

#include "tests/aax/BundleTestSupport.h"
#include "tests/support/TestEnvironment.h"

#include "host/EditorWindow.h"
#include "host/runtime/PluginGUI.h"

#include "aax/acf/AAXViewTypes.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace tarnello::test
{
using tarnello::host::EditorWindow;
using tarnello::host::PluginGUI;

class BundleEditor : public ProductBundle
{
protected:
    void SetUp() override
    {
        // The host is on the display before the plug-in is: it makes what a window
        // manager would, which the plug-in's toolkit looks up once.
        if (haveDisplay())
            hostWindow = newWindow (1, 1);
        ProductBundle::SetUp();
    }

    void TearDown() override
    {
        ProductBundle::TearDown();
        hostWindow.reset();
    }

    std::unique_ptr<PluginGUI> newGUI (tarnello::host::PluginInstance& instance)
    {
        std::string error;
        auto gui = PluginGUI::create (bundle->effect(), instance, error);
        EXPECT_NE (gui, nullptr) << error;
        return gui;
    }

    // The host's idle loop for a while, with the window's events.
    static void idle (PluginGUI& gui, EditorWindow* window, std::chrono::milliseconds duration)
    {
        const auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end)
        {
            if (window != nullptr)
                window->handleEvents();
            gui.idle();
            std::this_thread::sleep_for (std::chrono::milliseconds (5));
        }
    }

    std::unique_ptr<EditorWindow> newWindow (int width, int height)
    {
        std::string error;
        auto window = EditorWindow::open ("Tarnello", width, height, error);
        EXPECT_NE (window, nullptr) << error;
        if (window != nullptr)
        {
            EXPECT_TRUE (window->show());
        }
        return window;
    }

    static ACFRESULT openIn (PluginGUI& gui, EditorWindow& window)
    {
        return gui.open (AAX_eViewContainer_Type_XWindow, AAX::ViewPointerFromXWindow (window.windowId()));
    }

    std::unique_ptr<EditorWindow> hostWindow;
};
} // namespace tarnello::test
