// What gsmcfg needs of its console and the system besides the port.
#pragma once

#include <cstdio>
#include <string>

namespace cli {

// From now on Ctrl-C (and a request to terminate) sets a flag instead of
// ending the program, so that the port is closed first.
void CatchInterrupts();
bool Interrupted();

// True when the stream is a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

// The local time as "YYYYMMDD-HHMMSS".
std::string LocalTimeStamp();

}  // namespace cli
