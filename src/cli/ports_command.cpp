#include "cli/commands.h"
#include "cli/report.h"

namespace cli {

int RunPorts(const Command&) { return Fail(kExitUsage, "listing the serial ports is not available in this build"); }

}  // namespace cli
