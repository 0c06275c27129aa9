// Line settings on termios and the modem lines, and line events from the
// driver's counters.
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include "serial/comm.h"
#include "serial/comm_messages.h"
#include "serial/posix/line_watch.h"
#include "serial/line/posix/termios_map.h"

using namespace serial;

TEST(TermiosMap, ParityByteSizeStopBitsAndFlowControl) {
  CommSettings s;
  s.Parity = Odd;
  s.ParityCheck = true;
  s.ByteSize = _7;
  s.StopBits = _1_5;
  s.Outx_CtsFlow = true;
  s.Outx_XonXoffFlow = false;
  s.Inx_XonXoffFlow = true;
  termios t{};
  t.c_lflag = ICANON | ECHO;
  t.c_iflag = ICRNL | IXON;
  SettingsToTermios(s, t);
  EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS7));
  EXPECT_TRUE(t.c_cflag & PARENB);
  EXPECT_TRUE(t.c_cflag & PARODD);
  EXPECT_TRUE(t.c_iflag & INPCK);
  EXPECT_TRUE(t.c_cflag & CSTOPB);
  EXPECT_TRUE(t.c_cflag & CRTSCTS);
  EXPECT_FALSE(t.c_iflag & IXON);
  EXPECT_TRUE(t.c_iflag & IXOFF);
  EXPECT_FALSE(t.c_lflag & (ICANON | ECHO));
  EXPECT_FALSE(t.c_iflag & ICRNL);
  EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));

  s.Parity = Space;
  SettingsToTermios(s, t);
  EXPECT_TRUE(t.c_cflag & CMSPAR);
  EXPECT_FALSE(t.c_cflag & PARODD);
  s.Parity = Mark;
  SettingsToTermios(s, t);
  EXPECT_TRUE((t.c_cflag & (CMSPAR | PARODD | PARENB)) == (CMSPAR | PARODD | PARENB));
}

TEST(TermiosMap, UnsupportedRateKeepsTheSpeedAndModemLinesFollowControls) {
  CommSettings s;
  s.BaudRate = 12345;
  termios t{};
  cfsetospeed(&t, B4800);
  SettingsToTermios(s, t);
  EXPECT_EQ(cfgetospeed(&t), speed_t(B4800));

  s.DtrControl = DtrDisable;
  s.RtsControl = RtsEnable;
  ModemLines m = ModemLinesFor(s);
  EXPECT_EQ(m.clear, TIOCM_DTR);
  EXPECT_EQ(m.set, TIOCM_RTS);
}

TEST(LineWatch, CounterChangesBecomeErrorAndModemBits) {
  LineCounters a, b;
  b.frame = 1;
  b.parity = 3;
  b.dcd = 1;
  b.rng = 2;
  LineChanges ch = CompareCounters(a, b);
  EXPECT_EQ(ch.errors, kCeFrame | kCeRxParity);
  EXPECT_EQ(ch.modem, MODEM_EVENT_CARRIER | MODEM_EVENT_RING);
  EXPECT_EQ(ch.modem, 12u);
  a = b;
  b.overrun = 1;
  b.brk = 1;
  b.buf_overrun = 1;
  ch = CompareCounters(a, b);
  EXPECT_EQ(ch.errors, kCeOverrun | kCeBreak | kCeRxOver);
  EXPECT_EQ(ch.modem, 0u);
}
