#include "protocol/settings_image.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "text/codepage.h"
#include "text/strtoint.h"

namespace protocol {
namespace {

using model::Field;
using model::FieldId;
using model::ImageForm;

// A setting as the user knows it, for error texts: its label and control.
std::string Describe(const Field& f) { return std::string(f.label) + " (" + f.control + ")"; }

bool Fail(EncodeError* error, FieldId f, const std::string& what) {
  if (error) *error = {f, Describe(f.def()) + ": " + what};
  return false;
}

// The integer value of the text as one byte. Refuses a text that is not an
// integer and a value outside 0 to 255, which would otherwise be sent as
// its low 8 bits: a different setting from the one shown.
std::optional<uint8_t> NumberByte(const std::string& text, std::string& why) {
  int32_t v;
  if (!text::TryStrToInt(text, v)) {
    why = "\"" + text + "\" is not a number.";
    return std::nullopt;
  }
  if (v < 0 || v > 255) {
    why = std::to_string(v) + " does not fit in one byte (0 to 255).";
    return std::nullopt;
  }
  return uint8_t(v);
}

// The value a setting puts into its byte (all but the texts).
std::optional<uint8_t> ValueByte(const model::Settings& s, FieldId f, std::string& why) {
  const Field& d = f.def();
  switch (d.kind) {
    case model::Kind::Flag: return uint8_t(s.Checked(f) ? 1 : 0);
    case model::Kind::Index: return uint8_t(s.Index(f) < 0 ? 0 : s.Index(f));  // none selected: item 0
    case model::Kind::Text:
      if (d.image == ImageForm::Time && s.Text(f) == "--") return uint8_t(0xFF);
      return NumberByte(s.Text(f), why);
  }
  return std::nullopt;
}

std::string ByteText(uint8_t b) { return std::to_string(unsigned(b)); }

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

bool EncodeImage(const model::Settings& s, SettingsImageBytes& image, EncodeError* error) {
  // Bytes shared by several settings start from 0 once the first of them
  // is encoded; until then they keep the 0xFF of the cleared image.
  std::vector<uint16_t> packed_started;
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const FieldId f(i);
    const Field& d = f.def();
    switch (d.image) {
      case ImageForm::None:
        break;
      case ImageForm::ByteText:
      case ImageForm::SmsText: {
        // A longer text is refused: writing nothing would erase the field
        // in the controller.
        const std::string& t = s.Text(f);
        if (t.size() > d.width)
          return Fail(error, f, "the text has " + std::to_string(t.size()) + " characters; its field holds " +
                                    std::to_string(d.width) + ".");
        if (!PutText(image, t, d.address)) return Fail(error, f, "the text does not fit the settings image.");
        break;
      }
      case ImageForm::Flag:
      case ImageForm::Index:
      case ImageForm::Number:
      case ImageForm::Time:
      case ImageForm::Packed: {
        std::string why;
        const std::optional<uint8_t> v = ValueByte(s, f, why);
        if (!v) return Fail(error, f, why);
        if (d.image != ImageForm::Packed) {
          PutByte(image, *v, d.address);
          break;
        }
        uint8_t byte = image[d.address];
        if (std::find(packed_started.begin(), packed_started.end(), d.address) == packed_started.end()) {
          packed_started.push_back(d.address);
          byte = 0;
        }
        PutByte(image, uint8_t((byte & ~d.mask) | ((*v << d.Shift()) & d.mask)), d.address);
        break;
      }
    }
  }
  PutByte(image, kByteTexts, kTextEncodingAddress);
  PutByte(image, kFixedByte, kFixedAddress);
  return true;
}

void DecodeImage(const SettingsImageBytes& image, model::Settings& s) {
  // SMS texts: UCS-2 when the controller says so, byte text otherwise. A
  // control shows a UCS-2 text up to its first 0x0000 unit.
  const bool wide = GetByte(image, kTextEncodingAddress) == kUcs2Texts;
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    const FieldId f(i);
    const Field& d = f.def();
    const uint8_t b = GetByte(image, d.address);
    switch (d.image) {
      case ImageForm::None:
        break;
      case ImageForm::SmsText:
        if (wide) {
          std::u16string w = GetWideText(image, d.address, d.width / 2);
          w.resize(std::min(w.size(), w.find(u'\0')));
          s.SetText(f, text::WideToAnsi(w));
          break;
        }
        [[fallthrough]];
      case ImageForm::ByteText:
        s.SetText(f, GetText(image, d.address, d.width));
        break;
      case ImageForm::Flag:
        s.SetChecked(f, b != 0);
        break;
      case ImageForm::Index:
        s.SetIndex(f, b);
        break;
      case ImageForm::Number:
        s.SetText(f, ByteText(b));
        break;
      case ImageForm::Time:
        s.SetText(f, b == 0xFF ? std::string("--") : ByteText(b));
        break;
      case ImageForm::Packed: {
        const int v = (b & d.mask) >> d.Shift();
        if (d.kind == model::Kind::Flag) s.SetChecked(f, v != 0);
        else s.SetIndex(f, v);
        break;
      }
    }
  }
}

}  // namespace protocol
