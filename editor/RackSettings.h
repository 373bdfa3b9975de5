#pragma once

// The rack's layout and drag settings. The defaults are the product's: one
// fixed-height row that is never dragged.
struct RackSettings
{
    int itemHeight = 234;
    int scrollBarThickness = 14;
    int animationMs = 110;
    bool dragEnabled = false;
    bool removeWhenDroppedOutside = false;
};
