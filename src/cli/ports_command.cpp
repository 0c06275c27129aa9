#include "cli/commands.h"
#include "cli/report.h"
#include "serial/port_list.h"

namespace cli {

// One port per line: its name, and its description when it has one.
int RunPorts(const Command&) {
  for (const serial::PortInfo& p : serial::ListSerialPorts())
    Result(p.description.empty() ? p.name : p.name + "  " + p.description);
  return kExitOk;
}

}  // namespace cli
