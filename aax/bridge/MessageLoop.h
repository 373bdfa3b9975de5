// JUCE's message loop inside the bundle. The host has its own loop and calls
// us on its GUI thread, which is JUCE's message thread here (the thread that
// first started JUCE in the bundle). Each idle call from the host runs what is
// pending: posted messages, timers, repaints and the X events of our windows.
#pragma once

namespace tarnello::aax
{
// Runs pending messages and events until none is left or `maxMessages` ran;
// returns how many ran. Does nothing when called off the message thread.
int DispatchPendingMessages (int maxMessages = 256);
} // namespace tarnello::aax
