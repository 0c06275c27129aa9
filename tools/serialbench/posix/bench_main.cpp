// serialbench, native: the component on a pseudo-terminal, the device played
// by a thread of this process on the master side, so both sides share a clock.
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "../bench.h"
#include "framework/headless/headless.h"

namespace {

class Device {
 public:
  Device() {
    char name[128];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    name_ = name;
    thread_ = std::thread([this] { Serve(); });
  }
  ~Device() {
    stop_ = true;
    thread_.join();
    close(master_);
    close(slave_);
  }
  const std::string& Name() const { return name_; }
  std::optional<BenchClock::time_point> BurstWrittenAt() {
    std::lock_guard<std::mutex> lock(mu_);
    return burst_at_;
  }

 private:
  void WriteAll(const uint8_t* p, size_t n) {
    while (n > 0) {
      ssize_t r = write(master_, p, n);
      if (r <= 0) {
        if (stop_) return;
        continue;
      }
      p += r;
      n -= size_t(r);
    }
  }

  void Serve() {
    std::vector<uint8_t> pending;
    uint8_t buf[65536];
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      ssize_t r = read(master_, buf, sizeof buf);
      if (r <= 0) continue;
      pending.insert(pending.end(), buf, buf + r);
      std::vector<uint8_t> out;
      size_t i = 0;
      while (i < pending.size()) {
        if (pending[i] != 0) {
          out.push_back(pending[i++]);
          continue;
        }
        if (i + 1 >= pending.size()) break;
        if (pending[i + 1] == 'B') {
          if (i + 3 >= pending.size()) break;
          const size_t n = size_t(pending[i + 2]) * 256 + pending[i + 3];
          WriteAll(out.data(), out.size());
          out.clear();
          std::vector<uint8_t> burst(n, 0x55);
          {
            // Noted before the write: the reader may finish before it returns.
            std::lock_guard<std::mutex> lock(mu_);
            burst_at_ = BenchClock::now();
          }
          WriteAll(burst.data(), n);
          i += 4;
        } else {
          i += 2;
        }
      }
      pending.erase(pending.begin(), pending.begin() + long(i));
      WriteAll(out.data(), out.size());
    }
  }

  int master_ = -1, slave_ = -1;
  std::string name_;
  std::atomic<bool> stop_{false};
  std::mutex mu_;
  std::optional<BenchClock::time_point> burst_at_;
  std::thread thread_;
};

}  // namespace

int main() {
  Device device;
  BenchHost host;
  host.port = device.Name();
  host.pump = [](const std::function<bool()>& pred, unsigned ms) { return fw::headless::PumpUntil(pred, ms); };
  host.burst_written_at = [&] { return device.BurstWrittenAt(); };
  std::printf("serialbench (POSIX backend) on %s\n", host.port.c_str());
  return RunBench(host);
}
