// tarnello-host editor: opens the plug-in's editor in a real top-level X window,
// through the GUI object the bundle registered, for a person to use or to take
// its picture.
//
//   tarnello-host editor [--png OUT.png] [--scale S] [--set NAME=VALUE]... [--state FILE]
//                        [--save-state FILE] [--bundle PATH]

#include "host/Commands.h"
#include "host/EditorWindow.h"
#include "host/NumberText.h"
#include "host/RenderFiles.h"
#include "host/RenderTarget.h"
#include "host/runtime/PluginGUI.h"
#include "host/runtime/RuntimeObjects.h"

#include "aax/acf/AAXViewTypes.h"

#include <juce_core/juce_core.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <iostream>
#include <thread>
#include <utility>
#include <vector>

namespace
{
using namespace tarnello::host;
using tarnello::render::argumentFile;
using tarnello::render::BadInput;
using tarnello::render::isSameFile;
using tarnello::render::PendingFile;

constexpr int exitBadInput = 2;
constexpr int exitFailure = 1;
constexpr double smallestScale = 0.75, largestScale = 4.0;
constexpr double sampleRate = 48000.0;
constexpr auto idlePeriod = std::chrono::milliseconds (10);
// A picture is taken once the editor has had this long to paint, and when two
// looks in a row agree; never later than the limit.
constexpr auto settleTime = std::chrono::milliseconds (300);
constexpr auto captureLimit = std::chrono::seconds (10);

const char* const usage =
    "usage: tarnello-host editor [--png OUT.png] [--scale S] [--set NAME=VALUE]... [--state FILE]\n"
    "                            [--save-state FILE] [--bundle PATH]\n";

volatile std::sig_atomic_t sStopRequested = 0;

void requestStop (int)
{
    sStopRequested = 1;
}

struct EditorOptions
{
    juce::File png, state, saveState;
    bool hasPng = false, hasState = false, hasSaveState = false;
    double scale = 1.0;
    std::vector<std::pair<juce::String, juce::String>> settings;
    std::string bundle = defaultBundlePath();
};

EditorOptions parseArguments (const juce::StringArray& args)
{
    EditorOptions o;
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& option = args[i];
        auto value = [&]() -> juce::String
        {
            if (i + 1 >= args.size())
                throw BadInput { option + " needs a value" };
            return args[++i];
        };

        if (option == "--png")
        {
            o.png = argumentFile (value());
            o.hasPng = true;
        }
        else if (option == "--scale")
        {
            const auto text = value();
            if (! parseNumber (text, o.scale) || o.scale < smallestScale || o.scale > largestScale)
                throw BadInput { "--scale takes a factor from 0.75 to 4, not \"" + text + "\"" };
        }
        else if (option == "--set")
        {
            o.settings.push_back (tarnello::render::parseSetting (value()));
        }
        else if (option == "--state")
        {
            o.state = argumentFile (value());
            o.hasState = true;
        }
        else if (option == "--save-state")
        {
            o.saveState = argumentFile (value());
            o.hasSaveState = true;
        }
        else if (option == "--bundle")
        {
            o.bundle = argumentFile (value()).getFullPathName().toStdString();
        }
        else
        {
            throw BadInput { "unknown option \"" + option + "\"\n" + usage };
        }
    }

    // The same file under another name, through a link, is still the same file.
    if (o.hasPng && o.hasSaveState && isSameFile (o.png, o.saveState))
        throw BadInput { "--save-state must name a file of its own" };
    if (o.hasState && o.hasPng && isSameFile (o.png, o.state))
        throw BadInput { "--png would overwrite the state file " + o.state.getFullPathName() };
    if (o.hasState && o.hasSaveState && isSameFile (o.saveState, o.state))
        throw BadInput { "--save-state must name a file of its own" };
    for (const auto& [file, given, option] : { std::make_tuple (o.png, o.hasPng, "--png"),
                                               std::make_tuple (o.saveState, o.hasSaveState, "--save-state") })
        if (given)
            tarnello::render::checkOutputPath (file, option);
    return o;
}

bool samePicture (const Picture& a, const Picture& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

// The plug-in, its GUI object and the window, released in the reverse order.
class EditorSession
{
public:
    explicit EditorSession (const EditorOptions& o) : options (o) {}

    ~EditorSession()
    {
        gui.reset();
        target.reset();
        window.reset();
    }

    int run()
    {
        std::string error;
        // The display first: without one nothing else is worth loading.
        window = EditorWindow::open ("Tarnello", 1, 1, error);
        if (window == nullptr)
            throw BadInput { juce::String (error) + "; the editor needs an X display (run it under xvfb-run without one)" };

        juce::MemoryBlock stateChunk;
        if (options.hasState)
            stateChunk = tarnello::render::readSmallFile (options.state, tarnello::render::largestStateFile, "state file");

        // The plug-in made and set exactly as the renderer makes and sets it.
        target = createBundleRenderTarget (options.bundle, error);
        if (target == nullptr)
            return fail (error);
        if (auto message = target->setLayout (2, 2); message.isNotEmpty())
            return fail (message.toStdString());
        if (auto message = target->prepare (sampleRate, 512, tarnello::host::kSessionTempo); message.isNotEmpty())
            return fail ("the plug-in could not be created: " + message.toStdString());
        if (options.hasState)
            if (auto message = target->loadState (stateChunk); message.isNotEmpty())
                throw BadInput { options.state.getFullPathName() + ": " + message };
        for (const auto& [name, value] : options.settings)
            if (auto message = target->setParameter (name, value); message.isNotEmpty())
                throw BadInput { "--set " + name + "=" + value + ": " + message };

        gui = target->createGUI (error);
        if (gui == nullptr)
            return fail (error);
        int width = 0, height = 0;
        if (! gui->viewSize (width, height))
            return fail ("the GUI object reports no editor size");

        window->resize (width, height, false);
        if (! window->show())
            return fail ("the X server does not show the window");
        if (const ACFRESULT result = gui->open (AAX_eViewContainer_Type_XWindow, AAX::ViewPointerFromXWindow (window->windowId()));
            result != ACF_OK)
            return fail ("the GUI object refused the window: " + std::to_string (result));

        if (options.scale != 1.0)
            window->resize (static_cast<int> (std::lround (width * options.scale)),
                            static_cast<int> (std::lround (height * options.scale)), true);

        const int result = options.hasPng ? takePicture() : runUntilClosed();
        if (result != 0)
            return result;

        gui->close();
        if (options.hasSaveState)
            saveState();
        return 0;
    }

private:
    int fail (const std::string& message)
    {
        std::cerr << "tarnello-host editor: " << message << std::endl;
        return exitFailure;
    }

    // One turn of the host's loop: the window's events, the plug-in's idle calls,
    // and the window following the size the plug-in asks for.
    bool turn()
    {
        const bool open = window->handleEvents();
        gui->idle();
        if (auto* container = gui->container())
        {
            const auto size = container->viewSize();
            const int w = static_cast<int> (size.horz), h = static_cast<int> (size.vert);
            if (w > 0 && h > 0 && (w != window->width() || h != window->height()))
                window->resize (w, h, false);
        }
        return open;
    }

    int takePicture()
    {
        const auto started = std::chrono::steady_clock::now();
        Picture previous, current;
        std::string error;
        bool stable = false;
        while (std::chrono::steady_clock::now() - started < captureLimit)
        {
            turn();
            std::this_thread::sleep_for (idlePeriod);
            if (! window->childIsViewable() || std::chrono::steady_clock::now() - started < settleTime)
                continue;
            if (! window->capture (current, error))
                return fail (error);
            if (samePicture (previous, current))
            {
                stable = true;
                break;
            }
            previous = std::move (current);
            current = {};
            for (int i = 0; i < 5; ++i)
            {
                turn();
                std::this_thread::sleep_for (idlePeriod);
            }
        }
        if (! stable)
            return fail ("the editor never showed in the window");

        PendingFile png (options.png);
        if (! writePng (png.getTemporary().getFullPathName().toStdString(), current, error))
            throw BadInput { "cannot write " + options.png.getFullPathName() };
        png.commit();
        std::cout << options.png.getFullPathName() << ": " << current.width << " x " << current.height << std::endl;
        return 0;
    }

    int runUntilClosed()
    {
        while (sStopRequested == 0 && turn())
            std::this_thread::sleep_for (idlePeriod);
        return 0;
    }

    void saveState()
    {
        const auto chunk = target->saveState();
        if (chunk.isEmpty())
            throw BadInput { "the plug-in gave no state to save" };
        PendingFile file (options.saveState);
        tarnello::render::writeData (file, chunk);
        file.commit();
    }

    const EditorOptions& options;
    std::unique_ptr<EditorWindow> window;
    std::unique_ptr<RenderTarget> target;
    std::unique_ptr<PluginGUI> gui;
};
} // namespace

int runEditor (int argc, char** argv)
{
    juce::StringArray args;
    for (int i = 0; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));
    if (! args.isEmpty() && args[0] == "editor")
        args.remove (0);

    if (args.contains ("--help") || args.contains ("-h"))
    {
        std::cout << usage;
        return 0;
    }

    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset (&action.sa_mask);
    sigaction (SIGINT, &action, nullptr);
    sigaction (SIGTERM, &action, nullptr);

    try
    {
        const auto options = parseArguments (args);
        EditorSession session (options);
        return session.run();
    }
    catch (const BadInput& e)
    {
        std::cerr << "tarnello-host editor: " << e.message << std::endl;
        return exitBadInput;
    }
}
