#include "protocol/settings_image.h"

#include <algorithm>
#include <exception>

#include "framework/strtoint.h"
#include "protocol/ansi_codepage.h"

namespace protocol {
namespace {

// A setting as the user knows it, for error texts: its label and control.
std::string Describe(const char* label, const char* control) {
  return std::string(label) + " (" + control + ")";
}

std::string Numbered(const char* prefix, size_t n, const char* suffix = "") {
  return prefix + std::to_string(n) + suffix;
}

void Fail(std::string* error, const std::string& what) {
  if (error) *error = what;
}

// Text of at most width bytes into its field. A longer text is refused:
// writing nothing would erase the field in the controller.
bool EncodeText(SettingsImageBytes& image, const fw::TEdit& edit, uint16_t address, size_t width,
                const std::string& name, std::string* error) {
  const std::string& t = edit.Text();
  if (t.size() > width) {
    Fail(error, name + ": the text has " + std::to_string(t.size()) + " characters; its field holds " +
                    std::to_string(width) + ".");
    return false;
  }
  if (!PutText(image, t, address)) {
    Fail(error, name + ": the text does not fit the settings image.");
    return false;
  }
  return true;
}

// The integer value of the text as one byte. Refuses a text that is not an
// integer and a value outside 0 to 255, which would otherwise be sent as
// its low 8 bits: a different setting from the one shown.
bool EncodeNumber(SettingsImageBytes& image, const std::string& text, uint16_t address,
                  const std::string& name, std::string* error) {
  int32_t v;
  if (!fw::TryStrToInt(text, v)) {
    Fail(error, name + ": \"" + text + "\" is not a number.");
    return false;
  }
  if (v < 0 || v > 255) {
    Fail(error, name + ": " + std::to_string(v) + " does not fit in one byte (0 to 255).");
    return false;
  }
  return PutByte(image, uint8_t(v), address);
}

uint8_t Flag(const fw::TCheckBox& box) { return box.Checked() ? 1 : 0; }

// The selected item, selecting item 0 first when none is.
int SelectedOrFirst(fw::TComboBox& box) {
  if (box.ItemIndex() < 0) box.SetItemIndex(0);
  return box.ItemIndex() < 0 ? 0 : box.ItemIndex();
}

// Selects an item; if selecting fails, item 0 instead. An index outside the
// list leaves no item selected and clears the shown text.
void SelectGuarded(fw::TComboBox& box, int index) {
  try {
    box.SetItemIndex(index);
    if (box.ItemIndex() < 0 && !box.Text().empty()) box.SetText("");
  } catch (...) {
    box.SetItemIndex(0);
  }
}

std::string ByteText(uint8_t b) { return std::to_string(unsigned(b)); }

constexpr const char* kTimeLabels[4] = {"Start Time hour", "Start Time minute", "Stop Time hour",
                                        "Stop Time minute"};
constexpr const char* kTimeControls[4] = {"edt_sH", "edt_sm", "edt_PH", "edt_Pm"};

}  // namespace

void ClearImage(SettingsImageBytes& image) { image.fill(0xFF); }

bool PutText(SettingsImageBytes& image, const std::string& text, uint16_t address) {
  if (text.size() > kImageSize - address) return false;
  for (size_t i = 0; i < text.size(); ++i) image[address + i] = uint8_t(text[i]);
  return true;
}

bool PutByte(SettingsImageBytes& image, uint8_t value, uint16_t address) {
  image[address] = value;
  return true;
}

uint8_t GetByte(const SettingsImageBytes& image, uint16_t address) { return image[address]; }

std::string GetText(const SettingsImageBytes& image, uint16_t address, size_t max_bytes) {
  std::string out;
  for (size_t a = address; a < kImageSize && out.size() < max_bytes; ++a) {
    const uint8_t b = image[a];
    if (b == 0x00 || b == 0xFF) break;
    out.push_back(char(b));
  }
  return out;
}

std::u16string GetWideText(const SettingsImageBytes& image, uint16_t address, size_t max_units) {
  std::u16string out;
  for (size_t i = 0; i < max_units; ++i) {
    const size_t a = size_t(address) + 2 * i;
    if (a + 1 >= kImageSize) break;
    const uint8_t hi = image[a], lo = image[a + 1];
    if (hi == 0xFF || lo == 0xFF) break;
    out.push_back(char16_t(hi << 8 | lo));
  }
  return out;
}

bool EncodeImage(const SettingsModel& m, SettingsImageBytes& image, std::string* error) {
  try {
    // 1. Texts.
    for (size_t k = 0; k < m.edt_tel.size(); ++k)
      if (!EncodeText(image, *m.edt_tel[k], uint16_t(addr::kTel + kTelWidth * k), kTelWidth,
                      Describe(Numbered("TEL No.", k + 1).c_str(), Numbered("edt_tel", k + 1).c_str()), error))
        return false;
    for (size_t k = 0; k < m.edt_sms.size(); ++k)
      if (!EncodeText(image, *m.edt_sms[k], uint16_t(addr::kSms + kTelWidth * k), kTelWidth,
                      Describe(Numbered("SMS No.", k + 1).c_str(), Numbered("edt_sms", k + 1).c_str()), error))
        return false;
    for (size_t k = 0; k < 8; ++k)
      if (!EncodeText(image, *m.edt_name[k], uint16_t(addr::kAlarmText + kTextWidth * k), kTextWidth,
                      Describe(Numbered("Input ", k + 1, " alarm SMS text").c_str(),
                               Numbered("edt_name", k + 1).c_str()),
                      error))
        return false;
    for (size_t k = 0; k < 8; ++k)
      if (!EncodeText(image, *m.edt_name_rec[k], uint16_t(addr::kRecoverText + kTextWidth * k), kTextWidth,
                      Describe(Numbered("Input ", k + 1, " recovered SMS text").c_str(),
                               Numbered("edt_name", k + 11).c_str()),
                      error))
        return false;

    // 2 to 4. Flags and the power-down alert time.
    PutByte(image, Flag(*m.cb_rco), addr::kRco);
    PutByte(image, uint8_t(SelectedOrFirst(*m.cb_pdat)), addr::kPdat);
    PutByte(image, Flag(*m.cb_GJA), addr::kGja);
    PutByte(image, Flag(*m.cb_arm), addr::kArm);

    // 5. Report time and alarm delay.
    if (!EncodeNumber(image, m.edt_rtt->Text(), addr::kRtt, Describe("Report Time", "edt_rtt"), error))
      return false;
    if (!EncodeNumber(image, m.edt_adt->Text(), addr::kAdt, Describe("Alarm Delay Time", "edt_adt"), error))
      return false;

    // 6. Relay enable bits, input 1 in bit 0.
    uint8_t relay = 0;
    for (size_t k = 0; k < 8; ++k)
      if (m.cb_ed[k]->Checked()) relay |= uint8_t(1u << k);
    PutByte(image, relay, addr::kRelayEnable);

    // 7. Start and stop time: "--" is "not set".
    const fw::TEdit* times[4] = {m.edt_sH, m.edt_sm, m.edt_PH, m.edt_Pm};
    for (size_t i = 0; i < 4; ++i) {
      const uint16_t a = uint16_t(addr::kStartHour + i);
      if (times[i]->Text() == "--")
        PutByte(image, 0xFF, a);
      else if (!EncodeNumber(image, times[i]->Text(), a, Describe(kTimeLabels[i], kTimeControls[i]), error))
        return false;
    }

    // 8. Input types with the "Don't Care" flag in bit 7.
    for (size_t k = 0; k < 8; ++k) {
      const int type = SelectedOrFirst(*m.cb_nt[k]);
      PutByte(image, uint8_t(type + (m.cb_dc[k]->Checked() ? 0x80 : 0)), uint16_t(addr::kInputType + k));
    }

    // 9 to 13.
    if (!EncodeNumber(image, m.edt_relaytime->Text(), addr::kRelayTime,
                      Describe("Relay working Time", "edt_relaytime"), error))
      return false;
    PutByte(image, 0x00, addr::kTextEncoding);
    if (!EncodeText(image, *m.edt_pwd, addr::kPassword, kPasswordWidth, Describe("Password", "edt_pwd"), error))
      return false;
    if (!EncodeNumber(image, m.edt_volo->Text(), addr::kVolume, Describe("Volume", "edt_volo"), error))
      return false;
    PutByte(image, kFixedByte, addr::kFixed);
    return true;
  } catch (const std::exception& e) {
    Fail(error, e.what());
    return false;
  } catch (...) {
    Fail(error, "unknown failure");
    return false;
  }
}

bool DecodeImage(const SettingsModel& m, const SettingsImageBytes& image) {
  try {
    for (size_t k = 0; k < m.edt_tel.size(); ++k)
      m.edt_tel[k]->SetText(GetText(image, uint16_t(addr::kTel + kTelWidth * k), kTelWidth));
    for (size_t k = 0; k < m.edt_sms.size(); ++k)
      m.edt_sms[k]->SetText(GetText(image, uint16_t(addr::kSms + kTelWidth * k), kTelWidth));

    // SMS texts: UCS-2 when the controller says so, byte text otherwise. A
    // control shows a UCS-2 text up to its first 0x0000 unit.
    const bool wide = GetByte(image, addr::kTextEncoding) == kUcs2Texts;
    auto text_at = [&](uint16_t a) {
      if (!wide) return GetText(image, a, kTextWidth);
      std::u16string w = GetWideText(image, a, kTextWidth / 2);
      w.resize(std::min(w.size(), w.find(u'\0')));
      return WideToAnsi(w);
    };
    for (size_t k = 0; k < 8; ++k) m.edt_name[k]->SetText(text_at(uint16_t(addr::kAlarmText + kTextWidth * k)));
    for (size_t k = 0; k < 8; ++k)
      m.edt_name_rec[k]->SetText(text_at(uint16_t(addr::kRecoverText + kTextWidth * k)));

    m.cb_rco->SetChecked(GetByte(image, addr::kRco) != 0);
    SelectGuarded(*m.cb_pdat, GetByte(image, addr::kPdat));
    m.cb_GJA->SetChecked(GetByte(image, addr::kGja) != 0);
    m.cb_arm->SetChecked(GetByte(image, addr::kArm) != 0);
    m.edt_rtt->SetText(ByteText(GetByte(image, addr::kRtt)));
    m.edt_adt->SetText(ByteText(GetByte(image, addr::kAdt)));

    const uint8_t relay = GetByte(image, addr::kRelayEnable);
    for (size_t k = 0; k < 8; ++k) m.cb_ed[k]->SetChecked((relay >> k) & 1);

    fw::TEdit* times[4] = {m.edt_sH, m.edt_sm, m.edt_PH, m.edt_Pm};
    for (size_t i = 0; i < 4; ++i) {
      const uint8_t b = GetByte(image, uint16_t(addr::kStartHour + i));
      times[i]->SetText(b == 0xFF ? std::string("--") : ByteText(b));
    }

    for (size_t k = 0; k < 8; ++k) {
      const uint8_t b = GetByte(image, uint16_t(addr::kInputType + k));
      m.cb_dc[k]->SetChecked((b & 0x80) != 0);
      SelectGuarded(*m.cb_nt[k], b & 0x0F);
    }

    m.edt_pwd->SetText(GetText(image, addr::kPassword, kPasswordWidth));
    m.edt_volo->SetText(ByteText(GetByte(image, addr::kVolume)));
    m.edt_relaytime->SetText(ByteText(GetByte(image, addr::kRelayTime)));
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace protocol
