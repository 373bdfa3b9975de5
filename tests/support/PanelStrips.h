// The film strips the build draws for the panels, as the tests expect them: the
// frame size at scale 1 and the number of frames. The x2 strips are twice the size.
#pragma once

#include <string>

namespace tarnello::test
{
struct PanelStrip
{
    const char* name;
    int frameWidth, frameHeight, frames;

    // Where a panel asks for it, under the resources folder.
    std::string path() const { return std::string ("panels/") + name + ".dovi"; }
};

inline constexpr PanelStrip panelStrips[] = {
    { "knob", 48, 48, 65 },
    { "knob-large", 64, 64, 65 },
    { "switch", 36, 18, 2 },
    { "button", 36, 18, 2 },
    { "meter", 8, 120, 33 },
};
} // namespace tarnello::test
