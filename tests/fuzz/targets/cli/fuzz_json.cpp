// gsmcfg's JSON output for any two profiles: what `show --json` and
// `diff --json` print is accepted by a strict JSON parser, names every
// setting once, and carries every value unchanged.
//
// Input: two bytes giving the length of the first profile (little-endian),
// the first profile, the second profile.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/settings_text.h"
#include "model/change_rules.h"
#include "model/fields.h"
#include "profile/ini_text.h"
#include "profile/settings_profile.h"
#include "text/codepage.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// A JSON value: strings kept as UTF-16, objects as their members in order.
struct Value {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  bool flag = false;
  std::u16string text;
  // Objects and arrays: the members in order, with their names (empty in
  // arrays).
  std::vector<std::u16string> names;
  std::vector<Value> members;
};

// RFC 8259, strictly: no trailing commas, no control characters or invalid
// UTF-8 in strings, escapes as listed, surrogates only in pairs, nothing
// after the value but blanks. nullopt for anything else.
class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  std::optional<Value> Document() {
    std::optional<Value> v = Parse(0);
    Blanks();
    if (!v || at_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  void Blanks() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r')) ++at_;
  }
  bool Eat(char c) {
    Blanks();
    if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
    return false;
  }
  bool Word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  std::optional<Value> Parse(int depth) {
    if (depth > 32) return std::nullopt;
    Blanks();
    if (at_ >= s_.size()) return std::nullopt;
    Value v;
    const char c = s_[at_];
    if (c == '{' || c == '[') {
      const bool object = c == '{';
      v.kind = object ? Value::Object : Value::Array;
      ++at_;
      if (Eat(object ? '}' : ']')) return v;
      do {
        std::u16string name;
        if (object) {
          Blanks();
          auto n = String();
          if (!n || !Eat(':')) return std::nullopt;
          name = *n;
        }
        auto member = Parse(depth + 1);
        if (!member) return std::nullopt;
        v.names.push_back(std::move(name));
        v.members.push_back(std::move(*member));
      } while (Eat(','));
      if (!Eat(object ? '}' : ']')) return std::nullopt;
      return v;
    }
    if (c == '"') {
      auto t = String();
      if (!t) return std::nullopt;
      v.kind = Value::String;
      v.text = std::move(*t);
      return v;
    }
    if (Word("true") || Word("false")) {
      v.kind = Value::Bool;
      v.flag = s_[at_ - 1] == 'e' && s_[at_ - 2] == 'u';
      return v;
    }
    if (Word("null")) return v;
    if (!Number()) return std::nullopt;
    v.kind = Value::Number;
    return v;
  }

  bool Digits() {
    const size_t from = at_;
    while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') ++at_;
    return at_ > from;
  }
  bool Number() {
    if (at_ < s_.size() && s_[at_] == '-') ++at_;
    if (at_ < s_.size() && s_[at_] == '0') ++at_;
    else if (!Digits()) return false;
    if (at_ < s_.size() && s_[at_] == '.' && (++at_, !Digits())) return false;
    if (at_ < s_.size() && (s_[at_] == 'e' || s_[at_] == 'E')) {
      ++at_;
      if (at_ < s_.size() && (s_[at_] == '+' || s_[at_] == '-')) ++at_;
      if (!Digits()) return false;
    }
    return true;
  }

  std::optional<unsigned> Hex4() {
    if (s_.size() - at_ < 4) return std::nullopt;
    unsigned u = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = s_[at_++];
      u <<= 4;
      if (c >= '0' && c <= '9') u |= unsigned(c - '0');
      else if (c >= 'a' && c <= 'f') u |= unsigned(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') u |= unsigned(c - 'A' + 10);
      else return std::nullopt;
    }
    return u;
  }

  // One UTF-8 sequence, shortest form, no surrogates, at most U+10FFFF.
  std::optional<char32_t> Utf8() {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s_[at_ + i]); };
    const unsigned char lead = b(0);
    const size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || s_.size() - at_ < n) return std::nullopt;
    char32_t c = n == 1 ? lead : lead & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
      if ((b(i) & 0xC0) != 0x80) return std::nullopt;
      c = c << 6 | (b(i) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    at_ += n;
    return c;
  }

  std::optional<std::u16string> String() {
    if (at_ >= s_.size() || s_[at_] != '"') return std::nullopt;
    ++at_;
    std::u16string out;
    for (;;) {
      if (at_ >= s_.size()) return std::nullopt;
      const unsigned char c = static_cast<unsigned char>(s_[at_]);
      if (c == '"') return ++at_, out;
      if (c < 0x20) return std::nullopt;
      if (c != '\\') {
        auto u = Utf8();
        if (!u) return std::nullopt;
        if (*u >= 0x10000) {
          out += char16_t(0xD800 + ((*u - 0x10000) >> 10));
          out += char16_t(0xDC00 + ((*u - 0x10000) & 0x3FF));
        } else {
          out += char16_t(*u);
        }
        continue;
      }
      if (++at_ >= s_.size()) return std::nullopt;
      const char e = s_[at_++];
      static constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
      if (const size_t k = kFrom.find(e); k != kFrom.npos) {
        out += char16_t(kTo[k]);
        continue;
      }
      if (e != 'u') return std::nullopt;
      auto u = Hex4();
      if (!u) return std::nullopt;
      if (*u >= 0xDC00 && *u <= 0xDFFF) return std::nullopt;  // a low surrogate alone
      if (*u >= 0xD800 && *u <= 0xDBFF) {
        if (!Word("\\u")) return std::nullopt;
        auto low = Hex4();
        if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
        out += char16_t(*u);
        *u = *low;
      }
      out += char16_t(*u);
    }
  }

  std::string_view s_;
  size_t at_ = 0;
};

std::u16string Wide(std::string_view s) { return text::Cp1252ToWide(s); }

// A setting's value as JSON carries it.
void CheckValue(const Value& v, const model::Settings& s, model::FieldId f) {
  switch (f.def().kind) {
    case model::Kind::Text:
      // Every byte of the text, also the five the code page leaves
      // unassigned, comes back from what JSON carries.
      Check(v.kind == Value::String && v.text == Wide(s.Text(f)) && text::WideToCp1252(v.text) == s.Text(f));
      break;
    case model::Kind::Flag:
      Check(v.kind == Value::Bool && v.flag == s.Checked(f));
      break;
    case model::Kind::Index:
      if (s.Index(f) < 0)
        Check(v.kind == Value::Null);
      else
        Check(v.kind == Value::String && v.text == Wide(f.def().items[size_t(s.Index(f))]));
      break;
  }
}

model::Settings Load(std::string_view text) {
  model::Settings s;
  profile::ReadSettings(profile::IniText(text), &s);
  model::ApplyChangeRules(s);  // as gsmcfg loads a profile
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t first = std::min(input.size(), size_t(data[0] | data[1] << 8));
  const model::Settings a = Load(input.substr(0, first)), b = Load(input.substr(first));

  // show: every setting once, under its label, in the table's order.
  const std::optional<Value> shown = Parser(cli::ShowJson(a)).Document();
  Check(shown && shown->kind == Value::Object && shown->members.size() == model::kFieldCount);
  for (size_t i = 0; i < model::kFieldCount; ++i) {
    Check(shown->names[i] == Wide(model::kFields[i].label));
    for (size_t j = 0; j < i; ++j) Check(shown->names[j] != shown->names[i]);
    CheckValue(shown->members[i], a, model::FieldId(i));
  }

  // diff: the settings that differ, each with both values.
  const std::vector<model::FieldId> fields = cli::Differences(a, b);
  const std::optional<Value> diff = Parser(cli::DiffJson(a, b, fields)).Document();
  Check(diff && diff->kind == Value::Object && diff->members.size() == fields.size());
  for (size_t i = 0; i < fields.size(); ++i) {
    const Value& pair = diff->members[i];
    Check(diff->names[i] == Wide(fields[i].def().label));
    Check(pair.kind == Value::Object && pair.members.size() == 2);
    Check(pair.names[0] == u"a" && pair.names[1] == u"b");
    CheckValue(pair.members[0], a, fields[i]);
    CheckValue(pair.members[1], b, fields[i]);
  }
  return 0;
}
