// Whole transfers between the engine and the simulated controller on the
// test clock, also over a line that damages, loses and refuses replies.
#include <gtest/gtest.h>

#include "link_fake_host.h"

using namespace protocol;
using linktest::Bytes;
using linktest::FakeHost;

namespace {

bool BlocksEqual(const uint8_t* a, const uint8_t* b) {
  for (uint16_t addr : protocol::kImageBlocks)
    if (!std::equal(a + addr, a + addr + 128, b + addr)) return false;
  return true;
}

}  // namespace

TEST(Loopback, DownloadWritesAllNineBlocksInOrder) {
  FakeHost h;
  h.device.emplace(sim::FactoryMemory());
  h.reply_split = 5;  // every reply in several events
  h.engine.StartDownload();
  while (h.outcomes.empty() && h.now < 5000) h.Advance(1);
  ASSERT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::DownloadDone});
  EXPECT_TRUE(BlocksEqual(h.device->memory().data(), h.engine.Image().data()));

  // 7 prepares and 9 writes, each after the answer to the one before.
  std::vector<std::pair<uint8_t, uint16_t>> order;
  for (auto& c : h.Commands()) order.push_back({c.bytes[1], uint16_t(c.bytes[3] << 8 | c.bytes[4])});
  const std::vector<std::pair<uint8_t, uint16_t>> expected = {
      {5, 0x0200}, {1, 0x0200}, {5, 0x0400}, {1, 0x0400}, {5, 0x0A00}, {1, 0x0A00}, {5, 0x0C00}, {1, 0x0C00},
      {5, 0x0E00}, {1, 0x0E00}, {5, 0x1600}, {1, 0x1600}, {1, 0x1680}, {5, 0x1800}, {1, 0x1800}, {1, 0x1880}};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(h.device->stats().unprepared_writes, 0u);
  EXPECT_EQ(h.blocks_done, std::vector<uint16_t>(protocol::kImageBlocks.begin(), protocol::kImageBlocks.end()));

  // The port stays open while the box is up and closes 20 ms after it.
  EXPECT_TRUE(h.Running(LinkTimer::Close));
  EXPECT_TRUE(h.port_open);
  h.Advance(19);
  EXPECT_TRUE(h.port_open);
  h.Advance(1);
  EXPECT_FALSE(h.port_open);
  EXPECT_FALSE(h.port_lamp);
  EXPECT_FALSE(h.Running(LinkTimer::Close));
  EXPECT_EQ(h.status, TransferEvent::Connected);
}

TEST(Loopback, UploadReadsAllNineBlocksThenDecodes) {
  FakeHost h;
  const sim::Memory factory = sim::FactoryMemory();
  h.device.emplace(factory);
  h.on_outcome = [&](TransferEvent) { EXPECT_EQ(h.decoded_at.size(), 1u) << "decoded before the outcome"; };
  h.engine.StartUpload();
  h.Advance(2000);
  ASSERT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::UploadDone});
  EXPECT_TRUE(BlocksEqual(factory.data(), h.engine.Image().data()));
  EXPECT_EQ(h.engine.Image()[0x0000], 0xFF) << "only the nine blocks are read";
  EXPECT_EQ(h.device->stats().reads, 9u);
  EXPECT_EQ(h.blocks_done, std::vector<uint16_t>(protocol::kImageBlocks.begin(), protocol::kImageBlocks.end()));
}

// Over a bad line every transfer still ends in success with exact data,
// only later. Each seed is a different pattern of damage.
TEST(Loopback, SurvivesCorruptedLostAndRefusedReplies) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    for (bool download : {true, false}) {
      FakeHost h;
      sim::FaultOptions faults;
      faults.seed = seed;
      faults.corrupt_rate = 0.05;
      faults.drop_rate = 0.03;
      faults.negative_rate = 0.05;
      h.device.emplace(sim::FactoryMemory(), faults);
      h.reply_split = 1 + seed % 7;
      download ? h.engine.StartDownload() : h.engine.StartUpload();
      h.Advance(120000);
      ASSERT_EQ(h.Outcomes(), std::vector<TransferEvent>{download ? TransferEvent::DownloadDone : TransferEvent::UploadDone})
          << "seed " << seed;
      EXPECT_TRUE(BlocksEqual(h.device->memory().data(), h.engine.Image().data())) << "seed " << seed;
    }
  }
}
