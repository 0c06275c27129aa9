#include "protocol/link_frame.h"

namespace protocol {

uint8_t FrameCheck(std::span<const uint8_t> bytes) {
  uint8_t x = 0;
  for (uint8_t b : bytes) x ^= b;
  return x;
}

std::vector<uint8_t> BuildFrame(uint8_t code, uint16_t address, std::span<const uint8_t> data) {
  const size_t n = data.size() > kMaxData ? kMaxData : data.size();
  std::vector<uint8_t> out;
  out.reserve(n + 6);
  out.push_back(FRAME_START);
  out.push_back(code);
  out.push_back(uint8_t(n));
  out.push_back(uint8_t(address >> 8));
  out.push_back(uint8_t(address & 0xFF));
  out.insert(out.end(), data.begin(), data.begin() + std::ptrdiff_t(n));
  out.push_back(FrameCheck(out));
  return out;
}

std::vector<uint8_t> EncodeFrame(const LinkFrame& frame) {
  return BuildFrame(frame.Code, frame.Address, std::span<const uint8_t>(frame.Data.data(), frame.Length));
}

std::array<uint8_t, kShortFrame> ShortCommand(uint8_t code, uint16_t address) {
  std::array<uint8_t, kShortFrame> f = {FRAME_START, code, 0x01, uint8_t(address >> 8), uint8_t(address & 0xFF), 0x00, 0};
  f[6] = FrameCheck(std::span<const uint8_t>(f.data(), 6));
  return f;
}

std::array<uint8_t, kShortFrame> ProbeFrame() { return ShortCommand(CMD_CONNECT, 0x0000); }

}  // namespace protocol
