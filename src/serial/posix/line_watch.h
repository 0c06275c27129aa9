// Line errors and carrier/ring changes of a POSIX serial port, from the
// driver's interrupt counters. Terminals without them (pseudo-terminals,
// many USB adapters) are simply not watched.
#pragma once

#include <cstdint>
#include <optional>

namespace serial {

struct LineCounters {
  int rng = 0, dcd = 0;
  int frame = 0, overrun = 0, parity = 0, brk = 0, buf_overrun = 0;
};

struct LineChanges {
  uint32_t errors = 0;  // kCe* bits
  uint32_t modem = 0;   // MODEM_EVENT_* bits
};

// What changed between two readings of the counters.
LineChanges CompareCounters(const LineCounters& before, const LineCounters& after);

class LineWatch {
 public:
  // Takes the first reading; false when the device has no counters.
  bool Start(int fd);
  bool Active() const { return active_; }
  // Reads the counters again and reports what changed since the last
  // reading; nothing when the reading fails.
  std::optional<LineChanges> Poll(int fd);

 private:
  bool active_ = false;
  LineCounters last_;
};

}  // namespace serial
