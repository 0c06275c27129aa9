#include "serial/line/port_list.h"
#include "serial/line/port_order.h"
#include "serial/line/posix/port_scan.h"

namespace serial {

std::vector<PortInfo> ListSerialPorts() { return OrderPorts(ScanSerialPorts("/dev", "/sys/class/tty")); }

}  // namespace serial
