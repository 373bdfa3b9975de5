#pragma once

#include "editor/ImageControl.h"
#include "editor/ModuleControlAttachment.h"

// A film-strip display bound to a parameter: shows the frame of the value's place
// in its range. The only attachment that accepts no parameter; it then shows nothing
// new and both index queries answer -1.
class ModuleImageAttachment : public ModuleControlAttachment
{
public:
    ModuleImageAttachment (ModuleParam* param, ImageControl* control);

    void onTimer() override;
    juce::Component* getControlComponent() override;
    int getHostParamIndex() override;
    int getParamIndex() override;

    // The value's place in start..end (raised to `skew` when that is not 1), within
    // 0..1; 0 for an empty range.
    static float normalizedFor (double value, double start, double end, double skew);

private:
    juce::Component::SafePointer<ImageControl> control;
};
