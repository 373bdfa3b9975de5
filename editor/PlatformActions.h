#pragma once

#include <juce_core/juce_core.h>

// What the editor asks of the desktop that starts another program: showing a file in
// the file browser and opening a web address. Tests install their own, so that no
// test starts a process.
class PlatformActions
{
public:
    virtual ~PlatformActions() = default;

    virtual void revealToUser (const juce::File& file) = 0;
    virtual bool openWebAddress (const juce::URL& address) = 0;

    // The installed actions, else the system's.
    static PlatformActions& get();

    // Installs `actions` for its lifetime; the one installed before comes back after.
    class ScopedOverride
    {
    public:
        explicit ScopedOverride (PlatformActions& actions);
        ~ScopedOverride();

        ScopedOverride (const ScopedOverride&) = delete;
        ScopedOverride& operator= (const ScopedOverride&) = delete;

    private:
        PlatformActions* previous;
    };
};
