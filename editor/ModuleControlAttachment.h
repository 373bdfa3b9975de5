#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

class ModuleParam;

// Binds one panel control to one module parameter. `onTimer` pushes the parameter's
// value into the control without notifying anybody; the control's callbacks write
// the user's changes with `setValueNotifyingHost`. An attachment registers itself
// with its control when it is made and lives as long as the panel. It may outlive
// its control (panels delete their controls first) and then leaves it alone.
class ModuleControlAttachment
{
public:
    virtual ~ModuleControlAttachment() = default;

    virtual void onTimer() = 0;
    virtual juce::Component* getControlComponent() = 0;
    // The bound host parameter's index, -1 while the parameter is bound to none.
    virtual int getHostParamIndex();
    virtual int getParamIndex();

    ModuleParam* getParam() const noexcept { return param; }

    // What a user typed, read as a number at single precision and kept within
    // start..end; none when the text does not begin with a number ("abc", "", "-").
    static std::optional<double> typedValue (const juce::String& text, double start, double end);

protected:
    explicit ModuleControlAttachment (ModuleParam* paramToUse) noexcept : param (paramToUse) {}

    ModuleParam* param = nullptr;

    JUCE_DECLARE_NON_COPYABLE (ModuleControlAttachment)
};
