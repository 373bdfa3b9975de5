// Our own stand-in for the host's kinds of native view, which the view
// container's GetType answers and which tell the plug-in what GetPtr points to.
// On Linux the host's view is an X11 window: GetPtr carries its window id.
#pragma once

#include <cstdint>

enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL    = 0,
    AAX_eViewContainer_Type_XWindow = 1, // GetPtr: the X11 Window id, widened to a pointer
};

namespace AAX
{
// The X11 window id a view container of type XWindow hands over, and back.
inline void* ViewPointerFromXWindow (unsigned long window) noexcept
{
    return reinterpret_cast<void*> (static_cast<uintptr_t> (window));
}
inline unsigned long XWindowFromViewPointer (void* view) noexcept
{
    return static_cast<unsigned long> (reinterpret_cast<uintptr_t> (view));
}
} // namespace AAX
