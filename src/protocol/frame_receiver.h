// The byte-by-byte frame receiver. It finds frames in a byte stream that may
// be split at any point, carry noise between frames, or be damaged. Its state
// lives between calls, so a frame may arrive over any number of events.
//
// Outside a frame every byte but 0x0B is dropped. Inside a frame the length
// byte alone decides where the frame ends; the last byte is compared with
// the running XOR. Either way the receiver then returns to "outside a frame"
// and resynchronises on the next 0x0B.
#pragma once

#include <cstdint>

#include "protocol/link_frame.h"

namespace protocol {

class FrameReceiver {
 public:
  // Takes one byte. Returns the frame when this byte completed one whose
  // check matched (valid until the next call), otherwise nullptr.
  const LinkFrame* Feed(uint8_t c);

  // Back to "outside a frame", with the frame cleared.
  void Reset();
  // Clears the frame under construction: header and check 0, data 0xFF.
  void ResetFrame();

  bool InFrame() const { return in_frame_; }
  int Position() const { return p_; }
  const LinkFrame& RxFrame() const { return rx_; }
  // Frames dropped for a wrong check byte since construction.
  unsigned long BadChecks() const { return bad_checks_; }

 private:
  LinkFrame rx_;
  LinkFrame done_;
  bool in_frame_ = false;
  int p_ = 0;
  uint8_t x_ = 0;
  unsigned long bad_checks_ = 0;
};

}  // namespace protocol
