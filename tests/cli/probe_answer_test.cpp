// What a port's answers to the probe say about it.
#include "cli/probe_answer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/link_frame.h"

namespace {

using cli::ProbeAnswer;
using cli::ProbeVerdict;
using Bytes = std::vector<uint8_t>;

Bytes Frame(uint8_t code, std::vector<uint8_t> data, uint16_t address = 0) {
  return protocol::BuildFrame(code, address, data);
}
Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
Bytes Text(size_t n) {
  const std::string line = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
  Bytes b;
  while (b.size() < n) b.push_back(uint8_t(line[b.size() % line.size()]));
  return b;
}

TEST(ProbeAnswer, VerdictOfWhatComesBack) {
  const auto probe = protocol::ProbeFrame();
  Bytes bad_check = Frame(protocol::RSP_CONNECT, {1});
  bad_check.back() ^= 0x01;
  const Bytes positive = Frame(protocol::RSP_CONNECT, {1});
  Bytes echoes;
  for (int i = 0; i < 300; ++i) echoes.insert(echoes.end(), probe.begin(), probe.end());
  struct Case {
    const char* what;
    Bytes bytes;
    ProbeVerdict verdict;
  } cases[] = {
      {"nothing", {}, ProbeVerdict::Undecided},
      {"a positive connect reply", positive, ProbeVerdict::Unit},
      {"noise, then the reply", Join({{0x00, 0xFF, 0x42}, positive}), ProbeVerdict::Unit},
      {"a negative reply: a unit not ready", Frame(protocol::RSP_CONNECT, {0}), ProbeVerdict::Undecided},
      {"a connect reply without its status", Frame(protocol::RSP_CONNECT, {}), ProbeVerdict::Undecided},
      {"a reply with a wrong check byte", bad_check, ProbeVerdict::Undecided},
      {"a stale read reply", Frame(protocol::RSP_READ, Bytes(128, 0x33), 0x0200), ProbeVerdict::Undecided},
      // An adapter that hears itself may have a unit behind it.
      {"our probe sent back", Bytes(probe.begin(), probe.end()), ProbeVerdict::Undecided},
      {"a minute of echoed probes", echoes, ProbeVerdict::Undecided},
      {"echoes, then the unit", Join({echoes, positive}), ProbeVerdict::Unit},
      {"text without a frame", Text(ProbeAnswer::kChatterLimit), ProbeVerdict::Chatter},
      {"text just short of the limit", Text(ProbeAnswer::kChatterLimit - 1), ProbeVerdict::Undecided},
      // A frame starts the count again: a unit's noise is forgiven.
      {"text, a reply, text",
       Join({Text(ProbeAnswer::kChatterLimit - 20), Frame(protocol::RSP_CONNECT, {0}),
             Text(ProbeAnswer::kChatterLimit - 20)}),
       ProbeVerdict::Undecided},
      {"text, then the positive reply", Join({Text(ProbeAnswer::kChatterLimit - 20), positive}), ProbeVerdict::Unit},
  };
  for (const Case& c : cases) {
    ProbeAnswer whole;
    EXPECT_EQ(whole.Feed(c.bytes.data(), c.bytes.size()), c.verdict) << c.what;
    // Byte by byte, as the port may hand them over.
    ProbeAnswer split;
    for (uint8_t b : c.bytes) split.Feed(&b, 1);
    EXPECT_EQ(split.Verdict(), c.verdict) << c.what << ", byte by byte";
  }
}

TEST(ProbeAnswer, AVerdictStays) {
  ProbeAnswer a;
  const Bytes text = Text(ProbeAnswer::kChatterLimit);
  ASSERT_EQ(a.Feed(text.data(), text.size()), ProbeVerdict::Chatter);
  const Bytes positive = Frame(protocol::RSP_CONNECT, {1});
  EXPECT_EQ(a.Feed(positive.data(), positive.size()), ProbeVerdict::Chatter);
}

}  // namespace
