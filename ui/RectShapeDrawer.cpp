#include "ui/RectShapeDrawer.h"

void RectShapeDrawer::draw (juce::Graphics& g)
{
    const bool hasBrush = useFillColour || useGradient;

    if (useFillColour)
        g.setColour (fillColour);
    else if (useGradient)
        g.setGradientFill (gradient);

    if (hasBrush)
    {
        if (cornerSize > 0)
            g.fillRoundedRectangle (rectangle.toFloat(), (float) cornerSize);
        else
            g.fillRect (rectangle);
    }

    if (borderWidth > 0)
    {
        g.setColour (borderColour);
        if (cornerSize > 0)
            g.drawRoundedRectangle (rectangle.toFloat(), (float) cornerSize, (float) borderWidth);
        else
            g.drawRect (rectangle, borderWidth);
    }
}
