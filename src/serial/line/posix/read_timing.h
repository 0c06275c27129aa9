// When a read of the POSIX port completes, following the Win32 comm
// time-outs that the component's properties describe:
// - interval MAXDWORD with both totals 0: at once, with what is there;
// - interval and multiplier MAXDWORD, constant between: at the first bytes,
//   or after the constant;
// - otherwise at a full buffer, ReadIntervalTimeout ms after the last byte
//   (when not 0; it starts with the first byte), or after the total time-out
//   multiplier * size + constant (when not 0).
// Time-outs are in milliseconds, times in microseconds on any monotonic
// clock; nothing here reads a clock.
#pragma once

#include <cstdint>
#include <optional>

namespace serial {

struct ReadTimeouts {
  uint32_t interval = 0;
  uint32_t total_multiplier = 0;
  uint32_t total_constant = 0;
};

class ReadTiming {
 public:
  ReadTiming(const ReadTimeouts& t, unsigned size, uint64_t start_us);

  // Call after bytes have been added; total is the count so far.
  void BytesArrived(unsigned total, uint64_t now_us);
  // True when the read is complete at now_us.
  bool Complete(uint64_t now_us) const;
  // The next time at which Complete can become true without more bytes, or
  // nothing when only bytes can complete the read.
  std::optional<uint64_t> Deadline() const;

 private:
  unsigned size_;
  unsigned count_ = 0;
  bool immediate_ = false;   // return at once with what is there
  bool first_bytes_ = false; // return at the first bytes
  std::optional<uint64_t> total_deadline_;
  uint64_t interval_us_ = 0;
  uint64_t last_byte_ = 0;
};

}  // namespace serial
