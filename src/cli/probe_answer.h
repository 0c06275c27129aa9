// What the bytes a port sends back to the link's probe say about it, for
// finding the port a unit is on. Silence says nothing (the unit may be
// switched on later); only a positive connect reply says "a unit", and only
// an echo of our own commands or a stream of bytes that holds no reply at
// all says "no unit here".
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/frame_receiver.h"

namespace cli {

enum class ProbeVerdict {
  Undecided,  // nothing yet, or a unit that is not ready (a negative reply)
  Unit,       // a positive connect reply with a matching check byte
  Echo,       // our own command came back: a loopback or an echoing modem
  Chatter,    // kChatterLimit bytes in a row without one reply frame
};

class ProbeAnswer {
 public:
  // Bytes that hold no reply frame after which a port is known to carry
  // something else (half a second of a 38400-baud line, far more than a
  // unit's noise at power-on).
  static constexpr size_t kChatterLimit = 2048;

  // Takes bytes in the order they came; once decided, the verdict stays.
  ProbeVerdict Feed(const uint8_t* bytes, size_t n);
  ProbeVerdict Verdict() const { return verdict_; }

 private:
  protocol::FrameReceiver rx_;
  size_t without_reply_ = 0;
  ProbeVerdict verdict_ = ProbeVerdict::Undecided;
};

}  // namespace cli
