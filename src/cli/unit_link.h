// One unit on a serial line, driven by the transfer engine exactly as the
// window drives it: the same probe, frames, retransmissions and give-up,
// with the engine's timers run on the program's own clock and the port read
// in between.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "protocol/settings_image.h"
#include "protocol/transfer_engine.h"
#include "serial/line/serial_line.h"

namespace cli {

using serial::CreateSerialLine;
using serial::SerialLine;

enum class LinkStatus {
  Done,
  NoAnswer,     // no unit answered the probe in time
  GaveUp,       // a command stayed unanswered after its last sending
  PortUnopened, // the port did not open
  PortFailed,   // the port failed while in use
  Interrupted,  // Ctrl-C
};

struct LinkResult {
  LinkStatus status = LinkStatus::Done;
  std::string message;  // what happened, for the user
  bool ok() const { return status == LinkStatus::Done; }
};

class UnitLink final : public protocol::TransferHost {
 public:
  // Called with the number of blocks done (1 to 9) after each block.
  using Progress = std::function<void(size_t blocks_done)>;
  // A wait of 0 probes without limit.
  UnitLink(SerialLine& line, std::string port);

  // Writes the nine blocks of the image into the unit.
  LinkResult Download(const protocol::SettingsImageBytes& image, int wait_ms, const Progress& progress);
  // Reads the nine blocks of the unit; Image() holds them afterwards.
  LinkResult Upload(int wait_ms, const Progress& progress);
  const protocol::SettingsImageBytes& Image() const { return engine_.Image(); }

  // Probes until no unit has answered for a second, or the port has gone.
  LinkResult WaitUntilGone();
  // Tries to open the port every few hundred milliseconds until it opens
  // (then closes it again) or the program is interrupted.
  LinkResult WaitForPort();

  // ---- TransferHost ----
  void Send(const uint8_t* bytes, size_t n) override;
  void StartTimer(protocol::LinkTimer t, std::chrono::milliseconds period) override;
  void StopTimer(protocol::LinkTimer t) override;
  bool EncodeSettings(protocol::SettingsImageBytes& image, std::string* error) override;
  void DecodeSettings(const protocol::SettingsImageBytes&) override {}
  std::string PortName() override { return port_; }
  void OpenPort(const std::string& name) override;
  void ClosePort() override;
  void Report(const protocol::TransferReport& report) override;

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    bool running = false;
    Clock::time_point due;
    std::chrono::milliseconds period{0};
  };

  // Runs the engine after a start until the transfer has an outcome.
  LinkResult Run(int wait_ms);
  // Reads the port for at most timeout_ms and hands what came to the engine.
  void Pump(int timeout_ms);
  void FireDueTimers();
  std::string Describe(const std::string& what) const;

  SerialLine& line_;
  std::string port_;
  protocol::TransferEngine engine_{*this};
  protocol::SettingsImageBytes to_send_{};
  std::array<Timer, protocol::kLinkTimers> timers_{};
  const Progress* progress_ = nullptr;
  bool finished_ = false;
  LinkResult result_;
  std::string port_error_;
};

}  // namespace cli
