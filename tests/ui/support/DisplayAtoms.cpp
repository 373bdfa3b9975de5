// Kept apart from any JUCE header: Xlib's Font and Time clash with juce::Font and juce::Time.
#include "tests/ui/support/DisplayAtoms.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace tarnello::test
{
namespace
{
Display* keptOpen = nullptr;
bool opened = false;
} // namespace

void prepareDisplayForJuce()
{
    const char* name = std::getenv ("DISPLAY");
    if (name == nullptr || *name == '\0' || keptOpen != nullptr)
        return;

    keptOpen = XOpenDisplay (name);
    if (keptOpen == nullptr)
        return;
    opened = true;

    const char* atoms[] = { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                            "WM_STATE", "WM_CHANGE_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                            "_NET_WM_NAME", "_NET_WM_ICON", "_NET_WM_PID", "_NET_WM_WINDOW_TYPE_NORMAL",
                            "_NET_WM_WINDOW_TYPE_COMBO", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE",
                            "_MOTIF_WM_HINTS", "_NET_WM_USER_TIME", "_NET_FRAME_EXTENTS", "_NET_ACTIVE_WINDOW",
                            "UTF8_STRING", "XdndAware", "CLIPBOARD", "TARGETS" };
    for (const auto* atom : atoms)
        XInternAtom (keptOpen, atom, False);
    XSync (keptOpen, False);
}

bool hasDisplay()
{
    return opened;
}

bool movePointerTo (int x, int y)
{
    if (keptOpen == nullptr)
        return false;
    XTestFakeMotionEvent (keptOpen, -1, x, y, CurrentTime);
    XSync (keptOpen, False);
    return true;
}

bool clickPointer (int button)
{
    if (keptOpen == nullptr)
        return false;
    XTestFakeButtonEvent (keptOpen, (unsigned int) button, True, CurrentTime);
    XTestFakeButtonEvent (keptOpen, (unsigned int) button, False, CurrentTime);
    XSync (keptOpen, False);
    return true;
}

bool pressPointer (int button, bool down)
{
    if (keptOpen == nullptr)
        return false;

    XTestFakeButtonEvent (keptOpen, (unsigned int) button, down ? True : False, CurrentTime);
    XSync (keptOpen, False);
    return true;
}

bool holdAltKey (bool down)
{
    if (keptOpen == nullptr)
        return false;

    const auto keycode = XKeysymToKeycode (keptOpen, XK_Alt_L);
    if (keycode == 0)
        return false;

    XTestFakeKeyEvent (keptOpen, keycode, down ? True : False, CurrentTime);
    XSync (keptOpen, False);
    return true;
}
} // namespace tarnello::test
