// Closing, destroying and losing the device while data moves.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "pty.h"
#include "serial/comm.h"

namespace {

TEST(PtyClose, ClosePortDuringTrafficEndsBothThreadsAndCanReopen) {
  Pty pty;
  TComm comm(nullptr);
  ConfigureLikeMainWindow(comm, pty.Name());
  CommEvents events(comm);
  comm.OpenPort();

  // The device floods the port while the transmit queue is stuck behind a
  // write that nobody reads.
  std::atomic<bool> stop{false};
  std::thread feeder([&] {
    const auto chunk = Pattern(512, 7);
    while (!stop) pty.WriteSome(chunk.data(), chunk.size(), 20);
  });
  const auto big = Pattern(60000, 8);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(comm.SendData(big.data(), uint16_t(big.size())));
  ASSERT_TRUE(PumpFor([&] { return events.ReceivedSize() > 2000; }));

  comm.ClosePort();
  EXPECT_FALSE(comm.Opened());
  EXPECT_TRUE(comm.SendDataEmpty());
  stop = true;
  feeder.join();
  EXPECT_EQ(events.hangups, 0);

  // Everything posted before the close is still delivered, and bounded.
  ASSERT_TRUE(DeliverPosted());
  for (auto& c : events.chunks) EXPECT_LE(c.size(), 256u);

  // A fresh open gets fresh threads.
  events.chunks.clear();
  comm.OpenPort();
  pty.StartCollecting();
  ASSERT_TRUE(comm.SendData("again", 5));
  ASSERT_TRUE(PumpFor([&] {
    auto got = pty.Collected();
    return got.size() >= 5 && std::string(got.end() - 5, got.end()) == "again";
  }));
}

TEST(PtyClose, DestroyingAnOpenComponentEndsItsThreads) {
  Pty pty;
  auto* comm = new TComm(nullptr);
  ConfigureLikeMainWindow(*comm, pty.Name());
  int received = 0;
  comm->OnReceiveData = [&](fw::TObject*, const void*, uint16_t n) { received += n; };
  comm->OpenPort();
  const auto big = Pattern(60000, 9);
  ASSERT_TRUE(comm->SendData(big.data(), uint16_t(big.size())));
  pty.Write("data the window never sees");
  // The receive thread has posted, and goes on reading while the component
  // goes.
  ASSERT_TRUE(PumpFor([&] { return received > 0; }));
  pty.Write("more");
  delete comm;

  // Notifications still queued for the dead component are dropped quietly.
  const int before = received;
  ASSERT_TRUE(DeliverPosted());
  EXPECT_EQ(received, before);

  // The device is free again.
  TComm again(nullptr);
  again.CommName = pty.Name();
  EXPECT_NO_THROW(again.OpenPort());
}

// Each worker thread reports a lost device once and then ends: the read
// thread as soon as the device goes, the write thread when it is next given
// something to send. Closing the port afterwards adds nothing.
TEST(PtyClose, ALostDeviceRequestsHangupOncePerThread) {
  const struct {
    const char* name;
    bool send_after_loss;
    int hangups;
  } cases[] = {{"read thread only", false, 1}, {"read and write threads", true, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pty pty;
    TComm comm(nullptr);
    ConfigureLikeMainWindow(comm, pty.Name());
    CommEvents events(comm);
    comm.OpenPort();
    pty.Write("last words");
    ASSERT_TRUE(PumpFor([&] { return events.ReceivedSize() == 10; }));

    pty.CloseMaster();
    ASSERT_TRUE(PumpFor([&] { return events.hangups >= 1; }));
    // The component stays open until its owner closes it.
    EXPECT_TRUE(comm.Opened());
    if (c.send_after_loss) {
      comm.SendData("x", 1);
      ASSERT_TRUE(PumpFor([&] { return events.hangups >= 2; }));
    }
    // Closing ends both threads; whatever they posted is delivered before
    // the marker.
    comm.ClosePort();
    EXPECT_FALSE(comm.Opened());
    ASSERT_TRUE(DeliverPosted());
    EXPECT_EQ(events.hangups, c.hangups);
    EXPECT_EQ(events.Received(), (std::vector<uint8_t>{'l', 'a', 's', 't', ' ', 'w', 'o', 'r', 'd', 's'}));
  }
}

}  // namespace
