// The settings the window starts with, as a value, for tests of the settings
// image and profiles that need no window; and a readable print of a
// Settings value for failure messages.
#pragma once

#include <ostream>
#include <string>

#include "model/settings.h"

inline model::FieldId F(const std::string& control) { return model::FieldNamed(control); }

inline model::Settings StartSettings() {
  model::Settings s;
  s.SetText("cbox_com", "com1");
  for (int k = 1; k <= 8; ++k) {
    const std::string n = std::to_string(k);
    s.SetIndex(F("cb_nt" + n), 3);
    s.SetText(F("edt_name" + n), "Wired input " + n + " alarm");
    s.SetText(F("edt_name" + std::to_string(k + 10)), "Wired input " + n + " Recovered");
    s.SetChecked(F("cb_dc" + n), true);
  }
  s.SetText("edt_rtt", "0");
  s.SetText("edt_adt", "0");
  s.SetText("edt_relaytime", "0");
  s.SetText("edt_pwd", "7429");
  for (model::FieldId f : {model::FieldId("edt_sH"), model::FieldId("edt_sm"), model::FieldId("edt_PH"),
                           model::FieldId("edt_Pm")})
    s.SetText(f, "--");
  s.SetText("edt_volo", "1");
  return s;
}

namespace model {
inline void PrintTo(const Settings& s, std::ostream* os) {
  for (size_t i = 0; i < kFieldCount; ++i) *os << "\n  " << kFields[i].control << "=" << ProfileValue(s, FieldId(i));
}
}  // namespace model
