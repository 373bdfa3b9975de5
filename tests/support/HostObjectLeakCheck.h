// What a test must give back: the stand-in host's objects that the plug-in side
// took, and the plug-in's own component objects made in this process.
#pragma once

#include "aax/CACFUnknown.h"
#include "host/HostObject.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tarnello::test
{
class HostObjectLeakCheck
{
public:
    HostObjectLeakCheck() { restart(); }

    // Counts from now on.
    void restart()
    {
        hostObjectsBefore = host::HostObjectBase::liveObjects();
        pluginObjectsBefore = CACFUnknown::ActiveObjects();
    }

    int newHostObjects() const { return host::HostObjectBase::liveObjects() - hostObjectsBefore; }
    int32_t newPluginObjects() const { return CACFUnknown::ActiveObjects() - pluginObjectsBefore; }

    void expectNoHostObjectsLeft() const { EXPECT_EQ (newHostObjects(), 0) << "host objects left alive"; }
    void expectNothingLeft() const
    {
        expectNoHostObjectsLeft();
        EXPECT_EQ (newPluginObjects(), 0) << "plug-in objects left alive";
    }

private:
    int hostObjectsBefore = 0;
    int32_t pluginObjectsBefore = 0;
};
} // namespace tarnello::test
