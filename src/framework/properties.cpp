#include "framework/properties.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <vector>
#include "text/ascii.h"

namespace fw {
namespace {

struct NamedColor {
  const char* name;
  TColor value;
};
const NamedColor kColors[] = {
    {"clBlack", clBlack},     {"clWhite", clWhite},       {"clRed", clRed},
    {"clGreen", clGreen},     {"clLime", clLime},         {"clBlue", clBlue},
    {"clFuchsia", clFuchsia}, {"clBtnFace", clBtnFace},   {"clWindow", clWindow},
    {"clWindowText", clWindowText}, {"clBtnText", clBtnText}, {"clBtnShadow", clBtnShadow},
    {"clBtnHighlight", clBtnHighlight}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clGrayText", clGrayText},
    {"clMenu", clMenu}, {"clMenuText", clMenuText},
    {"clDefault", clDefault}, {"clNone", clNone},
};

using text::EqualNoCase;

}  // namespace

bool PropIs(const std::string& name, const char* want) { return EqualNoCase(name, want); }

std::string BoolText(bool b) { return b ? "True" : "False"; }

bool ParseBool(const std::string& s, bool& out) {
  if (EqualNoCase(s, "True") || s == "1") { out = true; return true; }
  if (EqualNoCase(s, "False") || s == "0") { out = false; return true; }
  return false;
}

bool ParseInt(const std::string& s, long long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(s.c_str(), &end, 0);
  if (errno || !end || *end) return false;
  out = v;
  return true;
}

std::string ColorText(TColor c) {
  for (const auto& n : kColors)
    if (n.value == c) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", unsigned(c));
  return buf;
}

bool ParseColor(const std::string& s, TColor& out) {
  for (const auto& n : kColors)
    if (EqualNoCase(s, n.name)) { out = n.value; return true; }
  std::string t = s;
  if (!t.empty() && t[0] == '$') t = "0x" + t.substr(1);
  long long v;
  if (!ParseInt(t, v) || v < 0 || v > 0xFFFFFFFFll) return false;
  out = TColor(v);
  return true;
}

std::string FontText(const TFont& f) {
  return f.Name + "," + std::to_string(f.Height) + "," + ColorText(f.Color) + "," + std::to_string(f.Style);
}

bool ParseFont(const std::string& s, TFont& out) {
  std::vector<std::string> parts;
  std::stringstream ss(s);
  for (std::string p; std::getline(ss, p, ',');) parts.push_back(p);
  if (parts.empty() || parts.size() > 4) return false;
  TFont f = out;
  f.Name = parts[0];
  long long v;
  if (parts.size() > 1) { if (!ParseInt(parts[1], v)) return false; f.Height = int(v); }
  if (parts.size() > 2 && !ParseColor(parts[2], f.Color)) return false;
  if (parts.size() > 3) { if (!ParseInt(parts[3], v)) return false; f.Style = unsigned(v); }
  out = f;
  return true;
}

}  // namespace fw
