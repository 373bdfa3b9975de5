#include "tests/ui/support/DisplayEvents.h"

namespace juce
{
// JUCE's Linux message loop step (not in its public headers): dispatches one pending
// message or returns false when none is waiting.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace tarnello::test
{
bool pumpUntil (const std::function<bool()>& done, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (juce::Time::getMillisecondCounter() < end)
    {
        if (done())
            return true;
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (5);
    }
    return done();
}

void pumpFor (int ms)
{
    pumpUntil ([] { return false; }, ms);
}

juce::Point<int> physicalScreenPoint (juce::Component& c, juce::Point<int> local)
{
    const auto logical = c.localPointToGlobal (local).toFloat();
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    const auto scale = (display != nullptr ? (float) display->scale : 1.0f)
                     * juce::Desktop::getInstance().getGlobalScaleFactor();
    return (logical * scale).roundToInt();
}
} // namespace tarnello::test
