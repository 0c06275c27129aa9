// The line the controller speaks, for every program that talks to it (the
// window's port component and gsmcfg's blocking line): 38400 baud, 8 data
// bits, no parity, one stop bit, binary, DTR and RTS held on, and no
// hardware or XON/XOFF flow control (the frames are binary: 0x11 and 0x13
// in a frame are data).
#pragma once

#include "serial/line/comm_settings.h"

namespace serial {

// The line settings above; the read interval of 20 ms lets a burst from the
// unit reach the window as one event (the blocking line sets its own
// time-outs per read).
CommSettings ControllerLine();

}  // namespace serial
