#include "host/EditorWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <png.h>

#include <atomic>
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <deque>
#include <utility>
#include <thread>

namespace tarnello::host
{
namespace
{
std::atomic<int> sErrors { 0 };
std::atomic<int> sLastError { 0 };

// Xlib's own handler ends the process on any protocol error, the plug-in's
// connection included; a host stays up and lets the call fail instead.
int countError (Display*, XErrorEvent* event)
{
    sErrors.fetch_add (1);
    sLastError.store ((event->error_code << 16) | (event->request_code << 8) | event->minor_code);
    return 0;
}

// The window-manager atoms exist only once some client has made them. Without
// a window manager (a bare X server) a toolkit that merely looks them up gets
// none and its property calls fail; the host makes them, as a window manager would.
const char* const kWindowManagerAtoms[] = {
    "WM_PROTOCOLS",         "WM_TAKE_FOCUS",          "WM_DELETE_WINDOW",         "WM_STATE",
    "WM_CHANGE_STATE",      "_NET_WM_PING",           "_NET_WM_NAME",             "UTF8_STRING",
    "_NET_WM_STATE",        "_NET_WM_STATE_HIDDEN",   "_NET_WM_STATE_FULLSCREEN", "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_COMBO", "_NET_WM_ALLOWED_ACTIONS",
    "_NET_FRAME_EXTENTS",   "_NET_WORKAREA",          "_MOTIF_WM_HINTS",
};

int shiftOf (unsigned long mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1u) == 0)
    {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

uint32_t channel (unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const unsigned long value = (pixel & mask) >> shiftOf (mask);
    const unsigned long maximum = mask >> shiftOf (mask);
    return static_cast<uint32_t> ((value * 255 + maximum / 2) / maximum);
}
} // namespace

struct EditorWindow::Native
{
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;

    // Sizes this window asked for, which come back later as configure events;
    // any other size is the user's.
    std::deque<std::pair<int, int>> requestedSizes;
    bool pendingUserResize = false;
    int userWidth = 0, userHeight = 0;

    void requested (int width, int height)
    {
        requestedSizes.emplace_back (width, height);
        if (requestedSizes.size() > 16)
            requestedSizes.pop_front();
    }

    void userSize (int width, int height)
    {
        for (const auto& size : requestedSizes)
            if (size.first == width && size.second == height)
                return;
        pendingUserResize = true;
        userWidth = width;
        userHeight = height;
    }

    ~Native()
    {
        if (display == nullptr)
            return;
        if (window != 0)
            XDestroyWindow (display, window);
        XSync (display, False);
        XCloseDisplay (display);
    }
};

EditorWindow::EditorWindow (std::unique_ptr<Native> native, int width, int height)
    : mNative (std::move (native)), mWidth (width), mHeight (height)
{
}

EditorWindow::~EditorWindow() = default;

std::unique_ptr<EditorWindow> EditorWindow::open (const std::string& title, int width, int height, std::string& error)
{
    const char* name = std::getenv ("DISPLAY");
    if (name == nullptr || *name == '\0')
    {
        error = "no display: DISPLAY is not set";
        return nullptr;
    }

    // Before any other Xlib call in the process, so that every connection may be used from any thread.
    static const bool threadsReady = XInitThreads() != 0;
    (void) threadsReady;

    auto native = std::make_unique<Native>();
    native->display = XOpenDisplay (nullptr);
    if (native->display == nullptr)
    {
        error = std::string ("no display: cannot open \"") + name + "\"";
        return nullptr;
    }
    XSetErrorHandler (countError);

    Display* display = native->display;
    for (const char* atom : kWindowManagerAtoms)
        XInternAtom (display, atom, False);

    const int screen = DefaultScreen (display);
    native->window = XCreateSimpleWindow (display, RootWindow (display, screen), 0, 0, static_cast<unsigned> (width),
                                          static_cast<unsigned> (height), 0, BlackPixel (display, screen),
                                          BlackPixel (display, screen));
    XSelectInput (display, native->window, StructureNotifyMask | ExposureMask);
    native->requested (width, height);

    XStoreName (display, native->window, title.c_str());
    XChangeProperty (display, native->window, XInternAtom (display, "_NET_WM_NAME", False),
                     XInternAtom (display, "UTF8_STRING", False), 8, PropModeReplace,
                     reinterpret_cast<const unsigned char*> (title.c_str()), static_cast<int> (title.size()));
    XClassHint classHint;
    std::string resName = "tarnello-host", resClass = "Tarnello";
    classHint.res_name = resName.data();
    classHint.res_class = resClass.data();
    XSetClassHint (display, native->window, &classHint);

    native->deleteWindow = XInternAtom (display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols (display, native->window, &native->deleteWindow, 1);
    XSync (display, False);

    return std::unique_ptr<EditorWindow> (new EditorWindow (std::move (native), width, height));
}

unsigned long EditorWindow::windowId() const noexcept
{
    return mNative->window;
}

int EditorWindow::errorCount() noexcept
{
    return sErrors.load();
}

std::string EditorWindow::lastError()
{
    const int last = sLastError.load();
    return last == 0 ? std::string() : "X error " + std::to_string (last >> 16) + " in request "
                                           + std::to_string ((last >> 8) & 0xFF) + "." + std::to_string (last & 0xFF);
}

bool EditorWindow::show()
{
    Display* display = mNative->display;
    XMapRaised (display, mNative->window);
    XFlush (display);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);
    while (std::chrono::steady_clock::now() < deadline)
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes (display, mNative->window, &attributes) != 0 && attributes.map_state == IsViewable)
            return true;
        handleEvents();
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }
    return false;
}

void EditorWindow::resize (int width, int height, bool resizeView)
{
    if (width < 1 || height < 1)
        return;
    Display* display = mNative->display;
    mWidth = width;
    mHeight = height;
    mNative->requested (width, height);
    XResizeWindow (display, mNative->window, static_cast<unsigned> (width), static_cast<unsigned> (height));

    if (resizeView)
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree (display, mNative->window, &root, &parent, &children, &count) != 0)
        {
            for (unsigned int i = 0; i < count; ++i)
                XResizeWindow (display, children[i], static_cast<unsigned> (width), static_cast<unsigned> (height));
            if (children != nullptr)
                XFree (children);
        }
    }
    XFlush (display);
}

bool EditorWindow::handleEvents()
{
    Display* display = mNative->display;
    while (XPending (display) > 0)
    {
        XEvent event;
        XNextEvent (display, &event);
        if (event.type == ClientMessage && static_cast<Atom> (event.xclient.data.l[0]) == mNative->deleteWindow)
            mClosed = true;
        else if (event.type == DestroyNotify && event.xdestroywindow.window == mNative->window)
            mClosed = true;
        else if (event.type == ConfigureNotify && event.xconfigure.window == mNative->window)
            mNative->userSize (event.xconfigure.width, event.xconfigure.height);
    }
    // The user (or a window manager) resized the window: the view follows.
    if (mNative->pendingUserResize)
    {
        mNative->pendingUserResize = false;
        if (mNative->userWidth != mWidth || mNative->userHeight != mHeight)
            resize (mNative->userWidth, mNative->userHeight, true);
    }
    return ! mClosed;
}

int EditorWindow::numChildWindows() const
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree (mNative->display, mNative->window, &root, &parent, &children, &count) == 0)
        return 0;
    if (children != nullptr)
        XFree (children);
    return static_cast<int> (count);
}

bool EditorWindow::childIsViewable() const
{
    Display* display = mNative->display;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree (display, mNative->window, &root, &parent, &children, &count) == 0)
        return false;
    bool viewable = false;
    for (unsigned int i = 0; i < count; ++i)
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes (display, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
            viewable = true;
    }
    if (children != nullptr)
        XFree (children);
    return viewable;
}

bool EditorWindow::movePointer (int x, int y)
{
    Display* display = mNative->display;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (! XTestQueryExtension (display, &eventBase, &errorBase, &major, &minor))
        return false;
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates (display, mNative->window, DefaultRootWindow (display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent (display, DefaultScreen (display), rootX, rootY, CurrentTime);
    XFlush (display);
    return true;
}

bool EditorWindow::setButton (bool down)
{
    Display* display = mNative->display;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (! XTestQueryExtension (display, &eventBase, &errorBase, &major, &minor))
        return false;
    XTestFakeButtonEvent (display, 1, down ? True : False, CurrentTime);
    XFlush (display);
    return true;
}

bool EditorWindow::capture (Picture& picture, std::string& error) const
{
    Display* display = mNative->display;
    XSync (display, False);

    XWindowAttributes attributes;
    if (XGetWindowAttributes (display, mNative->window, &attributes) == 0 || attributes.map_state != IsViewable)
    {
        error = "the window is not shown";
        return false;
    }
    // The server keeps no pixels for what lies off its screen.
    const int screenWidth = WidthOfScreen (attributes.screen), screenHeight = HeightOfScreen (attributes.screen);
    if (attributes.x < 0 || attributes.y < 0 || attributes.x + attributes.width > screenWidth
        || attributes.y + attributes.height > screenHeight)
    {
        error = "the window (" + std::to_string (attributes.width) + " x " + std::to_string (attributes.height)
              + ") does not fit on the screen (" + std::to_string (screenWidth) + " x " + std::to_string (screenHeight)
              + ")";
        return false;
    }

    XImage* image = XGetImage (display, mNative->window, 0, 0, static_cast<unsigned> (attributes.width),
                               static_cast<unsigned> (attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
    {
        error = "the X server gave no pixels for the window";
        return false;
    }

    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.resize (static_cast<size_t> (picture.width) * static_cast<size_t> (picture.height));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
        {
            const unsigned long pixel = XGetPixel (image, x, y);
            picture.pixels[static_cast<size_t> (y) * static_cast<size_t> (picture.width) + static_cast<size_t> (x)]
                = 0xFF000000u | (channel (pixel, image->red_mask) << 16) | (channel (pixel, image->green_mask) << 8)
                | channel (pixel, image->blue_mask);
        }
    XDestroyImage (image);
    return true;
}

//==============================================================================
namespace
{
struct PngWriteState
{
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;

    ~PngWriteState()
    {
        if (png != nullptr)
            png_destroy_write_struct (&png, info != nullptr ? &info : nullptr);
        if (file != nullptr)
            std::fclose (file);
    }
};
} // namespace

bool writePng (const std::string& path, const Picture& picture, std::string& error)
{
    if (picture.width < 1 || picture.height < 1
        || picture.pixels.size() != static_cast<size_t> (picture.width) * static_cast<size_t> (picture.height))
    {
        error = "no picture to write";
        return false;
    }

    std::vector<png_byte> rows (static_cast<size_t> (picture.width) * 3u * static_cast<size_t> (picture.height));
    for (size_t i = 0; i < picture.pixels.size(); ++i)
    {
        rows[i * 3 + 0] = static_cast<png_byte> (picture.pixels[i] >> 16);
        rows[i * 3 + 1] = static_cast<png_byte> (picture.pixels[i] >> 8);
        rows[i * 3 + 2] = static_cast<png_byte> (picture.pixels[i]);
    }
    std::vector<png_bytep> rowPointers (static_cast<size_t> (picture.height));
    for (size_t y = 0; y < rowPointers.size(); ++y)
        rowPointers[y] = rows.data() + y * static_cast<size_t> (picture.width) * 3u;

    PngWriteState state;
    state.file = std::fopen (path.c_str(), "wb");
    if (state.file == nullptr)
    {
        error = "cannot write " + path;
        return false;
    }
    state.png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    state.info = state.png != nullptr ? png_create_info_struct (state.png) : nullptr;
    if (state.png == nullptr || state.info == nullptr)
    {
        error = "cannot write " + path;
        return false;
    }
    if (setjmp (png_jmpbuf (state.png)))
    {
        error = "cannot write " + path;
        return false;
    }
    png_init_io (state.png, state.file);
    png_set_IHDR (state.png, state.info, static_cast<png_uint_32> (picture.width),
                  static_cast<png_uint_32> (picture.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                  PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info (state.png, state.info);
    png_write_image (state.png, rowPointers.data());
    png_write_end (state.png, nullptr);

    if (std::fflush (state.file) != 0)
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
} // namespace tarnello::host
