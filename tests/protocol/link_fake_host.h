// A TransferHost for tests: a test clock that runs the three timers, a
// record of everything sent, shown and switched, and optionally a simulated
// controller on the other end of the line whose replies arrive after a delay
// on the same clock.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "protocol/transfer_engine.h"
#include "simulator/sim_controller.h"

namespace linktest {

using Bytes = std::vector<uint8_t>;

struct Sent {
  uint64_t at;
  Bytes bytes;
};

class FakeHost : public devlink::TransferHost {
 public:
  FakeHost() : engine(*this) {}

  // ---- TransferHost ----
  void Send(const uint8_t* b, size_t n) override {
    if (!port_open || n == 0) return;
    sent.push_back({now, Bytes(b, b + n)});
    if (device) {
      for (auto& r : device->Feed(b, n)) Deliver(r, reply_delay_ms);
    }
  }
  void StartTimer(devlink::LinkTimer t) override {
    auto& s = timers[t];
    s.running = true;
    s.due = now + Interval(t);
  }
  void StopTimer(devlink::LinkTimer t) override { timers[t].running = false; }
  void SetLamp(devlink::LinkLamp l, bool green) override { lamps[l] = green; }
  void ToggleLamp(devlink::LinkLamp l) override { lamps[l] = !lamps[l]; }
  void ShowStatus(const std::string& t) override { status = t; }
  void Inform(const std::string& t) override {
    boxes.push_back({now, t});
    if (on_inform) on_inform(t);
  }
  bool EncodeSettings(protocol::SettingsImageBytes& image, std::string* error) override {
    if (!encode_error.empty()) {
      if (error) *error = encode_error;
      return false;
    }
    for (uint16_t a : protocol::kImageBlocks)
      for (unsigned i = 0; i < 128; ++i) image[a + i] = EncodedByte(a + i);
    return true;
  }
  void DecodeSettings(const protocol::SettingsImageBytes&) override { decoded_at.push_back(now); }
  void BlockTransferred(uint16_t block) override { blocks_done.push_back(block); }
  std::string PortName() override { return port_text; }
  void OpenPort(const std::string& name) override {
    if (port_open) throw std::runtime_error("This serial port already opened");
    if (open_fails) throw std::runtime_error("Error opening serial port");
    opened_names.push_back(name);
    port_open = true;
  }
  void ClosePort() override { port_open = false; }
  void Yield() override {
    ++yields;
    if (on_yield) on_yield();
  }

  // The pattern the fake encoder writes: varied, with start bytes (0x0B)
  // and 0xFF inside the data.
  static uint8_t EncodedByte(unsigned a) { return uint8_t((a * 37 + (a >> 7)) ^ 0x0B); }

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
      devlink::LinkTimer which{};
      size_t arrival = 0;
      for (size_t i = 0; i < arrivals.size(); ++i)
        if (arrivals[i].due < best) best = arrivals[i].due, kind = 0, arrival = i;
      for (auto& [t, s] : timers)
        if (s.running && s.due < best) best = s.due, kind = 1, which = t;
      if (kind < 0 || best > target) break;
      now = std::max(now, best);
      if (kind == 0) {
        Bytes b = arrivals[arrival].bytes;
        arrivals.erase(arrivals.begin() + std::ptrdiff_t(arrival));
        engine.ReceiveData(b.data(), uint16_t(b.size()));
      } else {
        timers[which].due += Interval(which);
        switch (which) {
          case devlink::LinkTimer::Probe: engine.ProbeTick(); break;
          case devlink::LinkTimer::Response: engine.ResponseTick(); break;
          case devlink::LinkTimer::Close: engine.CloseTick(); break;
        }
      }
    }
    now = std::max(now, target);
  }
  bool Running(devlink::LinkTimer t) { return timers[t].running; }
  static uint64_t Interval(devlink::LinkTimer t) {
    switch (t) {
      case devlink::LinkTimer::Probe: return 200;
      case devlink::LinkTimer::Response: return 2000;
      default: return 20;
    }
  }

  // Sent frames other than probes.
  std::vector<Sent> Commands() const {
    std::vector<Sent> out;
    for (auto& s : sent)
      if (s.bytes.size() < 2 || s.bytes[1] != devlink::CMD_CONNECT) out.push_back(s);
    return out;
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> out;
    for (auto& b : boxes) out.push_back(b.second);
    return out;
  }

  struct TimerState {
    bool running = false;
    uint64_t due = 0;
  };
  struct Arrival {
    uint64_t due;
    uint64_t order;
    Bytes bytes;
  };

  devlink::TransferEngine engine;
  uint64_t now = 0;
  uint64_t order = 0;
  std::map<devlink::LinkTimer, TimerState> timers;
  std::vector<Arrival> arrivals;
  std::vector<Sent> sent;
  std::map<devlink::LinkLamp, bool> lamps;
  std::string status;
  std::vector<std::pair<uint64_t, std::string>> boxes;
  std::function<void(const std::string&)> on_inform;
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
};

}  // namespace linktest
