#include "profile/ini_text.h"

#include <algorithm>

#include "text/ascii.h"
#include "text/strtoint.h"

namespace profile {
namespace {

// The line ends a text holds; lines refer to these.
constexpr std::string_view kCrLf = "\r\n", kLf = "\n", kCr = "\r", kNone;

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

void IniText::NameIndex::Seal() {
  // Stable, so that of equal names the first in the text stays.
  std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  entries_.erase(std::unique(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                 entries_.end());
}

void IniText::NameIndex::Insert(std::string name, size_t at) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), name, [](const auto& e, const std::string& n) { return e.first < n; });
  if (it == entries_.end() || it->first != name) entries_.emplace(it, std::move(name), at);
}

std::optional<size_t> IniText::NameIndex::Find(std::string_view lower) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), lower,
                             [](const auto& e, std::string_view n) { return std::string_view(e.first) < n; });
  if (it == entries_.end() || it->first != lower) return std::nullopt;
  return it->second;
}

IniText::IniText(std::string_view text) {
  size_t start = 0;
  auto add = [&](size_t end, std::string_view line_end) {
    Line line{std::string(text.substr(start, end - start)), line_end};
    if (auto name = HeaderName(line.text)) {
      names_.Append(text::Lower(*name), sections_.size());
      Section& s = sections_.emplace_back();
      s.has_header = true;
      s.header = std::move(line);
    } else {
      Section& s = sections_.back();
      AddBodyLine(s, s.body.size(), std::move(line), true);
    }
  };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    const std::string_view end = text[i] == '\n' ? kLf : (i + 1 < text.size() && text[i + 1] == '\n') ? kCrLf : kCr;
    add(i, end);
    i += end.size() - 1;
    start = i + 1;
  }
  if (start < text.size()) add(text.size(), kNone);
  names_.Seal();
  for (Section& s : sections_) s.keys.Seal();
}

// Inserts a line into a section's body: while reading at its end, later
// where only blank lines follow, so that no indexed line moves.
void IniText::AddBodyLine(Section& s, size_t at, Line line, bool reading) {
  if (const std::string_view t = TrimBlanks(line.text); !t.empty()) {
    if (reading)
      s.keys.Append(text::Lower(KeyName(t)), at);
    else
      s.keys.Insert(text::Lower(KeyName(t)), at);
  }
  s.body.insert(s.body.begin() + ptrdiff_t(at), std::move(line));
}

std::string IniText::Text() const {
  size_t size = 0;
  for (const Section& s : sections_) {
    size += s.header.text.size() + s.header.end.size();
    for (const Line& l : s.body) size += l.text.size() + l.end.size();
  }
  std::string out;
  out.reserve(size);
  for (const Section& s : sections_) {
    out += s.header.text;
    out += s.header.end;
    for (const Line& l : s.body) {
      out += l.text;
      out += l.end;
    }
  }
  return out;
}

const IniText::Section* IniText::FindSection(std::string_view section) const {
  section = TrimBlanks(section);
  // Lines before the first header form a section without a name.
  if (section.empty() && !sections_[0].body.empty()) return &sections_[0];
  const auto i = names_.Find(text::Lower(section));
  return i ? &sections_[*i] : nullptr;
}

std::optional<size_t> IniText::FindKey(const Section& s, std::string_view key) {
  return s.keys.Find(text::Lower(TrimBlanks(key)));
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  const auto k = FindKey(*s, key);
  if (!k) return std::nullopt;
  std::string_view t = TrimBlanks(s->body[*k].text);
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
  auto ensure_end = [](Line& l) {
    if (l.end.empty()) l.end = kCrLf;
  };

  if (Section* s = FindSection(section)) {
    if (const auto k = FindKey(*s, key)) {
      // Keep the key's name as the file spells it; the name, and so the
      // index, stays the same.
      Line& l = s->body[*k];
      l.text = std::string(KeyName(l.text)) + "=" + value_text;
      ensure_end(l);
      return true;
    }
    // After the last line of the section that is not blank, so that blank
    // lines before the next section stay where they are.
    size_t after = s->body.size();
    while (after > 0 && TrimBlanks(s->body[after - 1].text).empty()) --after;
    ensure_end(after > 0 ? s->body[after - 1] : s->header);
    AddBodyLine(*s, after, Line{std::string(key) + "=" + value_text, kCrLf}, false);
    return true;
  }

  // The last line of the text gets a line end before the new section.
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (!it->body.empty()) {
      ensure_end(it->body.back());
      break;
    }
    if (it->has_header) {
      ensure_end(it->header);
      break;
    }
  }
  names_.Insert(text::Lower(section), sections_.size());
  Section& added = sections_.emplace_back();
  added.has_header = true;
  added.header = Line{"[" + std::string(section) + "]", kCrLf};
  AddBodyLine(added, 0, Line{std::string(key) + "=" + value_text, kCrLf}, false);
  return true;
}

}  // namespace profile
