// The serial device nodes of a POSIX system, found in a device folder with
// the help of the kernel's tty class folder in sysfs. The folders are
// parameters so that tests can build their own.
#pragma once

#include <string>
#include <vector>

#include "serial/line/port_list.h"

namespace serial {

// Character devices named ttyS<n>, ttyUSB<n> or ttyACM<n> in dev_dir, in no
// particular order. A ttyS<n> node is taken only when the kernel found a
// UART behind it (its "type" in sys_tty_dir/ttyS<n> is not 0): the kernel
// makes every ttyS node whether or not there is hardware. Where sysfs says
// nothing about a node it is taken, since it was then made on purpose. USB
// ports carry the maker and product of their device as description.
std::vector<PortInfo> ScanSerialPorts(const std::string& dev_dir, const std::string& sys_tty_dir);

}  // namespace serial
