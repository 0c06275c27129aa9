// A pseudo-terminal for the serial tests: the component opens the slave by
// name, the test plays the device on the master.
#pragma once

#include <termios.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "serial/comm.h"

class Pty {
 public:
  Pty();
  ~Pty();
  const std::string& Name() const { return name_; }
  int Master() const { return master_; }
  // The slave's current settings, as the component left them.
  termios Attributes() const;
  void SetAttributes(const termios& t);
  void Write(const void* data, size_t n);
  void Write(const std::string& s) { Write(s.data(), s.size()); }
  // Writes what fits within timeout_ms; returns the count written.
  size_t WriteSome(const void* data, size_t n, int timeout_ms);
  // Closes the master: the device is gone.
  void CloseMaster();

  // Reads the master on a thread of its own into a buffer.
  void StartCollecting();
  std::vector<uint8_t> Collected();
  size_t CollectedSize();

 private:
  int master_ = -1, slave_ = -1;
  std::string name_;
  std::mutex mu_;
  std::vector<uint8_t> collected_;
  std::atomic<bool> stop_{false};
  std::thread collector_;
};

// Records every event of a component (GUI thread only).
struct CommEvents {
  explicit CommEvents(TComm& c);
  std::vector<std::vector<uint8_t>> chunks;
  int send_empty = 0;
  int hangups = 0;
  size_t ReceivedSize() const;
  std::vector<uint8_t> Received() const;
};

// Pumps the GUI thread until pred holds; generous limit.
bool PumpFor(const std::function<bool()>& pred, unsigned ms = 20000);
// Runs every notification posted before the call; false when the marker
// posted behind them was not reached within the limit.
bool DeliverPosted();

// A component with the main window's settings on the given device.
void ConfigureLikeMainWindow(TComm& c, const std::string& device);

std::vector<uint8_t> Pattern(size_t n, unsigned seed);
