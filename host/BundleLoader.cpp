#include "host/BundleLoader.h"

#include <dlfcn.h>

#include <filesystem>

#ifndef TARNELLO_BUNDLE_ARCH
#define TARNELLO_BUNDLE_ARCH "x86_64-linux"
#endif

namespace tarnello::host
{
std::string Bundle::libraryPath (const std::string& bundlePath)
{
    namespace fs = std::filesystem;
    const fs::path path (bundlePath);
    std::error_code ec;
    if (! fs::is_directory (path, ec))
        return bundlePath;

    auto name = path.filename();
    if (name.empty())
        name = path.parent_path().filename();
    return (path / "Contents" / TARNELLO_BUNDLE_ARCH / name.stem()).string() + ".so";
}

std::unique_ptr<Bundle> Bundle::load (const std::string& path, std::string& error)
{
    const std::string library = libraryPath (path);
    std::error_code ec;
    if (! std::filesystem::exists (library, ec))
    {
        error = "no bundle library at " + library;
        return nullptr;
    }

    // RTLD_LOCAL keeps the bundle's own copy of everything it links to itself.
    void* handle = dlopen (library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        const char* reason = dlerror();
        error = std::string ("cannot load ") + library + ": " + (reason != nullptr ? reason : "unknown error");
        return nullptr;
    }

    std::unique_ptr<Bundle> bundle (new Bundle (handle, library));
    auto resolve = [&bundle, &error] (auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype (slot)>> (bundle->symbol (name));
        if (slot == nullptr && error.empty())
            error = std::string ("bundle does not export ") + name;
    };
    error.clear();
    resolve (bundle->startup, "ACFStartup");
    resolve (bundle->registerPlugin, "ACFRegisterPlugin");
    resolve (bundle->registerComponent, "ACFRegisterComponent");
    resolve (bundle->getClassFactory, "ACFGetClassFactory");
    resolve (bundle->canUnloadNow, "ACFCanUnloadNow");
    resolve (bundle->shutdown, "ACFShutdown");
    resolve (bundle->getSDKVersion, "ACFGetSDKVersion");
    if (! error.empty())
        return nullptr;
    return bundle;
}

Bundle::Bundle (void* handle, std::string library)
    : mHandle (handle), mLibraryPath (std::move (library))
{
}

Bundle::~Bundle()
{
    dlclose (mHandle);
}

void* Bundle::symbol (const char* name) const
{
    return dlsym (mHandle, name);
}
} // namespace tarnello::host
