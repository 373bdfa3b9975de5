// The look-and-feel: which embedded face a font name resolves to, the fonts and
// colours JUCE's widgets get, and what some of them paint.

#include <gtest/gtest.h>

#include "tests/ui/support/GuiTestSupport.h"
#include "ui/CustomLookAndFeel.h"

using namespace tarnello::test;

namespace
{
CustomLookAndFeel& defaultLookAndFeel()
{
    auto* lnf = dynamic_cast<CustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel());
    if (lnf == nullptr)
        throw std::runtime_error ("the GUI test main installs CustomLookAndFeel as the default");
    return *lnf;
}

juce::Font styled (const char* name, const char* style)
{
    return juce::Font (name, style, 15.0f);
}

juce::Image draw (int w, int h, const std::function<void (juce::Graphics&)>& paint)
{
    juce::Image image (juce::Image::ARGB, w, h, true);
    juce::Graphics g (image);
    paint (g);
    return image;
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}

int countPixels (const juce::Image& image, const std::function<bool (juce::Colour)>& match)
{
    int n = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            n += match (image.getPixelAt (x, y)) ? 1 : 0;
    return n;
}
} // namespace

TEST (LookAndFeelFonts, TypefaceNamesMapToTheEmbeddedFacesByStyle)
{
    auto& lnf = defaultLookAndFeel();
    enum Face { regular, italic, medium, bold };
    struct Case { const char* name; const char* style; Face face; };
    const Case cases[] = {
        { "Default", "Regular", regular }, { "Gui", "Regular", regular },
        { "Default", "Bold", bold }, { "Gui", "bold", bold },
        { "Gui", "Bold Italic", bold }, { "Gui", "Italic", italic },
        { "Gui", "Oblique", italic }, { "Default", "Light Italic", italic },
        { "Gui", "Boldish", regular }, // a whole word "Bold" only
        { "GuiMedium", "Regular", medium }, { "GuiMedium", "Bold", medium }, { "GuiMedium", "Italic", medium },
    };

    for (const auto& c : cases)
    {
        const juce::Typeface::Ptr expected[] = { lnf.getRegularTypeface(), lnf.getItalicTypeface(),
                                                 lnf.getMediumTypeface(), lnf.getBoldTypeface() };
        ASSERT_NE (expected[c.face], nullptr);
        EXPECT_EQ (lnf.getTypefaceForFont (styled (c.name, c.style)), expected[c.face]) << c.name << " " << c.style;
    }
}

TEST (LookAndFeelFonts, FontsAskedForByNameDrawWithTheEmbeddedRobotoFaces)
{
    // Through JUCE's own resolution: the default look-and-feel, then the typeface cache.
    struct Case { juce::Font font; const char* style; };
    const Case cases[] = {
        { juce::Font ("Default", 15.0f, juce::Font::plain), "Regular" },
        { juce::Font ("Gui", 15.0f, juce::Font::bold), "Bold" },
        { juce::Font ("Gui", 15.0f, juce::Font::italic), "Italic" },
        { juce::Font ("GuiMedium", 15.0f, juce::Font::plain), "Medium" },
    };
    for (const auto& c : cases)
    {
        const auto face = c.font.getTypefacePtr();
        ASSERT_NE (face, nullptr);
        EXPECT_EQ (face->getName(), "Roboto") << c.style;
        EXPECT_EQ (face->getStyle(), c.style);
    }
}

TEST (LookAndFeelFonts, OtherNamesAreResolvedAsJuceWould)
{
    auto& lnf = defaultLookAndFeel();
    juce::LookAndFeel_V2 plain;
    const juce::Font font (juce::Font::getDefaultSansSerifFontName(), 15.0f, juce::Font::plain);
    const auto ours = lnf.getTypefaceForFont (font);
    ASSERT_NE (ours, nullptr);
    EXPECT_NE (ours, lnf.getRegularTypeface());
    EXPECT_EQ (ours->getName(), plain.getTypefaceForFont (font)->getName());
}

TEST (LookAndFeelFonts, WidgetFontsHaveTheirSizes)
{
    auto& lnf = defaultLookAndFeel();
    juce::TextButton button;
    juce::Slider slider;
    juce::Label label;
    label.setFont (juce::Font ("GuiMedium", 13.0f, juce::Font::plain));

    struct Case { const char* what; juce::Font font; float height; };
    const Case cases[] = {
        { "30 px button", lnf.getTextButtonFont (button, 30), 18.0f },
        { "20 px button", lnf.getTextButtonFont (button, 20), 14.0f },
        { "alert title", lnf.getAlertWindowTitleFont(), 15.0f },
        { "alert message", lnf.getAlertWindowMessageFont(), 16.0f },
        { "popup menu", lnf.getPopupMenuFont(), 16.0f },
        { "slider popup", lnf.getSliderPopupFont (slider), 15.0f },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (c.font.getTypefaceName(), "Default") << c.what;
        EXPECT_FLOAT_EQ (c.font.getHeight(), c.height) << c.what;
        EXPECT_EQ (c.font.getStyleFlags(), juce::Font::plain) << c.what;
    }
    EXPECT_EQ (lnf.getLabelFont (label), label.getFont());
}

TEST (LookAndFeelColours, WidgetsFindTheColourTable)
{
    // Widgets find their colours through the default look-and-feel.
    juce::Label label;
    juce::TextEditor editor;
    juce::TextButton button;
    juce::ComboBox box;
    juce::ScrollBar bar (true);

    struct Case { juce::Component* c; int id; juce::uint32 argb; };
    const Case cases[] = {
        { &label, juce::Label::backgroundColourId, 0xDD000000 }, { &label, juce::Label::textColourId, 0xFFCCCCCC },
        { &label, juce::Label::backgroundWhenEditingColourId, 0xFFF5F5F5 },
        { &editor, juce::TextEditor::highlightColourId, 0xFF225588 },
        { &editor, juce::TextEditor::focusedOutlineColourId, 0xFFFFFFFF },
        { &button, juce::TextButton::buttonColourId, 0xFFCFB27C }, { &button, juce::TextButton::buttonOnColourId, 0xFFEFD29C },
        { &box, juce::ComboBox::arrowColourId, 0xCC000000 }, { &box, juce::ComboBox::buttonColourId, 0x66FFFFFF },
        { &bar, juce::ScrollBar::thumbColourId, 0x55999999 }, { &bar, juce::ScrollBar::trackColourId, 0x3F000000 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (c.c->findColour (c.id), juce::Colour (c.argb)) << std::hex << c.id;

    auto& lnf = defaultLookAndFeel();
    EXPECT_EQ (lnf.findColour (juce::PopupMenu::highlightedBackgroundColourId), juce::Colour (0xAA336699));
    EXPECT_EQ (lnf.findColour (juce::BubbleComponent::backgroundColourId), juce::Colour (0xF5171718));
    EXPECT_EQ (lnf.findColour (juce::ResizableWindow::backgroundColourId), juce::Colour (0xFF161616));
    EXPECT_EQ (lnf.findColour (juce::AlertWindow::textColourId), juce::Colour (0xDDFFFFFF));
}

TEST (LookAndFeelSliders, ThumbRadiusAndPopupPlacement)
{
    auto& lnf = defaultLookAndFeel();
    struct Case { int w, h, radius; };
    const Case cases[] = { { 10, 40, 7 }, { 40, 10, 7 }, { 40, 40, 9 }, { 3, 3, 3 }, { 0, 0, 2 } };
    for (const auto& c : cases)
    {
        juce::Slider s;
        s.setSize (c.w, c.h);
        EXPECT_EQ (lnf.getSliderThumbRadius (s), c.radius) << c.w << "x" << c.h;
    }
    juce::Slider s;
    EXPECT_EQ (lnf.getSliderPopupPlacement (s), 15);
    EXPECT_FALSE (lnf.areScrollbarButtonsVisible());
}

TEST (LookAndFeelSliders, TheTextBoxEditsOnDoubleClickOnly)
{
    juce::Slider s (juce::Slider::LinearHorizontal, juce::Slider::TextBoxBelow);
    std::unique_ptr<juce::Label> box (defaultLookAndFeel().createSliderTextBox (s));
    EXPECT_FALSE (box->isEditableOnSingleClick());
    EXPECT_TRUE (box->isEditableOnDoubleClick());
    EXPECT_FALSE (box->doesLossOfFocusDiscardChanges());
}

TEST (LookAndFeelLabels, ABeingEditedLabelPaintsItsOutlineOnlyWhenEnabled)
{
    auto& lnf = defaultLookAndFeel();
    juce::Component parent;
    parent.setSize (100, 30);
    juce::Label label ({}, "Feedback");
    label.setBounds (0, 0, 100, 30);
    parent.addAndMakeVisible (label);
    label.setColour (juce::Label::backgroundColourId, juce::Colours::red);
    label.setColour (juce::Label::outlineColourId, juce::Colours::lime);
    label.setColour (juce::Label::textColourId, juce::Colours::blue);

    const auto isLime = [] (juce::Colour c) { return c.getGreen() > 200 && c.getRed() < 50; };
    const auto isBlue = [] (juce::Colour c) { return c.getBlue() > 200 && c.getRed() < 50; };

    const auto idle = draw (100, 30, [&] (juce::Graphics& g) { lnf.drawLabel (g, label); });
    EXPECT_GT (countPixels (idle, isBlue), 0);
    EXPECT_EQ (countPixels (idle, isLime), 0);
    EXPECT_EQ (idle.getPixelAt (0, 0).getAlpha(), 0); // corner 6 rounding
    EXPECT_EQ (idle.getPixelAt (50, 3), juce::Colour (juce::Colours::red));

    label.showEditor();
    ASSERT_TRUE (label.isBeingEdited());
    const auto editing = draw (100, 30, [&] (juce::Graphics& g) { lnf.drawLabel (g, label); });
    EXPECT_GT (countPixels (editing, isLime), 0);
    EXPECT_EQ (countPixels (editing, isBlue), 0);

    parent.setEnabled (false);
    const auto disabled = draw (100, 30, [&] (juce::Graphics& g) { lnf.drawLabel (g, label); });
    EXPECT_EQ (countPixels (disabled, isLime), 0);
    EXPECT_EQ (countPixels (disabled, isBlue), 0);
    EXPECT_EQ (disabled.getPixelAt (50, 15), juce::Colour (juce::Colours::red));
    label.hideEditor (true);
}

TEST (LookAndFeelMenus, ASectionHeaderIsDrawnBoldAtSeventeen)
{
    auto& lnf = defaultLookAndFeel();
    const juce::Rectangle<int> area (0, 0, 200, 30);
    const auto header = draw (200, 30, [&] (juce::Graphics& g) { lnf.drawPopupMenuSectionHeader (g, area, "Presets"); });

    const auto byHand = [&] (juce::Font font) {
        return draw (200, 30, [&] (juce::Graphics& g) {
            g.setFont (font);
            g.setColour (juce::Colours::black);
            g.drawFittedText ("Presets", 12, 0, 184, 24, juce::Justification::bottomLeft, 1);
        });
    };
    EXPECT_TRUE (samePixels (header, byHand (juce::Font ("Default", 17.0f, juce::Font::bold))));
    EXPECT_FALSE (samePixels (header, byHand (juce::Font ("Default", 17.0f, juce::Font::plain))));
    EXPECT_FALSE (samePixels (header, byHand (juce::Font ("Default", 16.0f, juce::Font::bold))));
}

TEST (LookAndFeelButtons, TheFaceLightsUpUnderThePointer)
{
    auto& lnf = defaultLookAndFeel();
    juce::TextButton button ("OK");
    button.setSize (80, 24);

    const auto normal = draw (80, 24, [&] (juce::Graphics& g) { lnf.drawButtonBackground (g, button, {}, false, false); });
    const auto over = draw (80, 24, [&] (juce::Graphics& g) { lnf.drawButtonBackground (g, button, juce::Colours::red, true, false); });
    EXPECT_EQ (normal.getPixelAt (40, 12), juce::Colour (0xFFCFB27C));
    EXPECT_EQ (over.getPixelAt (40, 12), juce::Colour (0xFFEFD29C));

    struct Case { bool connected, enabled, overOrDown; float inset; };
    const Case cases[] = { { true, true, true, 0.1f }, { true, false, false, 0.1f }, { false, false, false, 0.2f },
                           { false, true, true, 0.6f }, { false, true, false, 0.35f } };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ (CustomLookAndFeel::buttonEdgeInset (c.connected, c.enabled, c.overOrDown), c.inset);
}

TEST (LookAndFeelPictures, CommonWidgetsDrawnWithTheEmbeddedFonts)
{
    juce::Component sheet;
    sheet.setSize (320, 170);
    sheet.setOpaque (true);

    struct Sheet : juce::Component
    {
        void paint (juce::Graphics& g) override { g.fillAll (findColour (juce::ResizableWindow::backgroundColourId)); }
    } background;
    background.setBounds (sheet.getLocalBounds());
    sheet.addAndMakeVisible (background);

    juce::TextButton ok ("Save Preset");
    juce::ToggleButton toggle ("Inline Help");
    juce::ComboBox box;
    juce::Label label ({}, "Delay Sync");
    juce::TextEditor editor;
    juce::Slider knob (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    box.addItem ("1/4 D", 1);
    box.setSelectedId (1, juce::dontSendNotification);
    toggle.setToggleState (true, juce::dontSendNotification);
    editor.setText ("Warm Tape");
    knob.setValue (0.6, juce::dontSendNotification);
    label.setFont (juce::Font ("GuiMedium", 15.0f, juce::Font::plain));

    ok.setBounds (10, 10, 120, 30);
    toggle.setBounds (150, 10, 150, 30);
    box.setBounds (10, 55, 120, 26);
    label.setBounds (150, 55, 150, 26);
    editor.setBounds (10, 100, 120, 26);
    knob.setBounds (150, 95, 60, 60);
    for (auto* c : std::initializer_list<juce::Component*> { &ok, &toggle, &box, &label, &editor, &knob })
        sheet.addAndMakeVisible (c);

    const auto one = snapshot (sheet, 1.0f, "ui", "look-and-feel");
    const auto two = snapshot (sheet, 2.0f, "ui", "look-and-feel");
    EXPECT_EQ (two.getWidth(), 640);
    EXPECT_EQ (one.getPixelAt (70, 12), juce::Colour (0xFFCFB27C)); // the button's face
    EXPECT_EQ (one.getPixelAt (315, 165), juce::Colour (0xFF161616));
}
