#include "serial/posix/read_timing.h"

#include <algorithm>

namespace serial {

namespace {
constexpr uint32_t kMaxDword = 0xFFFFFFFFu;
}

ReadTiming::ReadTiming(const ReadTimeouts& t, unsigned size, uint64_t start_ms) : size_(size) {
  if (t.interval == kMaxDword && t.total_multiplier == 0 && t.total_constant == 0) {
    immediate_ = true;
    total_deadline_ = start_ms;
    return;
  }
  if (t.interval == kMaxDword && t.total_multiplier == kMaxDword && t.total_constant != 0 &&
      t.total_constant != kMaxDword) {
    first_bytes_ = true;
    total_deadline_ = start_ms + t.total_constant;
    return;
  }
  interval_ = t.interval;
  const uint64_t total = uint64_t(t.total_multiplier) * size + t.total_constant;
  if (total != 0) total_deadline_ = start_ms + total;
}

void ReadTiming::BytesArrived(unsigned total, uint64_t now_ms) {
  count_ = total;
  last_byte_ = now_ms;
}

bool ReadTiming::Complete(uint64_t now_ms) const {
  if (count_ >= size_) return true;
  if (first_bytes_ && count_ > 0) return true;
  if (auto d = Deadline()) return now_ms >= *d;
  return false;
}

std::optional<uint64_t> ReadTiming::Deadline() const {
  std::optional<uint64_t> d = total_deadline_;
  if (!immediate_ && !first_bytes_ && count_ > 0 && interval_ != 0) {
    const uint64_t i = last_byte_ + interval_;
    d = d ? std::min(*d, i) : i;
  }
  return d;
}

}  // namespace serial
