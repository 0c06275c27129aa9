// The skin's INI reader on arbitrary text: every value it returns, for keys
// and sections taken from the text itself and respelled, is the one a plain
// reading of the text, line after line from its start, gives.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/quick_ini.h"
#include "text/ascii.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The text's lines, trimmed, without empty ones and ";" comments.
std::vector<std::string_view> KeptLines(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = text::Trim(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (!line.empty() && line[0] != ';') lines.push_back(line);
  }
  return lines;
}

bool IsHeader(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// The lookup done plainly: the first header that reads "[section]" in any
// case, then the first line after it, before the next header, whose text
// before "=" (all of it without "=") is the key in any case.
std::string PlainRead(const std::vector<std::string_view>& lines, const std::string& section, const std::string& key,
                      const std::string& def) {
  size_t i = 0;
  while (i < lines.size() && !(IsHeader(lines[i]) && text::EqualNoCase(lines[i], "[" + section + "]"))) ++i;
  for (++i; i < lines.size() && !IsHeader(lines[i]); ++i) {
    const size_t eq = lines[i].find('=');
    const std::string_view line_key = eq == lines[i].npos ? std::string_view() : text::Trim(lines[i].substr(0, eq));
    if (!text::EqualNoCase(line_key, key)) continue;
    if (eq == lines[i].npos) return def;
    const std::string_view value = text::Trim(lines[i].substr(eq + 1));
    return value.empty() ? def : std::string(value);
  }
  return def;
}

// A number plainly: optional sign, then decimal digits, or hexadecimal
// digits after "$" (or after "0x" at the very start) taken as 32 bits.
std::optional<int32_t> PlainInteger(std::string v) {
  if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) v = "$" + v.substr(2);
  const bool neg = !v.empty() && v[0] == '-';
  if (!v.empty() && (v[0] == '-' || v[0] == '+')) v.erase(0, 1);
  const bool hex = !v.empty() && v[0] == '$';
  if (hex) v.erase(0, 1);
  if (v.empty()) return std::nullopt;
  for (char c : v)
    if (!(hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
      return std::nullopt;
  v.erase(0, std::min(v.find_first_not_of('0'), v.size() - 1));  // leading zeros
  if (v.size() > (hex ? 8u : 10u)) return std::nullopt;
  const unsigned long long n = std::stoull(v, nullptr, hex ? 16 : 10);
  if (hex) return int32_t(neg ? uint32_t(0u - uint32_t(n)) : uint32_t(n));
  if (n > (neg ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
  return int32_t(neg ? -int64_t(n) : int64_t(n));
}

std::string OtherCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = text::LowerAscii(c) == c ? text::UpperAscii(c) : text::LowerAscii(c);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Lookups of the first lines' keys in the first sections, each compared
  // with a scan of the whole text.
  constexpr size_t kKeys = 24, kSections = 12;
  skin::TQuickIni ini;
  ini.LoadFromStream(std::span(data, size));
  const std::vector<std::string_view> lines = KeptLines(std::string_view(reinterpret_cast<const char*>(data), size));
  Check(ini.Lines().size() == lines.size());
  for (size_t i = 0; i < lines.size(); ++i) Check(ini.Lines()[i] == lines[i]);

  std::vector<std::string> sections;
  ini.ReadSections(sections);
  std::vector<std::string> plain_sections;
  for (std::string_view line : lines)
    if (IsHeader(line)) plain_sections.emplace_back(text::Trim(line.substr(1, line.size() - 2)));
  Check(sections == plain_sections);
  // The names between the brackets as written, untrimmed: only those find
  // a section whose header has blanks inside its brackets.
  if (sections.size() > kSections) sections.resize(kSections);
  for (std::string_view line : lines)
    if (IsHeader(line) && sections.size() < 2 * kSections) sections.emplace_back(line.substr(1, line.size() - 2));

  for (size_t i = 0; i < lines.size() && i < kKeys; ++i) {
    const std::string_view line = lines[i];
    const std::string_view before = line.substr(0, line.find('='));
    for (const std::string& key : {std::string(text::Trim(before)), OtherCase(text::Trim(before)), std::string(line)}) {
      for (const std::string& s : sections) {
        Check(ini.ReadString(s, key, "\x01") == PlainRead(lines, s, key, "\x01"));
        const auto n = PlainInteger(PlainRead(lines, s, key, ""));
        Check(ini.ReadInteger(OtherCase(s), key, 7) == n.value_or(7));
      }
    }
  }
  return 0;
}
