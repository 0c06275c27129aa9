#include "serial/line/posix/read_timing.h"

#include <algorithm>

namespace serial {

namespace {
constexpr uint32_t kMaxDword = 0xFFFFFFFFu;
}

ReadTiming::ReadTiming(const ReadTimeouts& t, unsigned size, uint64_t start_us) : size_(size) {
  if (t.interval == kMaxDword && t.total_multiplier == 0 && t.total_constant == 0) {
    immediate_ = true;
    total_deadline_ = start_us;
    return;
  }
  if (t.interval == kMaxDword && t.total_multiplier == kMaxDword && t.total_constant != 0 &&
      t.total_constant != kMaxDword) {
    first_bytes_ = true;
    total_deadline_ = start_us + uint64_t(t.total_constant) * 1000;
    return;
  }
  interval_us_ = uint64_t(t.interval) * 1000;
  const uint64_t total_ms = uint64_t(t.total_multiplier) * size + t.total_constant;
  if (total_ms != 0) total_deadline_ = start_us + total_ms * 1000;
}

void ReadTiming::BytesArrived(unsigned total, uint64_t now_us) {
  count_ = total;
  last_byte_ = now_us;
}

bool ReadTiming::Complete(uint64_t now_us) const {
  if (count_ >= size_) return true;
  if (first_bytes_ && count_ > 0) return true;
  if (auto d = Deadline()) return now_us >= *d;
  return false;
}

std::optional<uint64_t> ReadTiming::Deadline() const {
  std::optional<uint64_t> d = total_deadline_;
  if (!immediate_ && !first_bytes_ && count_ > 0 && interval_us_ != 0) {
    const uint64_t i = last_byte_ + interval_us_;
    d = d ? std::min(*d, i) : i;
  }
  return d;
}

}  // namespace serial
