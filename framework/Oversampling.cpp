#include "framework/Oversampling.h"

Oversampling::Oversampling()
{
    // Nothing is ever handed to this pool; it ticks like the factory's so that an
    // engine, were one added, would be retired the same way.
    releasePool.startTimer (5000);
}
