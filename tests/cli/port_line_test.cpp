// gsmcfg's port listing, one line per port, from a port list given by the
// test (the machine may have no ports at all).
#include "cli/report.h"

#include <gtest/gtest.h>

TEST(CliPorts, EachPortOnALineWithItsDescriptionWhenItHasOne) {
  const struct {
    serial::PortInfo port;
    const char* line;
  } cases[] = {
      {{"COM7", "USB Serial Port (COM7)"}, "COM7  USB Serial Port (COM7)"},
      {{"/dev/ttyUSB0", "FTDI FT232R USB UART"}, "/dev/ttyUSB0  FTDI FT232R USB UART"},
      {{"COM1", ""}, "COM1"},
      {{"/dev/ttyS0", ""}, "/dev/ttyS0"},
  };
  for (const auto& c : cases) EXPECT_EQ(cli::PortLine(c.port), c.line);
}
