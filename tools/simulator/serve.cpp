#include "simulator/serve.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;

std::string Hex(const std::vector<uint8_t>& b, size_t max = 12) {
  std::string s;
  char t[4];
  for (size_t i = 0; i < b.size() && i < max; ++i) {
    std::snprintf(t, sizeof t, "%02X ", b[i]);
    s += t;
  }
  if (b.size() > max) s += "...";
  return s;
}

struct Pending {
  Clock::time_point due;
  std::vector<uint8_t> bytes;
};

// One direction of the line: bytes put on it arrive one after another, each
// a byte time (10 bits at the line's rate) after the one before; at rate 0
// they arrive at once.
class Wire {
 public:
  explicit Wire(unsigned baud)
      : byte_time_(baud ? std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL / baud))
                        : Clock::duration::zero()) {}

  void Put(const uint8_t* b, size_t n, Clock::time_point now) {
    for (size_t i = 0; i < n; ++i) {
      free_ = std::max(free_, now) + byte_time_;
      bytes_.push_back({free_, b[i]});
    }
  }
  // The bytes that have arrived by `now`.
  std::vector<uint8_t> Take(Clock::time_point now) {
    std::vector<uint8_t> out;
    while (!bytes_.empty() && bytes_.front().first <= now) {
      out.push_back(bytes_.front().second);
      bytes_.pop_front();
    }
    return out;
  }
  bool Empty() const { return bytes_.empty(); }
  Clock::time_point NextArrival() const { return bytes_.front().first; }

 private:
  Clock::duration byte_time_;
  Clock::time_point free_{};
  std::deque<std::pair<Clock::time_point, uint8_t>> bytes_;
};

// Saves the memory after a write changed it, when asked to.
void SaveIfChanged(Controller& ctl, const Options& opt) {
  if (ctl.TakeDirty() && !opt.save.empty())
    WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
}

}  // namespace

void Serve(Controller& ctl, const Line& line, const Options& opt, int stop_fd) {
  const auto powered = Clock::now() + std::chrono::milliseconds(opt.power_on_delay_ms);
  ctl.SetPoweringOn(opt.power_on_delay_ms > 0);

  Wire inbound(opt.line_rate), outbound(opt.line_rate);
  std::deque<Pending> replies;
  std::vector<uint8_t> out;  // bytes that have arrived but not yet been taken by the terminal
  for (;;) {
    const auto now = Clock::now();
    if (now >= powered) ctl.SetPoweringOn(false);

    // The configurator's bytes reach the controller as the line carries them.
    if (const std::vector<uint8_t> in = inbound.Take(now); !in.empty()) {
      if (opt.verbose) std::fprintf(stderr, "gsm-simulator: in  %s\n", Hex(in).c_str());
      auto got = ctl.Feed(in.data(), in.size());
      for (auto& g : got) {
        if (opt.verbose) std::fprintf(stderr, "gsm-simulator: out %s\n", Hex(g).c_str());
        replies.push_back({now + std::chrono::milliseconds(opt.reply_delay_ms), std::move(g)});
      }
      SaveIfChanged(ctl, opt);
    }
    // Replies go on the line when due, and leave it at its pace.
    while (!replies.empty() && replies.front().due <= now) {
      outbound.Put(replies.front().bytes.data(), replies.front().bytes.size(), now);
      replies.pop_front();
    }
    const std::vector<uint8_t> arrived = outbound.Take(now);
    out.insert(out.end(), arrived.begin(), arrived.end());
    if (!out.empty()) {
      const ssize_t w = write(line.fd, out.data(), out.size());
      if (w > 0) out.erase(out.begin(), out.begin() + w);
      // Nobody reads the terminal: keep the newest 64 KiB at most.
      if (out.size() > 65536) out.erase(out.begin(), out.end() - 65536);
    }

    int timeout = -1;
    auto until = [&](Clock::time_point t) {
      const auto us = std::chrono::duration_cast<std::chrono::microseconds>(t - now).count();
      const int m = us <= 0 ? 0 : int((us + 999) / 1000);
      if (timeout < 0 || m < timeout) timeout = m;
    };
    if (!replies.empty()) until(replies.front().due);
    if (!inbound.Empty()) until(inbound.NextArrival());
    if (!outbound.Empty()) until(outbound.NextArrival());
    if (now < powered) until(powered);
    if (!out.empty() && (timeout < 0 || timeout > 10)) timeout = 10;

    pollfd p[2] = {{line.fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
    if (poll(p, 2, timeout) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (p[1].revents & POLLIN) return;
    if (p[0].revents & POLLIN) {
      uint8_t buf[512];
      const ssize_t r = read(line.fd, buf, sizeof buf);
      if (r > 0) inbound.Put(buf, size_t(r), Clock::now());
    } else if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
      // A device that went away; a pseudo-terminal never gets here because
      // its terminal side stays open.
      if (!opt.device.empty()) return;
    }
  }
}

}  // namespace sim
