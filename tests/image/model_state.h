// Every setting's control of a window as "control name" -> value text, to
// compare whole window states. Drop-downs read "index|shown text", check
// boxes "0"/"1".
#pragma once

#include <map>
#include <string>

#include "app/umset.h"

using ModelState = std::map<std::string, std::string>;

inline ModelState Snapshot(const Tfrm_mset& w) {
  ModelState s;
  for (const model::Field& f : model::kFields) {
    const fw::TComponent* c = w.FindComponent(f.control);
    if (auto* box = dynamic_cast<const fw::TCheckBox*>(c)) s[f.control] = std::string(1, box->Checked() ? '1' : '0');
    else if (auto* combo = dynamic_cast<const fw::TComboBox*>(c); combo && f.kind == model::Kind::Index)
      s[f.control] = std::to_string(combo->ItemIndex()) + "|" + combo->Text();
    else if (auto* control = dynamic_cast<const fw::TControl*>(c)) s[f.control] = control->Text();
  }
  return s;
}
