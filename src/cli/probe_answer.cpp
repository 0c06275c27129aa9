#include "cli/probe_answer.h"

namespace cli {
namespace {

// Replies carry an even code (the command's plus one), commands an odd one.
bool IsReplyCode(uint8_t code) { return code >= devlink::RSP_WRITE && code <= devlink::RSP_CONNECT && code % 2 == 0; }
bool IsCommandCode(uint8_t code) { return code >= devlink::CMD_WRITE && code <= devlink::CMD_CONNECT && code % 2 == 1; }

}  // namespace

ProbeVerdict ProbeAnswer::Feed(const uint8_t* bytes, size_t n) {
  for (size_t i = 0; i < n && verdict_ == ProbeVerdict::Undecided; ++i) {
    ++without_reply_;
    const devlink::LinkFrame* f = rx_.Feed(bytes[i]);
    if (f && IsReplyCode(f->Code)) {
      without_reply_ = 0;
      if (f->Code == devlink::RSP_CONNECT && f->Length >= 1 && f->Status() == devlink::STATUS_OK)
        verdict_ = ProbeVerdict::Unit;
    } else if (f && IsCommandCode(f->Code)) {
      verdict_ = ProbeVerdict::Echo;
    } else if (without_reply_ >= kChatterLimit) {
      verdict_ = ProbeVerdict::Chatter;
    }
  }
  return verdict_;
}

}  // namespace cli
