#include "simulator/serve.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
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

// Saves the memory after a write changed it, when asked to.
void SaveIfChanged(Controller& ctl, const Options& opt) {
  if (ctl.TakeDirty() && !opt.save.empty())
    WriteFileAtomically(opt.save, ctl.memory().data(), ctl.memory().size());
}

}  // namespace

void Serve(Controller& ctl, const Line& line, const Options& opt, int stop_fd) {
  const auto powered = Clock::now() + std::chrono::milliseconds(opt.power_on_delay_ms);
  ctl.SetPoweringOn(opt.power_on_delay_ms > 0);

  std::deque<Pending> replies;
  std::vector<uint8_t> out;  // bytes due but not yet taken by the terminal
  for (;;) {
    const auto now = Clock::now();
    if (now >= powered) ctl.SetPoweringOn(false);
    while (!replies.empty() && replies.front().due <= now) {
      out.insert(out.end(), replies.front().bytes.begin(), replies.front().bytes.end());
      replies.pop_front();
    }
    if (!out.empty()) {
      const ssize_t w = write(line.fd, out.data(), out.size());
      if (w > 0) out.erase(out.begin(), out.begin() + w);
      // Nobody reads the terminal: keep the newest 64 KiB at most.
      if (out.size() > 65536) out.erase(out.begin(), out.end() - 65536);
    }

    int timeout = -1;
    auto until = [&](Clock::time_point t) {
      const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - now).count() + 1;
      const int m = ms < 0 ? 0 : int(ms);
      if (timeout < 0 || m < timeout) timeout = m;
    };
    if (!replies.empty()) until(replies.front().due);
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
      if (r > 0) {
        if (opt.verbose) std::fprintf(stderr, "gsm-simulator: in  %s\n", Hex(std::vector<uint8_t>(buf, buf + r)).c_str());
        auto got = ctl.Feed(buf, size_t(r));
        const auto due = Clock::now() + std::chrono::milliseconds(opt.reply_delay_ms);
        for (auto& g : got) {
          if (opt.verbose) std::fprintf(stderr, "gsm-simulator: out %s\n", Hex(g).c_str());
          replies.push_back({due, std::move(g)});
        }
        SaveIfChanged(ctl, opt);
      }
    } else if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
      // A device that went away; a pseudo-terminal never gets here because
      // its terminal side stays open.
      if (!opt.device.empty()) return;
    }
  }
}

}  // namespace sim
