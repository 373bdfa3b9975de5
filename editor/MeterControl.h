#pragma once

// What a panel's level meters are fed through: a display that shows a value in 0..1.
// Panels keep their meters as non-owning pointers of this type; the displays are
// owned and deleted as controls, never through this interface.
class MeterControl
{
public:
    virtual void setNormalized (float value) = 0;
    virtual float getNormalized() = 0;

protected:
    ~MeterControl() = default;
};
