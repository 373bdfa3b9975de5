#include "ui/Control.h"

#include "ui/HelpTextVisor.h"

#include <cstdint>

namespace
{
// Layout documents give these numbers; keep every coordinate derived from them inside int.
constexpr int coordinateLimit = 1'000'000'000;

int limited (std::int64_t v) noexcept
{
    return (int) juce::jlimit<std::int64_t> (-coordinateLimit, coordinateLimit, v);
}
} // namespace

void Control::resetHit() {}

void Control::updateHitRectRelative() noexcept
{
    hitRectRelative = hitRect.withPosition (hitRect.getPosition() - controlBounds.getPosition());
}

void Control::setHitRectangle (const juce::Rectangle<int>& r)
{
    hitKind = hitRectangle;
    hitRect = r;

    const bool boundsEmpty = controlBounds.getWidth() <= 0 || controlBounds.getHeight() <= 0;
    const bool rEmpty = r.getWidth() < 1 || r.getHeight() < 1;

    if (boundsEmpty)
        controlBounds = r;
    else if (! rEmpty)
        controlBounds = controlBounds.getUnion (r);

    updateHitRectRelative();
}

void Control::setHitCircle (int centreX, int centreY, int radius)
{
    const auto cx = limited (centreX), cy = limited (centreY), r = limited (radius);
    setHitRectangle ({ limited ((std::int64_t) cx - r), limited ((std::int64_t) cy - r),
                       limited (2 * (std::int64_t) r), limited (2 * (std::int64_t) r) });
    hitKind = hitCircle;
    circle = { cx, cy, r };
    circleRelative = { cx - controlBounds.getX(), cy - controlBounds.getY(), r };
}

void Control::showCustomHelpText()
{
    if (visor == nullptr || helpText.isEmpty())
        return;

    auto& label = visor->getLabel();
    label.setText (helpText, juce::dontSendNotification);
    visor->setHidePending (false);

    if (label.isVisible() && juce::approximatelyEqual (label.getAlpha(), 1.0f))
        return;

    label.setAlpha (0.0f);
    label.setVisible (true);
    visor->getAnimator().animateComponent (&label, label.getBounds(), 1.0f, 0, false, 1.0, 1.0);
}

void Control::armHelpTextHiding()
{
    if (visor == nullptr || helpText.isEmpty())
        return;

    visor->setHidePending (true);
    visor->startTimer (HelpTextVisor::hideDelayMs);
}
