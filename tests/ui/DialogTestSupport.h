#pragma once

// Helpers for the dialog tests: an editor that shows dialogs in its modal panel, mouse
// clicks sent straight to a component, and pictures written to the build folder.

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "ui/ModalPanel.h"

#include <memory>

namespace tarnello::test
{
// The part of the main editor that dialogs need: a component carrying the modal
// panel over its whole area, hidden until a dialog comes.
class DialogHost : public juce::Component, public ModalEditorBase
{
public:
    explicit DialogHost (int width = 786, int height = 304)
    {
        panel = std::make_unique<ModalPanel>();
        modalPanel = panel.get();
        addChildComponent (*panel);
        setSize (width, height);
    }

    void resized() override { panel->setBounds (getLocalBounds()); }

    ModalPanel& getPanel() { return *panel; }

private:
    std::unique_ptr<ModalPanel> panel;
};

inline juce::MouseEvent mouseEventFor (juce::Component& target, juce::Point<int> position = {},
                                       juce::ModifierKeys mods = {})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position.toFloat(), mods,
                             juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target,
                             &target, now, position.toFloat(), now, 1, false);
}

// A press and release on the button, as a user's click delivers them. The button may
// be deleted by its own click.
inline void click (juce::Button& button)
{
    const juce::Component::SafePointer<juce::Button> alive (&button);
    const auto centre = button.getLocalBounds().getCentre();
    auto& asComponent = static_cast<juce::Component&> (button); // the button keeps its handlers protected
    asComponent.mouseDown (mouseEventFor (button, centre));
    if (alive != nullptr)
        asComponent.mouseUp (mouseEventFor (button, centre));
}

// Paints the component into an image and writes it as <build>/test-artifacts/<name>.png.
inline juce::Image snapshot (juce::Component& component, const juce::String& name)
{
    auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
    const juce::File folder (TARNELLO_TEST_ARTIFACTS_DIR);
    folder.createDirectory();
    const auto file = folder.getChildFile (name + ".png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
    return image;
}

// How many pixels of the area are light (text and marks drawn in white on the dark box).
inline int countLightPixels (const juce::Image& image, juce::Rectangle<int> area, float brightness = 0.6f)
{
    int count = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt (x, y).getBrightness() > brightness)
                ++count;
    return count;
}
} // namespace tarnello::test
