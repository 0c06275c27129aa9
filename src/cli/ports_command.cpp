#include "cli/commands.h"
#include "cli/report.h"
#include "serial/line/port_list.h"

namespace cli {

int RunPorts(const Command&) {
  for (const serial::PortInfo& p : serial::ListSerialPorts()) Result(PortLine(p));
  return kExitOk;
}

}  // namespace cli
