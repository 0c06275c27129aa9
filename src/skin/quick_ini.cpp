#include "skin/quick_ini.h"

#include <cstring>
#include "text/ascii.h"

namespace skin {

namespace {

using text::EqualNoCase;
using text::Trim;

bool IsHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Signed decimal, or hexadecimal after "$" (up to 32 bits, wrapping into
// the signed range as a 32-bit pattern). False when anything else is there.
bool ParseInt(std::string_view s, int32_t& out) {
  bool neg = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    neg = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  uint64_t v = 0;
  if (s[0] == '$') {
    s.remove_prefix(1);
    if (s.empty()) return false;
    for (char c : s) {
      int d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else return false;
      v = v * 16 + uint64_t(d);
      if (v > 0xFFFFFFFFu) return false;
    }
    const uint32_t bits = neg ? uint32_t(0u - uint32_t(v)) : uint32_t(v);
    out = int32_t(bits);
    return true;
  }
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + uint64_t(c - '0');
    if (v > 0x80000000u) return false;
  }
  if (!neg && v > 0x7FFFFFFFu) return false;
  out = neg ? int32_t(-int64_t(v)) : int32_t(v);
  return true;
}

}  // namespace

void TQuickIni::LoadFromStream(std::span<const uint8_t> text) {
  const char* p = reinterpret_cast<const char*>(text.data());
  const void* nul = text.empty() ? nullptr : std::memchr(p, 0, text.size());
  const size_t n = nul ? size_t(static_cast<const char*>(nul) - p) : text.size();
  LoadFromString(std::string_view(p, n));
}

void TQuickIni::LoadFromString(std::string_view text) {
  lines_.clear();
  sections_.clear();
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);

  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    const std::string_view line = Trim(text.substr(i, j - i));
    if (j < text.size() && text[j++] == '\r' && j < text.size() && text[j] == '\n') ++j;
    i = j;
    if (line.empty() || line.front() == ';') continue;
    if (IsHeader(line)) sections_.push_back({std::string(line), lines_.size()});
    lines_.emplace_back(line);
  }
}

const TQuickIni::Section* TQuickIni::FindSection(const std::string& section) const {
  const std::string header = "[" + section + "]";
  for (const Section& s : sections_)
    if (EqualNoCase(s.header, header)) return &s;
  return nullptr;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
  const Section* s = FindSection(section);
  if (!s) return def;
  const std::string wanted = text::Lower(key);
  for (size_t i = s->line + 1; i < lines_.size(); ++i) {
    const std::string_view line = lines_[i];
    if (IsHeader(line)) break;
    const size_t eq = line.find('=');
    const std::string_view line_key = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(0, eq));
    if (text::Lower(line_key) != wanted) continue;
    if (eq == std::string_view::npos) return def;
    const std::string_view value = Trim(line.substr(eq + 1));
    return value.empty() ? def : std::string(value);
  }
  return def;
}

int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  int32_t v;
  return ParseInt(text, v) ? v : def;
}

void TQuickIni::ReadSections(std::vector<std::string>& list) const {
  list.clear();
  for (const Section& s : sections_) {
    const std::string_view h = s.header;
    list.emplace_back(Trim(h.substr(1, h.size() - 2)));
  }
}

}  // namespace skin
