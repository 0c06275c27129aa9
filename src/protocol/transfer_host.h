// What the transfer engine needs from its surroundings, and what it tells
// them. The engine itself does no I/O, reads no clock and knows no window:
// the window implements this with its serial component, timers, lamps,
// status bar and message boxes, gsmcfg with its serial line, its own clock
// and exit statuses, and the tests with a recording fake on a test clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/settings_image.h"

namespace protocol {

enum class LinkTimer {
  Probe,     // one connection probe per tick
  Response,  // retransmission and give-up
  Close,     // closes the port after a successful transfer
};
inline constexpr size_t kLinkTimers = 3;

// What happened, in the order it happened. The first group are steps of a
// transfer that is still going; the second its outcomes, after which the
// engine sends nothing until the next start.
enum class TransferEvent {
  PortClosing,  // the port is about to be closed (also before it is reopened)
  PortOpened,   // the port is open under the typed name
  Uploading,    // an upload starts; the port is opened next
  Probing,      // a connection probe goes out
  DataArrived,  // one receive event's bytes have been queued
  Connected,    // the unit answered the probe; the first command follows
  BlockDone,    // a block has been written and acknowledged, or read and stored

  PortError,     // the port did not open; nothing is running
  NotEncodable,  // a setting cannot be encoded; nothing was sent, the port is closed
  DownloadDone,  // the last block has been written
  UploadDone,    // the last block has been read and decoded
  TimedOut,      // a command stayed unanswered after its last sending; the port is closed
  Stopped,       // "Stop": the port is closed and nothing is running
};

struct TransferReport {
  TransferEvent event;
  uint16_t block = 0;  // BlockDone: the block's address
  // PortError: the system's reason; NotEncodable: the setting at fault.
  std::string detail;
};

class TransferHost {
 public:
  virtual ~TransferHost() = default;

  // Queues bytes for the serial port; does nothing on a closed port.
  virtual void Send(const uint8_t* bytes, size_t n) = 0;
  // Starts the timer so that its period begins now (restarting it when it
  // runs); it then ticks every period until stopped.
  virtual void StartTimer(LinkTimer t, std::chrono::milliseconds period) = 0;
  virtual void StopTimer(LinkTimer t) = 0;

  // Encodes the settings to download into the engine's image, which is
  // cleared. False, with the setting at fault named in *error, when one
  // cannot be encoded.
  virtual bool EncodeSettings(SettingsImageBytes& image, std::string* error) = 0;
  // Takes the settings read from the controller out of the image.
  virtual void DecodeSettings(const SettingsImageBytes& image) = 0;

  // The port name as the user typed it.
  virtual std::string PortName() = 0;
  // Opens the named port; throws, with the system's reason, when it cannot
  // be opened.
  virtual void OpenPort(const std::string& name) = 0;
  // Closes the port; does nothing when it is closed.
  virtual void ClosePort() = 0;

  // A step or an outcome. An outcome report returns when the host has
  // finished with it (the window: when its message box is closed); for
  // DownloadDone and UploadDone the engine then starts the close timer.
  virtual void Report(const TransferReport& report) = 0;
};

}  // namespace protocol
