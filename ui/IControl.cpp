#include "ui/IControl.h"

#include "ui/Imaged.h"

IControl::IControl (int x, int y, int framesInStrip, Imaged* imageSource, HelpTextVisor* helpVisor)
    : image (imageSource),
      frames (std::max (1, framesInStrip))
{
    visor = helpVisor;

    int width = 0, height = 0;
    if (image != nullptr)
    {
        if (! image->hasBaseSize())
        {
            const auto base = image->getImage (1.0f);
            image->setBaseSize (base.getWidth(), base.getHeight());
        }
        width = image->getBaseWidth();
        height = image->getBaseHeight();
    }

    imageRect = { x, y, width, (int) ((float) height / (float) frames) };
    hitKind = hitNone;
    hitRect = imageRect;
    controlBounds = imageRect;
    imageOffset = {};
    hitRectRelative = { 0, 0, imageRect.getWidth(), imageRect.getHeight() };
}

void IControl::setHitRectangle (const juce::Rectangle<int>& r)
{
    hitKind = hitRectangle;
    hitRect = r;

    const bool imageEmpty = imageRect.getWidth() <= 0 || imageRect.getHeight() <= 0;
    const bool rEmpty = r.getWidth() < 1 || r.getHeight() < 1;

    if (rEmpty)
        controlBounds = imageRect;
    else if (imageEmpty)
        controlBounds = r;
    else
        controlBounds = imageRect.getUnion (r);

    imageOffset = imageRect.getPosition() - controlBounds.getPosition();
    updateHitRectRelative();
}

void IControl::drawImage (juce::Graphics& g)
{
    // A strip has at least one frame; a state beyond the strip shows its last frame.
    const auto frame = juce::jlimit (0, frames - 1, getFramePosition());

    if (image == nullptr)
        return;
    image->refreshImageAndScale (g);

    const auto& strip = image->getImage();
    if (! strip.isValid())
        return;

    const int w = strip.getWidth();
    const int fh = strip.getHeight() / frames;
    const float inverseScale = 1.0f / (float) std::max (1, image->getScale());

    g.setColour (juce::Colours::white);
    g.drawImage (strip,
                 imageOffset.x, imageOffset.y, (int) ((float) w * inverseScale), (int) ((float) fh * inverseScale),
                 0, frame * fh, w, fh,
                 false);
}
