// The simulator's main loop: moves bytes between the line and the
// controller, delivers each reply when it is due, and returns when a byte
// arrives on `stop_fd` (a signal) or a serial device goes away.
#pragma once

#include "simulator/line.h"
#include "simulator/options.h"
#include "simulator/sim_controller.h"

namespace sim {

void Serve(Controller& ctl, const Line& line, const Options& opt, int stop_fd);

}  // namespace sim
