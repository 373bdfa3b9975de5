// tarnello-host: the stand-in host's command line.

#include "host/Commands.h"

#include <cstring>
#include <iostream>

namespace
{
int usage()
{
    std::cerr << "usage: tarnello-host <command> [options]\n"
                 "commands:\n"
                 "  describe [--bundle PATH]   print what the bundle registers\n"
                 "  render [options]           render audio through the bundle\n"
                 "  editor [options]           open the plug-in's editor in a window\n"
        ;
    return 2;
}
} // namespace

int main (int argc, char** argv)
{
    if (argc < 2)
        return usage();

    const char* command = argv[1];
    if (std::strcmp (command, "describe") == 0)
        return tarnello::host::runDescribe (argc - 1, argv + 1);
    if (std::strcmp (command, "render") == 0)
        return runRender (argc - 1, argv + 1);
    if (std::strcmp (command, "editor") == 0)
        return runEditor (argc - 1, argv + 1);
    return usage();
}
