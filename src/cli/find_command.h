// gsmcfg find, and "auto" where a port is named: the port a unit is on,
// found by probing every serial port present at once.
#pragma once

#include <vector>

#include "cli/args.h"
#include "serial/line/port_list.h"

namespace cli {

// find: prints each port where a unit answered, one a line with its
// description; 0 when a unit answered, 3 when none did, 130 on Ctrl-C.
int RunFind(const Command& c);
// The same among the given ports instead of the system's list.
int RunFindAmong(const Command& c, const std::vector<serial::PortInfo>& ports);

// True when the command names its port "auto" (in any case).
bool NamesAutoPort(const Command& c);
// Puts the port where a unit answers into c.port and returns 0; otherwise
// says why and returns the status the command ends with: 3 when no unit
// answered, 2 when units answered on more than one port, 130 on Ctrl-C.
int ResolveAutoPort(Command& c);
int ResolveAutoPortAmong(Command& c, const std::vector<serial::PortInfo>& ports);

}  // namespace cli
