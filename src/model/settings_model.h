// The settings model: the named controls of the configurator window that
// hold every controller setting. There is no separate settings record: the
// controls are the store. The window fills one of these with pointers to its
// controls, and the settings image, the profile files and the tests read and
// write the settings through it.
#pragma once

#include <array>

#include "framework/stdctrls.h"

struct SettingsModel {
  fw::TComboBox* cbox_com = nullptr;  // port name: its text is the value

  std::array<fw::TEdit*, 5> edt_tel{};   // edt_tel1 .. edt_tel5
  std::array<fw::TEdit*, 3> edt_sms{};   // edt_sms1 .. edt_sms3

  // Per wired input, index 0 is input 1.
  std::array<fw::TComboBox*, 8> cb_nt{};    // cb_nt1 .. cb_nt8, input type
  std::array<fw::TEdit*, 8> edt_name{};     // edt_name1 .. edt_name8, alarm text
  std::array<fw::TEdit*, 8> edt_name_rec{}; // edt_name11 .. edt_name18, recovery text
  std::array<fw::TCheckBox*, 8> cb_dc{};    // cb_dc1 .. cb_dc8, "Don't Care"
  std::array<fw::TCheckBox*, 8> cb_ed{};    // cb_ed1 .. cb_ed8, relay enable

  fw::TCheckBox* cb_rco = nullptr;
  fw::TCheckBox* cb_GJA = nullptr;
  fw::TCheckBox* cb_arm = nullptr;
  fw::TEdit* edt_rtt = nullptr;
  fw::TEdit* edt_adt = nullptr;
  fw::TEdit* edt_relaytime = nullptr;
  fw::TComboBox* cb_pdat = nullptr;
  fw::TEdit* edt_pwd = nullptr;

  // Hidden settings.
  fw::TEdit* edt_sH = nullptr;
  fw::TEdit* edt_sm = nullptr;
  fw::TEdit* edt_PH = nullptr;
  fw::TEdit* edt_Pm = nullptr;
  fw::TEdit* edt_volo = nullptr;
};
