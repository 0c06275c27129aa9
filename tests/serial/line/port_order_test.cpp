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
