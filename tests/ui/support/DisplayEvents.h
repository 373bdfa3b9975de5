#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace tarnello::test
{
// Runs the message loop until `done` holds or the time is up; answers `done` at the end.
bool pumpUntil (const std::function<bool()>& done, int timeoutMs = 4000);

// Runs the message loop for a while, for windows and menus to settle.
void pumpFor (int ms);

// Screen position of a component's point, in the X server's physical pixels.
juce::Point<int> physicalScreenPoint (juce::Component& c, juce::Point<int> local);
} // namespace tarnello::test
