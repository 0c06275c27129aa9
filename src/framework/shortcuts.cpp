#include "framework/shortcuts.h"

#include <cstddef>

namespace fw {
namespace {

struct KeyName {
  uint8_t key;
  const char* name;
};

// Keys named by text; digits, letters and F-keys are made up below.
const KeyName kKeyNames[] = {
    {0x08, "BkSp"},  {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
    {0x21, "PgUp"},  {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},    {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"}, {0x6E, "Num Del"}, {0x6F, "Num /"},
    {0xBA, ";"},     {0xBB, "="},     {0xBC, ","},     {0xBD, "-"},     {0xBE, "."},
    {0xBF, "/"},     {0xC0, "`"},     {0xDB, "["},     {0xDC, "\\"},    {0xDD, "]"},
    {0xDE, "'"},
};

struct Modifier {
  TShortCut bit;
  const char* text;
};
const Modifier kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyText(uint8_t key) {
  if (key >= '0' && key <= '9') return std::string(1, char(key));
  if (key >= 'A' && key <= 'Z') return std::string(1, char(key));
  // The number pad's digits show as digits.
  if (key >= 0x60 && key <= 0x69) return std::string(1, char('0' + key - 0x60));
  if (key >= 0x70 && key <= 0x87) {
    std::string f = "F";
    f += std::to_string(key - 0x6F);
    return f;
  }
  for (const auto& k : kKeyNames)
    if (k.key == key) return k.name;
  return {};
}

// Upper case of an ASCII or Latin-1 (code page 1252) letter.
unsigned char Upper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

bool SameNoCase(const std::string& a, size_t pos, const char* b) {
  for (size_t i = 0; b[i]; ++i)
    if (pos + i >= a.size() || Upper(static_cast<unsigned char>(a[pos + i])) != Upper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

size_t Length(const char* s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

std::string ShortCutToText(TShortCut sc) {
  std::string name = KeyText(uint8_t(sc & 0xFF));
  if (name.empty()) return {};
  std::string out;
  for (const auto& m : kModifiers)
    if (sc & m.bit) out += m.text;
  return out + name;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut mods = 0;
  size_t pos = 0;
  for (bool more = true; more;) {
    more = false;
    for (const auto& m : kModifiers)
      if (!(mods & m.bit) && SameNoCase(text, pos, m.text)) {
        mods |= m.bit;
        pos += Length(m.text);
        more = true;
      }
  }
  const std::string rest = text.substr(pos);
  if (rest.empty()) return scNone;
  // Every key whose name matches; digits come before the number pad's.
  for (unsigned key = 1; key < 256; ++key) {
    std::string name = KeyText(uint8_t(key));
    if (!name.empty() && name.size() == rest.size() && SameNoCase(rest, 0, name.c_str()))
      return ShortCut(uint8_t(key), mods);
  }
  return scNone;
}

char GetHotkey(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // a literal "&"
      continue;
    }
    return caption[i + 1];
  }
  return 0;
}

std::string StripHotkey(const std::string& caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

bool IsAccel(unsigned key, const std::string& caption) {
  const char hot = GetHotkey(caption);
  if (!hot || key == 0 || key > 0xFF) return false;
  return Upper(static_cast<unsigned char>(key)) == Upper(static_cast<unsigned char>(hot));
}

}  // namespace fw
