// The window's side of the link: each report of the transfer engine becomes
// the status text, the lamps and the message box the user sees.
#include "framework/headless/headless.h"
#include "window_fixture.h"

namespace {

using protocol::TransferEvent;

TEST_F(WindowTest, TransferReportsBecomeTheWindowsTextsLampsAndBoxes) {
  constexpr fw::TColor R = Tfrm_mset::LampRed, G = Tfrm_mset::LampGreen;
  struct Case {
    TransferEvent event;
    std::string detail;
    const char* status;  // nullptr: unchanged
    fw::TColor com, traffic;
    const char* box;  // nullptr: none
  };
  // Before each report: status text "before", port lamp red, traffic lamp green.
  const Case cases[] = {
      {TransferEvent::PortClosing, "", nullptr, R, R, nullptr},
      {TransferEvent::PortOpened, "", nullptr, G, G, nullptr},
      {TransferEvent::Uploading, "", "UpLoading....", R, G, nullptr},
      {TransferEvent::Probing, "", "Connecting device....", R, R, nullptr},
      {TransferEvent::DataArrived, "", nullptr, R, R, nullptr},
      {TransferEvent::Connected, "", "", R, G, nullptr},
      {TransferEvent::BlockDone, "", nullptr, R, G, nullptr},
      {TransferEvent::PortError, "No such file or directory", "Com Is Error", R, G, nullptr},
      {TransferEvent::Stopped, "", "Com Is Close", R, G, nullptr},
      {TransferEvent::DownloadDone, "", nullptr, R, G, "DownLoad Success"},
      {TransferEvent::UploadDone, "", nullptr, R, G, "UpLoad Success"},
      {TransferEvent::TimedOut, "", nullptr, R, G, "Command Over Time"},
      {TransferEvent::NotEncodable, "Report Time: \"-5\" does not fit one byte", nullptr, R, G,
       "Settings not saved: Report Time: \"-5\" does not fit one byte"},
      {TransferEvent::NotEncodable, "", nullptr, R, G, "Settings not saved: a setting cannot be encoded"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.event));
    w->ShowStatus("before");
    Tfrm_mset::SetLamp(w->s_com, R);
    Tfrm_mset::SetLamp(w->s_status, G);
    fw::headless::ShownMessages().clear();
    w->LinkPort.Report({c.event, 0x0200, c.detail});
    EXPECT_EQ(w->MYSbar->Panels()[5].Text, c.status ? c.status : "before");
    EXPECT_EQ(w->s_com->Brush().Color, c.com);
    EXPECT_EQ(w->s_status->Brush().Color, c.traffic);
    const auto& shown = fw::headless::ShownMessages();
    if (!c.box) {
      EXPECT_TRUE(shown.empty());
      continue;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.box);
    EXPECT_EQ(shown[0].caption, "Information");
  }
}

}  // namespace
