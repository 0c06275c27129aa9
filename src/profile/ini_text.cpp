#include "profile/ini_text.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <stdexcept>

#include "text/ascii.h"
#include "text/strtoint.h"

namespace profile {
namespace {

// The line ends a text holds; lines refer to these.
constexpr std::string_view kCrLf = "\r\n", kLf = "\n", kCr = "\r", kNone;

// A profile's sections; texts with more only cost a few more allocations.
constexpr size_t kSectionsOfAProfile = 8;

bool IsBlank(char c) {
  // Ctrl-Z counts as a blank: old editors end text files with it. Every
  // blank is at most a space, which most characters are not.
  const auto u = static_cast<unsigned char>(c);
  return u <= ' ' && (u == ' ' || u == '\t' || u == '\v' || u == '\f' || u == '\r' || u == '\n' || u == '\x1a');
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

bool HasLineBreakOrNul(std::string_view s) {
  for (const char c : s)
    if (c == '\r' || c == '\n' || c == '\0') return true;
  return false;
}

void Fail(std::string* error, const char* what) {
  if (error) *error = what;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  const char* b = s.data();
  const char* e = b + s.size();
  while (b != e && IsBlank(*b)) ++b;
  while (e != b && IsBlank(e[-1])) --e;
  return std::string_view(b, size_t(e - b));
}

namespace {

// Whether two names are the same without regard to (ASCII) case.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (const char *x = a.data(), *y = b.data(), *end = x + a.size(); x != end; ++x, ++y)
    if (text::LowerAscii(*x) != text::LowerAscii(*y)) return false;
  return true;
}

}  // namespace

// FNV-1a of the group and the name without regard to (ASCII) case, from a
// start chosen per process and mixed at the end, so that a file cannot be
// made whose names all land on the same slots.
uint64_t IniText::NameIndex::Hash(size_t group, std::string_view name) {
  static const uint64_t start = [] {
    std::random_device random;
    return (uint64_t(random()) << 32 | random()) ^ 14695981039346656037u;
  }();
  uint64_t h = start;
  h = (h ^ uint64_t(group)) * 1099511628211u;
  for (const char* p = name.data(), *end = p + name.size(); p != end; ++p)
    h = (h ^ static_cast<unsigned char>(text::LowerAscii(*p))) * 1099511628211u;
  h ^= h >> 31;  // the low bits pick the slot: let the high ones reach them
  h *= 0x9E3779B97F4A7C15u;
  return h ^ (h >> 29);
}

void IniText::NameIndex::Reserve(size_t n) {
  size_t size = 16;  // at least; and growing four times over, it seldom grows
  while (size < 2 * n) size *= 2;
  if (size <= slots_.size()) return;
  std::vector<Slot> old(size);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& s : old) {
    if (s.group == kEmpty) continue;
    size_t i = s.hash & mask;
    while (slots_[i].group != kEmpty) i = (i + 1) & mask;
    slots_[i] = s;
  }
}

void IniText::NameIndex::Add(const std::string& store, size_t group, Span name, size_t at) {
  if (2 * (count_ + 1) > slots_.size()) Reserve(2 * (count_ + 1));
  const std::string_view n = Piece(store, name);
  const uint64_t hash = Hash(group, n);
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  for (; slots_[i].group != kEmpty; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.hash == hash && s.group == group && SameName(Piece(store, {s.name_begin, s.name_size}), n)) return;  // there already
  }
  // Groups, positions and spans all lie below kMaxStore.
  slots_[i] = Slot{uint32_t(group), uint32_t(at), uint32_t(name.begin), uint32_t(name.size), hash};
  ++count_;
}

std::optional<size_t> IniText::NameIndex::Find(const std::string& store, size_t group, std::string_view name) const {
  if (slots_.empty()) return std::nullopt;
  const uint64_t hash = Hash(group, name);
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask; slots_[i].group != kEmpty; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.hash == hash && s.group == group && SameName(Piece(store, {s.name_begin, s.name_size}), name)) return s.at;
  }
  return std::nullopt;
}

IniText::Span IniText::SpanOf(Span whole, std::string_view whole_text, std::string_view part) {
  return {whole.begin + size_t(part.data() - whole_text.data()), part.size()};
}

IniText::Span IniText::Store(std::initializer_list<std::string_view> pieces) {
  size_t n = 0;
  for (std::string_view p : pieces) n += p.size();
  if (n > kMaxStore - store_.size()) throw std::length_error("The profile text is too long.");
  const Span s{store_.size(), n};
  store_.resize(s.begin + n);
  char* out = store_.data() + s.begin;
  for (std::string_view p : pieces) out = std::copy(p.begin(), p.end(), out);
  return s;
}

IniText::IniText(std::string_view text) : store_(text.size() <= kMaxStore ? text : throw std::length_error("The profile text is too long.")) {
  // Room for every line at once (one block for the lines, one for the
  // names) and for the sections of a profile.
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  size_t breaks = 0;
  for (const char* p = begin; p != end && (p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)))); ++p)
    ++breaks;
  lines_.reserve(breaks + 1);
  names_.Reserve(breaks + 1);
  sections_.reserve(kSectionsOfAProfile + 1);

  auto add = [&](Span span, std::string_view line_end) {
    const Line line{span, line_end};
    const std::string_view line_text = View(span);
    if (auto name = HeaderName(line_text)) {
      names_.Add(store_, kSectionGroup, SpanOf(span, line_text, *name), sections_.size());
      Section& s = sections_.emplace_back();
      s.has_header = true;
      s.header = line;
      s.first = lines_.size();
    } else {
      AddBodyLine(sections_.size() - 1, sections_.back().count, line);
    }
  };
  // Line by line: the next LF found by memchr (kept while lines end in a
  // lone CR before it, so that no byte is searched twice), and a CR before it.
  const char* lf = nullptr;
  bool lf_found = false;  // lf holds the next LF at or after p, or nullptr for none
  for (const char* p = begin; p != end;) {
    if (!lf_found || (lf && lf < p)) {
      lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
      lf_found = true;
    }
    const char* stop = lf ? lf : end;
    auto* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(stop - p)));
    const Span span{size_t(p - begin), size_t((cr ? cr : stop) - p)};
    if (cr) {
      const bool crlf = cr + 1 == lf;
      add(span, crlf ? kCrLf : kCr);
      p = cr + (crlf ? 2 : 1);
    } else if (lf) {
      add(span, kLf);
      p = lf + 1;
    } else {
      add(span, kNone);
      p = end;
    }
  }
}

// Inserts a line into a section's body: while reading at its end, later
// where only blank lines follow, so that no indexed line moves.
void IniText::AddBodyLine(size_t i, size_t at, Line line) {
  const std::string_view text = View(line.text);
  if (!TrimBlanks(text).empty()) {
    const Span name = SpanOf(line.text, text, KeyName(text));
    names_.Add(store_, i, name, at);
  }
  Section& s = sections_[i];
  lines_.insert(lines_.begin() + ptrdiff_t(s.first + at), line);
  ++s.count;
  for (size_t j = i + 1; j < sections_.size(); ++j) ++sections_[j].first;
}

std::string IniText::Text() const {
  size_t size = 0;
  for (const Section& s : sections_) size += s.header.text.size + s.header.end.size();
  for (const Line& l : lines_) size += l.text.size + l.end.size();
  // Sized once and copied into piece by piece: a text has two pieces a line.
  std::string out(size, '\0');
  char* p = out.data();
  auto put = [&p](std::string_view piece) { p = std::copy(piece.begin(), piece.end(), p); };
  for (const Section& s : sections_) {
    put(View(s.header.text));
    put(s.header.end);
    for (size_t k = 0; k < s.count; ++k) {
      const Line& l = lines_[s.first + k];
      put(View(l.text));
      put(l.end);
    }
  }
  return out;
}

std::optional<size_t> IniText::FindSection(std::string_view section) const {
  // Lines before the first header form a section without a name.
  if (section.empty() && sections_[0].count > 0) return 0;
  return names_.Find(store_, kSectionGroup, section);
}

std::optional<size_t> IniText::FindKey(size_t section, std::string_view key) const {
  return names_.Find(store_, section, key);
}

std::optional<std::string_view> IniText::FindValue(std::string_view section, std::string_view key) const {
  const auto s = FindSection(TrimBlanks(section));
  if (!s) return std::nullopt;
  const auto k = FindKey(*s, TrimBlanks(key));
  if (!k) return std::nullopt;
  std::string_view t = TrimBlanks(View(BodyLine(*s, *k).text));
  const size_t eq = t.find('=');
  if (eq == t.npos) return std::nullopt;  // a key without a value
  std::string_view v = TrimBlanks(t.substr(eq + 1));
  v = v.substr(0, v.find('\0'));  // the value is a C string
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  return v.substr(0, kMaxValue);
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  const auto v = FindValue(section, key);
  if (!v) return std::nullopt;
  return std::string(*v);
}

std::string IniText::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  return std::string(FindValue(section, key).value_or(def));
}

int32_t IniText::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  // The integer reading takes "0x1F" as hexadecimal itself.
  return text::StrToIntDef(FindValue(section, key).value_or(""), def);
}

void IniText::Reserve(size_t lines, size_t chars) {
  lines_.reserve(lines_.size() + lines);
  names_.Reserve(lines_.size() + sections_.size() + lines);
  store_.reserve(store_.size() + std::min(chars, kMaxStore - store_.size()));
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

  auto ensure_end = [](Line& l) {
    if (l.end.empty()) l.end = kCrLf;
  };

  if (const auto i = FindSection(section)) {
    if (const auto k = FindKey(*i, key)) {
      // Keep the key's name as the file spells it; the name, and so the
      // index, stays the same.
      Line& l = BodyLine(*i, *k);
      const std::string name(KeyName(View(l.text)));  // a copy: appending may move store_
      l.text = Store({name, "=", value});
      ensure_end(l);
      return true;
    }
    // After the last line of the section that is not blank, so that blank
    // lines before the next section stay where they are.
    Section& s = sections_[*i];
    size_t after = s.count;
    while (after > 0 && TrimBlanks(View(BodyLine(*i, after - 1).text)).empty()) --after;
    ensure_end(after > 0 ? BodyLine(*i, after - 1) : s.header);
    AddBodyLine(*i, after, Line{Store({key, "=", value}), kCrLf});
    return true;
  }

  // The last line of the text gets a line end before the new section.
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (it->count > 0) {
      ensure_end(lines_[it->first + it->count - 1]);
      break;
    }
    if (it->has_header) {
      ensure_end(it->header);
      break;
    }
  }
  const Span header = Store({"[", section, "]"});
  names_.Add(store_, kSectionGroup, Span{header.begin + 1, section.size()}, sections_.size());
  Section& added = sections_.emplace_back();
  added.has_header = true;
  added.header = Line{header, kCrLf};
  added.first = lines_.size();
  AddBodyLine(sections_.size() - 1, 0, Line{Store({key, "=", value}), kCrLf});
  return true;
}

}  // namespace profile
