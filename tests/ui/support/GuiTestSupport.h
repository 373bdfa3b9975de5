#pragma once

#include "ui/MenuControl.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

namespace tarnello::test
{
// Folder for the pictures GUI tests take: <build>/test-artifacts/<suite>/.
juce::File artifactsDir (const juce::String& suite);

// Paints `c` into an image at `scale` (its size is the component's times the scale)
// and, when `saveAs` is given, writes it as "<saveAs>@<scale>x.png" under artifactsDir(suite).
juce::Image snapshot (juce::Component& c, float scale, const juce::String& suite = {}, const juce::String& saveAs = {});

// A mouse event on `c` at `position` (component coordinates), from the main mouse source.
juce::MouseEvent mouseEvent (juce::Component& c, juce::Point<float> position,
                             juce::ModifierKeys mods = {}, juce::Point<float> downPosition = {},
                             bool wasDragged = false);

// Runs a timer's callback once, as the message loop would when it fires.
inline void tick (juce::Timer& timer) { timer.timerCallback(); }

// Ends every running animation of the animator at its destination.
inline void finishAnimations (juce::ComponentAnimator& animator) { animator.cancelAllAnimations (true); }
void finishDesktopAnimations();

// The bytes of a ".dovi" file: header, then `pixel (x, y, bytes)` fills each pixel's
// 3 or 4 bytes; `pixelBytesToWrite` below 0 writes them all.
juce::MemoryBlock doviBytes (int width, int height, bool hasAlpha,
                             const std::function<void (int x, int y, juce::uint8* bytes)>& pixel = {},
                             juce::int64 pixelBytesToWrite = -1);

// A private resources folder for the duration of a test: PluginPaths resolves the
// resources folder to it, and it is removed afterwards.
class TemporaryResources
{
public:
    TemporaryResources();
    ~TemporaryResources();

    juce::File getRoot() const { return root; }
    juce::File write (const juce::String& relativePath, const juce::MemoryBlock& bytes) const;

private:
    juce::TemporaryFile folder;
    juce::File root;
};

// One colour per strip frame, so that a picture shows which frame was drawn.
juce::Colour frameColour (int frame);

// A strip of `frames` frames of w x fh, each filled with frameColour (frame + colourOffset).
juce::MemoryBlock stripDovi (int w, int fh, int frames, int colourOffset = 0);

// Writes the strip "panels/x1_<name>" and its x2 twin, twice the size with frames
// coloured `x2ColourOffset` apart, so that a picture tells both the frame and the scale.
void writeStripPair (const TemporaryResources& resources, const juce::String& name, int frameWidth,
                     int frameHeight, int frames, int x2ColourOffset);

// A name no other test in this run uses, so that JUCE's image cache never hands a
// test another test's image.
juce::String uniqueName (const juce::String& stem);
// The selections a menu control reports to its listeners, in order.
struct MenuChoices : MenuControl::Listener
{
    void menuControlChanged (MenuControl* c) override { selections.push_back (c->getSelectedIndex()); }
    std::vector<int> selections;
};
} // namespace tarnello::test
