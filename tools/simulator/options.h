// The simulator's command line.
#pragma once

#include <string>

#include "simulator/sim_controller.h"

namespace sim {

struct Options {
  std::string device;
  std::string link;
  std::string path_file;
  std::string pid_file;
  std::string load;
  std::string save;
  unsigned reply_delay_ms = 0;
  unsigned power_on_delay_ms = 0;
  unsigned line_rate = 0;  // baud; 0: bytes move at once
  FaultOptions faults;
  bool verbose = false;
  bool help = false;
};

extern const char kUsage[];

// False on an unknown option or a missing or bad value.
bool ParseArgs(int argc, char** argv, Options& o);

}  // namespace sim
