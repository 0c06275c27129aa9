// The component's properties and the DCB flag word built from them.
#include <gtest/gtest.h>

#include "serial/comm.h"
#include "serial/line/controller_line.h"

using serial::DcbFlagWord;

TEST(CommSettings, FlagWordOfTheMainWindowAndOfTheDefaults) {
  TComm comm(nullptr);
  // Component defaults: binary, DTR and RTS on, XON/XOFF both ways,
  // transmit continues on XOFF.
  EXPECT_EQ(DcbFlagWord(comm.Settings()), 0x1391u);
  // The controller's line, which the window and gsmcfg use: binary, DTR
  // and RTS held on, no flow control.
  comm.SetSettings(serial::ControllerLine());
  EXPECT_EQ(DcbFlagWord(comm.Settings()), 0x1011u);
}

TEST(CommSettings, EveryFlagHasItsBit) {
  CommSettings s;
  s.TxContinueOnXoff = s.Outx_XonXoffFlow = s.Inx_XonXoffFlow = false;
  s.DtrControl = DtrDisable;
  s.RtsControl = RtsDisable;
  EXPECT_EQ(DcbFlagWord(s), 0x0001u);  // binary mode is always on

  struct Case {
    void (*set)(CommSettings&);
    uint32_t bits;
  };
  const Case cases[] = {
      {[](CommSettings& c) { c.ParityCheck = true; }, 0x0002},
      {[](CommSettings& c) { c.Outx_CtsFlow = true; }, 0x0004},
      {[](CommSettings& c) { c.Outx_DsrFlow = true; }, 0x0008},
      {[](CommSettings& c) { c.DtrControl = DtrEnable; }, 0x0010},
      {[](CommSettings& c) { c.DtrControl = DtrHandshake; }, 0x0020},
      {[](CommSettings& c) { c.DsrSensitivity = true; }, 0x0040},
      {[](CommSettings& c) { c.TxContinueOnXoff = true; }, 0x0080},
      {[](CommSettings& c) { c.Outx_XonXoffFlow = true; }, 0x0100},
      {[](CommSettings& c) { c.Inx_XonXoffFlow = true; }, 0x0200},
      {[](CommSettings& c) { c.ReplaceWhenParityError = true; }, 0x0400},
      {[](CommSettings& c) { c.IgnoreNullChar = true; }, 0x0800},
      {[](CommSettings& c) { c.RtsControl = RtsEnable; }, 0x1000},
      {[](CommSettings& c) { c.RtsControl = RtsHandshake; }, 0x2000},
      {[](CommSettings& c) { c.RtsControl = RtsTransmissionAvailable; }, 0x3000},
  };
  for (const Case& c : cases) {
    CommSettings t = s;
    c.set(t);
    EXPECT_EQ(DcbFlagWord(t), 0x0001u | c.bits) << std::hex << c.bits;
  }
}

TEST(CommSettings, ClosedComponentStoresAndRefuses) {
  TComm comm(nullptr);
  EXPECT_FALSE(comm.Opened());
  EXPECT_TRUE(comm.SendDataEmpty());
  EXPECT_EQ(comm.CommName, "COM2");
  EXPECT_EQ(comm.ReadIntervalTimeout(), 100u);
  comm.SetBaudRate(38400);
  comm.SetParity(Odd);
  comm.SetReadIntervalTimeout(20);
  EXPECT_EQ(comm.BaudRate(), 38400u);
  EXPECT_EQ(comm.Parity(), Odd);
  EXPECT_EQ(comm.ReadIntervalTimeout(), 20u);
  EXPECT_FALSE(comm.SendData("x", 1));
  comm.ClosePort();
  EXPECT_FALSE(comm.Opened());
}
