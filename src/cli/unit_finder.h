// Finding the ports a unit is on: every candidate port is opened and probed
// at once, each on a thread of its own, so that ten ports take no longer
// than one. A port is closed as soon as it is known not to hold a unit
// (it cannot be opened, it fails, or it sends bytes in which no frame can
// be found); the others stay open until the search ends, which is one second
// after the first unit answered (time for every unit already switched on
// to answer too), when the wait runs out, or on Ctrl-C. Every port is
// closed when FindUnits returns.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "serial/line/port_list.h"
#include "serial/line/serial_line.h"

namespace cli {

enum class PortOutcome {
  Unit,        // a unit answered the probe
  NoAnswer,    // open until the search ended without a unit's answer
  NotAUnit,    // closed early: what came back is not a unit's
  CannotOpen,  // skipped
  Failed,      // closed early: the port failed while in use
};

struct PortReport {
  serial::PortInfo port;
  PortOutcome outcome = PortOutcome::NoAnswer;
  std::string reason;  // why it was skipped or closed early
};

struct FindOptions {
  int wait_ms = 60000;   // how long to wait for a unit; 0: without limit
  int settle_ms = 1000;  // after the first unit answered, the others' time to answer
  // Polled by the searching thread: true ends the search.
  std::function<bool()> interrupted = [] { return false; };
  std::function<std::unique_ptr<serial::SerialLine>()> make_line = serial::CreateSerialLine;
  // Told about each port once its fate is known (skipped, closed early,
  // a unit answered, or no answer at the end), with the port closed
  // already. Called from the ports' threads, one call at a time.
  std::function<void(const PortReport&)> on_report;
};

struct FindResult {
  std::vector<PortReport> ports;  // in the order of the candidates
  bool interrupted = false;
  bool wait_ran_out = false;
  std::vector<serial::PortInfo> Units() const;
};

FindResult FindUnits(const std::vector<serial::PortInfo>& candidates, const FindOptions& options);

}  // namespace cli
