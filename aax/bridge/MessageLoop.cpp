#include "aax/bridge/MessageLoop.h"

#include <juce_events/juce_events.h>

namespace juce
{
// JUCE's own step of its Linux message loop (juce_linux_Messaging.cpp); its plug-in
// wrappers drive a host-owned loop through it the same way.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace tarnello::aax
{
int DispatchPendingMessages (int maxMessages)
{
    auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();
    if (messageManager == nullptr || ! messageManager->isThisTheMessageThread())
        return 0;

    // Bounded: a timer that keeps posting must not hold the host's thread forever.
    int dispatched = 0;
    while (dispatched < maxMessages && juce::dispatchNextMessageOnSystemQueue (true))
        ++dispatched;
    return dispatched;
}
} // namespace tarnello::aax
