// libFuzzer target: a layout document from a file, built into the delay module's
// panel, refreshed and painted. The film strips are the build's own, so mutated
// frame counts, positions and sizes meet real images.

#include "editor/LayoutAttributes.h"
#include "editor/ModuleEditorFromXml.h"
#include "effect/ZerAvoroProcessor.h"
#include "framework/PluginPaths.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{
struct Setting
{
    Setting() { PluginPaths::setResourcesRootForTesting (TARNELLO_BUILD_RESOURCES_DIR); }

    juce::ScopedJuceInitialiser_GUI gui;
    std::shared_ptr<ModuleProcessor> module = std::make_shared<ZerAvoroProcessor> (nullptr);
};

// Never torn down: JUCE's own shutdown lists are statics made during the first
// paint, which the exit handlers destroy before a static made earlier.
Setting& setting()
{
    static auto* instance = new Setting();
    return *instance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size > (1u << 18))
        return 0;

    auto& s = setting();
    const auto layout = parseLayoutDocument (data, size);

    ModuleEditorFromXml panel (s.module, nullptr, &layout);
    panel.setSize (786, 234);
    panel.generateGui (nullptr);
    s.module->needsRefresh = true;
    panel.onTimer();
    panel.setShowControlValues (false);
    panel.setShowControlValues (true);
    panel.resized();

    juce::Image picture (juce::Image::ARGB, 786, 234, true);
    juce::Graphics g (picture);
    panel.paintEntireComponent (g, false);
    return 0;
}
