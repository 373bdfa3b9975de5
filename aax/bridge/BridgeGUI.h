// The GUI object of the bundle: the product's editor inside the host's window.
// CreateViewContents asks the instance's processor for its editor;
// CreateViewContainer puts the editor into the host's native view (an X11
// window) and tells the host its size, again whenever the editor resizes
// itself; DeleteViewContainer takes it out and deletes it. The host's idle
// calls (TimerWakeup) run JUCE's messages, so timers, repaints and the
// editor's mouse and keyboard events work inside the host's own loop.
#pragma once

#include "aax/AAX_CEffectGUI.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace tarnello::aax
{
class BridgeProcessor;

class BridgeGUI : public AAX_CEffectGUI, private juce::ComponentListener
{
public:
    BridgeGUI();
    ~BridgeGUI() override;

    AAX_Result Uninitialize() override;
    // {height, width} of the editor; -20004 while there is none.
    AAX_Result GetViewSize (AAX_Point* outSize) const override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated (AAX_CParamID parameterID) override;

    // The editor while it exists (between CreateViewContents and DeleteViewContainer).
    juce::AudioProcessorEditor* GetEditor() const noexcept { return mEditor.get(); }

protected:
    void CreateViewContents() override;
    void CreateViewContainer() override;
    void DeleteViewContainer() override;

private:
    BridgeProcessor* GetBridgeProcessor() const;
    void DeleteEditor();
    void ReportViewSize();
    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;

    const juce::ScopedJuceInitialiser_GUI mLibraryInitialiser;
    std::unique_ptr<juce::AudioProcessorEditor> mEditor;
    bool mAttached = false;
};
} // namespace tarnello::aax
