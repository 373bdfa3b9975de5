#include "editor/IContactControl.h"

IContactControl::IContactControl (int x, int y, Imaged* imageSource, HelpTextVisor* helpVisor)
    : ISwitchControl (x, y, contactFrames, imageSource, helpVisor)
{
}

int IContactControl::getFramePosition()
{
    // A push button shows whether it is held, never the state it cycles through.
    return isPressed() ? 1 : 0;
}
