// serialbench: throughput and receive delay of TComm against a device that
// echoes and answers burst requests (the protocol of pty_peer.py):
//   0x00 'B' n_hi n_lo   the device writes n bytes 0x55
//   0x00 'A'             acknowledges the burst (the device notes its delay)
// Every other byte is echoed; payload bytes are never 0.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

using BenchClock = std::chrono::steady_clock;

struct BenchHost {
  std::string port;  // CommName
  // Runs the GUI thread's events until pred holds or ms have passed.
  std::function<bool(const std::function<bool()>&, unsigned)> pump;
  // When the device wrote the last burst, if it shares this process's clock.
  std::function<std::optional<BenchClock::time_point>()> burst_written_at;
};

// Runs the measurements, prints them with their goals; 0 when every goal
// was met.
int RunBench(const BenchHost& host);
