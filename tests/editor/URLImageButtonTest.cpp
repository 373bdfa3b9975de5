// The logo button: drawn slightly transparent until the pointer is over it, and a
// press with any button opens its address through the desktop.

#include "editor/PlatformActions.h"
#include "editor/URLImageButton.h"

#include "tests/ui/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using namespace tarnello::test;

struct RecordedAddresses : PlatformActions
{
    void revealToUser (const juce::File&) override {}
    bool openWebAddress (const juce::URL& address) override
    {
        opened.push_back (address.toString (true));
        return true;
    }
    std::vector<juce::String> opened;
};

// The brightest pixel of the button painted over black: the logo's white at the
// drawing colour's alpha.
int brightest (URLImageButton& button)
{
    juce::Image picture (juce::Image::ARGB, button.getWidth(), button.getHeight(), true);
    {
        juce::Graphics g (picture);
        g.fillAll (juce::Colours::black);
        button.paintEntireComponent (g, false);
    }
    int best = 0;
    for (int y = 0; y < picture.getHeight(); ++y)
        for (int x = 0; x < picture.getWidth(); ++x)
            best = std::max (best, (int) picture.getPixelAt (x, y).getRed());
    return best;
}

TEST (URLImageButton, IsSlightlyTransparentUntilThePointerIsOverIt)
{
    URLImageButton button ("https://www.halvory.example/", "logo_png");
    button.setBounds (0, 0, 110, 20);
    EXPECT_EQ (button.getIdleColour(), juce::Colours::white);
    EXPECT_EQ (brightest (button), 255) << "an opaque white idle colour draws the logo as it is";

    button.setIdleColour (juce::Colour (0xeeffffff));
    EXPECT_NEAR (brightest (button), 0xee, 1);

    button.mouseEnter (mouseEvent (button, { 5.0f, 5.0f }));
    EXPECT_TRUE (button.isHovered());
    EXPECT_EQ (button.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));
    EXPECT_EQ (brightest (button), 255);

    button.mouseExit (mouseEvent (button, { 200.0f, 5.0f }));
    EXPECT_FALSE (button.isHovered());
    EXPECT_EQ (button.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
    EXPECT_NEAR (brightest (button), 0xee, 1);
}

TEST (URLImageButton, APressWithAnyButtonOpensItsAddress)
{
    RecordedAddresses recorder;
    const PlatformActions::ScopedOverride installed (recorder);
    URLImageButton button ("https://www.halvory.example/?razor=tarnello&ver=1.0.0", "logo_png");
    button.setBounds (0, 0, 110, 20);

    button.mouseDown (mouseEvent (button, { 5.0f, 5.0f }, juce::ModifierKeys::leftButtonModifier));
    button.mouseDown (mouseEvent (button, { 5.0f, 5.0f }, juce::ModifierKeys::rightButtonModifier));
    ASSERT_EQ (recorder.opened.size(), 2u);
    EXPECT_EQ (recorder.opened[0], "https://www.halvory.example/?razor=tarnello&ver=1.0.0");
    EXPECT_EQ (recorder.opened[1], recorder.opened[0]);
}
} // namespace
