// "Save Profile" and "Load Profile" on the configurator window, with the
// file dialogs and message boxes answered by the headless widgetset.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "app/umset.h"
#include "framework/dialogs.h"
#include "framework/headless/headless.h"
#include "model_state.h"
#include "profile_files.h"

namespace hl = fw::headless;

namespace {

class WindowProfile : public ProfileFiles {
 protected:
  void SetUp() override {
    ProfileFiles::SetUp();
    hl::ResetScripts();
    w = std::make_unique<Tfrm_mset>(nullptr);
  }
  void TearDown() override {
    w.reset();
    hl::ResetScripts();
    ProfileFiles::TearDown();
  }
  void Save(const std::string& path) {
    hl::QueueFileDialogReply(path);
    w->btn_saveClick(w->btn_save);
  }
  void Load(const std::string& path) {
    hl::QueueFileDialogReply(path);
    w->btn_readClick(w->btn_read);
  }
  std::unique_ptr<Tfrm_mset> w;
};

TEST_F(WindowProfile, DialogsAndTheirMemory) {
  hl::QueueFileDialogReply(std::nullopt);  // cancelled
  w->btn_saveClick(w->btn_save);
  hl::QueueFileDialogReply(std::nullopt);
  w->edt_name[0]->SetText("kept");
  w->btn_readClick(w->btn_read);
  EXPECT_EQ(w->edt_name[0]->Text(), "kept");
  EXPECT_TRUE(fs::is_empty(dir_));

  Save(Path("a.sf"));
  Load(Path("a.sf"));
  hl::QueueFileDialogReply(std::nullopt);
  w->btn_saveClick(w->btn_save);

  const auto& shown = hl::ShownDialogs();
  ASSERT_EQ(shown.size(), 5u);
  for (const auto& d : shown) {
    EXPECT_EQ(d.filter, "Settings file(*.sf)|*.sf");
    EXPECT_EQ(d.default_ext, "*.sf");
    EXPECT_EQ(d.options, unsigned(fw::ofHideReadOnly | fw::ofEnableSizing));
    EXPECT_EQ(d.options_ex, unsigned(fw::ofExNoPlacesBar));
  }
  EXPECT_TRUE(shown[0].save);
  EXPECT_FALSE(shown[1].save);
  EXPECT_EQ(shown[2].file_name, "");               // first save
  EXPECT_EQ(shown[3].file_name, "");               // the open dialog has its own memory
  EXPECT_EQ(shown[4].file_name, Path("a.sf"));     // the save dialog remembers
  EXPECT_EQ(w->opend->FileName, Path("a.sf"));
  EXPECT_TRUE(w->SaveD->Title.empty());
  EXPECT_TRUE(w->SaveD->InitialDir.empty());
  EXPECT_TRUE(hl::ShownMessages().empty());
}

TEST_F(WindowProfile, SavedRightAfterStartLoadsBack) {
  Save(Path("start.sf"));
  const std::string text = Read(Path("start.sf"));
  EXPECT_NE(text.find("[OTH]\r\nrco=0\r\ngja=0\r\narm=0\r\npdat=-1\r\n"), std::string::npos);

  auto other = std::make_unique<Tfrm_mset>(nullptr);
  hl::QueueFileDialogReply(Path("start.sf"));
  other->btn_readClick(other->btn_read);
  ModelState want = Snapshot(*w);
  want["cb_pdat"] = "-1|";  // no selection: loads with no text
  EXPECT_EQ(Snapshot(*other), want);
}

TEST_F(WindowProfile, LoadedValuesPassTheRules) {
  Put(Path("r.sf"),
      "[OTH]\r\nrtt=300\r\nadt=0\r\npwd=\r\nvolo=150\r\nrelaytime=abc\r\nsh=99\r\nsm=\r\n"
      "[WZN]\r\nname1=" + std::string(40, 'x') + "\r\n[TEL]\r\ntel1=01234567890123456789\r\n");
  w->edt_adt->SetText("5");  // a text equal to the current one runs no rule
  Load(Path("r.sf"));
  EXPECT_EQ(w->edt_rtt->Text(), "240");
  EXPECT_EQ(w->edt_adt->Text(), "1");
  EXPECT_EQ(w->edt_pwd->Text(), "517394");
  EXPECT_EQ(w->edt_volo->Text(), "99");
  EXPECT_EQ(w->edt_relaytime->Text(), "0");
  EXPECT_EQ(w->edt_sH->Text(), "99");
  EXPECT_EQ(w->edt_sm->Text(), "");
  EXPECT_EQ(w->edt_name[0]->Text(), std::string(40, 'x'));
  EXPECT_EQ(w->edt_tel[0]->Text(), "01234567890123456789");
  Put(Path("e.sf"), "[OTH]\r\nrtt=\r\npwd=12345678\r\n");
  Load(Path("e.sf"));
  EXPECT_EQ(w->edt_rtt->Text(), "0");
  EXPECT_EQ(w->edt_pwd->Text(), "12345678");
  EXPECT_TRUE(hl::ShownMessages().empty());
}

// Failures are told, naming the file and the reason, and change nothing.
TEST_F(WindowProfile, FailuresAreTold) {
  w->edt_name[0]->SetText("mine");
  const ModelState before = Snapshot(*w);

  Load(Path("missing.sf"));
  ASSERT_EQ(hl::ShownMessages().size(), 1u);
  EXPECT_EQ(hl::ShownMessages()[0].caption, "Information");
  EXPECT_NE(hl::ShownMessages()[0].text.find(Path("missing.sf")), std::string::npos);
  EXPECT_NE(hl::ShownMessages()[0].text.find("does not exist"), std::string::npos);
  EXPECT_EQ(Snapshot(*w), before);

  Load(dir_.string());
  ASSERT_EQ(hl::ShownMessages().size(), 2u);
  EXPECT_EQ(Snapshot(*w), before);

  const std::string bad = Path("no/folder/p.sf");
  Save(bad);
  ASSERT_EQ(hl::ShownMessages().size(), 3u);
  const auto& m = hl::ShownMessages()[2];
  EXPECT_EQ(m.caption, "Information");
  EXPECT_NE(m.text.find(bad), std::string::npos);
  EXPECT_NE(m.text.find("No such file or directory"), std::string::npos) << m.text;
  EXPECT_EQ(m.flags & 0x0F, unsigned(fw::MB_OK_));
}

// Any window state comes back from its profile, apart from what the format
// cannot hold: blanks around a text and one pair of enclosing quotes are
// dropped, and a list without selection comes back without text.
TEST_F(WindowProfile, RoundTripThroughTheWindow) {
  std::mt19937 rng(99);
  auto num = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const std::string alphabet = "abcXYZ019 =;[]#\"'\t$-+\xE9\x80\xFF";
  auto text = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += alphabet[size_t(num(0, int(alphabet.size()) - 1))];
    return s;
  };
  for (int round = 0; round < 100; ++round) {
    std::vector<fw::TControl*> texts = {w->cbox_com};
    for (auto* e : w->edt_tel) texts.push_back(e);
    for (auto* e : w->edt_sms) texts.push_back(e);
    for (auto* e : w->edt_name) texts.push_back(e);
    for (auto* e : w->edt_name_rec) texts.push_back(e);
    for (fw::TEdit* t : {w->edt_sH, w->edt_sm, w->edt_PH, w->edt_Pm}) texts.push_back(t);
    for (auto* c : texts) c->SetText(text(num(0, 40)));
    for (int k = 0; k < 8; ++k) {
      if (int i = num(-1, 3); i >= 0) w->cb_nt[k]->SetItemIndex(i);
      else w->cb_nt[k]->SetText(text(3));
      w->cb_dc[k]->SetChecked(num(0, 1));
      w->cb_ed[k]->SetChecked(num(0, 1));
    }
    w->cb_rco->SetChecked(num(0, 1));
    w->cb_GJA->SetChecked(num(0, 1));
    w->cb_arm->SetChecked(num(0, 1));
    if (int i = num(-1, 2); i >= 0) w->cb_pdat->SetItemIndex(i);
    w->edt_rtt->SetText(std::to_string(num(-20, 240)));
    w->edt_adt->SetText(std::to_string(num(1, 90)));
    w->edt_relaytime->SetText(std::to_string(num(0, 120)));
    w->edt_volo->SetText(std::to_string(num(1, 99)));
    w->edt_pwd->SetText(std::to_string(num(0, 99999999)));

    // Texts come back whole, blanks around them and quotation marks included.
    ModelState want = Snapshot(*w);
    for (auto& [name, value] : want)
      if ((name.rfind("cb_nt", 0) == 0 || name == "cb_pdat") && value.rfind("-1|", 0) == 0) value = "-1|";

    Save(Path("rt.sf"));
    auto other = std::make_unique<Tfrm_mset>(nullptr);
    hl::QueueFileDialogReply(Path("rt.sf"));
    other->btn_readClick(other->btn_read);
    ASSERT_EQ(Snapshot(*other), want) << "round " << round;
  }
  EXPECT_TRUE(hl::ShownMessages().empty());
}

}  // namespace
