// The monotonic clock, for the worker threads' time-outs.
#pragma once

#include <chrono>
#include <cstdint>

namespace serial {

inline uint64_t MonotonicUs() {
  using namespace std::chrono;
  return uint64_t(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

// A poll() time-out in milliseconds until a deadline in microseconds,
// rounded up so that the wait never ends early: -1 for none, at least 0.
inline int PollTimeout(uint64_t now_us, const uint64_t* deadline_us) {
  if (!deadline_us) return -1;
  if (*deadline_us <= now_us) return 0;
  const uint64_t ms = (*deadline_us - now_us + 999) / 1000;
  return ms > 0x7FFFFFFF ? 0x7FFFFFFF : int(ms);
}

}  // namespace serial
