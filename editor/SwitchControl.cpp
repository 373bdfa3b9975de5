#include "editor/SwitchControl.h"

SwitchControl::SwitchControl (juce::Rectangle<int> bounds, HelpTextVisor* helpVisor)
{
    controlBounds = bounds;
    visor = helpVisor;
}

void SwitchControl::applyControlBounds()
{
    setBounds (controlBounds);
}

void SwitchControl::mouseEnter (const juce::MouseEvent& e)
{
    showCustomHelpText();
    if (handCursor)
        setMouseCursor (juce::MouseCursor::PointingHandCursor);
    juce::ToggleButton::mouseEnter (e);
}

void SwitchControl::mouseExit (const juce::MouseEvent& e)
{
    armHelpTextHiding();
    if (handCursor)
        setMouseCursor (juce::MouseCursor::NormalCursor);
    juce::ToggleButton::mouseExit (e);
}

void SwitchControl::paintButton (juce::Graphics& g, bool highlighted, bool down)
{
    const bool on = getToggleState();
    const auto area = getLocalBounds().toFloat().reduced (1.0f);
    if (area.isEmpty())
        return;

    // Lying or standing, as the bounds are; the track is a pill at most twice as
    // long as it is thick.
    const bool horizontal = area.getWidth() >= area.getHeight();
    const float thickness = horizontal ? juce::jmin (area.getHeight(), area.getWidth() * 0.5f)
                                       : juce::jmin (area.getWidth(), area.getHeight() * 0.5f);
    const auto track = horizontal ? area.withSizeKeepingCentre (area.getWidth(), thickness)
                                  : area.withSizeKeepingCentre (thickness, area.getHeight());
    const float radius = thickness * 0.5f;

    g.setColour (on ? bgOnColour : bgOffColour);
    g.fillRoundedRectangle (track, radius);
    g.setColour (on ? borderOnColour : borderOffColour);
    g.drawRoundedRectangle (track, radius, 1.0f);

    const float inset = juce::jmin (2.0f, thickness * 0.2f);
    const float diameter = juce::jmax (0.0f, thickness - 2.0f * inset);
    juce::Rectangle<float> thumb (diameter, diameter);
    if (horizontal)
        thumb.setCentre (on ? track.getRight() - inset - diameter * 0.5f : track.getX() + inset + diameter * 0.5f,
                         track.getCentreY());
    else
        thumb.setCentre (track.getCentreX(),
                         on ? track.getY() + inset + diameter * 0.5f : track.getBottom() - inset - diameter * 0.5f);

    auto thumbColour = on ? thumbOnColour : thumbOffColour;
    if (! isEnabled())
        thumbColour = thumbColour.withMultipliedAlpha (0.5f);
    else if (highlighted || down)
        thumbColour = thumbColour.brighter (0.15f);
    g.setColour (thumbColour);
    g.fillEllipse (thumb);
}
