// gsmcfg's commands. Each returns the program's exit status: 0 done; 1 the
// profiles differ or a verified write reads back differently; 2 bad usage or
// a file that cannot be read, written or encoded; 3 the port cannot be
// opened or the unit did not answer; 130 interrupted.
#pragma once

#include "cli/args.h"
#include "serial/line/port_list.h"

#include <string>

namespace cli {

enum ExitStatus {
  kExitOk = 0,
  kExitDiffers = 1,
  kExitUsage = 2,
  kExitNoUnit = 3,
  kExitInterrupted = 130,
};

int RunRead(const Command& c);
int RunWrite(const Command& c);
int RunShow(const Command& c);
int RunDiff(const Command& c);
int RunPorts(const Command& c);

}  // namespace cli
