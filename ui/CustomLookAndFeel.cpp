#include "ui/CustomLookAndFeel.h"

#include "BinaryData.h"

namespace
{
juce::Typeface::Ptr embeddedTypeface (const char* resourceName)
{
    int size = 0;
    if (const auto* data = BinaryData::getNamedResource (resourceName, size); data != nullptr && size > 0)
        return juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
    return nullptr;
}

bool hasWholeWordIgnoringCase (const juce::String& text, const juce::String& word)
{
    juce::StringArray words;
    words.addTokens (text, " \t-_,", {});
    for (const auto& w : words)
        if (w.equalsIgnoreCase (word))
            return true;
    return false;
}

juce::Font namedFont (float height)
{
    return juce::Font (CustomLookAndFeel::defaultTypefaceName, height, juce::Font::plain);
}

const juce::Colour buttonHighlightColour { 0xFFEFD29C };
const juce::Colour faintOutlineColour { 0x44000000 };
} // namespace

CustomLookAndFeel::CustomLookAndFeel()
    : regular (embeddedTypeface ("RobotoRegular_ttf")),
      italic (embeddedTypeface ("RobotoItalic_ttf")),
      medium (embeddedTypeface ("RobotoMedium_ttf")),
      bold (embeddedTypeface ("RobotoBold_ttf"))
{
    const std::pair<int, juce::uint32> colourTable[] = {
        { juce::Label::backgroundColourId, 0xDD000000 },
        { juce::Label::textColourId, 0xFFCCCCCC },
        { juce::Label::outlineColourId, 0xFF000000 },
        { juce::PopupMenu::backgroundColourId, 0xF9F9F9F9 },
        { juce::PopupMenu::textColourId, 0xCC000000 },
        { juce::PopupMenu::headerTextColourId, 0xFF000000 },
        { juce::PopupMenu::highlightedBackgroundColourId, 0xAA336699 },
        { juce::PopupMenu::highlightedTextColourId, 0xEEFFFFFF },
        { juce::AlertWindow::backgroundColourId, 0xCC333333 },
        { juce::AlertWindow::outlineColourId, 0xFF222222 },
        { juce::AlertWindow::textColourId, 0xDDFFFFFF },
        { juce::TextButton::buttonColourId, 0xFFCFB27C },
        { juce::TextButton::buttonOnColourId, 0xFFEFD29C },
        { juce::TextButton::textColourOffId, 0xFF252525 },
        { juce::TextButton::textColourOnId, 0xFF252525 },
        { juce::CaretComponent::caretColourId, 0xFF000000 },
        { juce::Label::textWhenEditingColourId, 0xFF222222 },
        { juce::Label::outlineWhenEditingColourId, 0x44FFFFFF },
        { juce::Label::backgroundWhenEditingColourId, 0xFFF5F5F5 },
        { juce::TextEditor::focusedOutlineColourId, 0xFFFFFFFF },
        { juce::TextEditor::backgroundColourId, 0xFFF5F5F5 },
        { juce::TextEditor::highlightColourId, 0xFF225588 },
        { juce::TextEditor::highlightedTextColourId, 0xFFFFFFFF },
        { juce::TextEditor::outlineColourId, 0x44FFFFFF },
        { juce::TextEditor::textColourId, 0xFF222222 },
        { juce::ComboBox::buttonColourId, 0x66FFFFFF },
        { juce::ComboBox::backgroundColourId, 0xFFF5F5F5 },
        { juce::ComboBox::outlineColourId, 0x44FFFFFF },
        { juce::ComboBox::textColourId, 0xFF222222 },
        { juce::ComboBox::arrowColourId, 0xCC000000 },
        { juce::ScrollBar::backgroundColourId, 0xFF000000 },
        { juce::ScrollBar::trackColourId, 0x3F000000 },
        { juce::ScrollBar::thumbColourId, 0x55999999 },
        { juce::TooltipWindow::textColourId, 0xFFCCCCCC },
        { juce::BubbleComponent::backgroundColourId, 0xF5171718 },
        { juce::BubbleComponent::outlineColourId, 0xFF000000 },
        { juce::ResizableWindow::backgroundColourId, 0xFF161616 },
    };

    for (const auto& [id, argb] : colourTable)
        setColour (id, juce::Colour (argb));
}

CustomLookAndFeel::~CustomLookAndFeel() = default;

//==============================================================================
juce::Typeface::Ptr CustomLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    const auto& typefaceName = font.getTypefaceName();
    juce::Typeface::Ptr chosen;

    if (typefaceName == defaultTypefaceName || typefaceName == guiTypefaceName)
    {
        const auto& style = font.getTypefaceStyle();
        if (hasWholeWordIgnoringCase (style, "Bold"))
            chosen = bold;
        else if (style.containsIgnoreCase ("Italic") || style.containsIgnoreCase ("Oblique"))
            chosen = italic;
        else
            chosen = regular;
    }
    else if (typefaceName == guiMediumTypefaceName)
    {
        chosen = medium;
    }

    // A face missing from the build falls back to JUCE's own choice.
    return chosen != nullptr ? chosen : juce::LookAndFeel_V2::getTypefaceForFont (font);
}

juce::Font CustomLookAndFeel::getTextButtonFont (juce::TextButton&, int buttonHeight)
{
    return namedFont (juce::jmin ((float) buttonHeight * 0.7f, 18.0f));
}

juce::Font CustomLookAndFeel::getAlertWindowTitleFont() { return namedFont (15.0f); }
juce::Font CustomLookAndFeel::getAlertWindowMessageFont() { return namedFont (16.0f); }
juce::Font CustomLookAndFeel::getPopupMenuFont() { return namedFont (16.0f); }
juce::Font CustomLookAndFeel::getSliderPopupFont (juce::Slider&) { return namedFont (15.0f); }
juce::Font CustomLookAndFeel::getLabelFont (juce::Label& label) { return label.getFont(); }

//==============================================================================
float CustomLookAndFeel::buttonEdgeInset (bool connected, bool enabled, bool overOrDown) noexcept
{
    if (connected)
        return 0.1f;
    if (! enabled)
        return 0.2f;
    return overOrDown ? 0.6f : 0.35f;
}

void CustomLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                              bool over, bool down)
{
    const auto enabled = button.isEnabled();
    const auto overOrDown = over || down;
    const auto fill = overOrDown ? buttonHighlightColour : button.findColour (juce::TextButton::buttonColourId);

    auto area = button.getLocalBounds().toFloat();
    const auto left = buttonEdgeInset (button.isConnectedOnLeft(), enabled, overOrDown);
    const auto right = buttonEdgeInset (button.isConnectedOnRight(), enabled, overOrDown);
    const auto top = buttonEdgeInset (button.isConnectedOnTop(), enabled, overOrDown);
    const auto bottom = buttonEdgeInset (button.isConnectedOnBottom(), enabled, overOrDown);
    area = { area.getX() + left, area.getY() + top,
             area.getWidth() - left - right, area.getHeight() - top - bottom };

    g.setColour (fill);
    g.fillRoundedRectangle (area, 2.0f);
    g.setColour (faintOutlineColour);
    g.drawRoundedRectangle (area, 2.0f, 1.0f);
}

void CustomLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool over, bool down)
{
    const auto width = (float) button.getWidth();
    const auto height = (float) button.getHeight();
    const auto fontSize = juce::jmin (15.0f, height * 0.75f);
    const auto tickWidth = fontSize * 1.1f;
    const auto textWidth = (int) (width - 1.0f - tickWidth);
    const auto enabled = button.isEnabled();

    g.setColour (button.findColour (juce::ToggleButton::textColourId).withMultipliedAlpha (enabled ? 1.0f : 0.5f));
    g.setFont (namedFont (fontSize));
    g.drawFittedText (button.getButtonText(), 5, 0, textWidth, button.getHeight(),
                      juce::Justification::centredLeft, 10);

    drawTickBox (g, button, (float) textWidth + 4.0f, (height - tickWidth) * 0.5f, tickWidth, tickWidth,
                 button.getToggleState(), enabled, over, down);
}

void CustomLookAndFeel::drawTickBox (juce::Graphics& g, juce::Component& component, float x, float y, float w,
                                     float h, bool ticked, bool isEnabled, bool, bool)
{
    const auto diameter = w * 0.7f;
    const auto top = y + (h - diameter) * 0.5f;

    g.setColour (component.findColour (juce::ToggleButton::textColourId).withAlpha ((juce::uint8) 0xBF));
    g.drawEllipse (x, top, diameter, diameter, 2.0f);

    if (ticked)
    {
        g.setColour (component.findColour (isEnabled ? juce::ToggleButton::tickColourId
                                                     : juce::ToggleButton::tickDisabledColourId));
        g.fillEllipse (x + 2.0f, top + 2.0f, diameter - 4.0f, diameter - 4.0f);
    }
}

//==============================================================================
void CustomLookAndFeel::fillTextEditorBackground (juce::Graphics& g, int width, int height, juce::TextEditor& editor)
{
    editor.setOpaque (false);
    g.setColour (editor.findColour (juce::TextEditor::backgroundColourId));
    g.fillRoundedRectangle (1.0f, 1.0f, (float) width - 2.0f, (float) height - 2.0f, 2.0f);
}

void CustomLookAndFeel::drawTextEditorOutline (juce::Graphics& g, int width, int height, juce::TextEditor& editor)
{
    if (! editor.isEnabled())
        return;

    if (editor.hasKeyboardFocus (true) && ! editor.isReadOnly())
    {
        g.setColour (editor.findColour (juce::TextEditor::focusedOutlineColourId));
        g.drawRoundedRectangle (2.0f, 2.0f, (float) width - 4.0f, (float) height - 4.0f, 2.0f, 2.0f);
    }
    else
    {
        g.setColour (editor.findColour (juce::TextEditor::outlineColourId));
        g.drawRoundedRectangle (1.0f, 1.0f, (float) width - 2.0f, (float) height - 2.0f, 2.0f, 1.0f);
    }
}

void CustomLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    const auto bounds = label.getLocalBounds();
    g.setColour (label.findColour (juce::Label::backgroundColourId));
    g.fillRoundedRectangle (bounds.toFloat(), 6.0f);

    if (label.isBeingEdited())
    {
        if (label.isEnabled())
        {
            g.setColour (label.findColour (juce::Label::outlineColourId));
            g.drawRect (bounds.toFloat(), 1.0f);
        }
        return;
    }

    g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (label.isEnabled() ? 1.0f : 0.5f));
    g.setFont (getLabelFont (label));
    g.drawFittedText (label.getText(), label.getBorderSize().subtractedFrom (bounds), label.getJustificationType(),
                      1, label.getMinimumHorizontalScale());
}

juce::Label* CustomLookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    auto* box = juce::LookAndFeel_V2::createSliderTextBox (slider);
    box->setEditable (false, true, false);
    return box;
}

//==============================================================================
void CustomLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> area (0.0f, 0.0f, (float) width, (float) height);
    g.setColour (findColour (juce::PopupMenu::backgroundColourId));
    g.fillRoundedRectangle (area, 2.0f);
    g.setColour (faintOutlineColour);
    g.drawRoundedRectangle (area, 2.0f, 1.0f);
}

void CustomLookAndFeel::drawPopupMenuSectionHeader (juce::Graphics& g, const juce::Rectangle<int>& area,
                                                    const juce::String& sectionName)
{
    g.setFont (getPopupMenuFont().boldened().withHeight (17.0f));
    g.setColour (findColour (juce::PopupMenu::headerTextColourId));
    g.drawFittedText (sectionName, area.getX() + 12, area.getY(), area.getWidth() - 16,
                      (int) ((float) area.getHeight() * 0.8f), juce::Justification::bottomLeft, 1);
}

void CustomLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX,
                                      int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    const auto enabled = box.isEnabled();
    box.setOpaque (false);

    const juce::Rectangle<float> face (1.0f, 1.0f, (float) width - 2.0f, (float) height - 2.0f);
    g.setColour (box.findColour (juce::ComboBox::backgroundColourId));
    g.fillRoundedRectangle (face, 2.0f);
    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRoundedRectangle (face, 2.0f, enabled && box.hasKeyboardFocus (false) ? 2.0f : 1.0f);

    const auto inset = ! enabled ? 0.3f : (isButtonDown ? 1.2f : 0.5f);
    auto buttonColour = box.findColour (juce::ComboBox::buttonColourId)
                            .withMultipliedSaturation (box.hasKeyboardFocus (true) ? 1.3f : 0.9f);
    if (isButtonDown)
        buttonColour = buttonColour.contrasting (0.2f);
    buttonColour = buttonColour.withMultipliedAlpha (enabled ? 0.7f : 0.4f);

    const juce::Rectangle<float> button ((float) buttonX, (float) buttonY, (float) buttonW, (float) buttonH);
    g.setColour (buttonColour);
    g.fillRoundedRectangle (button.reduced (inset), 2.0f);

    if (enabled)
    {
        const auto bx = button.getX(), by = button.getY(), bw = button.getWidth(), bh = button.getHeight();
        juce::Path arrows;
        arrows.addTriangle (bx + bw * 0.5f, by + bh * 0.25f, bx + bw * 0.3f, by + bh * 0.45f, bx + bw * 0.7f, by + bh * 0.45f);
        arrows.addTriangle (bx + bw * 0.5f, by + bh * 0.75f, bx + bw * 0.3f, by + bh * 0.55f, bx + bw * 0.7f, by + bh * 0.55f);
        g.setColour (box.findColour (juce::ComboBox::arrowColourId));
        g.fillPath (arrows);
    }
}

void CustomLookAndFeel::drawBubble (juce::Graphics& g, juce::BubbleComponent& bubble, const juce::Point<float>& tip,
                                    const juce::Rectangle<float>& body)
{
    juce::Path p;
    p.addBubble (body.reduced (0.5f), body.getUnion ({ tip.x, tip.y, 1.0f, 1.0f }), tip, 4.0f,
                 juce::jmin (15.0f, body.getWidth() * 0.2f, body.getHeight() * 0.2f));

    g.setColour (bubble.findColour (juce::BubbleComponent::backgroundColourId));
    g.fillPath (p);
    g.setColour (bubble.findColour (juce::BubbleComponent::outlineColourId));
    g.strokePath (p, juce::PathStrokeType (1.0f));
}

//==============================================================================
bool CustomLookAndFeel::areScrollbarButtonsVisible() { return false; }

void CustomLookAndFeel::drawScrollbar (juce::Graphics& g, juce::ScrollBar& scrollbar, int x, int y, int width,
                                       int height, bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                                       bool, bool)
{
    g.fillAll (scrollbar.findColour (juce::ScrollBar::backgroundColourId));

    const float slotIndent = juce::jmin (width, height) >= 16 ? 1.0f : 0.0f;
    const float thumbIndent = slotIndent + 3.0f;
    constexpr float corner = 1.0f;

    juce::Path slotPath, thumbPath;
    slotPath.addRoundedRectangle ((float) x + slotIndent, (float) y + slotIndent, (float) width - 2.0f * slotIndent,
                                  (float) height - 2.0f * slotIndent, corner);

    float gx1 = 0.0f, gy1 = 0.0f, gx2 = 0.0f, gy2 = 0.0f;
    if (isScrollbarVertical)
    {
        if (thumbSize > 0)
            thumbPath.addRoundedRectangle ((float) x + thumbIndent, (float) thumbStartPosition + thumbIndent,
                                           (float) width - 2.0f * thumbIndent, (float) thumbSize - 2.0f * thumbIndent,
                                           corner);
        gx1 = (float) x;
        gx2 = (float) x + (float) width * 0.7f;
    }
    else
    {
        if (thumbSize > 0)
            thumbPath.addRoundedRectangle ((float) thumbStartPosition + thumbIndent, (float) y + thumbIndent,
                                           (float) thumbSize - 2.0f * thumbIndent, (float) height - 2.0f * thumbIndent,
                                           corner);
        gy1 = (float) y;
        gy2 = (float) y + (float) height * 0.7f;
    }

    const auto thumbColour = scrollbar.findColour (juce::ScrollBar::thumbColourId);
    juce::Colour track1, track2;
    if (scrollbar.isColourSpecified (juce::ScrollBar::trackColourId) || isColourSpecified (juce::ScrollBar::trackColourId))
    {
        track1 = track2 = scrollbar.findColour (juce::ScrollBar::trackColourId);
    }
    else
    {
        track1 = thumbColour.overlaidWith (juce::Colour (0x44000000));
        track2 = thumbColour.overlaidWith (juce::Colour (0x19000000));
    }

    g.setGradientFill (juce::ColourGradient (track1, gx1, gy1, track2, gx2, gy2, false));
    g.fillPath (slotPath);

    if (isScrollbarVertical)
    {
        gx1 = (float) x + (float) width * 0.6f;
        gx2 = (float) x + (float) width;
    }
    else
    {
        gy1 = (float) y + (float) height * 0.6f;
        gy2 = (float) y + (float) height;
    }

    g.setGradientFill (juce::ColourGradient (juce::Colours::transparentBlack, gx1, gy1, juce::Colour (0x19000000), gx2, gy2, false));
    g.fillPath (slotPath);

    g.setColour (thumbColour);
    g.fillPath (thumbPath);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x10000000), gx1, gy1, juce::Colours::transparentBlack, gx2, gy2, false));
    {
        juce::Graphics::ScopedSaveState saved (g);
        if (isScrollbarVertical)
            g.reduceClipRegion (x + width / 2, y, width, height);
        else
            g.reduceClipRegion (x, y + height / 2, width, height);
        g.fillPath (thumbPath);
    }

    g.setColour (juce::Colour (0x4c000000));
    g.strokePath (thumbPath, juce::PathStrokeType (0.4f));
}

int CustomLookAndFeel::getSliderThumbRadius (juce::Slider& slider)
{
    return juce::jmin (7, juce::jmin (slider.getHeight() / 2, slider.getWidth() / 2)) + 2;
}

int CustomLookAndFeel::getSliderPopupPlacement (juce::Slider&)
{
    return juce::BubbleComponent::above | juce::BubbleComponent::below
         | juce::BubbleComponent::left | juce::BubbleComponent::right;
}
