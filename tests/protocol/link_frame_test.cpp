// Frame layout, check byte and the byte-by-byte receiver.
#include <gtest/gtest.h>

#include <vector>

#include "protocol/frame_receiver.h"
#include "protocol/link_frame.h"

using namespace protocol;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes Vec(std::initializer_list<int> v) {
  Bytes b;
  for (int x : v) b.push_back(uint8_t(x));
  return b;
}

template <size_t N>
Bytes Vec(const std::array<uint8_t, N>& a) {
  return Bytes(a.begin(), a.end());
}

// Feeds bytes; returns the verified frames.
std::vector<LinkFrame> FeedAll(FrameReceiver& rx, const Bytes& b) {
  std::vector<LinkFrame> out;
  for (uint8_t c : b)
    if (const LinkFrame* f = rx.Feed(c)) out.push_back(*f);
  return out;
}

}  // namespace

TEST(LinkFrame, CommandFramesAreByteExact) {
  EXPECT_EQ(Vec(ProbeFrame()), Vec({0x0B, 0x07, 0x01, 0x00, 0x00, 0x00, 0x0D}));
  EXPECT_EQ(Vec(ShortCommand(CMD_PREPARE, 0x0200)), Vec({0x0B, 0x05, 0x01, 0x02, 0x00, 0x00, 0x0D}));
  EXPECT_EQ(Vec(ShortCommand(CMD_PREPARE, 0x1600)), Vec({0x0B, 0x05, 0x01, 0x16, 0x00, 0x00, 0x19}));
  EXPECT_EQ(Vec(ShortCommand(CMD_READ, 0x0200)), Vec({0x0B, 0x03, 0x01, 0x02, 0x00, 0x00, 0x0B}));
  EXPECT_EQ(Vec(ShortCommand(CMD_READ, 0x1880)), Vec({0x0B, 0x03, 0x01, 0x18, 0x80, 0x00, 0x91}));

  LinkFrame w;
  w.Code = CMD_WRITE;
  w.Length = 128;
  w.Address = 0x0A00;
  for (int i = 0; i < 128; ++i) w.Data[i] = uint8_t(i * 3);
  const Bytes f = EncodeFrame(w);
  ASSERT_EQ(f.size(), 134u);
  EXPECT_EQ(Bytes(f.begin(), f.begin() + 5), Vec({0x0B, 0x01, 0x80, 0x0A, 0x00}));
  EXPECT_EQ(FrameCheck(std::span<const uint8_t>(f.data(), f.size())), 0) << "XOR over a whole frame is 0";
}

TEST(FrameReceiver, FindsFramesWhateverTheSplitAndNoise) {
  const Bytes connect = Vec({0x0B, 0x08, 0x01, 0x00, 0x00, 0x01, 0x03});
  // Noise before the frame, and every way of cutting it into two events:
  // the receiver keeps its state between calls.
  for (size_t cut = 0; cut <= connect.size(); ++cut) {
    FrameReceiver rx;
    auto a = FeedAll(rx, Vec({0x00, 0xFF, 0x55, 0x08}));
    EXPECT_TRUE(a.empty());
    auto b = FeedAll(rx, Bytes(connect.begin(), connect.begin() + cut));
    auto c = FeedAll(rx, Bytes(connect.begin() + cut, connect.end()));
    b.insert(b.end(), c.begin(), c.end());
    ASSERT_EQ(b.size(), 1u) << "cut at " << cut;
    EXPECT_EQ(b[0].Code, RSP_CONNECT);
    EXPECT_EQ(b[0].Status(), 1);
    EXPECT_FALSE(rx.InFrame());
  }
}

TEST(FrameReceiver, LengthDecidesTheEndNotStartBytes) {
  FrameReceiver rx;
  // L = 0: six bytes.
  auto f = FeedAll(rx, BuildFrame(RSP_WRITE, 0x1234, {}));
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].Length, 0);
  EXPECT_EQ(f[0].Address, 0x1234);
  EXPECT_EQ(f[0].Data[0], 0xFF) << "no status byte: the cleared value";

  // Start bytes inside the data are data; the longest frame is whole.
  Bytes data(255, 0x0B);
  data[254] = 0x42;
  f = FeedAll(rx, BuildFrame(RSP_READ, 0xFF01, data));
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].Length, 255);
  EXPECT_EQ(f[0].Data[0], 0x0B);
  EXPECT_EQ(f[0].Data[254], 0x42);
}

TEST(FrameReceiver, WrongCheckIsDroppedAndTheNextFrameFound) {
  FrameReceiver rx;
  Bytes bad = BuildFrame(RSP_PREPARE, 0x0400, Vec({1}));
  bad.back() ^= 0x01;
  const Bytes good = BuildFrame(RSP_PREPARE, 0x0400, Vec({1}));
  Bytes stream = bad;
  stream.insert(stream.end(), {0x33, 0x44});
  stream.insert(stream.end(), good.begin(), good.end());
  auto f = FeedAll(rx, stream);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].Address, 0x0400);
  EXPECT_EQ(rx.BadChecks(), 1u);

  // A lost byte inside a frame throws the count off; the frame then fails
  // its check and the receiver picks up the next whole frame after it.
  Bytes lost = BuildFrame(RSP_READ, 0x0200, Bytes(128, 0x20));
  lost.erase(lost.begin() + 40);
  FrameReceiver rx2;
  FeedAll(rx2, lost);
  f = FeedAll(rx2, good);  // completes the damaged frame, which fails
  EXPECT_TRUE(f.empty());
  f = FeedAll(rx2, good);
  EXPECT_EQ(f.size(), 1u);
}
