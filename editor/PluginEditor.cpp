#include "editor/PluginEditor.h"

#include "effect/PluginProcessor.h"
#include "framework/PluginPaths.h"

#include <algorithm>

namespace
{
std::unique_ptr<RackSettings> makeRackSettings()
{
    auto settings = std::make_unique<RackSettings>();
    settings->itemHeight = 234;
    settings->scrollBarThickness = 14;
    settings->animationMs = 110;
    settings->dragEnabled = false;
    settings->removeWhenDroppedOutside = false;
    return settings;
}
} // namespace

PluginEditor::PluginEditor (TarnelloAudioProcessor& processorIn) : DovrethEditor (processorIn)
{
    ownedModalPanel = std::make_unique<ModalPanel>();
    modalPanel = ownedModalPanel.get();
    addChildComponent (*ownedModalPanel);

    setLookAndFeel (&defaultLookAndFeel->lookAndFeel);

    rack = new RackEditor (&processorIn, &viewport, this, makeRackSettings());
    rackSettings = rack->settings.get();
    rack->setOpaque (true);

    addAndMakeVisible (viewport);
    viewport.setViewedComponent (rack, true);
    viewport.setScrollBarsShown (false, true, false, false);
    viewport.setScrollBarThickness (rackSettings->scrollBarThickness);
    viewport.setSingleStepSizes (40, 0);

    sideMenu = std::make_unique<SideMenu> (this, &processorIn);
    addAndMakeVisible (*sideMenu);

    presetBar = std::make_unique<GlobalPresetBar> (this, processorIn.presetsManager.get());
    addAndMakeVisible (*presetBar);

    helpTextVisor = std::make_unique<HelpTextVisor>();
    auto& label = helpTextVisor->getLabel();
    label.setColour (juce::Label::textColourId, juce::Colour (0xffc0c0c0));
    label.setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    label.setColour (juce::Label::outlineColourId, juce::Colours::transparentBlack);
    label.setFont (juce::Font (CustomLookAndFeel::guiMediumTypefaceName, 15.0f, juce::Font::plain));
    addAndMakeVisible (*helpTextVisor);
    helpTextVisor->setVisible (processorIn.inlineHelp);

    // The panel is built before the editor is first shown; the timer keeps it current.
    processorIn.rebuildEditors = true;
    timerCallback();
    startTimer (timerIntervalMs);

    presetBarChanged (PresetBar::refreshOnly);
    rackResizeIfNeeded();

    {
        auto& history = processorIn.stateManager->history;
        const juce::ScopedLock sl (processorIn.stateManager->stateLock);
        if (history.current == nullptr)
        {
            auto state = std::make_unique<juce::XmlElement> ("State");
            if (processorIn.stateManager->saveState)
                processorIn.stateManager->saveState (state.get());
            history.current = std::move (state);
        }
    }

    bottomImage = std::make_unique<Imaged> (this, "bottomImage_png");
    bottomImage->setBaseSize (bottomImageWidth, bottomImageHeight);
    productLogo = std::make_unique<Imaged> (this, "productLogo_png");
    productLogo->setBaseSize (productLogoWidth, productLogoHeight);

    logoButton = std::make_unique<URLImageButton> (
        juce::String (websiteHost) + "/?razor=" + PluginPaths::productId + "&ver=" + "1.0.0", "logo_png");
    logoButton->setIdleColour (juce::Colour (0xeeffffff));
    logoButton->setBounds (10, 9, logoWidth, logoHeight);
    addAndMakeVisible (*logoButton);
}

PluginEditor::~PluginEditor()
{
    logoButton.reset();
    productLogo.reset();
    bottomImage.reset();
    setLookAndFeel (nullptr);
}

int PluginEditor::bottomTileCount (int width) noexcept
{
    return std::max (0, width) / bottomImageWidth + 1;
}

void PluginEditor::drawAtLogicalSize (juce::Graphics& g, Imaged& image, int x, int y)
{
    image.refreshImageAndScale (g);
    const auto& picture = image.getImage();
    if (! picture.isValid())
        return;
    const float inverseScale = 1.0f / (float) std::max (1, image.getScale());
    g.drawImage (picture, x, y, (int) ((float) picture.getWidth() * inverseScale),
                 (int) ((float) picture.getHeight() * inverseScale), 0, 0, picture.getWidth(), picture.getHeight(),
                 false);
}

void PluginEditor::paint (juce::Graphics& g)
{
    g.fillAll (getLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId));
    g.setColour (juce::Colours::white);

    const int width = getWidth();
    const int height = getHeight();
    if (bottomImage != nullptr)
        for (int i = 0, n = bottomTileCount (width); i < n; ++i)
            drawAtLogicalSize (g, *bottomImage, i * bottomImageWidth, height - bottomImageHeight);

    if (productLogo != nullptr)
        drawAtLogicalSize (g, *productLogo, width - productLogoWidth - 18, height - productLogoHeight - 8);
}
