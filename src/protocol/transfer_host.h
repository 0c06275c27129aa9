// What the transfer engine needs from its surroundings. The engine itself
// does no I/O and reads no clock: the window implements this with its serial
// component, timers, lamps, status bar and message boxes, and the tests with
// a recording fake on a test clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/settings_image.h"

namespace devlink {

enum class LinkTimer {
  Probe,     // 200 ms: one connection probe per tick
  Response,  // 2000 ms: retransmission and give-up
  Close,     // 20 ms: closes the port after a successful transfer
};

enum class LinkLamp {
  Port,     // green while the port is open
  Traffic,  // blinks with probes and received data
};

class TransferHost {
 public:
  virtual ~TransferHost() = default;

  // Queues bytes for the serial port; does nothing on a closed port.
  virtual void Send(const uint8_t* bytes, size_t n) = 0;
  // Starts the timer so that its period begins now (restarting it when it
  // runs), or stops it.
  virtual void StartTimer(LinkTimer t) = 0;
  virtual void StopTimer(LinkTimer t) = 0;
  virtual void SetLamp(LinkLamp lamp, bool green) = 0;
  // Red becomes green, any other colour red.
  virtual void ToggleLamp(LinkLamp lamp) = 0;
  virtual void ShowStatus(const std::string& text) = 0;
  // A modal "Information" box with one OK button; returns once it is closed.
  virtual void Inform(const std::string& text) = 0;

  // Encodes the settings to download into the engine's image, which is
  // cleared. False, with the setting at fault named in *error, when one
  // cannot be encoded.
  virtual bool EncodeSettings(protocol::SettingsImageBytes& image, std::string* error) = 0;
  // Takes the settings read from the controller out of the image.
  virtual void DecodeSettings(const protocol::SettingsImageBytes& image) = 0;
  // A block of the image has been written and acknowledged, or read and
  // stored.
  virtual void BlockTransferred(uint16_t block) { (void)block; }

  // The port name as the user typed it.
  virtual std::string PortName() = 0;
  // Opens the named port; throws when it cannot be opened.
  virtual void OpenPort(const std::string& name) = 0;
  // Closes the port; does nothing when it is closed.
  virtual void ClosePort() = 0;

  // Lets the window handle its pending events (paint, clicks, timer ticks,
  // further received data) before the next received byte is parsed.
  virtual void Yield() = 0;
};

}  // namespace devlink
