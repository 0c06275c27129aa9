#include "model/start_settings.h"

#include <string>

namespace model {

Settings StartSettings() {
  Settings s;  // empty numbers, unchecked boxes, no item selected
  s.SetText("cbox_com", kPorts[0]);
  for (int input = 1; input <= 8; ++input) {
    const std::string n = std::to_string(input);
    s.SetIndex(FieldNamed("cb_nt" + n), 3);  // "Disable"
    s.SetText(FieldNamed("edt_name" + n), "Wired input " + n + " alarm");
    s.SetText(FieldNamed("edt_name1" + n), "Wired input " + n + " Recovered");
    s.SetChecked(FieldNamed("cb_dc" + n), true);
  }
  s.SetText("edt_rtt", "0");
  s.SetText("edt_adt", "0");
  s.SetText("edt_relaytime", "0");
  s.SetText("edt_pwd", "7429");
  for (FieldId f : {FieldId("edt_sH"), FieldId("edt_sm"), FieldId("edt_PH"), FieldId("edt_Pm")}) s.SetText(f, "--");
  s.SetText("edt_volo", "1");
  return s;
}

std::string_view StartShownText(FieldId f) {
  return f == FieldId("cb_pdat") ? kPowerdownAlert[0] : "";
}

}  // namespace model
