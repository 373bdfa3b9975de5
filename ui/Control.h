#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class HelpTextVisor;

// The root of every panel control: a help text for the inline help strip and a hit
// shape that decides the component's bounds. Not a component itself; it is mixed
// into component classes.
class Control
{
public:
    enum HitKind { hitNone = 0, hitRectangle = 1, hitCircle = 2 };

    struct Circle
    {
        int centreX = 0, centreY = 0, radius = 0;
        bool operator== (const Circle& other) const noexcept
        {
            return centreX == other.centreX && centreY == other.centreY && radius == other.radius;
        }
    };

    Control() = default;
    virtual ~Control() = default;

    // Gives the component its bounds (`getControlBounds()`).
    virtual void applyControlBounds() = 0;
    virtual void resetHit();
    virtual void setHitRectangle (const juce::Rectangle<int>& r);
    virtual void setHitCircle (int centreX, int centreY, int radius);

    // Pushes the help text into the help strip and fades it in (pointer entered).
    void showCustomHelpText();
    // Arms the help strip's hide timer (pointer left); nothing without help text.
    void armHelpTextHiding();

    void setHelpText (const juce::String& text) { helpText = text; }
    const juce::String& getHelpText() const noexcept { return helpText; }
    void setHelpTextVisor (HelpTextVisor* visorToUse) noexcept { visor = visorToUse; }
    HelpTextVisor* getHelpTextVisor() const noexcept { return visor; }

    int getHitKind() const noexcept { return hitKind; }
    const juce::Rectangle<int>& getControlBounds() const noexcept { return controlBounds; }
    void setControlBounds (const juce::Rectangle<int>& r) noexcept { controlBounds = r; }
    const juce::Rectangle<int>& getHitRect() const noexcept { return hitRect; }
    const juce::Rectangle<int>& getHitRectRelative() const noexcept { return hitRectRelative; }
    const Circle& getHitCircleShape() const noexcept { return circle; }
    const Circle& getHitCircleRelative() const noexcept { return circleRelative; }

protected:
    void updateHitRectRelative() noexcept;

    int hitKind = hitNone;
    juce::Rectangle<int> controlBounds;
    juce::Rectangle<int> hitRect;
    juce::Rectangle<int> hitRectRelative;
    Circle circle;
    Circle circleRelative;
    juce::String helpText;
    HelpTextVisor* visor = nullptr;
};
