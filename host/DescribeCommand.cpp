// tarnello-host describe [--bundle PATH]: loads the bundle, registers it with
// the stand-in host and prints what it registered.

#include "host/BundleLoader.h"
#include "host/Commands.h"
#include "host/Describe.h"
#include "host/StandInHost.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

namespace tarnello::host
{
std::string defaultBundlePath()
{
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink ("/proc/self/exe", ec);
    if (ec)
        return "Tarnello.aaxplugin";
    return (executable.parent_path().parent_path() / "aax" / "Tarnello.aaxplugin").string();
}

int runDescribe (int argc, char** argv)
{
    std::string bundlePath = defaultBundlePath();
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp (argv[i], "--bundle") == 0 && i + 1 < argc)
        {
            bundlePath = argv[++i];
        }
        else
        {
            std::cerr << "usage: tarnello-host describe [--bundle PATH]\n";
            return 2;
        }
    }

    std::string error;
    auto bundle = Bundle::load (bundlePath, error);
    if (bundle == nullptr)
    {
        std::cerr << "tarnello-host: " << error << '\n';
        return 1;
    }

    int exitCode = 0;
    {
        StandInHost host;
        const ACFRESULT started = bundle->startup (host.unknown());
        if (started != ACF_OK)
        {
            std::cerr << "tarnello-host: ACFStartup answered " << started << '\n';
            return 1;
        }

        IACFPluginDefinition* definition = nullptr;
        const ACFRESULT registered = bundle->registerPlugin (host.unknown(), &definition);
        if (definition != nullptr)
            definition->Release();

        if (registered != ACF_OK || host.lastCollection() == nullptr)
        {
            std::cerr << "tarnello-host: ACFRegisterPlugin answered " << registered << '\n';
            for (const auto& trace : host.traces())
                std::cerr << "  trace: " << trace.message << '\n';
            exitCode = 1;
        }
        else
        {
            printDescription (std::cout, *host.lastCollection());
        }

        bundle->shutdown (host.unknown());
        const ACFRESULT live = bundle->canUnloadNow (host.unknown());
        if (live != 0)
        {
            std::cerr << "tarnello-host: " << live << " plug-in objects still alive after shut-down\n";
            exitCode = 1;
        }
    }
    return exitCode;
}
} // namespace tarnello::host
