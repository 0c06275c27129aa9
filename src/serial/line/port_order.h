// Turns the raw findings of a port listing (several sources, in any order,
// possibly naming a port twice) into the list that is shown.
#pragma once

#include <vector>

#include "serial/line/port_list.h"

namespace serial {

// One entry per name (names compared without regard to case; the first
// description that is not empty wins). "COMn" names come first, by number;
// every other name follows, by the text before its trailing number, then by
// that number ("/dev/ttyS2" before "/dev/ttyS10"). Entries with an empty
// name are dropped.
std::vector<PortInfo> OrderPorts(std::vector<PortInfo> found);

}  // namespace serial
