#include "editor/URLImageButton.h"

#include "editor/PlatformActions.h"

#include <algorithm>

URLImageButton::URLImageButton (const juce::String& addressIn, const juce::String& imageName)
    : address (addressIn), image (std::make_unique<Imaged> (this, imageName))
{
}

URLImageButton::~URLImageButton() = default;

void URLImageButton::setIdleColour (juce::Colour colour)
{
    idleColour = colour;
    repaint();
}

void URLImageButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
    repaint();
}

void URLImageButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    setMouseCursor (juce::MouseCursor::NormalCursor);
    repaint();
}

void URLImageButton::mouseDown (const juce::MouseEvent&)
{
    PlatformActions::get().openWebAddress (juce::URL (address));
}

void URLImageButton::paint (juce::Graphics& g)
{
    image->refreshImageAndScale (g);
    const auto& picture = image->getImage();
    if (! picture.isValid())
        return;

    // The image is drawn at its logical size: the variant for a larger scale has
    // proportionally more pixels for the same area.
    const float inverseScale = 1.0f / (float) std::max (1, image->getScale());
    g.setColour (hovered ? juce::Colours::white : idleColour);
    g.drawImage (picture, 0, 0, (int) ((float) picture.getWidth() * inverseScale),
                 (int) ((float) picture.getHeight() * inverseScale), 0, 0, picture.getWidth(), picture.getHeight(),
                 false);
}
