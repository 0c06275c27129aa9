// The port drop-down: com1 to com5 first, then the present ports, listed
// again whenever the list opens, without ever changing the chosen text.
#include <stdexcept>

#include "app/port_items.h"
#include "window_fixture.h"

namespace {

using Items = std::vector<std::string>;
using Ports = std::vector<serial::PortInfo>;

TEST(PortItems, FixedNamesFirstThenPresentPortsNotAlreadyThere) {
  struct Case {
    Ports present;
    Items tail;
  } cases[] = {
      {{}, {}},
      {{{"COM7", ""}, {"COM12", ""}}, {"COM7", "COM12"}},
      {{{"COM1", "Communications Port"}, {"com3", ""}, {"COM7", ""}}, {"COM7"}},  // com1, com3 are there
      {{{"", "nameless"}, {"/dev/ttyUSB0", "FTDI"}}, {"/dev/ttyUSB0"}},
  };
  for (const Case& c : cases) {
    Items want = FixedPortItems();
    want.insert(want.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(PortItems(c.present), want);
  }
  EXPECT_EQ(FixedPortItems(), (Items{"com1", "com2", "com3", "com4", "com5"}));
}

TEST(PortItems, HintNamesEveryDescribedPortOnItsOwnLine) {
  EXPECT_EQ(PortHint({{"COM1", "Communications Port"}, {"COM4", ""}, {"COM7", "USB Serial Port (COM7)"}}),
            "COM1: Communications Port\nCOM7: USB Serial Port (COM7)");
  EXPECT_EQ(PortHint({{"COM4", ""}}), "");
}

TEST_F(WindowTest, OpeningThePortListListsThePortsAgainAndKeepsTheText) {
  Ports present = {{"COM3", "Communications Port"}, {"COM7", "USB Serial Port (COM7)"}};
  int listed = 0;
  w->ListPorts = [&] {
    ++listed;
    return present;
  };
  EXPECT_EQ(listed, 0);  // nothing is listed before the list is opened
  w->cbox_com->SetText("COM12");
  w->cbox_com->DropDown();
  EXPECT_EQ(w->cbox_com->Items(), (Items{"com1", "com2", "com3", "com4", "com5", "COM7"}));
  EXPECT_EQ(w->cbox_com->Text(), "COM12");
  EXPECT_EQ(w->cbox_com->Hint(), "COM3: Communications Port\nCOM7: USB Serial Port (COM7)");

  // Picked from the list, then the adapter is pulled and another plugged in.
  w->cbox_com->SelectFromList(5);
  present = {{"COM9", ""}};
  w->cbox_com->DropDown();
  EXPECT_EQ(w->cbox_com->Items(), (Items{"com1", "com2", "com3", "com4", "com5", "COM9"}));
  EXPECT_EQ(w->cbox_com->Text(), "COM7");
  EXPECT_EQ(w->cbox_com->ItemIndex(), -1);
  EXPECT_EQ(w->cbox_com->Hint(), "");

  // A fixed item stays picked when the ports change.
  w->cbox_com->SelectFromList(1);
  present = {};
  w->cbox_com->DropDown();
  EXPECT_EQ(w->cbox_com->ItemIndex(), 1);
  EXPECT_EQ(w->cbox_com->Text(), "com2");

  // A listing that fails leaves the list as it was.
  w->ListPorts = []() -> Ports { throw std::runtime_error("no listing"); };
  w->cbox_com->DropDown();
  EXPECT_EQ(w->cbox_com->Items(), FixedPortItems());
  EXPECT_EQ(w->cbox_com->Text(), "com2");
}

}  // namespace
