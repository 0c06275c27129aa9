// The transfer engine on a test clock: probing, the reply table, the
// response timer, "Stop", and the faults it must not have.
#include <gtest/gtest.h>

#include "link_fake_host.h"

using namespace protocol;
using linktest::Bytes;
using linktest::FakeHost;
using linktest::Sent;

namespace {

Bytes Reply(uint8_t code, uint16_t address, std::initializer_list<uint8_t> data) {
  return BuildFrame(code, address, Bytes(data));
}
Bytes Short(uint8_t code, uint16_t address) {
  auto a = ShortCommand(code, address);
  return Bytes(a.begin(), a.end());
}
const Bytes kConnectOk = {0x0B, 0x08, 0x01, 0x00, 0x00, 0x01, 0x03};

// A host whose transfer has been started and has answered the probe, so
// that the first command is outstanding at t = 1000.
void StartAndConnect(FakeHost& h, bool download) {
  download ? h.engine.StartDownload() : h.engine.StartUpload();
  h.Advance(900);
  h.Deliver(kConnectOk, 100);
  h.Advance(100);
}

}  // namespace

TEST(TransferEngine, ProbesUntilTheControllerAnswers) {
  FakeHost h;
  h.engine.StartDownload();
  EXPECT_TRUE(h.port_open);
  EXPECT_TRUE(h.port_lamp);
  EXPECT_FALSE(h.traffic_lamp);
  EXPECT_TRUE(h.sent.empty()) << "the first probe waits for the first tick";
  h.Advance(1000);
  ASSERT_EQ(h.sent.size(), 5u);
  for (auto& s : h.sent) EXPECT_EQ(s.bytes, Short(CMD_CONNECT, 0));
  EXPECT_EQ(h.sent[0].at, 200u);
  EXPECT_EQ(h.status, TransferEvent::Probing);
  EXPECT_TRUE(h.traffic_lamp) << "five toggles from red";

  h.Deliver(kConnectOk, 50);
  h.Advance(50);
  EXPECT_FALSE(h.Running(LinkTimer::Probe));
  EXPECT_EQ(h.status, TransferEvent::Connected);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_PREPARE, 0x0200));
  EXPECT_TRUE(h.Running(LinkTimer::Response));
  EXPECT_EQ(h.engine.RetryCount(), 1);
  h.Advance(1000);
  EXPECT_EQ(h.sent.size(), 6u) << "no probe after the answer";
}

TEST(TransferEngine, UploadStartsWithReadAndNegativeConnectKeepsProbing) {
  FakeHost h;
  h.engine.StartUpload();
  EXPECT_EQ(h.status, TransferEvent::Uploading);
  EXPECT_EQ(h.engine.DownloadFlag(), 0);
  h.Advance(200);
  h.Deliver(Reply(RSP_CONNECT, 0, {0x00}), 10);
  h.Advance(200);
  EXPECT_TRUE(h.Running(LinkTimer::Probe));
  EXPECT_EQ(h.sent.size(), 2u);
  h.Deliver(kConnectOk, 10);
  h.Advance(10);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_READ, 0x0200));
}

TEST(TransferEngine, PortNameIsTrimmedAndAFailedOpenLeavesEverythingStopped) {
  FakeHost h;
  h.port_text = "  Com3\t ";
  h.engine.StartUpload();
  ASSERT_EQ(h.opened_names.size(), 1u);
  EXPECT_EQ(h.opened_names[0], "Com3");

  // A second press while probing: the port is closed and reopened. When
  // that fails, no probe may go on under "Com Is Error".
  h.open_fails = true;
  h.engine.StartDownload();
  EXPECT_EQ(h.status, TransferEvent::PortError);
  ASSERT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::PortError});
  EXPECT_EQ(h.outcomes[0].detail, "Error opening serial port") << "the system's reason";
  EXPECT_FALSE(h.port_lamp);
  EXPECT_FALSE(h.traffic_lamp);
  EXPECT_FALSE(h.Running(LinkTimer::Probe));
  h.Advance(5000);
  EXPECT_TRUE(h.sent.empty());
  EXPECT_EQ(h.status, TransferEvent::PortError);
}

TEST(TransferEngine, WrongCheckIsRetransmittedAtTwoSeconds) {
  FakeHost h;
  StartAndConnect(h, true);
  const uint64_t t0 = h.sent.back().at;
  Bytes bad = Reply(RSP_PREPARE, 0x0200, {1});
  bad.back() ^= 0x10;
  h.Deliver(bad, 30);
  h.Advance(1999);
  EXPECT_EQ(h.Commands().size(), 1u);
  h.Advance(1);
  ASSERT_EQ(h.Commands().size(), 2u);
  EXPECT_EQ(h.sent.back().at, t0 + 2000);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_PREPARE, 0x0200));
  EXPECT_EQ(h.engine.RetryCount(), 2);
  // Now the good reply: the write of block 0x0200 follows.
  h.Deliver(Reply(RSP_PREPARE, 0x0200, {1}), 30);
  h.Advance(30);
  EXPECT_EQ(h.sent.back().bytes.size(), 134u);
  EXPECT_EQ(h.engine.RetryCount(), 1);
}

// A damaged length byte makes the receiver wait for a long frame; the
// retransmission starts it afresh so that the next reply is seen.
TEST(TransferEngine, ADamagedLengthCostsOneRetransmissionOnly) {
  FakeHost h;
  StartAndConnect(h, true);
  Bytes bad = Reply(RSP_PREPARE, 0x0200, {1});
  bad[2] = 0x81;  // promises 129 data bytes
  h.Deliver(bad, 10);
  h.Advance(2000);  // retransmission
  h.Deliver(Reply(RSP_PREPARE, 0x0200, {1}), 10);
  h.Advance(10);
  EXPECT_EQ(h.sent.back().bytes.size(), 134u);
}

// An unanswered command goes out once and is retransmitted exactly three
// times, 2 s apart, before the time-out; nothing is sent after it, not even
// into the closed port.
TEST(TransferEngine, GivesUpAfterExactlyThreeRetransmissions) {
  for (bool download : {true, false}) {
    SCOPED_TRACE(download ? "download" : "upload");
    FakeHost h;
    StartAndConnect(h, download);
    const Sent first = h.sent.back();
    const unsigned long calls_before = h.send_calls;
    h.Advance(60000);
    const auto cmds = h.Commands();
    ASSERT_EQ(cmds.size(), 4u) << "one sending and three retransmissions";
    for (size_t i = 0; i < cmds.size(); ++i) {
      EXPECT_EQ(cmds[i].bytes, first.bytes) << "sending " << i;
      EXPECT_EQ(cmds[i].at, first.at + 2000u * i) << "sending " << i;
    }
    EXPECT_EQ(h.send_calls - calls_before, 3u) << "no sending after the last retransmission, open port or not";
    ASSERT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::TimedOut});
    EXPECT_EQ(h.outcomes[0].at, first.at + 8000u);
    EXPECT_FALSE(h.port_open);
    EXPECT_FALSE(h.port_lamp);
    EXPECT_FALSE(h.traffic_lamp);
    EXPECT_FALSE(h.Running(LinkTimer::Response));
    EXPECT_FALSE(h.engine.Awaiting());
  }
}

TEST(TransferEngine, AnswerToTheFourthSendingStillCompletes) {
  FakeHost h;
  StartAndConnect(h, false);
  h.Advance(6000);  // fourth sending
  h.Deliver(BuildFrame(RSP_READ, 0x0200, Bytes(128, 0x35)), 1900);
  h.Advance(1900);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_READ, 0x0400));
  EXPECT_EQ(h.engine.Image()[0x0200], 0x35);
  h.Advance(7000);
  EXPECT_TRUE(h.outcomes.empty()) << "the new command has its own 8 s";
}

// A read reply shorter than a block would leave the rest of the block as
// erased bytes and be shown as read: it is dropped and the read repeated.
TEST(TransferEngine, AShortReadReplyIsNotTakenAsTheBlock) {
  FakeHost h;
  StartAndConnect(h, false);
  h.Deliver(BuildFrame(RSP_READ, 0x0200, Bytes(127, 0x35)), 10);
  h.Advance(10);
  EXPECT_EQ(h.engine.Image()[0x0200], 0xFF);
  EXPECT_EQ(h.engine.DroppedReplies(), 1u);
  h.Advance(1990);
  ASSERT_EQ(h.Commands().size(), 2u);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_READ, 0x0200));
  h.Deliver(BuildFrame(RSP_READ, 0x0200, Bytes(128, 0x35)), 10);
  h.Advance(10);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_READ, 0x0400));
}

TEST(TransferEngine, NegativeRepliesRepeatTheCommandAtOnce) {
  FakeHost h;
  StartAndConnect(h, true);
  h.Deliver(Reply(RSP_PREPARE, 0x0200, {0x00}), 10);
  h.Advance(10);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_PREPARE, 0x0200));
  h.Deliver(Reply(RSP_PREPARE, 0x0200, {0x01}), 10);
  h.Advance(10);
  const Bytes write = h.sent.back().bytes;
  ASSERT_EQ(write.size(), 134u);
  EXPECT_EQ(Bytes(write.begin() + 5, write.begin() + 10),
            Bytes({FakeHost::EncodedByte(0x200), FakeHost::EncodedByte(0x201), FakeHost::EncodedByte(0x202),
                   FakeHost::EncodedByte(0x203), FakeHost::EncodedByte(0x204)}));
  h.Advance(1500);
  for (int i = 0; i < 3; ++i) {  // no limit, and each resets the count
    h.Deliver(Reply(RSP_WRITE, 0x0200, {0x7F}), 10);
    h.Advance(10);
    EXPECT_EQ(h.sent.back().bytes, write);
    EXPECT_EQ(h.engine.RetryCount(), 1);
  }
  h.Advance(1999);
  EXPECT_TRUE(h.outcomes.empty()) << "the response period starts anew with each resend";
}

// A reply that does not answer the command outstanding is dropped: it
// neither moves the transfer on nor stops the response timer.
TEST(TransferEngine, OnlyTheAnswerToTheOutstandingCommandCounts) {
  FakeHost h;
  h.engine.StartDownload();
  h.Advance(400);
  // The controller answers both probes.
  h.Deliver(kConnectOk, 10);
  h.Deliver(kConnectOk, 20);
  h.Advance(20);
  EXPECT_EQ(h.Commands().size(), 1u) << "one prepare, not two";
  EXPECT_EQ(h.engine.DroppedReplies(), 1u);

  // A stray read reply during a download is not stored, and a reply for
  // another address is not taken as the answer.
  h.Deliver(Reply(RSP_READ, 0x0400, {0x11, 0x22}), 10);
  h.Deliver(Reply(RSP_PREPARE, 0x1680, {1}), 20);
  h.Advance(20);
  EXPECT_EQ(h.engine.Image()[0x0400], FakeHost::EncodedByte(0x400));
  EXPECT_TRUE(h.Running(LinkTimer::Response));
  EXPECT_EQ(h.Commands().size(), 1u);

  // After a retransmission both answers arrive: the late one is dropped.
  h.Advance(1970);  // the prepare went out at t = 410
  ASSERT_EQ(h.Commands().size(), 2u);
  h.Deliver(Reply(RSP_PREPARE, 0x0200, {1}), 10);
  h.Deliver(Reply(RSP_PREPARE, 0x0200, {1}), 20);
  h.Advance(20);
  auto cmds = h.Commands();
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[2].bytes.size(), 134u);
  EXPECT_EQ(h.engine.AwaitedCode(), CMD_WRITE);
}

TEST(TransferEngine, StopWhileProbingEndsEverything) {
  FakeHost h;
  h.engine.StartDownload();
  h.Advance(450);
  h.engine.Stop();
  EXPECT_EQ(h.status, TransferEvent::Stopped);
  EXPECT_FALSE(h.port_open);
  EXPECT_FALSE(h.port_lamp);
  EXPECT_FALSE(h.traffic_lamp);
  const size_t n = h.sent.size();
  h.Advance(20000);
  EXPECT_EQ(h.sent.size(), n);
  EXPECT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::Stopped});
  EXPECT_EQ(h.status, TransferEvent::Stopped);
}

TEST(TransferEngine, StopWhileWaitingLeavesNoTimeOutBehind) {
  FakeHost h;
  StartAndConnect(h, true);
  h.engine.Stop();
  EXPECT_EQ(h.status, TransferEvent::Stopped);
  EXPECT_FALSE(h.Running(LinkTimer::Response));
  EXPECT_EQ(h.engine.RetryCount(), 0);
  h.Advance(20000);
  EXPECT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::Stopped}) << "no stale time-out after Stop";
  EXPECT_EQ(h.status, TransferEvent::Stopped);
}

TEST(TransferEngine, RestartDuringAnOutstandingCommandIsNotClosedByItsTimeOut) {
  FakeHost h;
  StartAndConnect(h, false);  // nobody answers: read 0x0200 outstanding since t = 1000
  // Half a frame from the old attempt must not swallow the new replies.
  h.Deliver(Bytes({0x0B, 0x04, 0x80, 0x02}), 10);
  h.Advance(1500);
  // A new download, with the controller switched on only later.
  h.device.emplace(sim::FactoryMemory());
  h.device->SetPoweringOn(true);
  h.engine.StartDownload();
  EXPECT_FALSE(h.engine.InFrame());
  h.Advance(8000);  // well past the old command's give-up at t = 9000
  EXPECT_TRUE(h.outcomes.empty());
  EXPECT_TRUE(h.port_open);
  EXPECT_TRUE(h.Running(LinkTimer::Probe));
  h.device->SetPoweringOn(false);
  h.Advance(2000);
  EXPECT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::DownloadDone});
}

TEST(TransferEngine, SaveWithAnUnencodableImageSendsNothing) {
  FakeHost h;
  h.encode_error = "Report Time: \"-5\" does not fit one byte";
  h.engine.StartUpload();  // port open and probing
  h.engine.StartDownload();
  EXPECT_FALSE(h.port_open);
  EXPECT_FALSE(h.Running(LinkTimer::Probe));
  ASSERT_EQ(h.Outcomes(), std::vector<TransferEvent>{TransferEvent::NotEncodable});
  EXPECT_NE(h.outcomes[0].detail.find("Report Time"), std::string::npos);
  h.Advance(10000);
  EXPECT_TRUE(h.sent.empty());
}

// A read reply longer than a block is stored whole at the block it names;
// one naming an address the engine did not ask for stores nothing.
TEST(TransferEngine, ReadRepliesLandOnlyWhereTheyWereAskedFor) {
  FakeHost h;
  StartAndConnect(h, false);
  h.Deliver(BuildFrame(RSP_READ, 0xFFF0, Bytes(255, 0x66)), 5);
  h.Advance(5);
  EXPECT_EQ(h.engine.Image()[0xFFF0], 0xFF);
  EXPECT_EQ(h.engine.Image()[0xFFFF], 0xFF);
  EXPECT_EQ(h.engine.DroppedReplies(), 1u);
  h.Deliver(BuildFrame(RSP_READ, 0x0200, Bytes(255, 0x5A)), 5);
  h.Advance(5);
  EXPECT_EQ(h.engine.Image()[0x01FF], 0xFF);
  EXPECT_EQ(h.engine.Image()[0x0200], 0x5A);
  EXPECT_EQ(h.engine.Image()[0x0200 + 254], 0x5A);
  EXPECT_EQ(h.engine.Image()[0x0200 + 255], 0xFF);
  EXPECT_EQ(h.sent.back().bytes, Short(CMD_READ, 0x0400));
}

TEST(TransferEngine, BytesOfANestedEventAreParsedAfterTheRest) {
  FakeHost h;
  StartAndConnect(h, true);
  // The reply arrives in two events; the second is delivered while the
  // first is being parsed (the window handles its events between bytes).
  const Bytes reply = Reply(RSP_PREPARE, 0x0200, {1});
  const Bytes head(reply.begin(), reply.begin() + 3), tail(reply.begin() + 3, reply.end());
  bool nested = false;
  h.on_yield = [&] {
    if (nested) return;
    nested = true;
    h.Receive(tail);
  };
  const bool lamp = h.traffic_lamp;
  h.yields = 0;
  h.Receive(head);
  EXPECT_EQ(h.sent.back().bytes.size(), 134u) << "the write follows the reassembled reply";
  EXPECT_EQ(h.yields, int(reply.size()));
  EXPECT_EQ(h.traffic_lamp, lamp) << "toggled once per event";
}

TEST(TransferEngine, StopDuringParsingDropsTheRestOfTheBytes) {
  FakeHost h;
  StartAndConnect(h, true);
  const Bytes reply = Reply(RSP_PREPARE, 0x0200, {1});
  int n = 0;
  h.on_yield = [&] {
    if (++n == 4) h.engine.Stop();
  };
  h.Receive(reply);
  EXPECT_EQ(h.Commands().size(), 1u);
  EXPECT_FALSE(h.engine.InFrame());
}

// The steps of a whole upload in the order the window shows them, and the
// periods the engine asks its host to run the timers with.
TEST(TransferEngine, ReportsEveryStepInOrderAndNamesItsTimerPeriods) {
  using E = TransferEvent;
  FakeHost h;
  h.device.emplace(sim::FactoryMemory());
  h.engine.StartUpload();
  EXPECT_EQ(h.events, (std::vector<E>{E::Uploading, E::PortClosing, E::PortOpened}));
  EXPECT_EQ(h.Period(LinkTimer::Probe), 200u);
  h.Advance(205);  // the unit answers the first probe after 5 ms
  EXPECT_EQ(h.Period(LinkTimer::Response), 2000u);
  while (h.outcomes.empty() && h.now < 5000) h.Advance(1);
  std::vector<E> expected = {E::Uploading, E::PortClosing, E::PortOpened, E::Probing, E::Connected};
  expected.insert(expected.end(), protocol::kImageBlocks.size(), E::BlockDone);
  expected.push_back(E::UploadDone);
  EXPECT_EQ(h.events, expected);
  EXPECT_EQ(h.Period(LinkTimer::Close), 20u);
  h.Advance(20);
  expected.push_back(E::PortClosing);
  EXPECT_EQ(h.events, expected);
  EXPECT_FALSE(h.port_open);
}

// Received bytes wait in the engine until the host parses them; beyond the
// cap they are dropped and counted, and those kept are parsed in order.
TEST(TransferEngine, QueuedBytesAreCappedAndParsedInOrder) {
  FakeHost h;
  StartAndConnect(h, true);
  // Noise up to 10 bytes below the cap, then a reply that fits and a
  // copy of which only 3 bytes fit.
  const Bytes noise(255, 0x00);
  for (size_t left = TransferEngine::kMaxPending - 10; left > 0;) {
    const size_t n = std::min(left, noise.size());
    h.engine.ReceiveData(noise.data(), uint16_t(n));
    left -= n;
  }
  const Bytes reply = Reply(RSP_PREPARE, 0x0200, {1});
  ASSERT_EQ(reply.size(), 7u);
  h.engine.ReceiveData(reply.data(), uint16_t(reply.size()));
  h.engine.ReceiveData(reply.data(), uint16_t(reply.size()));
  EXPECT_EQ(h.engine.PendingBytes(), TransferEngine::kMaxPending);
  EXPECT_EQ(h.engine.DroppedBytes(), 4u);
  EXPECT_EQ(h.Commands().size(), 1u) << "nothing is parsed before the host asks";
  h.engine.ParsePending();
  EXPECT_EQ(h.engine.PendingBytes(), 0u);
  EXPECT_EQ(h.sent.back().bytes.size(), 134u) << "the whole reply was parsed after the noise";
  EXPECT_TRUE(h.engine.InFrame()) << "the cut copy is still waiting for its end";
  EXPECT_FALSE(h.engine.ParseNext());
}
