// The serial ports present on this machine, for the port drop-down and the
// command line's port listing.
#pragma once

#include <string>
#include <vector>

namespace serial {

struct PortInfo {
  std::string name;         // "COM7" on Windows, "/dev/ttyUSB0" on Linux
  std::string description;  // friendly name, or empty
};

// Present ports, without duplicates, sorted by number.
std::vector<PortInfo> ListSerialPorts();

}  // namespace serial
