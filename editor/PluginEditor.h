#pragma once

#include "editor/DovrethEditor.h"
#include "editor/URLImageButton.h"
#include "ui/Imaged.h"

#include <memory>

class TarnelloAudioProcessor;

// The product's editor: the main editor with its rack, bars and help strip built,
// the product's images along the bottom and the maker's logo as a link.
class PluginEditor : public DovrethEditor
{
public:
    static constexpr int bottomImageWidth = 49;
    static constexpr int bottomImageHeight = 32;
    static constexpr int productLogoWidth = 75;
    static constexpr int productLogoHeight = 15;
    static constexpr int logoWidth = 110;
    static constexpr int logoHeight = 20;

    explicit PluginEditor (TarnelloAudioProcessor& processor);
    ~PluginEditor() override;

    void paint (juce::Graphics& g) override;

    // How many bottom tiles an editor `width` pixels wide draws; the last one is clipped.
    static int bottomTileCount (int width) noexcept;

    URLImageButton* getLogoButton() const noexcept { return logoButton.get(); }

private:
    static void drawAtLogicalSize (juce::Graphics& g, Imaged& image, int x, int y);

    std::unique_ptr<Imaged> bottomImage;
    std::unique_ptr<Imaged> productLogo;
    std::unique_ptr<URLImageButton> logoButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditor)
};
