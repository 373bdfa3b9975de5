#pragma once

#include "ui/ISwitchControl.h"

// An image push button over a two-frame strip: frame 1 while the mouse button is
// held on it, frame 0 otherwise. Each press tells its listener, whose attachment
// steps the bound parameter by `increment`, clamped to the range when `limited`,
// else wrapping round it.
class IContactControl : public ISwitchControl
{
public:
    static constexpr int contactFrames = 2;

    IContactControl (int x, int y, Imaged* image, HelpTextVisor* visor);

    int getFramePosition() override;

    double increment = 1.0;
    bool limited = true;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IContactControl)
};
