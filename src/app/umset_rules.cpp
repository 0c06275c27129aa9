// Input rules of the settings edits.
//
// Key filters drop the characters a box does not take before they reach it.
// Change rules (in model/change_rules) run after every change of a box's
// text, typed or set by the program (profile load, controller read), and
// replace an unreadable or out-of-range number by a fixed text. Setting that
// text is itself a change, so the rule runs once more on a value that is
// always in range and changes nothing. Leave rules tidy the time boxes when
// the focus leaves them. Nothing is ever reported to the user: values are
// only corrected.
#include "app/umset.h"
#include "model/change_rules.h"

namespace {

constexpr char kBackspace = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Backspace and the digits pass; everything else is discarded.
void KeepDigits(char& key) {
  if (key != kBackspace && !IsDigit(key)) key = 0;
}

// The setting's change rule on the box's current text.
void RunChangeRule(fw::TEdit* box, model::FieldId f) {
  if (!box) return;
  if (auto corrected = model::ChangeRuleCorrection(f, box->Text())) box->SetText(*corrected);
}

// A time box whose text holds a "-" anywhere becomes "--" ("no time set").
void ApplyTimeLeaveRule(fw::TEdit* box) {
  if (box && box->Text().find('-') != std::string::npos) box->SetText("--");
}

}  // namespace

// ---- key filters ----

void Tfrm_mset::edt_tel1KeyPress(fw::TObject* Sender, char& Key) {
  // Discarded unless found acceptable, also when the check itself fails.
  const char typed = Key;
  Key = 0;
  if (typed == kBackspace || IsDigit(typed)) {
    Key = typed;
  } else if (typed == '+') {
    // "+" only starts a number: the box must be completely empty, wherever
    // the caret is and whatever is selected.
    auto* box = dynamic_cast<fw::TControl*>(Sender);
    if (box && box->Text().empty()) Key = typed;
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
  if (!Destroying()) RunChangeRule(edt_rtt, "edt_rtt");
}

void Tfrm_mset::edt_adtChange(fw::TObject*) {
  if (!Destroying()) RunChangeRule(edt_adt, "edt_adt");
}

void Tfrm_mset::edt_relaytimeChange(fw::TObject*) {
  if (!Destroying()) RunChangeRule(edt_relaytime, "edt_relaytime");
}

void Tfrm_mset::edt_voloChange(fw::TObject*) {
  if (!Destroying()) RunChangeRule(edt_volo, "edt_volo");
}

void Tfrm_mset::edt_pwdChange(fw::TObject*) {
  if (!Destroying()) RunChangeRule(edt_pwd, "edt_pwd");
}

// ---- leave rules ----

void Tfrm_mset::edt_sHExit(fw::TObject*) {
  if (!Destroying()) ApplyTimeLeaveRule(edt_sH);
}

void Tfrm_mset::edt_smExit(fw::TObject*) {
  if (!Destroying()) ApplyTimeLeaveRule(edt_sm);
}

void Tfrm_mset::edt_PHExit(fw::TObject*) {
  if (!Destroying()) ApplyTimeLeaveRule(edt_PH);
}

void Tfrm_mset::edt_PmExit(fw::TObject*) {
  if (!Destroying()) ApplyTimeLeaveRule(edt_Pm);
}
