#include "protocol/settings_image.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "model_state.h"
#include "standalone_model.h"

using namespace protocol;

namespace {

struct Encoded {
  SettingsImageBytes image;
  bool ok;
  std::string error;
};

Encoded Encode(const SettingsModel& m) {
  Encoded e{};
  ClearImage(e.image);
  e.ok = EncodeImage(m, e.image, &e.error);
  return e;
}

// Addresses of every byte a setting (or the fixed byte) occupies.
std::set<size_t> FieldBytes() {
  std::set<size_t> s;
  auto span = [&](size_t a, size_t n) {
    for (size_t i = 0; i < n; ++i) s.insert(a + i);
  };
  span(addr::kTel, 5 * 16);
  span(addr::kSms, 3 * 16);
  span(0x0A00, 3);
  span(0x0A04, 5);
  span(0x0A0E, 12);
  span(addr::kPassword, 6);
  span(0x0E00, 3);
  span(addr::kAlarmText, 256);
  span(addr::kRecoverText, 256);
  return s;
}

}  // namespace

TEST(SettingsImageEncode, StartValues) {
  StandaloneModel w;
  Encoded e = Encode(w.m);
  ASSERT_TRUE(e.ok) << e.error;

  for (size_t a = 0x0200; a < 0x0280; ++a) EXPECT_EQ(e.image[a], 0xFF) << a;  // empty numbers
  for (size_t a = 0x0A05; a <= 0x0A08; ++a) EXPECT_EQ(e.image[a], 0xFF) << a;  // "--"
  for (size_t a = 0x0A0F; a <= 0x0A16; ++a) EXPECT_EQ(e.image[a], 0x83) << a;  // Disable + Don't Care
  EXPECT_EQ(e.image[0x0A18], 0x00);
  EXPECT_EQ(e.image[0x0E01], 0x01);
  EXPECT_EQ(e.image[0x0E02], 0x81);
  EXPECT_EQ(e.image[0x0A02], 0x00);
  EXPECT_EQ(w.m.cb_pdat->ItemIndex(), 0);  // selected before it was sent
  EXPECT_EQ(w.m.cb_pdat->Text(), "Don't Care");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&e.image[0x0C00]), 4), "7429");
  EXPECT_EQ(e.image[0x0C04], 0xFF);

  // "Wired input 1 alarm" is 19 bytes: the rest of its field stays 0xFF.
  EXPECT_EQ(GetText(e.image, 0x1600, 32), "Wired input 1 alarm");
  for (size_t a = 0x1613; a < 0x1620; ++a) EXPECT_EQ(e.image[a], 0xFF) << a;

  // Nothing outside the fields is written.
  const std::set<size_t> fields = FieldBytes();
  for (size_t a = 0; a < kImageSize; ++a) {
    if (fields.count(a)) continue;
    ASSERT_EQ(e.image[a], 0xFF) << "address " << a;
  }
}

TEST(SettingsImageEncode, FieldValues) {
  StandaloneModel w;
  w.m.edt_tel[0]->SetText("0123456789012345");  // exactly 16: no terminator
  w.m.edt_sms[2]->SetText("+49");
  w.m.cb_ed[2]->SetChecked(true);
  w.m.cb_ed[7]->SetChecked(true);
  w.m.cb_nt[4]->SetItemIndex(2);              // input 5 "NC", Don't Care checked
  w.m.cb_dc[0]->SetChecked(false);
  w.m.cb_nt[0]->SetItemIndex(1);              // input 1 "NO"
  w.m.cb_nt[1]->SetText("typed");             // no item selected
  w.m.edt_sH->SetText("7");
  w.m.edt_Pm->SetText("$1F");                 // read as the rules read it
  w.m.edt_rtt->SetText("240");
  w.m.edt_adt->SetText("090");
  w.m.cb_rco->SetChecked(true);
  w.m.cb_arm->SetChecked(true);
  w.m.cb_pdat->SetItemIndex(2);

  Encoded e = Encode(w.m);
  ASSERT_TRUE(e.ok) << e.error;
  EXPECT_EQ(GetText(e.image, 0x0200, 16), "0123456789012345");
  EXPECT_EQ(e.image[0x0210], 0xFF);
  EXPECT_EQ(GetText(e.image, 0x0420, 16), "+49");
  EXPECT_EQ(e.image[0x0A19], 0x84);
  EXPECT_EQ(e.image[0x0A13], 0x82);
  EXPECT_EQ(e.image[0x0A0F], 0x01);
  EXPECT_EQ(e.image[0x0A10], 0x80);  // typed text: item 0 selected first
  EXPECT_EQ(w.m.cb_nt[1]->ItemIndex(), 0);
  EXPECT_EQ(e.image[0x0A05], 0x07);
  EXPECT_EQ(e.image[0x0A06], 0xFF);
  EXPECT_EQ(e.image[0x0A08], 0x1F);
  EXPECT_EQ(e.image[0x0A01], 240);
  EXPECT_EQ(e.image[0x0A04], 90);
  EXPECT_EQ(e.image[0x0A00], 1);
  EXPECT_EQ(e.image[0x0A0E], 0);
  EXPECT_EQ(e.image[0x0E00], 1);
  EXPECT_EQ(e.image[0x0A02], 2);
}

// A value that cannot be sent as it is shown stops the encoding and names
// the setting, instead of sending a wrong or erased field.
TEST(SettingsImageEncode, RefusesWhatDoesNotFit) {
  struct Case {
    std::function<void(SettingsModel&)> set;
    const char* control;
    const char* label;
    size_t unwritten;  // an address after the failing step that stays 0xFF
  };
  const Case cases[] = {
      {[](SettingsModel& m) { m.edt_tel[0]->SetText("01234567890123456"); }, "edt_tel1", "TEL No.1", 0x0200},
      {[](SettingsModel& m) { m.edt_sms[1]->SetText(std::string(17, '1')); }, "edt_sms2", "SMS No.2", 0x0410},
      {[](SettingsModel& m) { m.edt_name[6]->SetText(std::string(40, 'x')); }, "edt_name7", "Input 7 alarm", 0x16C0},
      {[](SettingsModel& m) { m.edt_name_rec[7]->SetText(std::string(33, 'x')); }, "edt_name18", "Input 8 recovered",
       0x18E0},
      {[](SettingsModel& m) { m.edt_pwd->SetText("12345678"); }, "edt_pwd", "Password", 0x0C00},
      {[](SettingsModel& m) { m.edt_rtt->SetText("-5"); }, "edt_rtt", "Report Time", 0x0A01},
      {[](SettingsModel& m) { m.edt_adt->SetText("256"); }, "edt_adt", "Alarm Delay Time", 0x0A04},
      {[](SettingsModel& m) { m.edt_sH->SetText("300"); }, "edt_sH", "Start Time", 0x0A05},
      {[](SettingsModel& m) { m.edt_relaytime->SetText("abc"); }, "edt_relaytime", "Relay working Time", 0x0A17},
      {[](SettingsModel& m) { m.edt_volo->SetText(""); }, "edt_volo", "Volume", 0x0E01},
  };
  for (const Case& c : cases) {
    StandaloneModel w;
    c.set(w.m);
    Encoded e = Encode(w.m);
    EXPECT_FALSE(e.ok) << c.control;
    EXPECT_NE(e.error.find(c.control), std::string::npos) << e.error;
    EXPECT_NE(e.error.find(c.label), std::string::npos) << e.error;
    EXPECT_EQ(e.image[c.unwritten], 0xFF) << c.control;
    EXPECT_EQ(e.image[0x0E02], 0xFF) << c.control;  // the last step never ran
  }

  // Steps before the failure stay encoded: an empty volume leaves only its
  // own byte and the fixed byte unwritten.
  StandaloneModel w;
  w.m.edt_volo->SetText("");
  Encoded e = Encode(w.m);
  EXPECT_EQ(e.image[0x0A18], 0x00);
  EXPECT_EQ(GetText(e.image, 0x0C00, 6), "7429");

  // The boundaries themselves are fine.
  StandaloneModel b;
  b.m.edt_rtt->SetText("255");
  b.m.edt_relaytime->SetText("0");
  b.m.edt_name[0]->SetText(std::string(32, 'y'));
  b.m.edt_pwd->SetText("123456");
  EXPECT_TRUE(Encode(b.m).ok);
}

TEST(SettingsImageDecode, Texts) {
  StandaloneModel w;
  SettingsImageBytes img;
  ClearImage(img);
  const uint8_t tel[] = {0x31, 0x32, 0x33, 0x00, 0x34};
  std::copy(std::begin(tel), std::end(tel), img.begin() + 0x0200);
  for (int i = 0; i < 16; ++i) img[0x0210 + i] = uint8_t('0' + i % 10);  // 16 digits, no terminator
  img[0x0220] = 0x39;
  const uint8_t ab[] = {0x00, 0x41, 0x00, 0x42, 0xFF, 0xFF};
  std::copy(std::begin(ab), std::end(ab), img.begin() + 0x1600);
  img[0x0A18] = 0x00;

  ASSERT_TRUE(DecodeImage(w.m, img));
  EXPECT_EQ(w.m.edt_tel[0]->Text(), "123");
  EXPECT_EQ(w.m.edt_tel[1]->Text(), "0123456789012345");
  EXPECT_EQ(w.m.edt_tel[2]->Text(), "9");  // the next field is not read into it
  EXPECT_EQ(w.m.edt_name[0]->Text(), "");  // byte text: the first byte ends it
  EXPECT_EQ(w.m.edt_pwd->Text(), "");      // erased: empty (the window's rule then fills it)

  img[0x0A18] = 0x01;  // UCS-2 texts
  ASSERT_TRUE(DecodeImage(w.m, img));
  EXPECT_EQ(w.m.edt_name[0]->Text(), "AB");
  EXPECT_EQ(w.m.edt_name[1]->Text(), "");

  // Sixteen valid units fill the field; the next field is not read.
  for (int i = 0; i < 16; ++i) {
    img[0x1620 + 2 * i] = 0x00;
    img[0x1621 + 2 * i] = uint8_t('a' + i);
  }
  img[0x1640] = 0x00;
  img[0x1641] = 'Z';
  // Units outside Windows-1252 become "?"; the euro sign is 0x80; a unit
  // 0x0000 ends the shown text although the scan goes on.
  const uint8_t mixed[] = {0x20, 0xAC, 0x04, 0x14, 0x00, 0xE9, 0x00, 0x00, 0x00, 0x43};
  std::copy(std::begin(mixed), std::end(mixed), img.begin() + 0x1800);
  ASSERT_TRUE(DecodeImage(w.m, img));
  EXPECT_EQ(w.m.edt_name[1]->Text(), "abcdefghijklmnop");
  EXPECT_EQ(w.m.edt_name[2]->Text(), "Z");
  EXPECT_EQ(w.m.edt_name_rec[0]->Text(), "\x80?\xE9");
}

TEST(SettingsImageDecode, OptionBytes) {
  StandaloneModel w;
  SettingsImageBytes img;
  ClearImage(img);
  img[0x0A19] = 0x81;
  img[0x0A0F] = 0x82;  // NC, Don't Care
  img[0x0A10] = 0x13;  // bits 4-6 ignored: Disable, not Don't Care
  img[0x0A02] = 0x05;  // not an item
  img[0x0A05] = 0x00;
  img[0x0A01] = 0x07;
  img[0x0A00] = 0x02;  // any non-zero byte checks
  img[0x0A0E] = 0x00;
  ASSERT_TRUE(DecodeImage(w.m, img));

  EXPECT_TRUE(w.m.cb_ed[0]->Checked());
  EXPECT_TRUE(w.m.cb_ed[7]->Checked());
  for (int k = 1; k < 7; ++k) EXPECT_FALSE(w.m.cb_ed[k]->Checked()) << k;
  EXPECT_EQ(w.m.cb_nt[0]->ItemIndex(), 2);
  EXPECT_TRUE(w.m.cb_dc[0]->Checked());
  EXPECT_EQ(w.m.cb_nt[1]->ItemIndex(), 3);
  EXPECT_FALSE(w.m.cb_dc[1]->Checked());
  EXPECT_EQ(w.m.cb_pdat->ItemIndex(), -1);
  EXPECT_EQ(w.m.cb_pdat->Text(), "");
  EXPECT_EQ(w.m.edt_sH->Text(), "0");
  EXPECT_EQ(w.m.edt_sm->Text(), "--");
  EXPECT_EQ(w.m.edt_rtt->Text(), "7");
  EXPECT_TRUE(w.m.cb_rco->Checked());
  EXPECT_FALSE(w.m.cb_GJA->Checked());

  // Erased bytes: lists without selection, flags checked, numbers 255.
  EXPECT_EQ(w.m.cb_nt[2]->ItemIndex(), -1);
  EXPECT_TRUE(w.m.cb_dc[2]->Checked());
  EXPECT_TRUE(w.m.cb_arm->Checked());
  EXPECT_EQ(w.m.edt_volo->Text(), "255");
  EXPECT_EQ(w.m.edt_relaytime->Text(), "255");

  // A download right after it sends item 0 for the power-down alert.
  w.m.edt_volo->SetText("1");
  w.m.edt_relaytime->SetText("0");
  Encoded e = Encode(w.m);
  ASSERT_TRUE(e.ok) << e.error;
  EXPECT_EQ(e.image[0x0A02], 0x00);
}

TEST(SettingsImage, AccessStaysInsideTheImage) {
  SettingsImageBytes img;
  ClearImage(img);
  for (size_t a = 0xFFF0; a < kImageSize; ++a) img[a] = 'a';
  EXPECT_EQ(GetText(img, 0xFFF8, 32), "aaaaaaaa");
  EXPECT_EQ(GetWideText(img, 0xFFF8, 16).size(), 4u);
  EXPECT_EQ(GetWideText(img, 0xFFFF, 16).size(), 0u);
  EXPECT_FALSE(PutText(img, "123456789", 0xFFF8));
  EXPECT_EQ(img[0xFFF8], 'a');
  EXPECT_TRUE(PutText(img, "12345678", 0xFFF8));
  EXPECT_TRUE(PutText(img, "", 0xFFFF));
  EXPECT_EQ(GetByte(img, 0xFFFF), '8');
}

// Any window state survives encoding and decoding, apart from what the image
// cannot hold: numbers come back as plain decimal, a list without selection
// comes back as item 0 and a time byte of 255 reads as "--".
TEST(SettingsImage, RoundTrip) {
  std::mt19937 rng(20240601);
  auto num = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto digits = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += char('0' + num(0, 9));
    return s;
  };
  auto bytes = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += char(num(0x01, 0xFE));
    return s;
  };
  auto number = [&](int lo, int hi, std::string& expect) {
    const int v = num(lo, hi);
    expect = std::to_string(v);
    return std::string(num(0, 3) == 0 ? "00" : "").append(expect);
  };

  for (int round = 0; round < 300; ++round) {
    StandaloneModel src, dst;
    SettingsModel& m = src.m;
    for (auto* e : m.edt_tel) e->SetText(std::string(num(0, 1) ? "+" : "").append(digits(num(0, 15))));
    for (auto* e : m.edt_sms) e->SetText(digits(num(0, 16)));
    for (auto* e : m.edt_name) e->SetText(bytes(num(0, 32)));
    for (auto* e : m.edt_name_rec) e->SetText(bytes(num(0, 32)));
    for (int k = 0; k < 8; ++k) {
      if (int i = num(-1, 3); i >= 0) m.cb_nt[k]->SetItemIndex(i);
      else m.cb_nt[k]->SetText("x");
      m.cb_dc[k]->SetChecked(num(0, 1));
      m.cb_ed[k]->SetChecked(num(0, 1));
    }
    m.cb_rco->SetChecked(num(0, 1));
    m.cb_GJA->SetChecked(num(0, 1));
    m.cb_arm->SetChecked(num(0, 1));
    if (int i = num(-1, 2); i >= 0) m.cb_pdat->SetItemIndex(i);
    m.edt_pwd->SetText(digits(num(1, 6)));
    std::string rtt, adt, relay, volo;
    m.edt_rtt->SetText(number(0, 255, rtt));
    m.edt_adt->SetText(number(0, 255, adt));
    m.edt_relaytime->SetText(number(0, 255, relay));
    m.edt_volo->SetText(number(0, 255, volo));
    std::string times[4];
    fw::TEdit* time_boxes[4] = {m.edt_sH, m.edt_sm, m.edt_PH, m.edt_Pm};
    for (int i = 0; i < 4; ++i) {
      if (num(0, 4) == 0) {
        time_boxes[i]->SetText("--");
        times[i] = "--";
      } else {
        time_boxes[i]->SetText(number(0, 255, times[i]));
        if (times[i] == "255") times[i] = "--";
      }
    }

    Encoded e = Encode(m);
    ASSERT_TRUE(e.ok) << e.error;
    ModelState want = Snapshot(m);  // after encoding: lists got item 0
    want["cbox_com"] = dst.m.cbox_com->Text();  // not carried by the image
    want["edt_rtt"] = rtt;
    want["edt_adt"] = adt;
    want["edt_relaytime"] = relay;
    want["edt_volo"] = volo;
    want["edt_sH"] = times[0];
    want["edt_sm"] = times[1];
    want["edt_PH"] = times[2];
    want["edt_Pm"] = times[3];

    ASSERT_TRUE(DecodeImage(dst.m, e.image));
    ASSERT_EQ(Snapshot(dst.m), want) << "round " << round;
  }
}
