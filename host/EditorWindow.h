// The stand-in host's plug-in window: a top-level X11 window on its own display
// connection, which the GUI object's view container hands to the plug-in, and
// which can read back its own pixels from the X server as a screenshot tool does.
// Free of JUCE and of X11's headers, so that callers need neither.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnello::host
{
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB, rows top to bottom, alpha always 0xFF
};

class EditorWindow
{
public:
    // Opens the display named by DISPLAY; null, with the reason in `error`, when there is none.
    static std::unique_ptr<EditorWindow> open (const std::string& title, int width, int height, std::string& error);
    ~EditorWindow();

    EditorWindow (const EditorWindow&) = delete;
    EditorWindow& operator= (const EditorWindow&) = delete;

    // The X11 window id the plug-in's view goes into.
    unsigned long windowId() const noexcept;
    int width() const noexcept { return mWidth; }
    int height() const noexcept { return mHeight; }

    // Shows the window and waits until the server has mapped it.
    bool show();
    // Gives the window a new size; the plug-in's view inside follows when `resizeView` is set.
    void resize (int width, int height, bool resizeView);
    // Handles the window's pending events; false once the user has closed it.
    bool handleEvents();
    // The plug-in's views inside the window (child windows), as the server sees them.
    int numChildWindows() const;
    bool childIsViewable() const;

    // A real pointer through the X server's test extension, in window coordinates:
    // moves it, presses or releases the first button. False without the extension.
    bool movePointer (int x, int y);
    bool setButton (bool down);

    // The window's pixels as shown, children included.
    bool capture (Picture& picture, std::string& error) const;

    // Xlib errors on any connection of this process (the plug-in's too), since the window opened.
    static int errorCount() noexcept;
    // The last of them, as "X error <code> in request <major>.<minor>"; empty when none.
    static std::string lastError();

private:
    struct Native;
    explicit EditorWindow (std::unique_ptr<Native> native, int width, int height);

    std::unique_ptr<Native> mNative;
    int mWidth;
    int mHeight;
    bool mClosed = false;
};

// Writes a picture as an 8-bit RGB PNG; false, with the reason in `error`, on failure.
bool writePng (const std::string& path, const Picture& picture, std::string& error);
} // namespace tarnello::host
