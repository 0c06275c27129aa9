// The table of settings: every setting the configurator edits, with how the
// window shows it, where the settings image keeps it and how a profile
// stores it. The image codec, the profile files, the window's copy of its
// controls and the command line all walk this one table.
//
// Rows stand in the order the settings are read out of the image into the
// window (telephone numbers first, relay time last); the same order encodes
// them. A profile holds its keys in the order of `profile_rank`.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace model {

// The kind of value a setting holds, which is also how a profile writes
// it: a text, a check box ("1"/"0"), or a drop-down's item index ("-1" for
// none).
enum class Kind : uint8_t { Text, Flag, Index };

// How a setting is held in the settings image.
enum class ImageForm : uint8_t {
  None,      // not in the image (the port name)
  ByteText,  // the text's bytes, at most `width`; the rest of the field stays 0xFF
  SmsText,   // as ByteText; read as UCS-2 when the controller marks its texts so
  Flag,      // 1 or 0; any byte but 0 reads as checked
  Index,     // the item index as the whole byte
  Number,    // the integer value of the text, 0 to 255
  Time,      // 0xFF for "--", otherwise as Number
  Packed,    // the value within `mask` of a byte that other settings share
};

struct Field {
  const char* control;  // the window's control that shows the setting
  const char* label;    // its name as the window labels it
  Kind kind;
  ImageForm image;
  uint16_t address;
  uint8_t width;  // ByteText, SmsText: bytes of the field
  uint8_t mask;   // Packed: the bits of the byte that hold the value
  const char* section;
  const char* key;
  const char* missing;    // the value a missing key gives, as the profile writes it
  uint8_t profile_rank;   // the key's position in a profile
  std::span<const char* const> items;  // drop-downs: the items, in order

  constexpr int Shift() const { return std::countr_zero(unsigned(mask)); }
};

inline constexpr const char* kPorts[] = {"com1", "com2", "com3", "com4", "com5"};
inline constexpr const char* kInputTypes[] = {"EOL", "NO", "NC", "Disable"};
inline constexpr const char* kPowerdownAlert[] = {"Don't Care", "30 minutes", "immediacy"};

inline constexpr size_t kFieldCount = 62;

namespace detail {
using K = Kind;
using I = ImageForm;
// clang-format off
inline constexpr std::array<Field, kFieldCount> kFields = {{
    {"cbox_com", "Com Port", K::Text, I::None, 0x0000, 0, 0x00, "COM", "ComName", "com1", 0, kPorts},
    {"edt_tel1", "TEL No.1", K::Text, I::ByteText, 0x0200, 16, 0x00, "TEL", "tel1", "", 36, {}},
    {"edt_tel2", "TEL No.2", K::Text, I::ByteText, 0x0210, 16, 0x00, "TEL", "tel2", "", 37, {}},
    {"edt_tel3", "TEL No.3", K::Text, I::ByteText, 0x0220, 16, 0x00, "TEL", "tel3", "", 38, {}},
    {"edt_tel4", "TEL No.4", K::Text, I::ByteText, 0x0230, 16, 0x00, "TEL", "tel4", "", 39, {}},
    {"edt_tel5", "TEL No.5", K::Text, I::ByteText, 0x0240, 16, 0x00, "TEL", "tel5", "", 40, {}},
    {"edt_sms1", "SMS No.1", K::Text, I::ByteText, 0x0400, 16, 0x00, "SMS", "sms1", "", 1, {}},
    {"edt_sms2", "SMS No.2", K::Text, I::ByteText, 0x0410, 16, 0x00, "SMS", "sms2", "", 2, {}},
    {"edt_sms3", "SMS No.3", K::Text, I::ByteText, 0x0420, 16, 0x00, "SMS", "sms3", "", 3, {}},
    {"edt_name1", "Input 1 alarm SMS text", K::Text, I::SmsText, 0x1600, 32, 0x00, "WZN", "name1", "", 4, {}},
    {"edt_name2", "Input 2 alarm SMS text", K::Text, I::SmsText, 0x1620, 32, 0x00, "WZN", "name2", "", 5, {}},
    {"edt_name3", "Input 3 alarm SMS text", K::Text, I::SmsText, 0x1640, 32, 0x00, "WZN", "name3", "", 6, {}},
    {"edt_name4", "Input 4 alarm SMS text", K::Text, I::SmsText, 0x1660, 32, 0x00, "WZN", "name4", "", 7, {}},
    {"edt_name5", "Input 5 alarm SMS text", K::Text, I::SmsText, 0x1680, 32, 0x00, "WZN", "name5", "", 8, {}},
    {"edt_name6", "Input 6 alarm SMS text", K::Text, I::SmsText, 0x16A0, 32, 0x00, "WZN", "name6", "", 9, {}},
    {"edt_name7", "Input 7 alarm SMS text", K::Text, I::SmsText, 0x16C0, 32, 0x00, "WZN", "name7", "", 10, {}},
    {"edt_name8", "Input 8 alarm SMS text", K::Text, I::SmsText, 0x16E0, 32, 0x00, "WZN", "name8", "", 11, {}},
    {"edt_name11", "Input 1 recovered SMS text", K::Text, I::SmsText, 0x1800, 32, 0x00, "WZN", "name11", "", 12, {}},
    {"edt_name12", "Input 2 recovered SMS text", K::Text, I::SmsText, 0x1820, 32, 0x00, "WZN", "name12", "", 13, {}},
    {"edt_name13", "Input 3 recovered SMS text", K::Text, I::SmsText, 0x1840, 32, 0x00, "WZN", "name13", "", 14, {}},
    {"edt_name14", "Input 4 recovered SMS text", K::Text, I::SmsText, 0x1860, 32, 0x00, "WZN", "name14", "", 15, {}},
    {"edt_name15", "Input 5 recovered SMS text", K::Text, I::SmsText, 0x1880, 32, 0x00, "WZN", "name15", "", 16, {}},
    {"edt_name16", "Input 6 recovered SMS text", K::Text, I::SmsText, 0x18A0, 32, 0x00, "WZN", "name16", "", 17, {}},
    {"edt_name17", "Input 7 recovered SMS text", K::Text, I::SmsText, 0x18C0, 32, 0x00, "WZN", "name17", "", 18, {}},
    {"edt_name18", "Input 8 recovered SMS text", K::Text, I::SmsText, 0x18E0, 32, 0x00, "WZN", "name18", "", 19, {}},
    {"cb_rco", "Sound Alarm", K::Flag, I::Flag, 0x0A00, 0, 0x00, "OTH", "rco", "0", 41, {}},
    {"cb_pdat", "Powerdown Alert", K::Index, I::Index, 0x0A02, 0, 0x00, "OTH", "pdat", "0", 44, kPowerdownAlert},
    {"cb_GJA", "GSM Jammer Alert", K::Flag, I::Flag, 0x0A0E, 0, 0x00, "OTH", "gja", "0", 42, {}},
    {"cb_arm", "ARM", K::Flag, I::Flag, 0x0E00, 0, 0x00, "OTH", "arm", "0", 43, {}},
    {"edt_rtt", "Report Time", K::Text, I::Number, 0x0A01, 0, 0x00, "OTH", "rtt", "24", 45, {}},
    {"edt_adt", "Alarm Delay Time", K::Text, I::Number, 0x0A04, 0, 0x00, "OTH", "adt", "1", 46, {}},
    {"cb_ed1", "Input 1 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x01, "WZN", " cb_ed1", "0", 28, {}},
    {"cb_ed2", "Input 2 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x02, "WZN", " cb_ed2", "0", 29, {}},
    {"cb_ed3", "Input 3 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x04, "WZN", " cb_ed3", "0", 30, {}},
    {"cb_ed4", "Input 4 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x08, "WZN", " cb_ed4", "0", 31, {}},
    {"cb_ed5", "Input 5 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x10, "WZN", " cb_ed5", "0", 32, {}},
    {"cb_ed6", "Input 6 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x20, "WZN", " cb_ed6", "0", 33, {}},
    {"cb_ed7", "Input 7 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x40, "WZN", " cb_ed7", "0", 34, {}},
    {"cb_ed8", "Input 8 alarm link relay", K::Flag, I::Packed, 0x0A19, 0, 0x80, "WZN", " cb_ed8", "0", 35, {}},
    {"edt_sH", "Start Time hour", K::Text, I::Time, 0x0A05, 0, 0x00, "OTH", "sh", "--", 55, {}},
    {"edt_sm", "Start Time minute", K::Text, I::Time, 0x0A06, 0, 0x00, "OTH", "sm", "--", 56, {}},
    {"edt_PH", "Stop Time hour", K::Text, I::Time, 0x0A07, 0, 0x00, "OTH", "ph", "--", 57, {}},
    {"edt_Pm", "Stop Time minute", K::Text, I::Time, 0x0A08, 0, 0x00, "OTH", "pm", "--", 58, {}},
    {"cb_dc1", "Input 1 Don't Care", K::Flag, I::Packed, 0x0A0F, 0, 0x80, "WZN", "cb_dc1", "1", 20, {}},
    {"cb_nt1", "Input 1 type", K::Index, I::Packed, 0x0A0F, 0, 0x0F, "OTH", "nt1", "3", 47, kInputTypes},
    {"cb_dc2", "Input 2 Don't Care", K::Flag, I::Packed, 0x0A10, 0, 0x80, "WZN", "cb_dc2", "1", 21, {}},
    {"cb_nt2", "Input 2 type", K::Index, I::Packed, 0x0A10, 0, 0x0F, "OTH", "nt2", "3", 48, kInputTypes},
    {"cb_dc3", "Input 3 Don't Care", K::Flag, I::Packed, 0x0A11, 0, 0x80, "WZN", "cb_dc3", "1", 22, {}},
    {"cb_nt3", "Input 3 type", K::Index, I::Packed, 0x0A11, 0, 0x0F, "OTH", "nt3", "3", 49, kInputTypes},
    {"cb_dc4", "Input 4 Don't Care", K::Flag, I::Packed, 0x0A12, 0, 0x80, "WZN", "cb_dc4", "1", 23, {}},
    {"cb_nt4", "Input 4 type", K::Index, I::Packed, 0x0A12, 0, 0x0F, "OTH", "nt4", "3", 50, kInputTypes},
    {"cb_dc5", "Input 5 Don't Care", K::Flag, I::Packed, 0x0A13, 0, 0x80, "WZN", "cb_dc5", "1", 24, {}},
    {"cb_nt5", "Input 5 type", K::Index, I::Packed, 0x0A13, 0, 0x0F, "OTH", "nt5", "3", 51, kInputTypes},
    {"cb_dc6", "Input 6 Don't Care", K::Flag, I::Packed, 0x0A14, 0, 0x80, "WZN", "cb_dc6", "1", 25, {}},
    {"cb_nt6", "Input 6 type", K::Index, I::Packed, 0x0A14, 0, 0x0F, "OTH", "nt6", "3", 52, kInputTypes},
    {"cb_dc7", "Input 7 Don't Care", K::Flag, I::Packed, 0x0A15, 0, 0x80, "WZN", "cb_dc7", "1", 26, {}},
    {"cb_nt7", "Input 7 type", K::Index, I::Packed, 0x0A15, 0, 0x0F, "OTH", "nt7", "3", 53, kInputTypes},
    {"cb_dc8", "Input 8 Don't Care", K::Flag, I::Packed, 0x0A16, 0, 0x80, "WZN", "cb_dc8", "1", 27, {}},
    {"cb_nt8", "Input 8 type", K::Index, I::Packed, 0x0A16, 0, 0x0F, "OTH", "nt8", "3", 54, kInputTypes},
    {"edt_pwd", "Password", K::Text, I::ByteText, 0x0C00, 6, 0x00, "OTH", "pwd", "517394", 60, {}},
    {"edt_volo", "Volume", K::Text, I::Number, 0x0E01, 0, 0x00, "OTH", "volo", "1", 59, {}},
    {"edt_relaytime", "Relay working Time", K::Text, I::Number, 0x0A17, 0, 0x00, "OTH", "relaytime", "0", 61, {}},
}};
// clang-format on
}  // namespace detail

inline constexpr const std::array<Field, kFieldCount>& kFields = detail::kFields;

// A setting, by its position in the table. Written as its control's name
// ("edt_rtt") it is looked up when the program is compiled, so a misspelt
// name does not build.
struct FieldId {
  consteval FieldId(const char* control) : index(Find(control)) {}
  constexpr explicit FieldId(size_t i) : index(i) {}
  constexpr const Field& def() const { return kFields[index]; }
  friend constexpr bool operator==(FieldId, FieldId) = default;

  size_t index;

 private:
  static consteval size_t Find(std::string_view control) {
    for (size_t i = 0; i < kFieldCount; ++i)
      if (control == kFields[i].control) return i;
    throw "no setting is shown by this control";
  }
};

// The setting shown by the named control; throws std::out_of_range for a
// name that is not in the table.
FieldId FieldNamed(std::string_view control);

// The table positions in the order of a profile's keys.
inline constexpr std::array<uint8_t, kFieldCount> kProfileOrder = [] {
  std::array<uint8_t, kFieldCount> order{};
  for (size_t i = 0; i < kFieldCount; ++i) order[kFields[i].profile_rank] = uint8_t(i);
  return order;
}();

}  // namespace model
