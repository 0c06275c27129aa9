// Every setting of a model as "control name" -> value text, to compare whole
// window states. Drop-downs read "index|shown text", check boxes "0"/"1".
#pragma once

#include <map>
#include <string>

#include "model/settings_model.h"

using ModelState = std::map<std::string, std::string>;

inline ModelState Snapshot(const SettingsModel& m) {
  ModelState s;
  auto combo = [](const fw::TComboBox* c) { return std::to_string(c->ItemIndex()) + "|" + c->Text(); };
  auto flag = [](const fw::TCheckBox* c) { return std::string(c->Checked() ? "1" : "0"); };
  s["cbox_com"] = m.cbox_com->Text();
  for (int k = 0; k < 5; ++k) s["edt_tel" + std::to_string(k + 1)] = m.edt_tel[k]->Text();
  for (int k = 0; k < 3; ++k) s["edt_sms" + std::to_string(k + 1)] = m.edt_sms[k]->Text();
  for (int k = 0; k < 8; ++k) {
    const std::string n = std::to_string(k + 1);
    s["cb_nt" + n] = combo(m.cb_nt[k]);
    s["edt_name" + n] = m.edt_name[k]->Text();
    s["edt_name" + std::to_string(k + 11)] = m.edt_name_rec[k]->Text();
    s["cb_dc" + n] = flag(m.cb_dc[k]);
    s["cb_ed" + n] = flag(m.cb_ed[k]);
  }
  s["cb_rco"] = flag(m.cb_rco);
  s["cb_GJA"] = flag(m.cb_GJA);
  s["cb_arm"] = flag(m.cb_arm);
  s["edt_rtt"] = m.edt_rtt->Text();
  s["edt_adt"] = m.edt_adt->Text();
  s["edt_relaytime"] = m.edt_relaytime->Text();
  s["cb_pdat"] = combo(m.cb_pdat);
  s["edt_pwd"] = m.edt_pwd->Text();
  s["edt_sH"] = m.edt_sH->Text();
  s["edt_sm"] = m.edt_sm->Text();
  s["edt_PH"] = m.edt_PH->Text();
  s["edt_Pm"] = m.edt_Pm->Text();
  s["edt_volo"] = m.edt_volo->Text();
  return s;
}
