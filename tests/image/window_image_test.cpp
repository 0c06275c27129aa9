// The settings image on the configurator window itself, with its input rules.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/umset.h"
#include "model_state.h"
#include "protocol/settings_image.h"

namespace {

class WindowImage : public ::testing::Test {
 protected:
  void SetUp() override { w = std::make_unique<Tfrm_mset>(nullptr); }
  bool Encode(std::string* error = nullptr) {
    protocol::ClearImage(image);
    return w->EncodeImage(image, error);
  }
  std::unique_ptr<Tfrm_mset> w;
  protocol::SettingsImageBytes image;
};

// Values the rules let through but one byte cannot hold, and texts longer
// than their field, stop the encoding with the setting named.
TEST_F(WindowImage, EncodingNamesWhatDoesNotFit) {
  std::string error;
  w->edt_rtt->SetText("-5");  // pasted: the rule keeps a negative report time
  ASSERT_EQ(w->edt_rtt->Text(), "-5");
  EXPECT_FALSE(Encode(&error));
  EXPECT_NE(error.find("Report Time"), std::string::npos) << error;
  EXPECT_EQ(image[0x0A01], 0xFF);
  // Encoding stopped after the power-down alert, which now shows item 0,
  // and before the input types, which keep what they show.
  EXPECT_EQ(w->cb_pdat->ItemIndex(), 0);
  EXPECT_EQ(w->cb_pdat->Text(), "Don't Care");
  w->cb_nt[0]->SetText("typed");
  EXPECT_FALSE(Encode(&error));
  EXPECT_EQ(w->cb_nt[0]->ItemIndex(), -1);
  EXPECT_EQ(w->cb_nt[0]->Text(), "typed");

  w->edt_rtt->SetText("5");
  w->edt_sH->SetText("300");  // the time boxes have no change rule
  EXPECT_FALSE(Encode(&error));
  EXPECT_NE(error.find("edt_sH"), std::string::npos) << error;

  w->edt_sH->SetText("--");
  w->edt_pwd->SetText("12345678");  // from a profile: kept whole
  EXPECT_FALSE(Encode(&error));
  EXPECT_NE(error.find("Password"), std::string::npos) << error;

  // Once everything encodes, every drop-down shows the item it was sent as.
  w->edt_pwd->SetText("1234");
  EXPECT_TRUE(Encode(&error)) << error;
  EXPECT_EQ(w->cb_nt[0]->ItemIndex(), 0);
  EXPECT_EQ(w->cb_nt[0]->Text(), "EOL");
}

// An erased controller decodes into the window's corrected values.
TEST_F(WindowImage, ErasedImageDecodesThroughTheRules) {
  protocol::ClearImage(image);
  w->DecodeImage(image);
  ModelState s = Snapshot(*w);
  EXPECT_EQ(s["edt_tel1"], "");
  EXPECT_EQ(s["edt_name1"], "");
  EXPECT_EQ(s["edt_rtt"], "240");
  EXPECT_EQ(s["edt_adt"], "90");
  EXPECT_EQ(s["edt_pwd"], "517394");
  EXPECT_EQ(s["edt_volo"], "99");
  EXPECT_EQ(s["edt_relaytime"], "120");
  EXPECT_EQ(s["edt_sH"], "--");
  EXPECT_EQ(s["cb_rco"], "1");
  EXPECT_EQ(s["cb_dc4"], "1");
  EXPECT_EQ(s["cb_ed8"], "1");
  EXPECT_EQ(s["cb_pdat"], "-1|");
  EXPECT_EQ(s["cb_nt1"], "-1|");

  image[0x0A04] = 0x00;
  image[0x0E01] = 0x00;
  w->DecodeImage(image);
  EXPECT_EQ(w->edt_adt->Text(), "1");
  EXPECT_EQ(w->edt_volo->Text(), "1");
}

// Any state a user can reach survives a download and an upload.
TEST_F(WindowImage, RoundTripThroughTheWindow) {
  std::mt19937 rng(4242);
  auto num = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto digits = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += char('0' + num(0, 9));
    return s;
  };
  auto printable = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += char(num(0x20, 0xFE));
    return s;
  };
  for (int round = 0; round < 100; ++round) {
    for (auto* e : w->edt_tel) e->SetText(digits(num(0, 16)));
    for (auto* e : w->edt_sms) e->SetText(digits(num(0, 16)));
    for (auto* e : w->edt_name) e->SetText(printable(num(0, 32)));
    for (auto* e : w->edt_name_rec) e->SetText(printable(num(0, 32)));
    for (int k = 0; k < 8; ++k) {
      w->cb_nt[k]->SetItemIndex(num(0, 3));
      w->cb_dc[k]->SetChecked(num(0, 1));
      w->cb_ed[k]->SetChecked(num(0, 1));
    }
    w->cb_rco->SetChecked(num(0, 1));
    w->cb_GJA->SetChecked(num(0, 1));
    w->cb_arm->SetChecked(num(0, 1));
    w->cb_pdat->SetItemIndex(num(0, 2));
    w->edt_rtt->SetText(std::to_string(num(0, 240)));
    w->edt_adt->SetText(std::to_string(num(1, 90)));
    w->edt_relaytime->SetText(std::to_string(num(0, 120)));
    w->edt_volo->SetText(std::to_string(num(1, 99)));
    w->edt_pwd->SetText(digits(num(1, 6)));
    for (fw::TEdit* t : {w->edt_sH, w->edt_sm, w->edt_PH, w->edt_Pm})
      t->SetText(num(0, 3) ? std::to_string(num(0, 59)) : "--");

    const ModelState before = Snapshot(*w);
    std::string error;
    ASSERT_TRUE(Encode(&error)) << error;
    auto other = std::make_unique<Tfrm_mset>(nullptr);
    other->DecodeImage(image);
    ModelState after = Snapshot(*other);
    after["cbox_com"] = before.at("cbox_com");  // the port is not in the image
    ASSERT_EQ(after, before) << "round " << round;
  }
}

}  // namespace
