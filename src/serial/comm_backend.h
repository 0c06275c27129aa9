// The platform half of TComm: one per component, chosen by the build
// (serial/win32 or serial/posix). It owns the port, the close event, the two
// worker threads and the notification target; TComm owns the properties.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "serial/line/comm_settings.h"

class TComm;

namespace serial {

class PortBackend {
 public:
  virtual ~PortBackend() = default;

  // True while a port is open (both threads started).
  virtual bool IsOpen() const = 0;
  // Opens the device named by CommName, applies the settings and starts
  // both threads. Raises ECommsError and stays closed on failure.
  virtual void Open(const std::string& comm_name, const CommSettings& settings) = 0;
  // Stops both threads and closes the port; nothing when closed.
  virtual void Close() = 0;
  // Queues a copy of the bytes for the transmit thread (length > 0).
  virtual bool Send(const void* buffer, uint16_t length) = 0;
  virtual void ApplyLineSettings(const CommSettings& settings) = 0;
  virtual void ApplyTimeouts(const CommSettings& settings) = 0;
};

// Creates the backend of this build for a component. send_data_empty is the
// component's flag, which the transmit thread keeps up to date.
std::unique_ptr<PortBackend> CreatePortBackend(TComm& owner, std::atomic<bool>& send_data_empty);

}  // namespace serial
