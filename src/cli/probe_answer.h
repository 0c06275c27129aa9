// What the bytes a port sends back to the link's probe say about it, for
// finding the port a unit is on. Silence says nothing (the unit may be
// switched on later), and neither does an echo of our own probe (an adapter
// that hears itself, as half-duplex ones do, may still have a unit behind
// it: the link ignores frames with a command's code). Only a positive
// connect reply says "a unit", and only a stream of bytes that holds no
// frame at all says "no unit here": nothing could be understood on it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/frame_receiver.h"

namespace cli {

enum class ProbeVerdict {
  Undecided,  // nothing yet, a unit that is not ready (a negative reply), an echo
  Unit,       // a positive connect reply with a matching check byte
  Chatter,    // kChatterLimit bytes in a row without one frame
};

class ProbeAnswer {
 public:
  // Bytes that hold no frame after which a port is known to carry something
  // else (half a second of a 38400-baud line, far more than a unit's noise
  // at power-on).
  static constexpr size_t kChatterLimit = 2048;

  // Takes bytes in the order they came; once decided, the verdict stays.
  ProbeVerdict Feed(const uint8_t* bytes, size_t n);
  ProbeVerdict Verdict() const { return verdict_; }

 private:
  protocol::FrameReceiver rx_;
  size_t without_frame_ = 0;
  ProbeVerdict verdict_ = ProbeVerdict::Undecided;
};

}  // namespace cli
