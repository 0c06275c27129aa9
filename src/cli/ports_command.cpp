#include "cli/commands.h"
#include "cli/report.h"
#include "serial/line/port_list.h"

namespace cli {

std::string PortLine(const serial::PortInfo& p) {
  return p.description.empty() ? p.name : p.name + "  " + p.description;
}

int RunPorts(const Command&) {
  for (const serial::PortInfo& p : serial::ListSerialPorts()) Result(PortLine(p));
  return kExitOk;
}

}  // namespace cli
