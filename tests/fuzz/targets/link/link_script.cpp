#include "link_script.h"

#include <algorithm>
#include <cstddef>

namespace linkfuzz {

Script& Script::Raw(std::vector<uint8_t> bytes) {
  for (size_t i = 0; i < bytes.size(); i += 32) {
    const size_t n = std::min<size_t>(32, bytes.size() - i);
    Put(Op::Bytes, uint8_t(n - 1));
    out_.insert(out_.end(), bytes.begin() + std::ptrdiff_t(i), bytes.begin() + std::ptrdiff_t(i + n));
  }
  return *this;
}

Script& Script::Advance(uint32_t ms) {
  // The largest step first: kSteps[s] * k for k = 4 down to 1.
  for (int s = int(kSteps.size()) - 1; s >= 0; --s)
    for (uint32_t k = 4; k >= 1; --k)
      while (ms >= kSteps[size_t(s)] * k) {
        Put(Op::Advance, uint8_t((k - 1) * 8 + uint32_t(s)));
        ms -= kSteps[size_t(s)] * k;
      }
  return *this;
}

Script& Script::Answer(uint8_t flags, Split split, uint8_t arg) {
  Put(Op::Answer, uint8_t(flags | SplitBits(split)));
  if (flags & kShortRead) out_.push_back(arg);
  if (split == Split::InTwo) out_.push_back(arg);
  return *this;
}

Script& Script::Frame(uint8_t code, uint16_t address, const std::vector<uint8_t>& data, uint8_t flags, Split split,
                      uint8_t arg) {
  Put(Op::Frame, uint8_t(flags | SplitBits(split)));
  out_.insert(out_.end(), {code, uint8_t(address >> 8), uint8_t(address & 0xFF), uint8_t(data.size())});
  out_.insert(out_.end(), data.begin(), data.end());
  if (split == Split::InTwo) out_.push_back(arg);
  return *this;
}

Script& Script::Press(Button b) {
  Put(Op::Button, uint8_t(b));
  return *this;
}

Script& Script::OnYield(uint8_t ops) {
  Put(Op::OnYield, uint8_t(ops - 1));
  return *this;
}

Script& Script::OnBox(uint8_t ops) {
  Put(Op::OnBox, uint8_t(ops - 1));
  return *this;
}

Script& Script::Set(uint8_t bits) {
  Put(Op::Set, bits);
  return *this;
}

}  // namespace linkfuzz
