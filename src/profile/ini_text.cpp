#include "profile/ini_text.h"

#include "text/ascii.h"
#include "text/strtoint.h"

namespace profile {
namespace {

bool IsBlank(char c) {
  // Ctrl-Z counts as a blank: old editors end text files with it.
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a';
}

// The section name of a header line "[name]" (up to the last "]").
std::optional<std::string_view> HeaderName(std::string_view line) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  const size_t close = t.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

// The key name of a line that is not a header: everything before the first
// "=", or the whole line when it has none.
std::string_view KeyName(std::string_view line) {
  std::string_view t = TrimBlanks(line);
  return TrimBlanks(t.substr(0, t.find('=')));
}

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

void Fail(std::string* error, const char* what) {
  if (error) *error = what;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

IniText::IniText(std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    size_t end_len = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    lines_.push_back({std::string(text.substr(start, i - start)), std::string(text.substr(i, end_len))});
    i += end_len - 1;
    start = i + 1;
  }
  if (start < text.size()) lines_.push_back({std::string(text.substr(start)), ""});
}

std::string IniText::Text() const {
  std::string out;
  for (const Line& l : lines_) {
    out += l.text;
    out += l.end;
  }
  return out;
}

std::optional<IniText::Range> IniText::FindSection(std::string_view section) const {
  section = TrimBlanks(section);
  // Lines before the first header form a section without a name.
  size_t i = 0;
  while (i < lines_.size() && !HeaderName(lines_[i].text)) ++i;
  if (section.empty() && i > 0) return Range{SIZE_MAX, 0, i};
  for (; i < lines_.size(); ++i) {
    auto name = HeaderName(lines_[i].text);
    if (!name || !text::EqualNoCase(*name, section)) continue;
    size_t last = i + 1;
    while (last < lines_.size() && !HeaderName(lines_[last].text)) ++last;
    return Range{i, i + 1, last};
  }
  return std::nullopt;
}

std::optional<size_t> IniText::FindKey(const Range& r, std::string_view key) const {
  key = TrimBlanks(key);
  for (size_t i = r.first; i < r.last; ++i) {
    std::string_view t = TrimBlanks(lines_[i].text);
    if (!t.empty() && text::EqualNoCase(KeyName(t), key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  auto r = FindSection(section);
  if (!r) return std::nullopt;
  auto k = FindKey(*r, key);
  if (!k) return std::nullopt;
  std::string_view t = TrimBlanks(lines_[*k].text);
  const size_t eq = t.find('=');
  if (eq == t.npos) return std::nullopt;  // a key without a value
  std::string_view v = TrimBlanks(t.substr(eq + 1));
  v = v.substr(0, v.find('\0'));  // the value is a C string
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  if (v.size() > kMaxValue) v = v.substr(0, kMaxValue);
  return std::string(v);
}

std::string IniText::ReadString(std::string_view section, std::string_view key, const std::string& def) const {
  auto v = Find(section, key);
  return v ? *v : def;
}

int32_t IniText::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  std::string v = ReadString(section, key, "");
  if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
    v.erase(0, 1);  // "0x1F" -> "$1F"
    v[0] = '$';
  }
  return text::StrToIntDef(v, def);
}

bool IniText::WriteString(std::string_view section, std::string_view key, std::string_view value,
                          std::string* error) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (section.empty() || key.empty()) {
    Fail(error, "a section or key name is empty");
    return false;
  }
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
    Fail(error, "a name or value holds a line break or NUL character");
    return false;
  }
  if (key.find('=') != key.npos || key[0] == '[') {
    Fail(error, "a key name holds \"=\" or begins with \"[\"");
    return false;
  }

  const std::string value_text(value);
  auto ensure_end = [&](size_t i) {
    if (lines_[i].end.empty()) lines_[i].end = "\r\n";
  };

  if (auto r = FindSection(section)) {
    if (auto k = FindKey(*r, key)) {
      // Keep the key's name as the file spells it.
      Line& l = lines_[*k];
      l.text = std::string(KeyName(l.text)) + "=" + value_text;
      if (l.end.empty()) l.end = "\r\n";
      return true;
    }
    // After the last line of the section that is not blank, so that blank
    // lines before the next section stay where they are.
    size_t after = r->last;
    while (after > r->first && TrimBlanks(lines_[after - 1].text).empty()) --after;
    if (after > 0) ensure_end(after - 1);
    lines_.insert(lines_.begin() + ptrdiff_t(after), Line{std::string(key) + "=" + value_text, "\r\n"});
    return true;
  }

  if (!lines_.empty()) ensure_end(lines_.size() - 1);
  lines_.push_back(Line{"[" + std::string(section) + "]", "\r\n"});
  lines_.push_back(Line{std::string(key) + "=" + value_text, "\r\n"});
  return true;
}

}  // namespace profile
