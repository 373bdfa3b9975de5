// Text form of what a bundle registered, as `tarnello-host describe` prints it.
#pragma once

#include "host/Registration.h"

#include <ostream>
#include <string>

namespace tarnello::host
{
void printDescription (std::ostream& out, const CollectionRecord& collection);
std::string describeFields (const ComponentRecord& component);
std::string describeProperties (const PropertySnapshot& properties);
} // namespace tarnello::host
