// An open POSIX serial device: the descriptor, and the settings that the
// worker threads read while the GUI thread may change them (time-outs and
// null stripping, which the termios interface has no place for).
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "serial/line/comm_settings.h"
#include "serial/line/posix/read_timing.h"

namespace serial {

struct WriteTimeouts {
  uint32_t total_multiplier = 0;
  uint32_t total_constant = 0;
};

class PortDevice {
 public:
  enum class OpenResult { Ok, CannotOpen, NotCharDevice, NotTerminal };

  PortDevice() = default;
  ~PortDevice();
  PortDevice(const PortDevice&) = delete;
  PortDevice& operator=(const PortDevice&) = delete;

  // Opens the device for exclusive, non-blocking use.
  OpenResult Open(const std::string& path);
  int fd() const { return fd_; }

  // Results are ignored: a setting the device rejects is dropped.
  void ApplyLineSettings(const CommSettings& s);
  void ApplyTimeouts(const CommSettings& s);
  // Discards unread input and/or unsent output (TCIFLUSH, TCOFLUSH, TCIOFLUSH).
  void Purge(int queue);

  ReadTimeouts GetReadTimeouts() const;
  WriteTimeouts GetWriteTimeouts() const;
  bool IgnoreNull() const;

 private:
  int fd_ = -1;
  mutable std::mutex mu_;
  ReadTimeouts read_timeouts_;
  WriteTimeouts write_timeouts_;
  bool ignore_null_ = false;
};

}  // namespace serial
