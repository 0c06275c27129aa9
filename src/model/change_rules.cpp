#include "model/change_rules.h"

#include <cstdint>

#include "text/strtoint.h"

namespace model {
namespace {

// The bounds of one number box and the texts that replace a bad value.
struct NumberRule {
  FieldId field;
  std::optional<int32_t> low;  // none: no lower bound
  int32_t high;
  const char* low_text;
  const char* high_text;
  const char* unreadable_text;
};

// No lower bound for the report time: a negative value is kept as it is.
constexpr NumberRule kNumberRules[] = {
    {"edt_rtt", std::nullopt, 240, "", "240", "0"},
    {"edt_adt", 1, 90, "1", "90", "1"},
    {"edt_relaytime", 0, 120, "0", "120", "0"},
    {"edt_volo", 1, 99, "1", "99", "1"},
};

constexpr FieldId kPassword = "edt_pwd";
constexpr const char* kDefaultPassword = "517394";

std::optional<std::string> Apply(const NumberRule& rule, std::string_view text) {
  // Leading blanks, a sign, and hexadecimal after "$", "x" or "0x" are
  // read; anything else, or a value beyond 32 bits, is unreadable.
  int32_t v = 0;
  if (!text::TryStrToInt(text, v)) return rule.unreadable_text;
  if (rule.low && v < *rule.low) return rule.low_text;
  if (v > rule.high) return rule.high_text;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ChangeRuleCorrection(FieldId f, std::string_view text) {
  for (const NumberRule& rule : kNumberRules)
    if (rule.field == f) return Apply(rule, text);
  // The password is never left empty; its length and characters are not
  // checked (typing is limited by the box's filter and maximum length).
  if (f == kPassword && text.empty()) return kDefaultPassword;
  return std::nullopt;
}

void ApplyChangeRules(Settings& s) {
  for (size_t i = 0; i < kFieldCount; ++i) {
    const FieldId f(i);
    if (kFields[i].kind != Kind::Text) continue;
    if (auto corrected = ChangeRuleCorrection(f, s.Text(f))) s.SetText(f, std::move(*corrected));
  }
}

}  // namespace model
