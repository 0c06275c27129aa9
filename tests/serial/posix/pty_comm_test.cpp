// The component on a pseudo-terminal: data in both directions, the
// send-queue notices, errors on open, and line settings on the device.
#include <gtest/gtest.h>

#include "pty.h"
#include "serial/comm.h"

namespace {

class PtyComm : public ::testing::Test {
 protected:
  void SetUp() override {
    ConfigureLikeMainWindow(comm, pty.Name());
  }
  Pty pty;
  TComm comm{nullptr};
  CommEvents events{comm};
};

TEST_F(PtyComm, BytesArriveInOrderInReadsOfAtMost256) {
  comm.OpenPort();
  ASSERT_TRUE(comm.Opened());
  const auto data = Pattern(5000, 1);
  for (size_t off = 0; off < data.size();) {
    const size_t n = std::min<size_t>(1 + off % 700, data.size() - off);
    pty.Write(data.data() + off, n);
    off += n;
  }
  ASSERT_TRUE(PumpFor([&] { return events.ReceivedSize() >= data.size(); }));
  EXPECT_EQ(events.Received(), data);
  for (auto& c : events.chunks) EXPECT_LE(c.size(), 256u);
}

TEST_F(PtyComm, BurstOf300ArrivesAs256Then44) {
  // A wide interval, so that a slow machine cannot split the burst early.
  comm.SetReadIntervalTimeout(100);
  comm.OpenPort();
  const auto data = Pattern(300, 2);
  pty.Write(data.data(), data.size());
  ASSERT_TRUE(PumpFor([&] { return events.ReceivedSize() >= 300; }));
  ASSERT_EQ(events.chunks.size(), 2u);
  EXPECT_EQ(events.chunks[0].size(), 256u);
  EXPECT_EQ(events.chunks[1].size(), 44u);
  EXPECT_EQ(events.Received(), data);
}

TEST_F(PtyComm, SendsInCallOrderWithOneEmptyNoticeAfterwards) {
  comm.OpenPort();
  // One notice right after opening, although nothing was sent.
  ASSERT_TRUE(PumpFor([&] { return events.send_empty == 1; }));
  EXPECT_TRUE(comm.SendDataEmpty());

  // The first item is larger than the terminal buffers, so its write waits
  // for the device to read and the other two queue up behind it.
  const auto a = Pattern(60000, 3), b = Pattern(1000, 4), c = Pattern(7, 5);
  ASSERT_TRUE(comm.SendData(a.data(), uint16_t(a.size())));
  ASSERT_TRUE(comm.SendData(b.data(), uint16_t(b.size())));
  ASSERT_TRUE(comm.SendData(c.data(), uint16_t(c.size())));
  EXPECT_FALSE(comm.SendDataEmpty());
  pty.StartCollecting();

  std::vector<uint8_t> all(a);
  all.insert(all.end(), b.begin(), b.end());
  all.insert(all.end(), c.begin(), c.end());
  ASSERT_TRUE(PumpFor([&] { return pty.CollectedSize() >= all.size() && events.send_empty >= 2; }));
  EXPECT_EQ(pty.Collected(), all);
  EXPECT_TRUE(comm.SendDataEmpty());
  // Nothing more turns up: the threads end with the port, and whatever they
  // posted is delivered before the marker.
  comm.ClosePort();
  ASSERT_TRUE(DeliverPosted());
  EXPECT_EQ(events.send_empty, 2);
  EXPECT_EQ(events.hangups, 0);
}

TEST_F(PtyComm, SendDataRefusesNoBytesAndAClosedPort) {
  const char x = 'x';
  EXPECT_FALSE(comm.SendData(&x, 1));
  comm.ClosePort();  // closing a closed port does nothing
  comm.OpenPort();
  EXPECT_FALSE(comm.SendData(&x, 0));
  EXPECT_FALSE(comm.SendData(nullptr, 5));
  comm.ClosePort();
  EXPECT_FALSE(comm.Opened());
  EXPECT_FALSE(comm.SendData(&x, 1));
}

TEST_F(PtyComm, SecondOpenRaisesAndThePortKeepsWorking) {
  comm.OpenPort();
  try {
    comm.OpenPort();
    FAIL() << "no exception";
  } catch (const ECommsError& e) {
    EXPECT_STREQ(e.what(), "This serial port already opened");
  }
  ASSERT_TRUE(comm.Opened());
  pty.StartCollecting();
  ASSERT_TRUE(comm.SendData("ping", 4));
  pty.Write("pong");
  ASSERT_TRUE(PumpFor([&] { return pty.CollectedSize() >= 4 && events.ReceivedSize() >= 4; }));
  EXPECT_EQ(pty.Collected(), (std::vector<uint8_t>{'p', 'i', 'n', 'g'}));
  EXPECT_EQ(events.Received(), (std::vector<uint8_t>{'p', 'o', 'n', 'g'}));
}

TEST_F(PtyComm, AnotherComponentCannotOpenAPortInUse) {
  comm.OpenPort();
  TComm other(nullptr);
  other.CommName = pty.Name();
  try {
    other.OpenPort();
    FAIL() << "no exception";
  } catch (const ECommsError& e) {
    EXPECT_STREQ(e.what(), "Error opening serial port");
  }
  EXPECT_FALSE(other.Opened());
  comm.ClosePort();
  EXPECT_NO_THROW(other.OpenPort());
}

TEST_F(PtyComm, LineSettingsReachTheDeviceAtOnce) {
  comm.OpenPort();
  termios t = pty.Attributes();
  EXPECT_EQ(cfgetospeed(&t), speed_t(B38400));
  EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
  EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
  EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | ICRNL));
  EXPECT_FALSE(t.c_oflag & OPOST);

  comm.SetBaudRate(19200);
  comm.SetOutx_XonXoffFlow(true);
  comm.SetXoffChar(0x13 + 1);
  t = pty.Attributes();
  EXPECT_EQ(cfgetospeed(&t), speed_t(B19200));
  EXPECT_TRUE(t.c_iflag & IXON);
  EXPECT_EQ(t.c_cc[VSTOP], cc_t(0x14));

  // Parity is only stored; it reaches the line with the next line change.
  // (A pseudo-terminal forces 8 bits without parity, but keeps PARODD.)
  comm.SetParity(Odd);
  EXPECT_FALSE(pty.Attributes().c_cflag & PARODD);
  comm.SetStopBits(_2);
  t = pty.Attributes();
  EXPECT_TRUE(t.c_cflag & PARODD);
  EXPECT_TRUE(t.c_cflag & CSTOPB);

  // Setting the current value leaves the device alone.
  termios changed = t;
  cfsetospeed(&changed, B9600);
  cfsetispeed(&changed, B9600);
  pty.SetAttributes(changed);
  comm.SetBaudRate(19200);
  EXPECT_EQ(cfgetospeed(&(t = pty.Attributes())), speed_t(B9600));
}

// All settings at once follow the rules of the single setters: a change of
// Parity alone waits for the next line change, a time-out change leaves the
// line alone, and another line change applies at once.
TEST_F(PtyComm, AllSettingsAtOnceFollowTheSingleSetters) {
  comm.OpenPort();
  termios changed = pty.Attributes();
  cfsetospeed(&changed, B9600);
  cfsetispeed(&changed, B9600);
  pty.SetAttributes(changed);

  CommSettings s = comm.Settings();
  s.Parity = Odd;
  s.ReadIntervalTimeout = 50;
  comm.SetSettings(s);
  EXPECT_EQ(comm.Settings(), s);
  EXPECT_EQ(cfgetospeed(&(changed = pty.Attributes())), speed_t(B9600));

  s.BaudRate = 19200;
  comm.SetSettings(s);
  const termios t = pty.Attributes();
  EXPECT_EQ(cfgetospeed(&t), speed_t(B19200));
  EXPECT_TRUE(t.c_cflag & PARODD);
}

TEST_F(PtyComm, IgnoreNullCharDropsZeroBytes) {
  comm.SetIgnoreNullChar(true);
  comm.OpenPort();
  pty.Write(std::string("a\0b\0\0c", 6));
  ASSERT_TRUE(PumpFor([&] { return events.ReceivedSize() >= 3; }));
  EXPECT_EQ(events.Received(), (std::vector<uint8_t>{'a', 'b', 'c'}));
}

TEST_F(PtyComm, ReadTotalTimeoutEndsReadsThatGetNoBytes) {
  // With a total time-out a read can complete empty, which ends the receive
  // loop without a notification; the transmit side still works.
  comm.SetReadTotalTimeoutConstant(10);
  comm.OpenPort();
  pty.StartCollecting();
  PumpFor([] { return false; }, 100);
  ASSERT_TRUE(comm.SendData("x", 1));
  ASSERT_TRUE(PumpFor([&] { return pty.CollectedSize() == 1; }));
  EXPECT_EQ(events.hangups, 0);
  EXPECT_TRUE(events.chunks.empty());
}

}  // namespace
