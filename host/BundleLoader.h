// Loads a plug-in bundle with dlopen and looks up its seven entry points.
//
// A bundle is a folder <Name>.aaxplugin/Contents/<arch>/<Name>.so; the loader
// also takes the library's own path.
#pragma once

#include "aax/acf/ACFExports.h"

#include <memory>
#include <string>

namespace tarnello::host
{
class Bundle
{
public:
    // Null on failure, with the reason in `error`.
    static std::unique_ptr<Bundle> load (const std::string& path, std::string& error);

    // The library inside a bundle folder (or the path itself when it is no folder).
    static std::string libraryPath (const std::string& bundlePath);

    ~Bundle();
    Bundle (const Bundle&) = delete;
    Bundle& operator= (const Bundle&) = delete;

    const std::string& path() const noexcept { return mLibraryPath; }

    ACFStartupProc startup = nullptr;
    ACFRegisterPluginProc registerPlugin = nullptr;
    ACFRegisterComponentProc registerComponent = nullptr;
    ACFGetClassFactoryProc getClassFactory = nullptr;
    ACFCanUnloadNowProc canUnloadNow = nullptr;
    ACFShutdownProc shutdown = nullptr;
    ACFGetSDKVersionProc getSDKVersion = nullptr;

    // A symbol the bundle exports, or null.
    void* symbol (const char* name) const;

private:
    Bundle (void* handle, std::string libraryPath);

    void* mHandle;
    std::string mLibraryPath;
};
} // namespace tarnello::host
