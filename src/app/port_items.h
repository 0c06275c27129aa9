// What the port drop-down offers: the five fixed names that profiles and
// habits rely on, then the ports present on this machine, with their
// friendly names in the drop-down's hint.
#pragma once

#include <string>
#include <vector>

#include "serial/line/port_list.h"

// "com1" to "com5", always the first items.
const std::vector<std::string>& FixedPortItems();

// The fixed names, then every present port by its name, except those that
// a fixed name already stands for ("COM3" is "com3").
std::vector<std::string> PortItems(const std::vector<serial::PortInfo>& present);

// One line "NAME: description" per present port that has a description,
// or empty.
std::string PortHint(const std::vector<serial::PortInfo>& present);
