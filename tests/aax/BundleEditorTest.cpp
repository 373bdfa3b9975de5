// The product's GUI object, created through the procedure the bundle registered
// and driven as a host drives it: its size, its window in a real X window (when
// there is a display), opening and closing many times, two windows at once,
// closing while audio plays, and nothing left behind when the bundle goes.

#include "BundleTestSupport.h"

#include <EditorWindow.h>
#include <runtime/PluginGUI.h>

#include <acf/AAXViewTypes.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace
{
using namespace tarnello::test;
using tarnello::host::EditorWindow;
using tarnello::host::PluginGUI;

bool haveDisplay()
{
    const char* display = std::getenv ("DISPLAY");
    return display != nullptr && *display != '\0';
}

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

TEST_F (BundleEditor, TheGUIObjectReportsTheEditorsSize)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    auto gui = newGUI (*instance);
    ASSERT_NE (gui, nullptr);
    int width = 0, height = 0;
    ASSERT_TRUE (gui->viewSize (width, height));
    EXPECT_GT (width, 100);
    EXPECT_GT (height, 100);
}

TEST_F (BundleEditor, AContainerWithoutANativeViewShowsNothingAndClosesCleanly)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    for (int round = 0; round < 3; ++round)
    {
        auto gui = newGUI (*instance);
        ASSERT_NE (gui, nullptr);
        EXPECT_EQ (gui->open (AAX_eViewContainer_Type_NULL, nullptr), ACF_OK);
        idle (*gui, nullptr, std::chrono::milliseconds (20));
        EXPECT_EQ (gui->close(), ACF_OK);
        // A view of a kind the plug-in does not know is not used either.
        EXPECT_EQ (gui->open (7, reinterpret_cast<void*> (0x1234)), ACF_OK);
        EXPECT_EQ (gui->close(), ACF_OK);
    }
}

TEST_F (BundleEditor, OpensInARealWindowAndClosesAnyNumberOfTimes)
{
    if (! haveDisplay())
        GTEST_SKIP() << "no X display";
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    const int errorsBefore = EditorWindow::errorCount();

    for (int round = 0; round < 12; ++round)
    {
        SCOPED_TRACE (round);
        auto gui = newGUI (*instance);
        ASSERT_NE (gui, nullptr);
        int width = 0, height = 0;
        ASSERT_TRUE (gui->viewSize (width, height));
        auto window = newWindow (width, height);
        ASSERT_NE (window, nullptr);

        ASSERT_EQ (openIn (*gui, *window), ACF_OK);
        idle (*gui, window.get(), std::chrono::milliseconds (60));
        EXPECT_EQ (window->numChildWindows(), 1);
        EXPECT_TRUE (window->childIsViewable());
        ASSERT_NE (gui->container(), nullptr);
        EXPECT_EQ (gui->container()->viewSize().horz, static_cast<float> (width)) << "the plug-in told the host its size";

        EXPECT_EQ (gui->close(), ACF_OK);
        idle (*gui, window.get(), std::chrono::milliseconds (10));
        EXPECT_EQ (window->numChildWindows(), 0) << "the editor's window outlived the view";
    }
    EXPECT_EQ (EditorWindow::errorCount(), errorsBefore) << EditorWindow::lastError();
}

TEST_F (BundleEditor, TwoWindowsOnOneInstanceAtOnce)
{
    if (! haveDisplay())
        GTEST_SKIP() << "no X display";
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);

    auto first = newGUI (*instance);
    auto second = newGUI (*instance);
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);
    int width = 0, height = 0;
    ASSERT_TRUE (first->viewSize (width, height));
    auto window1 = newWindow (width, height);
    auto window2 = newWindow (width, height);
    ASSERT_EQ (openIn (*first, *window1), ACF_OK);
    ASSERT_EQ (openIn (*second, *window2), ACF_OK);
    idle (*first, window1.get(), std::chrono::milliseconds (40));
    idle (*second, window2.get(), std::chrono::milliseconds (40));
    EXPECT_EQ (window1->numChildWindows(), 1);
    EXPECT_EQ (window2->numChildWindows(), 1);

    // Closing the first leaves the second working.
    first.reset();
    idle (*second, window2.get(), std::chrono::milliseconds (40));
    EXPECT_EQ (window1->numChildWindows(), 0);
    EXPECT_TRUE (window2->childIsViewable());
}

TEST_F (BundleEditor, ClosesWhileAudioPlaysOnAnotherThread)
{
    if (! haveDisplay())
        GTEST_SKIP() << "no X display";
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);

    std::atomic<bool> playing { true };
    std::atomic<int> blocks { 0 };
    std::thread audio ([&] {
        std::vector<float> left (256, 0.1f), right (256, -0.1f);
        std::vector<float> outLeft (256), outRight (256);
        const float* inputs[] = { left.data(), right.data() };
        float* outputs[] = { outLeft.data(), outRight.data() };
        while (playing.load())
        {
            instance->process (inputs, outputs, 256);
            blocks.fetch_add (1);
        }
    });

    for (int round = 0; round < 5; ++round)
    {
        auto gui = newGUI (*instance);
        ASSERT_NE (gui, nullptr);
        int width = 0, height = 0;
        ASSERT_TRUE (gui->viewSize (width, height));
        auto window = newWindow (width, height);
        ASSERT_EQ (openIn (*gui, *window), ACF_OK);
        idle (*gui, window.get(), std::chrono::milliseconds (40));
        gui.reset(); // closes, uninitialises and releases while the audio thread runs
    }
    playing = false;
    audio.join();
    EXPECT_GT (blocks.load(), 0);
}
} // namespace
