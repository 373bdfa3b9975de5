#pragma once

namespace tarnello::test
{
// With no window manager on the X server, the atoms JUCE asks for without creating
// them (WM_PROTOCOLS and friends) don't exist, and Xlib's default error handler ends
// the process on the first native window. This creates them on a connection that
// stays open for the whole run (the server forgets atoms when its last client goes).
// Does nothing without DISPLAY.
void prepareDisplayForJuce();

// True when an X display could be opened.
bool hasDisplay();

// Real pointer input through the X server's test extension, as a user's mouse would
// send it: a move to screen position (x, y) in physical pixels, and a press and
// release of a button (1 left, 3 right). Both return false without a display.
bool movePointerTo (int x, int y);
bool clickPointer (int button);
// A press (down true) or release of one button alone, for drags.
bool pressPointer (int button, bool down);
// Holds (down true) or lets go of the left Alt key.
bool holdAltKey (bool down);
} // namespace tarnello::test
