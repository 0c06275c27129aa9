// The simulator's end of the serial line: a new pseudo-terminal, or a
// serial device, set raw at 38400 baud and non-blocking.
#pragma once

#include <string>

namespace sim {

struct Line {
  int fd = -1;        // the controller's end
  int keep = -1;      // a pty's terminal side, held open (or -1)
  std::string path;   // what the configurator opens
};

// Opens `device`, or a new pseudo-terminal when it is empty. The terminal
// side of a pty stays open in `keep`, so that the controller side never sees
// a hang-up when the configurator closes the port. On failure fd is -1 and
// *error says why.
Line OpenLine(const std::string& device, std::string* error);

void CloseLine(Line& line);

// Writes a file in one step: a temporary file beside it, then a rename.
bool WriteFileAtomically(const std::string& path, const void* data, size_t n);

}  // namespace sim
