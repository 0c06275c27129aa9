// The whole chain with real threads: the configurator window (headless),
// its serial component on a pseudo-terminal, and the controller simulator as
// a separate process on the other end, over a clean line and over a line
// that damages 5 % of the replies.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <filesystem>
#include <memory>
#include <ostream>
#include <regex>

#include "app/umset.h"
#include "framework/headless/headless.h"
#include "protocol/settings_image.h"
#include "serial/comm.h"
#include "sim_process.h"

namespace {

struct Line {
  const char* name;
  std::vector<std::string> args;
  bool damaged;
};

// The line by its name: test names and messages stay the same from run to
// run (gtest would print the bytes of the structure, pointers included).
void PrintTo(const Line& line, std::ostream* os) { *os << line.name; }

// Seed 8 damages two replies of a download and one of an upload.
const Line kLines[] = {
    {"Clean", {"--verbose"}, false},
    {"Corrupt5Percent", {"--verbose", "--corrupt", "5", "--seed", "8"}, true},
};

class TransferE2E : public ::testing::TestWithParam<Line> {
 protected:
  void SetUp() override {
    fw::headless::ResetScripts();
    char tmpl[] = "/tmp/gsm-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_TRUE(sim_.Start(GSM_SIMULATOR, GetParam().args, dir_ + "/memory.bin", dir_ + "/sim.log"));
    w_ = std::make_unique<Tfrm_mset>(nullptr);
    w_->cbox_com->SetText(sim_.path());
  }
  void TearDown() override {
    w_.reset();
    sim_.Stop();
    if (HasFailure()) std::cerr << "simulator log:\n" << sim_.Log();
    std::filesystem::remove_all(dir_);
  }

  // Pumps the window's events until a message box has been shown.
  const fw::headless::ShownMessage* WaitForBox() {
    fw::headless::PumpUntil([] { return !fw::headless::ShownMessages().empty(); }, 60000);
    auto& shown = fw::headless::ShownMessages();
    return shown.empty() ? nullptr : &shown.front();
  }
  // After the box, the port closes on the 20 ms timer.
  void ExpectClosedAfterwards() {
    EXPECT_TRUE(fw::headless::PumpUntil([&] { return !w_->mycom->Opened(); }, 5000));
    EXPECT_EQ(w_->s_com->Brush().Color, Tfrm_mset::LampRed);
    EXPECT_EQ(w_->s_status->Brush().Color, Tfrm_mset::LampRed);
  }
  // The simulator's count of damaged replies, from its closing summary.
  int CorruptedReplies() {
    std::smatch m;
    const std::string log = sim_.Log();
    return std::regex_search(log, m, std::regex("(\\d+) corrupted")) ? std::stoi(m[1]) : -1;
  }

  std::string dir_;
  SimProcess sim_;
  std::unique_ptr<Tfrm_mset> w_;
};

TEST_P(TransferE2E, SaveSettingsWritesTheEncodedImageIntoAllNineBlocks) {
  // Settings that differ from the controller's.
  w_->edt_tel[0]->SetText("5551234");
  w_->edt_sms[2]->SetText("+4930123456");
  w_->edt_name[2]->SetText("Garage door open");
  w_->edt_pwd->SetText("4321");
  w_->cb_ed[2]->SetChecked(true);
  w_->edt_rtt->SetText("12");

  std::string error;
  protocol::SettingsImageBytes expected;
  protocol::ClearImage(expected);
  ASSERT_TRUE(w_->EncodeImage(expected, &error)) << error;

  w_->btn_down->Click();
  const auto* box = WaitForBox();
  ASSERT_NE(box, nullptr) << "no box; status \"" << w_->MYSbar->Panels()[5].Text << "\"";
  EXPECT_EQ(box->text, "DownLoad Success");
  EXPECT_EQ(box->caption, "Information");
  EXPECT_EQ(w_->MYSbar->Panels()[5].Text, "");
  ExpectClosedAfterwards();

  ASSERT_EQ(sim_.Stop(), 0) << "the simulator exits cleanly on SIGTERM";
  const auto memory = sim_.Memory();
  ASSERT_EQ(memory.size(), 65536u);
  for (uint16_t a : protocol::kImageBlocks) {
    for (unsigned i = 0; i < 128; ++i) {
      ASSERT_EQ(memory[a + i], expected[a + i]) << "address " << std::hex << a + i;
    }
  }
  if (GetParam().damaged) {
    EXPECT_GE(CorruptedReplies(), 1);
  }
}

TEST_P(TransferE2E, ReadSettingsShowsTheControllersSettings) {
  w_->btn_load->Click();
  EXPECT_EQ(w_->MYSbar->Panels()[5].Text, "UpLoading....");
  const auto* box = WaitForBox();
  ASSERT_NE(box, nullptr) << "no box; status \"" << w_->MYSbar->Panels()[5].Text << "\"";
  EXPECT_EQ(box->text, "UpLoad Success");
  EXPECT_EQ(box->caption, "Information");

  // The simulator's factory settings.
  EXPECT_EQ(w_->edt_tel[0]->Text(), "5550100");
  EXPECT_EQ(w_->edt_tel[1]->Text(), "+15550101");
  EXPECT_EQ(w_->edt_tel[2]->Text(), "");
  EXPECT_EQ(w_->edt_sms[0]->Text(), "5550199");
  EXPECT_EQ(w_->edt_pwd->Text(), "1234");
  EXPECT_EQ(w_->edt_rtt->Text(), "24");
  EXPECT_EQ(w_->edt_adt->Text(), "10");
  EXPECT_EQ(w_->edt_relaytime->Text(), "3");
  EXPECT_EQ(w_->edt_volo->Text(), "5");
  EXPECT_EQ(w_->edt_sH->Text(), "--");
  EXPECT_TRUE(w_->cb_rco->Checked());
  EXPECT_FALSE(w_->cb_GJA->Checked());
  EXPECT_EQ(w_->cb_pdat->ItemIndex(), 1);
  EXPECT_EQ(w_->cb_nt[0]->ItemIndex(), 1);
  EXPECT_EQ(w_->cb_nt[2]->ItemIndex(), 2);
  EXPECT_EQ(w_->cb_nt[4]->ItemIndex(), 3);
  EXPECT_FALSE(w_->cb_dc[0]->Checked());
  EXPECT_TRUE(w_->cb_dc[4]->Checked());
  EXPECT_TRUE(w_->cb_ed[0]->Checked());
  EXPECT_TRUE(w_->cb_ed[1]->Checked());
  EXPECT_FALSE(w_->cb_ed[2]->Checked());
  EXPECT_EQ(w_->edt_name[0]->Text(), "Front door opened");
  EXPECT_EQ(w_->edt_name[3]->Text(), "Smoke detected");
  EXPECT_EQ(w_->edt_name_rec[0]->Text(), "Front door closed");
  EXPECT_EQ(w_->edt_name_rec[7]->Text(), "Wired input 8 recover");
  ExpectClosedAfterwards();
  if (GetParam().damaged) {
    sim_.Stop();
    EXPECT_GE(CorruptedReplies(), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Lines, TransferE2E, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
