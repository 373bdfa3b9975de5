#include "resources/generator/Pictures.h"

#include <cmath>

namespace art
{
namespace
{
using juce::Colour;
using juce::ColourGradient;
using juce::Graphics;
using juce::Path;
using juce::PathStrokeType;
using juce::Point;
using juce::Rectangle;

constexpr float pi = juce::MathConstants<float>::pi;

// Knob travel: 7:30 to 4:30, clockwise, in JUCE's angles (0 at 12 o'clock).
constexpr float knobStartAngle = -0.75f * pi;
constexpr float knobEndAngle = 0.75f * pi;

void fillCircle (Graphics& g, Point<float> centre, float radius)
{
    g.fillEllipse (centre.x - radius, centre.y - radius, 2.0f * radius, 2.0f * radius);
}

// A soft shadow under a round shape: rings of falling opacity.
void softShadow (Graphics& g, Point<float> centre, float radius, float spread, float opacity)
{
    constexpr int rings = 6;
    for (int i = rings; i > 0; --i)
    {
        const auto t = (float) i / (float) rings;
        g.setColour (juce::Colours::black.withAlpha (opacity * (1.0f - t) * 0.6f + 0.02f));
        fillCircle (g, centre, radius + spread * t);
    }
}

Path arc (Point<float> centre, float radius, float from, float to)
{
    Path p;
    p.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, from, to, true);
    return p;
}

// Rotary knob: a dark machined cap with a light pointer, inside a track arc that
// fills with the accent colour from the minimum to the value.
void drawKnob (Graphics& g, float size, float value)
{
    const auto s = size / 48.0f;   // the drawing is designed at 48 px
    const Point<float> c (size * 0.5f, size * 0.5f);
    const auto arcRadius = 20.0f * s;
    const auto arcWidth = 3.0f * s;
    const auto capRadius = 14.5f * s;
    const auto angle = knobStartAngle + value * (knobEndAngle - knobStartAngle);

    // Track, then the value arc with a faint glow under it.
    g.setColour (palette::track);
    g.strokePath (arc (c, arcRadius, knobStartAngle, knobEndAngle),
                  PathStrokeType (arcWidth, PathStrokeType::curved, PathStrokeType::rounded));
    if (value > 0.0f)
    {
        const auto valueArc = arc (c, arcRadius, knobStartAngle, angle);
        g.setColour (palette::accent.withAlpha (0.18f));
        g.strokePath (valueArc, PathStrokeType (arcWidth * 2.2f, PathStrokeType::curved, PathStrokeType::rounded));
        g.setColour (palette::accent);
        g.strokePath (valueArc, PathStrokeType (arcWidth, PathStrokeType::curved, PathStrokeType::rounded));
    }

    // Cap: shadow, bevelled rim lit from above, then the face.
    softShadow (g, c.translated (0.0f, 1.2f * s), capRadius, 2.5f * s, 0.7f);
    g.setGradientFill (ColourGradient (Colour (0xFF6A6A6A), c.x, c.y - capRadius,
                                       Colour (0xFF141414), c.x, c.y + capRadius, false));
    fillCircle (g, c, capRadius);
    const auto faceRadius = capRadius - 1.6f * s;
    g.setGradientFill (ColourGradient (Colour (0xFF3E3E3E), c.x, c.y - faceRadius,
                                       Colour (0xFF232323), c.x, c.y + faceRadius, false));
    fillCircle (g, c, faceRadius);
    // A soft sheen on the upper half of the face.
    ColourGradient sheen (juce::Colours::white.withAlpha (0.07f), c.x, c.y - faceRadius,
                          juce::Colours::white.withAlpha (0.0f), c.x, c.y, false);
    g.setGradientFill (sheen);
    fillCircle (g, c, faceRadius);

    // Pointer: from near the centre to just inside the rim.
    const auto tip = c.getPointOnCircumference (faceRadius - 1.8f * s, angle);
    const auto tail = c.getPointOnCircumference (faceRadius * 0.38f, angle);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.drawLine ({ tail.translated (0.0f, 0.8f * s), tip.translated (0.0f, 0.8f * s) }, 2.6f * s);
    Path pointer;
    pointer.startNewSubPath (tail);
    pointer.lineTo (tip);
    g.setColour (palette::pointer);
    g.strokePath (pointer, PathStrokeType (2.2f * s, PathStrokeType::curved, PathStrokeType::rounded));
}

// Toggle switch: a pill track and a round thumb; on is lit in the accent colour
// with the thumb on the right, off is dark with the thumb on the left.
void drawSwitch (Graphics& g, bool on)
{
    const Rectangle<float> trackArea (2.0f, 3.0f, 32.0f, 12.0f);
    const auto radius = trackArea.getHeight() * 0.5f;

    // Recess the track sits in.
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillRoundedRectangle (trackArea.expanded (1.0f), radius + 1.0f);

    if (on)
        g.setGradientFill (ColourGradient (palette::accent.brighter (0.15f), 0.0f, trackArea.getY(),
                                           palette::accentDeep, 0.0f, trackArea.getBottom(), false));
    else
        g.setGradientFill (ColourGradient (Colour (0xFF1E1E1E), 0.0f, trackArea.getY(),
                                           Colour (0xFF2E2E2E), 0.0f, trackArea.getBottom(), false));
    g.fillRoundedRectangle (trackArea, radius);

    // Inner shadow along the top edge of the track.
    g.setColour (juce::Colours::black.withAlpha (on ? 0.18f : 0.35f));
    g.drawRoundedRectangle (trackArea.reduced (0.5f).translated (0.0f, 0.5f), radius - 0.5f, 1.0f);

    const auto thumbRadius = 7.0f;
    const Point<float> thumb (on ? trackArea.getRight() - radius : trackArea.getX() + radius, 9.0f);
    softShadow (g, thumb.translated (0.0f, 0.8f), thumbRadius, 1.5f, 0.6f);
    if (on)
        g.setGradientFill (ColourGradient (Colour (0xFFFFFFFF), thumb.x, thumb.y - thumbRadius,
                                           Colour (0xFFD6D3CC), thumb.x, thumb.y + thumbRadius, false));
    else
        g.setGradientFill (ColourGradient (Colour (0xFF8E8E8E), thumb.x, thumb.y - thumbRadius,
                                           Colour (0xFF5A5A5A), thumb.x, thumb.y + thumbRadius, false));
    fillCircle (g, thumb, thumbRadius);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.drawEllipse (thumb.x - thumbRadius + 0.5f, thumb.y - thumbRadius + 0.5f,
                   2.0f * thumbRadius - 1.0f, 2.0f * thumbRadius - 1.0f, 0.6f);
}

// Push button: a raised key when up; when down it sinks by a pixel, darkens
// and its indicator lights.
void drawButton (Graphics& g, bool down)
{
    const Rectangle<float> outer (1.0f, 1.0f, 34.0f, 16.0f);
    const auto corner = 3.0f;

    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRoundedRectangle (outer.translated (0.0f, down ? 0.3f : 1.0f), corner);

    const auto key = outer.translated (0.0f, down ? 0.6f : 0.0f);
    if (down)
        g.setGradientFill (ColourGradient (Colour (0xFF222222), 0.0f, key.getY(),
                                           Colour (0xFF2E2E2E), 0.0f, key.getBottom(), false));
    else
        g.setGradientFill (ColourGradient (Colour (0xFF4A4A4A), 0.0f, key.getY(),
                                           Colour (0xFF2C2C2C), 0.0f, key.getBottom(), false));
    g.fillRoundedRectangle (key, corner);

    // Edge light: a highlight on top when raised, a shadow when pressed.
    g.setColour (down ? juce::Colours::black.withAlpha (0.45f) : juce::Colours::white.withAlpha (0.14f));
    g.drawLine (key.getX() + corner, key.getY() + 0.5f, key.getRight() - corner, key.getY() + 0.5f, 1.0f);
    g.setColour (Colour (0xFF0A0A0A));
    g.drawRoundedRectangle (key.reduced (0.5f), corner - 0.5f, 1.0f);

    const Rectangle<float> led (key.getCentreX() - 6.0f, key.getCentreY() - 1.0f, 12.0f, 2.0f);
    if (down)
    {
        g.setColour (palette::accent.withAlpha (0.25f));
        g.fillRoundedRectangle (led.expanded (1.5f), 2.0f);
        g.setColour (palette::accent);
    }
    else
    {
        g.setColour (Colour (0xFF161616));
    }
    g.fillRoundedRectangle (led, 1.0f);
}

// Level meter: segments from green through amber to red, lit from the bottom;
// the segment the level ends in is lit in proportion, so every frame differs.
void drawMeter (Graphics& g, float level)
{
    const Rectangle<float> body (0.0f, 0.0f, 8.0f, 120.0f);
    g.setColour (Colour (0xFF0C0C0C));
    g.fillRoundedRectangle (body, 1.5f);
    g.setColour (Colour (0xFF262626));
    g.drawRoundedRectangle (body.reduced (0.5f), 1.5f, 1.0f);

    constexpr int segments = 29;
    constexpr float pitch = 4.0f, lit = 3.0f, bottom = 118.0f;
    const auto litHeight = level * (float) segments;

    for (int i = 0; i < segments; ++i)
    {
        const auto position = ((float) i + 0.5f) / (float) segments;
        const auto colour = position > 0.88f ? Colour (0xFFE5483B)
                          : position > 0.70f ? Colour (0xFFE8B64C)
                                             : Colour (0xFF58C27A);
        const Rectangle<float> seg (2.0f, bottom - (float) (i + 1) * pitch + (pitch - lit), 4.0f, lit);
        g.setColour (colour.withMultipliedBrightness (0.22f).withMultipliedSaturation (0.6f));
        g.fillRect (seg);
        const auto amount = juce::jlimit (0.0f, 1.0f, litHeight - (float) i);
        if (amount > 0.0f)
        {
            g.setColour (colour.withAlpha (amount));
            g.fillRect (seg);
        }
    }
}

// The strip along the editor's foot: a dark band with a fine perforated grille,
// periodic in 7 px so that tiles of 49 px meet without a seam.
void drawBottomTile (Graphics& g)
{
    constexpr float w = 49.0f, h = 32.0f;
    g.setGradientFill (ColourGradient (Colour (0xFF1C1C1C), 0.0f, 0.0f, Colour (0xFF121212), 0.0f, h, false));
    g.fillRect (0.0f, 0.0f, w, h);
    g.setColour (Colour (0xFF0A0A0A));
    g.fillRect (0.0f, 0.0f, w, 1.0f);
    g.setColour (Colour (0xFF2C2C2C));
    g.fillRect (0.0f, 1.0f, w, 1.0f);

    constexpr float period = 7.0f;
    for (int row = 0; row < 4; ++row)
    {
        const auto y = 8.0f + (float) row * 6.0f;
        const auto offset = (row % 2 == 0) ? period * 0.5f : 0.0f;
        for (float x = offset; x <= w + 0.01f; x += period)
        {
            g.setColour (juce::Colours::black.withAlpha (0.55f));
            fillCircle (g, { x, y }, 1.3f);
            g.setColour (juce::Colours::white.withAlpha (0.045f));
            g.fillEllipse (x - 1.3f, y + 0.7f, 2.6f, 1.2f);
        }
    }
}

juce::Font fontOf (const juce::Typeface::Ptr& face, float height, float kerning)
{
    juce::Font font (face);
    font.setHeight (height);
    font.setExtraKerningFactor (kerning);
    return font;
}

// Text drawn as glyph outlines, centred vertically on a pixel-aligned baseline.
void drawWord (Graphics& g, const juce::String& text, const juce::Font& font, float x, float baseline)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, x, baseline);
    glyphs.draw (g);
}

// The maker's mark and name: a ring of three echoes beside "HALVORY".
void drawLogo (Graphics& g, const Fonts& fonts)
{
    const Point<float> c (10.0f, 10.0f);
    g.setColour (juce::Colours::white);
    g.drawEllipse (c.x - 8.0f, c.y - 8.0f, 16.0f, 16.0f, 1.6f);
    g.setColour (palette::accent);
    fillCircle (g, c.translated (-2.6f, 0.0f), 2.6f);
    g.setColour (juce::Colours::white.withAlpha (0.75f));
    fillCircle (g, c.translated (2.4f, 0.0f), 1.6f);
    g.setColour (juce::Colours::white.withAlpha (0.45f));
    fillCircle (g, c.translated (5.4f, 0.0f), 1.0f);

    g.setColour (juce::Colours::white);
    drawWord (g, "HALVORY", fontOf (fonts.bold, 15.0f, 0.12f), 24.0f, 15.0f);
}

// The product's name in the accent colour.
void drawProductLogo (Graphics& g, const Fonts& fonts)
{
    g.setColour (palette::accent);
    drawWord (g, "TARNELLO", fontOf (fonts.medium, 12.5f, 0.16f), 0.5f, 12.0f);
}
} // namespace

std::vector<Picture> embeddedPictures (const Fonts& fonts)
{
    return {
        { "bottomImage", 49, 32, 1, [] (Graphics& g, int) { drawBottomTile (g); } },
        { "logo", 110, 20, 1, [fonts] (Graphics& g, int) { drawLogo (g, fonts); } },
        { "productLogo", 75, 15, 1, [fonts] (Graphics& g, int) { drawProductLogo (g, fonts); } },
    };
}

std::vector<Picture> filmStrips()
{
    constexpr int knobFrames = 65, meterFrames = 33;
    return {
        { "knob", 48, 48, knobFrames,
          [] (Graphics& g, int f) { drawKnob (g, 48.0f, (float) f / (float) (knobFrames - 1)); } },
        { "knob-large", 64, 64, knobFrames,
          [] (Graphics& g, int f) { drawKnob (g, 64.0f, (float) f / (float) (knobFrames - 1)); } },
        { "switch", 36, 18, 2, [] (Graphics& g, int f) { drawSwitch (g, f == 1); } },
        { "button", 36, 18, 2, [] (Graphics& g, int f) { drawButton (g, f == 1); } },
        { "meter", 8, 120, meterFrames,
          [] (Graphics& g, int f) { drawMeter (g, (float) f / (float) (meterFrames - 1)); } },
    };
}

juce::Image render (const Picture& picture, int scale)
{
    const auto cellW = picture.width * scale, cellH = picture.height * scale;
    juce::Image image (juce::Image::ARGB, cellW, cellH * picture.frames, true, juce::SoftwareImageType());
    Graphics g (image);
    for (int f = 0; f < picture.frames; ++f)
    {
        const juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, f * cellH, cellW, cellH);
        g.addTransform (juce::AffineTransform::scale ((float) scale).translated (0.0f, (float) (f * cellH)));
        picture.draw (g, f);
    }
    return image;
}
} // namespace art
