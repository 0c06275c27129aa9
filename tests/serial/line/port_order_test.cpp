// The port listing's merge of its sources: one entry per port, in the order
// a user looks for them.
#include <gtest/gtest.h>

#include "serial/line/port_order.h"

using serial::OrderPorts;
using serial::PortInfo;

namespace {

std::vector<std::string> Names(const std::vector<PortInfo>& v) {
  std::vector<std::string> out;
  for (const auto& p : v) out.push_back(p.name);
  return out;
}

}  // namespace

TEST(PortOrder, ComPortsByNumberThenOtherNamesByStemAndNumber) {
  auto got = OrderPorts({{"COM12", ""}, {"CNCA0", ""}, {"COM3", ""}, {"COM10", ""}, {"/dev/ttyS10", ""},
                         {"/dev/ttyS2", ""}, {"", "nameless"}, {"COM1", ""}, {"/dev/ttyACM0", ""}});
  EXPECT_EQ(Names(got), (std::vector<std::string>{"COM1", "COM3", "COM10", "COM12", "/dev/ttyACM0", "/dev/ttyS2",
                                                  "/dev/ttyS10", "CNCA0"}));
}

TEST(PortOrder, OnePerNameWhateverTheCaseAndTheFirstDescriptionWins) {
  auto got = OrderPorts({{"COM7", ""}, {"com7", "USB Serial Port (COM7)"}, {"COM7", "Other"}, {"COM3", "Modem"}});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].name, "COM3");
  EXPECT_EQ(got[0].description, "Modem");
  EXPECT_EQ(got[1].name, "COM7");  // the first spelling stays
  EXPECT_EQ(got[1].description, "USB Serial Port (COM7)");
}

TEST(PortOrder, HugeTrailingNumbersDoNotOverflow) {
  auto got = OrderPorts({{"X99999999999999999999999", ""}, {"X1", ""}, {"COM99999999999", ""}});
  EXPECT_EQ(got.size(), 3u);
}

// Names that the serial layer opens as one port are one entry: it trims a
// chosen name and reads "COMn" by its number, and "\\.\COMn" is the same
// port on Windows. Names of nothing but blanks open nothing.
TEST(PortOrder, OnePerPortWhateverTheSpelling) {
  struct Case {
    std::vector<PortInfo> found;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {{{"COM3", ""}, {" COM3 ", "x"}, {"com03", ""}, {"\\\\.\\COM3", ""}}, {"COM3"}},
      {{{" COM3", ""}, {"COM3", ""}}, {"COM3"}},  // shown trimmed, as opened
      {{{"\\\\.\\COM4", ""}, {"COM4", ""}}, {"\\\\.\\COM4"}},
      {{{"   ", "blank"}, {"\t", ""}, {"COM1", ""}}, {"COM1"}},
      {{{"/dev/ttyS1", ""}, {"/dev/ttyS01", ""}}, {"/dev/ttyS01", "/dev/ttyS1"}},  // two device nodes
      {{{"\\\\.\\CNCA0", ""}, {"CNCA0", ""}}, {"CNCA0", "\\\\.\\CNCA0"}},
  };
  for (const Case& c : cases) {
    const auto got = OrderPorts(c.found);
    EXPECT_EQ(Names(got), c.names) << c.found[0].name;
  }
  // The first description given for the port wins, under any spelling.
  const auto got = OrderPorts({{"com03", ""}, {" COM3", "USB Serial Port (COM3)"}, {"COM3", "other"}});
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].description, "USB Serial Port (COM3)");
}
