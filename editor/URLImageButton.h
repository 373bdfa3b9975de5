#pragma once

#include "ui/Imaged.h"

#include <juce_gui_basics/juce_gui_basics.h>

// An image that opens a web address when clicked: the maker's logo in the product
// editor. It is drawn slightly transparent until the pointer is over it.
class URLImageButton : public juce::Component
{
public:
    URLImageButton (const juce::String& address, const juce::String& imageName);
    ~URLImageButton() override;

    void setIdleColour (juce::Colour colour);
    juce::Colour getIdleColour() const noexcept { return idleColour; }
    const juce::String& getAddress() const noexcept { return address; }
    bool isHovered() const noexcept { return hovered; }
    Imaged& getImage() noexcept { return *image; }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics& g) override;

private:
    juce::String address;
    std::unique_ptr<Imaged> image;
    bool hovered = false;
    juce::Colour idleColour { juce::Colours::white };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (URLImageButton)
};
