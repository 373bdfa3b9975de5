#pragma once

#include "editor/IContactControl.h"
#include "editor/ModuleControlAttachment.h"

// An image push button: each press steps the value by the button's increment,
// clamped to the range or wrapping round it. Shows nothing of the value.
class ModuleIContactAttachment : public ModuleControlAttachment,
                                 public ISwitchControl::Listener
{
public:
    ModuleIContactAttachment (ModuleParam* param, IContactControl* control);
    ~ModuleIContactAttachment() override;

    void onTimer() override;
    juce::Component* getControlComponent() override;

    void ISwitchChanged (ISwitchControl* control) override;

    // The value after one press from `value` in the range start..end. Wrapping treats
    // the range as a circle on which start and end are one point: a step that lands
    // on it from below gives end, from above gives start. An empty range gives start.
    static double steppedValue (double value, double increment, bool limited, double start, double end);

private:
    juce::Component::SafePointer<IContactControl> control;
};
