#include "editor/PlatformActions.h"

namespace
{
class SystemActions final : public PlatformActions
{
public:
    void revealToUser (const juce::File& file) override { file.revealToUser(); }
    bool openWebAddress (const juce::URL& address) override { return address.launchInDefaultBrowser(); }
};

PlatformActions* installed = nullptr;
} // namespace

PlatformActions& PlatformActions::get()
{
    static SystemActions system;
    return installed != nullptr ? *installed : system;
}

PlatformActions::ScopedOverride::ScopedOverride (PlatformActions& actions) : previous (installed)
{
    installed = &actions;
}

PlatformActions::ScopedOverride::~ScopedOverride()
{
    installed = previous;
}
