#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's appearance wherever JUCE's own widgets are used, over LookAndFeel_V2.
// It carries the four embedded Roboto faces and maps the typeface names the editor
// asks for onto them: "Default" and "Gui" (regular, bold or italic by style) and
// "GuiMedium". Fonts resolve through the default look-and-feel, so one instance is
// made the default while editors are open.
class CustomLookAndFeel : public juce::LookAndFeel_V2
{
public:
    static constexpr const char* defaultTypefaceName = "Default";
    static constexpr const char* guiTypefaceName = "Gui";
    static constexpr const char* guiMediumTypefaceName = "GuiMedium";

    CustomLookAndFeel();
    ~CustomLookAndFeel() override;

    bool areScrollbarButtonsVisible() override;
    void drawScrollbar (juce::Graphics&, juce::ScrollBar&, int x, int y, int width, int height,
                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                        bool isMouseOver, bool isMouseDown) override;
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&,
                           bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawTickBox (juce::Graphics&, juce::Component&, float x, float y, float w, float h,
                      bool ticked, bool isEnabled,
                      bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getAlertWindowTitleFont() override;
    juce::Font getAlertWindowMessageFont() override;
    void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawBubble (juce::Graphics&, juce::BubbleComponent&, const juce::Point<float>& tip,
                     const juce::Rectangle<float>& body) override;
    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    void drawPopupMenuSectionHeader (juce::Graphics&, const juce::Rectangle<int>& area,
                                     const juce::String& sectionName) override;
    juce::Font getPopupMenuFont() override;
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    void drawLabel (juce::Graphics&, juce::Label&) override;
    juce::Font getLabelFont (juce::Label&) override;
    int getSliderThumbRadius (juce::Slider&) override;
    juce::Label* createSliderTextBox (juce::Slider&) override;
    juce::Font getSliderPopupFont (juce::Slider&) override;
    int getSliderPopupPlacement (juce::Slider&) override;

    // The embedded faces, for tests and for drawing code that wants one directly.
    juce::Typeface::Ptr getRegularTypeface() const { return regular; }
    juce::Typeface::Ptr getItalicTypeface() const { return italic; }
    juce::Typeface::Ptr getMediumTypeface() const { return medium; }
    juce::Typeface::Ptr getBoldTypeface() const { return bold; }

    // The inset of one edge of a text button's face.
    static float buttonEdgeInset (bool connected, bool enabled, bool overOrDown) noexcept;

private:
    juce::Typeface::Ptr regular, italic, medium, bold, spare;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CustomLookAndFeel)
};
