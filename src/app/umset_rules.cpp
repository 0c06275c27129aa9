// Input rules of the settings edits.
//
// Key filters drop the characters a box does not take before they reach it.
// Change rules run after every change of a box's text, typed or set by the
// program (profile load, controller read), and replace an unreadable or
// out-of-range number by a fixed text. Setting that text is itself a change,
// so the rule runs once more on a value that is always in range and changes
// nothing. Leave rules tidy the time boxes when the focus leaves them.
// Nothing is ever reported to the user: values are only corrected.
#include <optional>

#include "app/umset.h"
#include "framework/strtoint.h"

namespace {

constexpr char kBackspace = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Backspace and the digits pass; everything else is discarded.
void KeepDigits(char& key) {
  if (key != kBackspace && !IsDigit(key)) key = 0;
}

// The bounds of one number box and the texts that replace a bad value.
struct NumberRule {
  std::optional<int32_t> low;  // none: no lower bound
  int32_t high;
  const char* low_text;
  const char* high_text;
  const char* unreadable_text;
};

void ApplyNumberRule(fw::TEdit* box, const NumberRule& rule) {
  if (!box) return;
  // Leading blanks, a sign, and hexadecimal after "$", "x" or "0x" are
  // read; anything else, or a value beyond 32 bits, is unreadable.
  int32_t v = 0;
  if (!fw::TryStrToInt(box->Text(), v)) {
    box->SetText(rule.unreadable_text);
    return;
  }
  if (rule.low && v < *rule.low) {
    box->SetText(rule.low_text);
    return;
  }
  if (v > rule.high) box->SetText(rule.high_text);
}

// A time box whose text holds a "-" anywhere becomes "--" ("no time set").
void ApplyTimeLeaveRule(fw::TEdit* box) {
  if (box && box->Text().find('-') != std::string::npos) box->SetText("--");
}

}  // namespace

// ---- key filters ----

void Tfrm_mset::edt_tel1KeyPress(fw::TObject* Sender, char& Key) {
  try {
    if (Key == kBackspace || IsDigit(Key)) return;
    if (Key == '+') {
      // "+" only starts a number: the box must be completely empty, wherever
      // the caret is and whatever is selected.
      auto* box = dynamic_cast<fw::TControl*>(Sender);
      if (box && box->Text().empty()) return;
    }
    Key = 0;
  } catch (...) {
    Key = 0;
  }
}

void Tfrm_mset::edt_rttKeyPress(fw::TObject*, char& Key) { KeepDigits(Key); }
void Tfrm_mset::edt_adtKeyPress(fw::TObject*, char& Key) { KeepDigits(Key); }
void Tfrm_mset::edt_pwdKeyPress(fw::TObject*, char& Key) { KeepDigits(Key); }
void Tfrm_mset::edt_voloKeyPress(fw::TObject*, char& Key) { KeepDigits(Key); }
void Tfrm_mset::edt_relaytimeKeyPress(fw::TObject*, char& Key) { KeepDigits(Key); }

void Tfrm_mset::edt_sHKeyPress(fw::TObject*, char& Key) {
  if (Key != '-') KeepDigits(Key);
}

// ---- change rules ----

void Tfrm_mset::edt_rttChange(fw::TObject*) {
  try {
    if (Destroying()) return;
    // No lower bound: a negative report time is kept as it is.
    ApplyNumberRule(edt_rtt, {std::nullopt, 240, "", "240", "0"});
  } catch (...) {
  }
}

void Tfrm_mset::edt_adtChange(fw::TObject*) {
  try {
    if (Destroying()) return;
    ApplyNumberRule(edt_adt, {1, 90, "1", "90", "1"});
  } catch (...) {
  }
}

void Tfrm_mset::edt_relaytimeChange(fw::TObject*) {
  try {
    if (Destroying()) return;
    ApplyNumberRule(edt_relaytime, {0, 120, "0", "120", "0"});
  } catch (...) {
  }
}

void Tfrm_mset::edt_voloChange(fw::TObject*) {
  try {
    if (Destroying()) return;
    ApplyNumberRule(edt_volo, {1, 99, "1", "99", "1"});
  } catch (...) {
  }
}

void Tfrm_mset::edt_pwdChange(fw::TObject*) {
  try {
    if (Destroying()) return;
    // The password is never left empty; its length and characters are not
    // checked here (typing is limited by the filter and the maximum length).
    if (edt_pwd && edt_pwd->Text().empty()) edt_pwd->SetText("517394");
  } catch (...) {
  }
}

// ---- leave rules ----

void Tfrm_mset::edt_sHExit(fw::TObject*) {
  try {
    if (!Destroying()) ApplyTimeLeaveRule(edt_sH);
  } catch (...) {
  }
}

void Tfrm_mset::edt_smExit(fw::TObject*) {
  try {
    if (!Destroying()) ApplyTimeLeaveRule(edt_sm);
  } catch (...) {
  }
}

void Tfrm_mset::edt_PHExit(fw::TObject*) {
  try {
    if (!Destroying()) ApplyTimeLeaveRule(edt_PH);
  } catch (...) {
  }
}

void Tfrm_mset::edt_PmExit(fw::TObject*) {
  try {
    if (!Destroying()) ApplyTimeLeaveRule(edt_Pm);
  } catch (...) {
  }
}
