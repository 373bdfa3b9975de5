// The product's GUI object through the loaded bundle in real X windows: opening
// and closing many times, two windows at once, closing while audio plays, and
// nothing left behind when the bundle goes.

#include "tests/aax/BundleEditorSupport.h"

#include <atomic>
#include <vector>

namespace
{
using namespace tarnello::test;

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
            instance->processBlock (inputs, outputs, 256, 256 * static_cast<int64_t> (blocks.fetch_add (1)));
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
