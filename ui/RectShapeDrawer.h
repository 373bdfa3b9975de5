#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A decoration the panel paints on its background.
class ShapeDrawer
{
public:
    virtual void draw (juce::Graphics& g) = 0;
    virtual ~ShapeDrawer() = default;
};

// A filled (plain colour or gradient) and/or outlined rectangle, square or rounded.
class RectShapeDrawer : public ShapeDrawer
{
public:
    juce::Rectangle<int> rectangle;   // in the panel's coordinates
    bool useFillColour = false;
    juce::Colour fillColour;
    bool useGradient = false;
    juce::ColourGradient gradient;
    int borderWidth = 0;              // 0: no border
    juce::Colour borderColour;
    int cornerSize = 0;               // 0: square corners

    void draw (juce::Graphics& g) override;
};
