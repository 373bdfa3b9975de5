// The subcommands of tarnello-host. Each takes its own name as argv[0] and
// returns the program's exit code.
#pragma once

#include <string>

namespace tarnello::host
{
int runDescribe (int argc, char** argv);

// The built product bundle next to this program: <build>/aax/Tarnello.aaxplugin.
std::string defaultBundlePath();
} // namespace tarnello::host

// Renders audio through the bundle (host/Render.cpp, when present).
int runRender (int argc, char** argv);
// Opens the plug-in's editor in an X window (host/Editor.cpp).
int runEditor (int argc, char** argv);
