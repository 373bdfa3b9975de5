// The stand-in bundle, loaded once per test process.
#pragma once

#include "host/BundleLoader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tarnello::test
{
inline host::Bundle& standInBundle()
{
    static std::unique_ptr<host::Bundle> bundle = [] {
        std::string error;
        auto loaded = host::Bundle::load (TARNELLO_STANDIN_BUNDLE, error);
        if (loaded == nullptr)
            ADD_FAILURE() << error;
        return loaded;
    }();
    if (bundle == nullptr)
        throw std::runtime_error ("the stand-in bundle did not load");
    return *bundle;
}
} // namespace tarnello::test
