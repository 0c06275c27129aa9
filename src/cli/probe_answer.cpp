#include "cli/probe_answer.h"

namespace cli {

ProbeVerdict ProbeAnswer::Feed(const uint8_t* bytes, size_t n) {
  for (size_t i = 0; i < n && verdict_ == ProbeVerdict::Undecided; ++i) {
    ++without_frame_;
    const protocol::LinkFrame* f = rx_.Feed(bytes[i]);
    if (f) {
      without_frame_ = 0;
      if (f->Code == protocol::RSP_CONNECT && f->Length >= 1 && f->Status() == protocol::STATUS_OK)
        verdict_ = ProbeVerdict::Unit;
    } else if (without_frame_ >= kChatterLimit) {
      verdict_ = ProbeVerdict::Chatter;
    }
  }
  return verdict_;
}

}  // namespace cli
