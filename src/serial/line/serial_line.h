// A serial port used from one thread with blocking calls and time-outs: no
// worker threads, no notification window, no framework. gsmcfg talks to a
// unit through it. Names follow the window's rules: "COMn" in any case,
// blanks around it ignored, or a device name as typed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "serial/line/comm_settings.h"

namespace serial {

class SerialLine {
 public:
  virtual ~SerialLine() = default;
  // Opens the port with the controller's line settings (ControllerLine);
  // false, with the reason in *error, when the port cannot be opened.
  virtual bool Open(const std::string& name, std::string* error) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Writes every byte; false, with the reason, when the port fails.
  virtual bool Write(const uint8_t* bytes, size_t n, std::string* error) = 0;
  // Waits at most timeout_ms for bytes and returns how many it read (0:
  // none came), or -1 with the reason when the port fails, as a port does
  // whose device has gone away.
  virtual int Read(uint8_t* buffer, size_t capacity, int timeout_ms, std::string* error) = 0;
};

std::unique_ptr<SerialLine> CreateSerialLine();

}  // namespace serial
