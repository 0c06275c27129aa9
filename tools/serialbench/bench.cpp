#include "bench.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "serial/comm.h"

namespace {

constexpr size_t kThroughputBytes = 512 * 1024;
constexpr uint16_t kChunk = 4096;
constexpr int kBursts = 40;

// Goals: the line runs at 38400 baud (3840 bytes/s); the component must be
// far from the bottleneck, and hand a burst over within the inter-character
// interval plus a little.
constexpr double kMinThroughput = 200.0 * 1024;  // bytes per second, each way
constexpr double kMaxDelayOverIntervalMs = 15.0; // median

double Ms(BenchClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Stats {
  double min, median, max;
};
Stats Summarize(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v.front(), v[v.size() / 2], v.back()};
}

}  // namespace

int RunBench(const BenchHost& host) {
  TComm comm(nullptr);
  comm.CommName = host.port;
  comm.SetBaudRate(38400);
  comm.SetReadIntervalTimeout(20);
  comm.SetTxContinueOnXoff(false);
  comm.SetOutx_XonXoffFlow(false);
  comm.SetInx_XonXoffFlow(false);

  size_t received = 0;
  size_t events = 0;
  BenchClock::time_point last_event;
  comm.OnReceiveData = [&](fw::TObject*, const void*, uint16_t n) {
    received += n;
    ++events;
    last_event = BenchClock::now();
  };
  int hangups = 0;
  comm.OnRequestHangup = [&](fw::TObject*) { ++hangups; };
  try {
    comm.OpenPort();
  } catch (const ECommsError& e) {
    std::printf("cannot open %s: %s\n", host.port.c_str(), e.what());
    return 2;
  }
  host.pump([] { return false; }, 100);
  int failures = 0;

  // Throughput: everything sent comes back; both directions run at once.
  {
    std::vector<uint8_t> chunk(kChunk);
    for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = uint8_t(1 + i % 255);
    received = events = 0;
    const auto t0 = BenchClock::now();
    size_t queued = 0;
    while (queued < kThroughputBytes) {
      if (!comm.SendData(chunk.data(), kChunk)) break;
      queued += kChunk;
    }
    const bool done = host.pump([&] { return received >= queued; }, 120000);
    const double s = Ms(last_event - t0) / 1000.0;
    const double rate = done && s > 0 ? double(queued) / s : 0.0;
    std::printf("throughput: %zu bytes echoed in %.3f s = %.0f bytes/s each way (%.1f x 38400 baud), %zu events, %.1f bytes/event\n",
                queued, s, rate, rate / 3840.0, events, events ? double(received) / double(events) : 0.0);
    const bool ok = done && rate >= kMinThroughput;
    std::printf("  goal >= %.0f bytes/s: %s\n", kMinThroughput, ok ? "met" : "MISSED");
    if (!ok) ++failures;
  }

  // Delay from a burst's last byte to its OnReceiveData, for a burst that
  // ends inside a read (interval-bound) and one that fills a read.
  for (const uint16_t burst : {uint16_t(64), uint16_t(256)}) {
    std::vector<double> round, oneway;
    for (int i = 0; i < kBursts; ++i) {
      received = 0;
      const uint8_t cmd[4] = {0, 'B', uint8_t(burst >> 8), uint8_t(burst & 0xFF)};
      const auto t0 = BenchClock::now();
      comm.SendData(cmd, 4);
      if (!host.pump([&] { return received >= burst; }, 10000)) break;
      comm.SendData("\0A", 2);
      round.push_back(Ms(last_event - t0));
      if (host.burst_written_at)
        if (auto w = host.burst_written_at()) oneway.push_back(Ms(last_event - *w));
      host.pump([] { return false; }, 5);
    }
    if (round.size() != size_t(kBursts)) {
      std::printf("burst %u: the device did not answer\n", burst);
      ++failures;
      continue;
    }
    const Stats r = Summarize(round);
    std::printf("burst of %u bytes: request -> OnReceiveData: min %.2f, median %.2f, max %.2f ms\n", burst, r.min,
                r.median, r.max);
    if (!oneway.empty()) {
      const Stats o = Summarize(oneway);
      std::printf("  last byte written -> OnReceiveData: min %.2f, median %.2f, max %.2f ms\n", o.min, o.median, o.max);
    }
    // A full read completes at once; a shorter one after the interval.
    const double bound = (burst >= 256 ? 0.0 : comm.ReadIntervalTimeout()) + kMaxDelayOverIntervalMs;
    const double measured = oneway.empty() ? r.median : Summarize(oneway).median;
    const bool ok = measured <= bound;
    std::printf("  goal median <= %.0f ms: %s\n", bound, ok ? "met" : "MISSED");
    if (!ok) ++failures;
  }
  if (hangups) {
    std::printf("hang-up requests: %d\n", hangups);
    ++failures;
  }
  comm.ClosePort();
  return failures ? 1 : 0;
}
