// Milliseconds on the monotonic clock, for the worker threads' time-outs.
#pragma once

#include <chrono>
#include <cstdint>

namespace serial {

inline uint64_t MonotonicMs() {
  using namespace std::chrono;
  return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A poll() time-out until deadline: -1 for none, at least 0.
inline int PollTimeout(uint64_t now, const uint64_t* deadline) {
  if (!deadline) return -1;
  if (*deadline <= now) return 0;
  const uint64_t d = *deadline - now;
  return d > 0x7FFFFFFF ? 0x7FFFFFFF : int(d);
}

}  // namespace serial
