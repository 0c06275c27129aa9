// Closing, destroying and losing the device while data moves.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/headless/headless.h"
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
  fw::headless::PumpUntil([] { return false; }, 50);
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
  // Give the receive thread a chance to post before the component goes.
  PumpFor([&] { return received > 0; }, 2000);
  pty.Write("more");
  delete comm;

  // Notifications still queued for the dead component are dropped quietly.
  const int before = received;
  fw::headless::PumpUntil([] { return false; }, 100);
  EXPECT_EQ(received, before);

  // The device is free again.
  TComm again(nullptr);
  again.CommName = pty.Name();
  EXPECT_NO_THROW(again.OpenPort());
}

TEST(PtyClose, ALostDeviceRequestsHangupOnce) {
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
  comm.SendData("x", 1);
  comm.ClosePort();
  EXPECT_FALSE(comm.Opened());
  fw::headless::PumpUntil([] { return false; }, 50);
  EXPECT_LE(events.hangups, 2);  // at most one from each thread
  EXPECT_EQ(events.Received(), (std::vector<uint8_t>{'l', 'a', 's', 't', ' ', 'w', 'o', 'r', 'd', 's'}));
}

}  // namespace
