#include "protocol/frame_receiver.h"

namespace protocol {

void FrameReceiver::ResetFrame() {
  rx_.Start = 0;
  rx_.Code = 0;
  rx_.Length = 0;
  rx_.Address = 0;
  rx_.Data.fill(0xFF);
  rx_.Check = 0;
}

void FrameReceiver::Reset() {
  ResetFrame();
  in_frame_ = false;
  p_ = 0;
  x_ = 0;
}

const LinkFrame* FrameReceiver::Feed(uint8_t c) {
  if (!in_frame_) {
    if (c != FRAME_START) return nullptr;
    in_frame_ = true;
    x_ = FRAME_START;
    p_ = 1;
    rx_.Start = c;
    return nullptr;
  }
  if (p_ <= 4) {
    switch (p_) {
      case 1: rx_.Code = c; break;
      case 2: rx_.Length = c; break;
      case 3: rx_.Address = c; break;
      default: rx_.Address = uint16_t((rx_.Address << 8) | c); break;
    }
    x_ ^= c;
    ++p_;
    return nullptr;
  }
  // p_ is at most Length + 5, so the index below is at most 254.
  if (p_ < rx_.Length + 5) {
    rx_.Data[size_t(p_ - 5)] = c;
    x_ ^= c;
    ++p_;
    return nullptr;
  }
  // c is the check byte.
  const bool ok = c == x_;
  if (ok) {
    rx_.Check = c;
    done_ = rx_;
  } else {
    ++bad_checks_;
  }
  Reset();
  return ok ? &done_ : nullptr;
}

}  // namespace protocol
