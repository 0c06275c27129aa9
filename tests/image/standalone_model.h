// A settings model made of free-standing controls with the window's start
// values, for tests of the settings image and profiles that do not need the
// window itself. The controls carry no input rules.
#pragma once

#include <memory>
#include <string>

#include "framework/component.h"
#include "framework/stdctrls.h"
#include "model/settings_model.h"

class StandaloneModel {
 public:
  StandaloneModel() : owner_(std::make_unique<fw::TComponent>(nullptr)) {
    auto* o = owner_.get();
    auto edit = [o](const std::string& text, int max_len = 0) {
      auto* e = new fw::TEdit(o);
      e->SetMaxLength(max_len);
      e->SetText(text);
      return e;
    };
    auto check = [o](bool checked) {
      auto* c = new fw::TCheckBox(o);
      c->SetChecked(checked);
      return c;
    };
    auto combo = [o](std::vector<std::string> items, int index, const std::string& text = "") {
      auto* c = new fw::TComboBox(o);
      c->SetItems(items);
      if (index >= 0) c->SetItemIndex(index);
      else c->SetText(text);
      return c;
    };
    m.cbox_com = combo({"com1", "com2", "com3", "com4", "com5"}, -1, "com1");
    for (auto& e : m.edt_tel) e = edit("", 16);
    for (auto& e : m.edt_sms) e = edit("", 16);
    for (int k = 0; k < 8; ++k) {
      m.cb_nt[k] = combo({"EOL", "NO", "NC", "Disable"}, 3);
      m.edt_name[k] = edit("Wired input " + std::to_string(k + 1) + " alarm", 32);
      m.edt_name_rec[k] = edit("Wired input " + std::to_string(k + 1) + " Recovered", 32);
      m.cb_dc[k] = check(true);
      m.cb_ed[k] = check(false);
    }
    m.cb_rco = check(false);
    m.cb_GJA = check(false);
    m.cb_arm = check(false);
    m.edt_rtt = edit("0");
    m.edt_adt = edit("0");
    m.edt_relaytime = edit("0");
    m.cb_pdat = combo({"Don't Care", "30 minutes", "immediacy"}, -1, "Don't Care");
    m.edt_pwd = edit("7429", 6);
    m.edt_sH = edit("--");
    m.edt_sm = edit("--");
    m.edt_PH = edit("--");
    m.edt_Pm = edit("--");
    m.edt_volo = edit("1", 2);
  }

  SettingsModel m;

 private:
  std::unique_ptr<fw::TComponent> owner_;
};
