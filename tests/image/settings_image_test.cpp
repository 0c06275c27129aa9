#include "protocol/settings_image.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "model/start_settings.h"
#include "settings_print.h"

using namespace protocol;

namespace {

struct Encoded {
  SettingsImageBytes image;
  bool ok;
  std::string error;
};

Encoded Encode(const model::Settings& s) {
  Encoded e{};
  ClearImage(e.image);
  EncodeError error;
  e.ok = EncodeImage(s, e.image, &error);
  e.error = error.text;
  return e;
}

model::Settings Decode(const SettingsImageBytes& image, model::Settings s = model::StartSettings()) {
  DecodeImage(image, s);
  return s;
}

// Addresses of every byte a setting (or the fixed byte) occupies.
std::set<size_t> FieldBytes() {
  std::set<size_t> s;
  auto span = [&](size_t a, size_t n) {
    for (size_t i = 0; i < n; ++i) s.insert(a + i);
  };
  span(0x0200, 5 * 16);
  span(0x0400, 3 * 16);
  span(0x0A00, 3);
  span(0x0A04, 5);
  span(0x0A0E, 12);
  span(0x0C00, 6);
  span(0x0E00, 3);
  span(0x1600, 256);
  span(0x1800, 256);
  return s;
}

}  // namespace

TEST(SettingsImageEncode, StartValues) {
  Encoded e = Encode(model::StartSettings());
  ASSERT_TRUE(e.ok) << e.error;

  for (size_t a = 0x0200; a < 0x0280; ++a) EXPECT_EQ(e.image[a], 0xFF) << a;  // empty numbers
  for (size_t a = 0x0A05; a <= 0x0A08; ++a) EXPECT_EQ(e.image[a], 0xFF) << a;  // "--"
  for (size_t a = 0x0A0F; a <= 0x0A16; ++a) EXPECT_EQ(e.image[a], 0x83) << a;  // Disable + Don't Care
  EXPECT_EQ(e.image[0x0A18], 0x00);
  EXPECT_EQ(e.image[0x0E01], 0x01);
  EXPECT_EQ(e.image[0x0E02], 0x81);
  EXPECT_EQ(e.image[0x0A02], 0x00);  // no item selected: item 0
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
  model::Settings s = model::StartSettings();
  s.SetText("edt_tel1", "0123456789012345");  // exactly 16: no terminator
  s.SetText("edt_sms3", "+49");
  s.SetChecked("cb_ed3", true);
  s.SetChecked("cb_ed8", true);
  s.SetIndex("cb_nt5", 2);  // input 5 "NC", Don't Care checked
  s.SetChecked("cb_dc1", false);
  s.SetIndex("cb_nt1", 1);   // input 1 "NO"
  s.SetIndex("cb_nt2", -1);  // no item selected
  s.SetText("edt_sH", "7");
  s.SetText("edt_Pm", "$1F");  // read as the rules read it
  s.SetText("edt_rtt", "240");
  s.SetText("edt_adt", "090");
  s.SetChecked("cb_rco", true);
  s.SetChecked("cb_arm", true);
  s.SetIndex("cb_pdat", 2);

  Encoded e = Encode(s);
  ASSERT_TRUE(e.ok) << e.error;
  EXPECT_EQ(GetText(e.image, 0x0200, 16), "0123456789012345");
  EXPECT_EQ(e.image[0x0210], 0xFF);
  EXPECT_EQ(GetText(e.image, 0x0420, 16), "+49");
  EXPECT_EQ(e.image[0x0A19], 0x84);
  EXPECT_EQ(e.image[0x0A13], 0x82);
  EXPECT_EQ(e.image[0x0A0F], 0x01);
  EXPECT_EQ(e.image[0x0A10], 0x80);  // no item selected: item 0
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
    std::function<void(model::Settings&)> set;
    const char* control;
    const char* label;
    size_t unwritten;  // an address after the failing step that stays 0xFF
  };
  const Case cases[] = {
      {[](model::Settings& s) { s.SetText("edt_tel1", "01234567890123456"); }, "edt_tel1", "TEL No.1", 0x0200},
      {[](model::Settings& s) { s.SetText("edt_sms2", std::string(17, '1')); }, "edt_sms2", "SMS No.2", 0x0410},
      {[](model::Settings& s) { s.SetText("edt_name7", std::string(40, 'x')); }, "edt_name7", "Input 7 alarm", 0x16C0},
      {[](model::Settings& s) { s.SetText("edt_name18", std::string(33, 'x')); }, "edt_name18", "Input 8 recovered",
       0x18E0},
      {[](model::Settings& s) { s.SetText("edt_pwd", "12345678"); }, "edt_pwd", "Password", 0x0C00},
      {[](model::Settings& s) { s.SetText("edt_rtt", "-5"); }, "edt_rtt", "Report Time", 0x0A01},
      {[](model::Settings& s) { s.SetText("edt_adt", "256"); }, "edt_adt", "Alarm Delay Time", 0x0A04},
      {[](model::Settings& s) { s.SetText("edt_sH", "300"); }, "edt_sH", "Start Time", 0x0A05},
      {[](model::Settings& s) { s.SetText("edt_relaytime", "abc"); }, "edt_relaytime", "Relay working Time", 0x0A17},
      {[](model::Settings& s) { s.SetText("edt_volo", ""); }, "edt_volo", "Volume", 0x0E01},
  };
  for (const Case& c : cases) {
    model::Settings s = model::StartSettings();
    c.set(s);
    Encoded e = Encode(s);
    EXPECT_FALSE(e.ok) << c.control;
    EXPECT_NE(e.error.find(c.control), std::string::npos) << e.error;
    EXPECT_NE(e.error.find(c.label), std::string::npos) << e.error;
    EXPECT_EQ(e.image[c.unwritten], 0xFF) << c.control;
    EXPECT_EQ(e.image[0x0E02], 0xFF) << c.control;  // the last step never ran
  }

  // Settings before the failure stay encoded, those after it do not: an
  // empty volume leaves the password written and the relay time unwritten.
  model::Settings s = model::StartSettings();
  s.SetText("edt_volo", "");
  Encoded e = Encode(s);
  EXPECT_EQ(GetText(e.image, 0x0C00, 6), "7429");
  EXPECT_EQ(e.image[0x0A17], 0xFF);

  // The boundaries themselves are fine.
  model::Settings b = model::StartSettings();
  b.SetText("edt_rtt", "255");
  b.SetText("edt_relaytime", "0");
  b.SetText("edt_name1", std::string(32, 'y'));
  b.SetText("edt_pwd", "123456");
  EXPECT_TRUE(Encode(b).ok);
}

TEST(SettingsImageDecode, Texts) {
  SettingsImageBytes img;
  ClearImage(img);
  const uint8_t tel[] = {0x31, 0x32, 0x33, 0x00, 0x34};
  std::copy(std::begin(tel), std::end(tel), img.begin() + 0x0200);
  for (int i = 0; i < 16; ++i) img[0x0210 + i] = uint8_t('0' + i % 10);  // 16 digits, no terminator
  img[0x0220] = 0x39;
  const uint8_t ab[] = {0x00, 0x41, 0x00, 0x42, 0xFF, 0xFF};
  std::copy(std::begin(ab), std::end(ab), img.begin() + 0x1600);
  img[0x0A18] = 0x00;

  model::Settings s = Decode(img);
  EXPECT_EQ(s.Text("edt_tel1"), "123");
  EXPECT_EQ(s.Text("edt_tel2"), "0123456789012345");
  EXPECT_EQ(s.Text("edt_tel3"), "9");  // the next field is not read into it
  EXPECT_EQ(s.Text("edt_name1"), "");  // byte text: the first byte ends it
  EXPECT_EQ(s.Text("edt_pwd"), "");    // erased: empty (the change rule then fills it)
  EXPECT_EQ(s.Text("cbox_com"), "com1");  // not in the image

  img[0x0A18] = 0x01;  // UCS-2 texts
  s = Decode(img);
  EXPECT_EQ(s.Text("edt_name1"), "AB");
  EXPECT_EQ(s.Text("edt_name2"), "");

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
  s = Decode(img);
  EXPECT_EQ(s.Text("edt_name2"), "abcdefghijklmnop");
  EXPECT_EQ(s.Text("edt_name3"), "Z");
  EXPECT_EQ(s.Text("edt_name11"), "\x80?\xE9");
}

TEST(SettingsImageDecode, OptionBytes) {
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
  model::Settings s = Decode(img);

  EXPECT_TRUE(s.Checked("cb_ed1"));
  EXPECT_TRUE(s.Checked("cb_ed8"));
  for (int k = 2; k < 8; ++k) EXPECT_FALSE(s.Checked(F("cb_ed" + std::to_string(k)))) << k;
  EXPECT_EQ(s.Index("cb_nt1"), 2);
  EXPECT_TRUE(s.Checked("cb_dc1"));
  EXPECT_EQ(s.Index("cb_nt2"), 3);
  EXPECT_FALSE(s.Checked("cb_dc2"));
  EXPECT_EQ(s.Index("cb_pdat"), -1);
  EXPECT_EQ(s.Text("edt_sH"), "0");
  EXPECT_EQ(s.Text("edt_sm"), "--");
  EXPECT_EQ(s.Text("edt_rtt"), "7");
  EXPECT_TRUE(s.Checked("cb_rco"));
  EXPECT_FALSE(s.Checked("cb_GJA"));

  // Erased bytes: lists without selection, flags checked, numbers 255.
  EXPECT_EQ(s.Index("cb_nt3"), -1);
  EXPECT_TRUE(s.Checked("cb_dc3"));
  EXPECT_TRUE(s.Checked("cb_arm"));
  EXPECT_EQ(s.Text("edt_volo"), "255");
  EXPECT_EQ(s.Text("edt_relaytime"), "255");

  // A download right after it sends item 0 for the power-down alert.
  s.SetText("edt_volo", "1");
  s.SetText("edt_relaytime", "0");
  Encoded e = Encode(s);
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

// Any settings survive encoding and decoding, apart from what the image
// cannot hold: numbers come back as plain decimal, a list without selection
// comes back as item 0, a time byte of 255 reads as "--", and the port name
// is not carried.
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

  for (int round = 0; round < 300; ++round) {
    model::Settings s, want;
    s.SetText("cbox_com", "com3");
    for (size_t i = 0; i < model::kFieldCount; ++i) {
      const model::FieldId f(i);
      const model::Field& d = model::kFields[i];
      switch (d.image) {
        case model::ImageForm::None: continue;  // not carried
        case model::ImageForm::ByteText: s.SetText(f, std::string(num(0, 1) ? "+" : "").append(digits(num(0, d.width - 1)))); break;
        case model::ImageForm::SmsText: s.SetText(f, bytes(num(0, d.width))); break;
        case model::ImageForm::Number:
        case model::ImageForm::Time: {
          const int v = num(0, 255);
          if (d.image == model::ImageForm::Time && num(0, 4) == 0) {
            s.SetText(f, "--");
            want.SetText(f, "--");
            continue;
          }
          s.SetText(f, std::string(num(0, 3) == 0 ? "00" : "").append(std::to_string(v)));
          want.SetText(f, d.image == model::ImageForm::Time && v == 255 ? "--" : std::to_string(v));
          continue;
        }
        default:
          if (d.kind == model::Kind::Flag) s.SetChecked(f, num(0, 1));
          else s.SetIndex(f, num(-1, int(d.items.size()) - 1));
          break;
      }
      if (d.kind == model::Kind::Text) want.SetText(f, s.Text(f));
      if (d.kind == model::Kind::Flag) want.SetChecked(f, s.Checked(f));
      if (d.kind == model::Kind::Index) want.SetIndex(f, std::max(0, s.Index(f)));
    }

    Encoded e = Encode(s);
    ASSERT_TRUE(e.ok) << e.error;
    ASSERT_EQ(Decode(e.image, model::Settings()), want) << "round " << round;
  }
}
