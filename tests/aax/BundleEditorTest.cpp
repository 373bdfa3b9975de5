// The product's GUI object through the loaded bundle, without a window: its
// size, and views it cannot use.

#include "tests/aax/BundleEditorSupport.h"

namespace
{
using namespace tarnello::test;

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

} // namespace
