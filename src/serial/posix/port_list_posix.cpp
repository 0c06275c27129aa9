#include "serial/port_list.h"
#include "serial/port_order.h"
#include "serial/posix/port_scan.h"

namespace serial {

std::vector<PortInfo> ListSerialPorts() { return OrderPorts(ScanSerialPorts("/dev", "/sys/class/tty")); }

}  // namespace serial
