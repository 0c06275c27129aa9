#include "cli/probe_answer.h"

namespace cli {
namespace {

// Replies carry an even code (the command's plus one), commands an odd one.
bool IsReplyCode(uint8_t code) { return code >= protocol::RSP_WRITE && code <= protocol::RSP_CONNECT && code % 2 == 0; }
bool IsCommandCode(uint8_t code) { return code >= protocol::CMD_WRITE && code <= protocol::CMD_CONNECT && code % 2 == 1; }

}  // namespace

ProbeVerdict ProbeAnswer::Feed(const uint8_t* bytes, size_t n) {
  for (size_t i = 0; i < n && verdict_ == ProbeVerdict::Undecided; ++i) {
    ++without_reply_;
    const protocol::LinkFrame* f = rx_.Feed(bytes[i]);
    if (f && IsReplyCode(f->Code)) {
      without_reply_ = 0;
      if (f->Code == protocol::RSP_CONNECT && f->Length >= 1 && f->Status() == protocol::STATUS_OK)
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
