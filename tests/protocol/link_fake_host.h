// A TransferHost for tests: a test clock that runs the engine's timers with
// the periods it asks for, a record of what was sent and reported, the two
// lamps as the window shows them, and optionally a simulated controller on
// the other end of the line whose replies arrive after a delay on the same
// clock. Received bytes are parsed one at a time with `on_yield` run before
// each, as the window handles its events between bytes.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "protocol/transfer_engine.h"
#include "simulator/sim_controller.h"

namespace linktest {

using Bytes = std::vector<uint8_t>;
using protocol::LinkTimer;
using protocol::TransferEvent;

struct Sent {
  uint64_t at;
  Bytes bytes;
};

struct Outcome {
  uint64_t at;
  TransferEvent event;
  std::string detail;
};

class FakeHost : public protocol::TransferHost {
 public:
  FakeHost() : engine(*this) {}

  // ---- TransferHost ----
  void Send(const uint8_t* b, size_t n) override {
    ++send_calls;
    if (!port_open || n == 0) return;
    last_sent_length = std::min(n, last_sent.size());
    std::copy(b, b + last_sent_length, last_sent.begin());
    if (record_sent) sent.push_back({now, Bytes(b, b + n)});
    if (device) {
      for (auto& r : device->Feed(b, n)) Deliver(r, reply_delay_ms);
    }
  }
  void StartTimer(LinkTimer t, std::chrono::milliseconds period) override {
    TimerState& s = timers[size_t(t)];
    s.running = true;
    s.period = uint64_t(period.count());
    s.due = now + s.period;
  }
  void StopTimer(LinkTimer t) override { timers[size_t(t)].running = false; }
  bool EncodeSettings(protocol::SettingsImageBytes& image, std::string* error) override {
    if (!encode_error.empty()) {
      if (error) *error = encode_error;
      return false;
    }
    // The pattern made once: the fuzz target encodes on every start.
    static const protocol::SettingsImageBytes encoded = [] {
      protocol::SettingsImageBytes m{};
      for (uint16_t a : protocol::kImageBlocks)
        for (unsigned i = 0; i < protocol::kBlockSize; ++i) m[a + i] = EncodedByte(a + i);
      return m;
    }();
    for (uint16_t a : protocol::kImageBlocks)
      std::memcpy(image.data() + a, encoded.data() + a, protocol::kBlockSize);
    return true;
  }
  void DecodeSettings(const protocol::SettingsImageBytes&) override { decoded_at.push_back(now); }
  std::string PortName() override { return port_text; }
  void OpenPort(const std::string& name) override {
    if (port_open) throw std::runtime_error("This serial port already opened");
    if (open_fails) throw std::runtime_error("Error opening serial port");
    opened_names.push_back(name);
    port_open = true;
  }
  void ClosePort() override { port_open = false; }
  // The lamps as the window sets them, the last status event, and the
  // outcomes in order.
  void Report(const protocol::TransferReport& r) override {
    if (record_events && r.event != TransferEvent::DataArrived) events.push_back(r.event);
    switch (r.event) {
      case TransferEvent::PortClosing: port_lamp = traffic_lamp = false; break;
      case TransferEvent::PortOpened: port_lamp = true; break;
      case TransferEvent::DataArrived: traffic_lamp = !traffic_lamp; break;
      case TransferEvent::BlockDone: blocks_done.push_back(r.block); break;
      case TransferEvent::Probing:
        traffic_lamp = !traffic_lamp;
        status = r.event;
        break;
      case TransferEvent::Uploading:
      case TransferEvent::Connected: status = r.event; break;
      case TransferEvent::PortError:
      case TransferEvent::Stopped: status = r.event; [[fallthrough]];
      default:
        outcomes.push_back({now, r.event, r.detail});
        if (on_outcome) on_outcome(r.event);
        break;
    }
  }

  // The pattern the fake encoder writes: varied, with start bytes (0x0B)
  // and 0xFF inside the data.
  static uint8_t EncodedByte(unsigned a) { return uint8_t((a * 37 + (a >> 7)) ^ 0x0B); }

  // One receive event: queued in the engine and parsed byte by byte, with
  // on_yield before each byte. An event of a nested call (from on_yield or
  // on_outcome) is queued behind the rest and parsed by the outer call.
  void Receive(const uint8_t* b, size_t n) {
    engine.ReceiveData(b, uint16_t(n));
    if (parsing_) return;
    parsing_ = true;
    try {
      while (engine.PendingBytes() > 0) {
        ++yields;
        if (on_yield) on_yield();
        engine.ParseNext();
      }
    } catch (...) {
      parsing_ = false;
      throw;
    }
    parsing_ = false;
  }
  void Receive(const Bytes& b) { Receive(b.data(), b.size()); }

  // ---- the test clock ----
  // Bytes that reach the engine after `delay` ms, in pieces of `split`
  // bytes (0: whole), one receive event each.
  void Deliver(const Bytes& b, uint64_t delay, size_t split = 0) {
    if (split == 0) split = reply_split ? reply_split : b.size();
    for (size_t i = 0; i < b.size(); i += split)
      arrivals.push_back({now + delay, ++order, Bytes(b.begin() + i, b.begin() + std::min(b.size(), i + split))});
  }
  void Advance(uint64_t ms) {
    const uint64_t target = now + ms;
    for (;;) {
      // The earliest due event: an arrival, or a running timer.
      uint64_t best = UINT64_MAX;
      int kind = -1;
      size_t which = 0;
      for (size_t i = 0; i < arrivals.size(); ++i)
        if (arrivals[i].due < best) best = arrivals[i].due, kind = 0, which = i;
      for (size_t t = 0; t < timers.size(); ++t)
        if (timers[t].running && timers[t].due < best) best = timers[t].due, kind = 1, which = t;
      if (kind < 0 || best > target) break;
      now = std::max(now, best);
      if (kind == 0) {
        Bytes b = std::move(arrivals[which].bytes);
        arrivals.erase(arrivals.begin() + std::ptrdiff_t(which));
        Receive(b);
      } else {
        timers[which].due += timers[which].period;
        engine.Tick(LinkTimer(which));
      }
    }
    now = std::max(now, target);
  }
  bool Running(LinkTimer t) const { return timers[size_t(t)].running; }
  uint64_t Period(LinkTimer t) const { return timers[size_t(t)].period; }

  // Sent frames other than probes.
  std::vector<Sent> Commands() const {
    std::vector<Sent> out;
    for (auto& s : sent)
      if (s.bytes.size() < 2 || s.bytes[1] != protocol::CMD_CONNECT) out.push_back(s);
    return out;
  }
  std::vector<TransferEvent> Outcomes() const {
    std::vector<TransferEvent> out;
    for (auto& o : outcomes) out.push_back(o.event);
    return out;
  }

  struct TimerState {
    bool running = false;
    uint64_t due = 0;
    uint64_t period = 0;
  };
  struct Arrival {
    uint64_t due;
    uint64_t order;
    Bytes bytes;
  };

  protocol::TransferEngine engine;
  uint64_t now = 0;
  uint64_t order = 0;
  std::array<TimerState, protocol::kLinkTimers> timers{};
  std::vector<Arrival> arrivals;
  // Every frame sent on an open port (unless record_sent is off), the last
  // one, and the number of Send calls, the closed port's included.
  bool record_sent = true;
  std::vector<Sent> sent;
  std::array<uint8_t, protocol::kMaxFrame> last_sent{};
  size_t last_sent_length = 0;
  unsigned long send_calls = 0;
  // Every report but DataArrived, in order, unless record_events is off.
  bool record_events = true;
  std::vector<TransferEvent> events;
  bool port_lamp = false;
  bool traffic_lamp = false;
  // The last event that the window shows in its status text (PortClosing
  // until there is one).
  TransferEvent status = TransferEvent::PortClosing;
  std::vector<Outcome> outcomes;
  std::function<void(TransferEvent)> on_outcome;
  std::string encode_error;
  std::vector<uint64_t> decoded_at;
  std::vector<uint16_t> blocks_done;
  std::string port_text = "com1";
  std::vector<std::string> opened_names;
  bool port_open = false;
  bool open_fails = false;
  int yields = 0;
  std::function<void()> on_yield;

  // The controller on the line, when there is one.
  std::optional<sim::Controller> device;
  uint64_t reply_delay_ms = 5;
  size_t reply_split = 0;

 private:
  bool parsing_ = false;
};

}  // namespace linktest
