#include "cli/unit_link.h"

#include <stdexcept>
#include <thread>

#include "cli/console.h"
#include "protocol/frame_receiver.h"

namespace cli {
namespace {

using protocol::LinkTimer;
using protocol::TransferEvent;

// How often the loop looks at Ctrl-C and the probe's time limit.
constexpr int kPollMs = 50;
// A unit that has not answered a probe for this long has been taken away.
constexpr auto kGoneAfter = std::chrono::milliseconds(1000);
constexpr auto kProbeEvery = protocol::TransferEngine::kProbePeriod;
constexpr auto kPortRetry = std::chrono::milliseconds(300);

const char* CommandName(uint8_t code) {
  switch (code) {
    case protocol::CMD_PREPARE: return "prepare";
    case protocol::CMD_WRITE: return "write";
    case protocol::CMD_READ: return "read";
    default: return "command";
  }
}

std::string Hex4(uint16_t v) {
  static const char* digits = "0123456789ABCDEF";
  std::string s = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) s += digits[(v >> shift) & 0xF];
  return s;
}

std::string Seconds(int ms) {
  return ms % 1000 ? std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) : std::to_string(ms / 1000);
}

}  // namespace

UnitLink::UnitLink(SerialLine& line, std::string port) : line_(line), port_(std::move(port)) {}

std::string UnitLink::Describe(const std::string& what) const { return what + " (port " + port_ + ")"; }

LinkResult UnitLink::Download(const protocol::SettingsImageBytes& image, int wait_ms, const Progress& progress) {
  to_send_ = image;
  progress_ = &progress;
  finished_ = false;
  port_error_.clear();
  engine_.StartDownload();
  return Run(wait_ms);
}

LinkResult UnitLink::Upload(int wait_ms, const Progress& progress) {
  progress_ = &progress;
  finished_ = false;
  port_error_.clear();
  engine_.StartUpload();
  return Run(wait_ms);
}

LinkResult UnitLink::Run(int wait_ms) {
  const auto start = Clock::now();
  for (;;) {
    if (finished_) return result_;
    if (!port_error_.empty()) {
      engine_.Stop();
      return {LinkStatus::PortFailed, "port " + port_ + " failed: " + port_error_};
    }
    if (Interrupted()) {
      engine_.Stop();
      return {LinkStatus::Interrupted, Describe("interrupted")};
    }
    const auto now = Clock::now();
    if (wait_ms > 0 && engine_.Probing() && now - start >= std::chrono::milliseconds(wait_ms)) {
      engine_.Stop();
      return {LinkStatus::NoAnswer, Describe("the unit did not answer within " + Seconds(wait_ms) + " s")};
    }
    auto next = now + std::chrono::milliseconds(kPollMs);
    for (const Timer& timer : timers_)
      if (timer.running && timer.due < next) next = timer.due;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
    Pump(ms > 0 ? int(ms) : 0);
    FireDueTimers();
  }
}

void UnitLink::Pump(int timeout_ms) {
  if (!line_.IsOpen()) {
    // Nothing to read: let the time pass.
    std::this_thread::sleep_for(std::chrono::milliseconds(timeout_ms));
    return;
  }
  uint8_t buf[512];
  std::string error;
  const int n = line_.Read(buf, sizeof buf, timeout_ms, &error);
  if (n < 0) port_error_ = error;
  if (n > 0) {
    engine_.ReceiveData(buf, uint16_t(n));
    engine_.ParsePending();
  }
}

void UnitLink::FireDueTimers() {
  for (;;) {
    const auto now = Clock::now();
    size_t which = 0;
    Clock::time_point best = Clock::time_point::max();
    for (size_t t = 0; t < timers_.size(); ++t)
      if (timers_[t].running && timers_[t].due <= now && timers_[t].due < best) best = timers_[t].due, which = t;
    if (best == Clock::time_point::max() || finished_) return;
    timers_[which].due = now + timers_[which].period;
    engine_.Tick(LinkTimer(which));
  }
}

void UnitLink::Send(const uint8_t* bytes, size_t n) {
  if (!line_.IsOpen() || n == 0 || !port_error_.empty()) return;
  std::string error;
  if (!line_.Write(bytes, n, &error)) port_error_ = error;
}

void UnitLink::StartTimer(LinkTimer t, std::chrono::milliseconds period) {
  timers_[size_t(t)] = {true, Clock::now() + period, period};
}
void UnitLink::StopTimer(LinkTimer t) { timers_[size_t(t)].running = false; }

void UnitLink::Report(const protocol::TransferReport& r) {
  switch (r.event) {
    case TransferEvent::BlockDone:
      if (const auto n = protocol::BlockNumber(r.block); n && progress_ && *progress_) (*progress_)(*n + 1);
      return;
    case TransferEvent::DownloadDone: result_ = {LinkStatus::Done, "written"}; break;
    case TransferEvent::UploadDone: result_ = {LinkStatus::Done, "read"}; break;
    case TransferEvent::TimedOut: {
      const uint16_t a = engine_.AwaitedAddress();
      const auto block = protocol::BlockNumber(a);
      std::string what = std::string(CommandName(engine_.AwaitedCode())) + " of ";
      what += block ? "block " + std::to_string(*block + 1) + " (" + Hex4(a) + ")" : Hex4(a);
      result_ = {LinkStatus::GaveUp, Describe("the unit stopped answering: no reply to the " + what + " after " +
                                              std::to_string(protocol::TransferEngine::kMaxSendings) + " sendings")};
      break;
    }
    case TransferEvent::PortError:
      result_ = {LinkStatus::PortUnopened, "cannot open port " + port_ + ": " + r.detail};
      break;
    case TransferEvent::NotEncodable: result_ = {LinkStatus::GaveUp, Describe("cannot encode " + r.detail)}; break;
    // Steps of a transfer still going, and the engine's own "Stop".
    default: return;
  }
  finished_ = true;
}

bool UnitLink::EncodeSettings(protocol::SettingsImageBytes& image, std::string*) {
  image = to_send_;
  return true;
}

void UnitLink::OpenPort(const std::string& name) {
  std::string error;
  if (!line_.Open(name, &error)) throw std::runtime_error(error);
}

void UnitLink::ClosePort() { line_.Close(); }

LinkResult UnitLink::WaitUntilGone() {
  auto last_answer = Clock::now();
  auto next_probe = last_answer;
  protocol::FrameReceiver rx;
  std::string error;
  if (!line_.IsOpen() && !line_.Open(port_, &error)) return {};
  for (;;) {
    if (Interrupted()) {
      line_.Close();
      return {LinkStatus::Interrupted, Describe("interrupted")};
    }
    const auto now = Clock::now();
    if (now - last_answer >= kGoneAfter) break;
    if (now >= next_probe) {
      const auto probe = protocol::ProbeFrame();
      if (!line_.Write(probe.data(), probe.size(), &error)) break;
      next_probe = now + kProbeEvery;
    }
    uint8_t buf[256];
    const int n = line_.Read(buf, sizeof buf, kPollMs, &error);
    if (n < 0) break;  // the port went away with the unit
    for (int i = 0; i < n; ++i)
      if (const protocol::LinkFrame* f = rx.Feed(buf[i]); f && f->Code == protocol::RSP_CONNECT) last_answer = Clock::now();
  }
  line_.Close();
  return {};
}

LinkResult UnitLink::WaitForPort() {
  std::string error;
  for (;;) {
    if (Interrupted()) return {LinkStatus::Interrupted, Describe("interrupted")};
    if (line_.Open(port_, &error)) {
      line_.Close();
      return {};
    }
    const auto until = Clock::now() + kPortRetry;
    while (Clock::now() < until && !Interrupted()) std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
}

}  // namespace cli
