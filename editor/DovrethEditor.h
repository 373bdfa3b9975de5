#pragma once

#include "editor/PresetBar.h"
#include "editor/RackEditor.h"
#include "editor/SideMenu.h"
#include "framework/DovrethProcessor.h"
#include "ui/CustomLookAndFeel.h"
#include "ui/HelpTextVisor.h"
#include "ui/ModalPanel.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The framework's main editor: the module rack in a horizontally scrolling viewport,
// the side menu at the top right, the preset bar at the top centre, the inline help
// strip below the rack and a modal panel over everything for dialogs. It polls the
// processor every 33 ms, rebuilds the module panels whenever the state changed from
// outside them, carries out the side-menu and preset-bar commands and keeps its size
// matched to the rack. The product's editor builds its members.
class DovrethEditor : public juce::AudioProcessorEditor,
                      public ModalEditorBase,
                      public DragAndDropRack::Listener,
                      public SideMenu::Listener,
                      public PresetBar::Listener,
                      public juce::Timer
{
public:
    static constexpr int timerIntervalMs = 33;
    static constexpr int minimumContentWidth = 240;
    static constexpr int rackTop = 38;
    // Room the editor keeps above and below the rack for the bars and the help strip.
    static constexpr int chromeHeight = 70;

    // The web addresses are ours; everything the product shows points at these two.
    static constexpr const char* websiteHost = "https://www.halvory.example";
    static constexpr const char* supportAddress = "https://www.halvory.example/support/";
    static constexpr const char* specialDealsPath = "/razor-special-deals.html";

    // The window scale step's factors, picked by an argument of 1 to 4.
    static constexpr float guiScaleFactors[] { 0.8f, 1.0f, 1.25f, 1.5f };

    // One look-and-feel for every open editor: the first editor that takes it makes it
    // the default, the last one to let go puts the default back as it found it.
    class DefaultLookAndFeel
    {
    public:
        DefaultLookAndFeel();
        ~DefaultLookAndFeel();

        CustomLookAndFeel lookAndFeel;

    private:
        juce::WeakReference<juce::LookAndFeel> previous;
        JUCE_DECLARE_NON_COPYABLE (DefaultLookAndFeel)
    };

    explicit DovrethEditor (DovrethProcessor& processor);
    ~DovrethEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void rackResizeIfNeeded() override;
    void timerCallback() override;
    void sideMenuAction (SideMenu::Commands command, void* argument) override;
    void presetBarChanged (PresetBar::PresetCommands command) override;

    // The About box's text, for a processor made under `wrapper`.
    static juce::String aboutMessage (juce::AudioProcessor::WrapperType wrapper);
    // The processor's scale as a window size may use it: 1 when not finite or not
    // positive, else kept within the window's limits (0.75 to 4).
    static float usableScale (float scale) noexcept;
    // The factor of a window scale step, or 0 for an argument outside 1..4.
    static float scaleFactorForStep (int argument) noexcept;

    // Sum of the module panels' widths, at least 240.
    int getContentWidth() const;

    RackEditor* getRack() const noexcept { return rack; }
    juce::Viewport& getViewport() noexcept { return viewport; }
    SideMenu* getSideMenu() const noexcept { return sideMenu.get(); }
    PresetBar* getPresetBar() const noexcept { return presetBar.get(); }
    HelpTextVisor* getHelpTextVisor() const noexcept { return helpTextVisor.get(); }
    DovrethProcessor& getProcessor() const noexcept { return *dovreth; }

protected:
    // Deletes every module panel, last first.
    void deleteModuleEditors();
    // Deletes and builds the panels again from the processor's modules.
    void rebuildModuleEditors();

    std::unique_ptr<ModalPanel> ownedModalPanel;
    std::unique_ptr<HelpTextVisor> helpTextVisor;
    juce::SharedResourcePointer<DefaultLookAndFeel> defaultLookAndFeel;
    RackEditor* rack = nullptr; // owned by the viewport
    juce::Viewport viewport;
    RackSettings* rackSettings = nullptr;
    std::unique_ptr<SideMenu> sideMenu;
    std::unique_ptr<PresetBar> presetBar;
    DovrethProcessor* dovreth;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DovrethEditor)
};
