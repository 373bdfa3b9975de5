#pragma once

#include "ui/Control.h"

class Imaged;

// A control drawn from a film strip: one image holding every frame stacked
// vertically, of which the frame `getFramePosition()` chooses is painted.
class IControl : public Control
{
public:
    // A strip at (x, y) in the parent; a frame count below 1 counts as 1.
    IControl (int x, int y, int frames, Imaged* image, HelpTextVisor* visor);

    void setHitRectangle (const juce::Rectangle<int>& r) override;

    virtual int getFramePosition() = 0;

    // Paints the current frame at the strip's place inside the component.
    void drawImage (juce::Graphics& g);

    int getFrames() const noexcept { return frames; }
    Imaged* getImageSource() const noexcept { return image; }
    const juce::Rectangle<int>& getImageRect() const noexcept { return imageRect; }
    juce::Point<int> getImageOffset() const noexcept { return imageOffset; }

protected:
    juce::Rectangle<int> imageRect;
    juce::Point<int> imageOffset;
    Imaged* image = nullptr;
    int frames = 1;
};
