#include "profile/settings_profile.h"

#include <exception>

#include "profile/ini_text.h"
#include "profile/profile_file.h"

namespace profile {
namespace {

std::string N(const char* prefix, size_t n) { return prefix + std::to_string(n); }

ProfileResult Failure(std::string reason) { return {false, std::move(reason)}; }

// Selects an item; an index of -1 or outside the list selects none and
// clears the shown text, also when no item was selected before.
void SelectIndex(fw::TComboBox& box, int index) {
  box.SetItemIndex(index);
  if (box.ItemIndex() < 0 && !box.Text().empty()) box.SetText("");
}

}  // namespace

std::vector<ProfileKey> ProfileKeys(const SettingsModel& m) {
  using F = ValueForm;
  std::vector<ProfileKey> keys;
  keys.reserve(62);
  keys.push_back({"COM", "ComName", F::Text, m.cbox_com, "com1", 0});
  for (size_t k = 0; k < 3; ++k) keys.push_back({"SMS", N("sms", k + 1), F::Text, m.edt_sms[k], "", 0});
  for (size_t k = 0; k < 8; ++k) keys.push_back({"WZN", N("name", k + 1), F::Text, m.edt_name[k], "", 0});
  for (size_t k = 0; k < 8; ++k) keys.push_back({"WZN", N("name", k + 11), F::Text, m.edt_name_rec[k], "", 0});
  for (size_t k = 0; k < 8; ++k) keys.push_back({"WZN", N("cb_dc", k + 1), F::Flag, m.cb_dc[k], "", 1});
  // The relay flags are named with a leading blank; names are matched with
  // surrounding blanks ignored, so the file holds them without it.
  for (size_t k = 0; k < 8; ++k) keys.push_back({"WZN", N(" cb_ed", k + 1), F::Flag, m.cb_ed[k], "", 0});
  for (size_t k = 0; k < 5; ++k) keys.push_back({"TEL", N("tel", k + 1), F::Text, m.edt_tel[k], "", 0});
  keys.push_back({"OTH", "rco", F::Flag, m.cb_rco, "", 0});
  keys.push_back({"OTH", "gja", F::Flag, m.cb_GJA, "", 0});
  keys.push_back({"OTH", "arm", F::Flag, m.cb_arm, "", 0});
  keys.push_back({"OTH", "pdat", F::Index, m.cb_pdat, "", 0});
  keys.push_back({"OTH", "rtt", F::Text, m.edt_rtt, "24", 0});
  keys.push_back({"OTH", "adt", F::Text, m.edt_adt, "1", 0});
  for (size_t k = 0; k < 8; ++k) keys.push_back({"OTH", N("nt", k + 1), F::Index, m.cb_nt[k], "", 3});
  keys.push_back({"OTH", "sh", F::Text, m.edt_sH, "--", 0});
  keys.push_back({"OTH", "sm", F::Text, m.edt_sm, "--", 0});
  keys.push_back({"OTH", "ph", F::Text, m.edt_PH, "--", 0});
  keys.push_back({"OTH", "pm", F::Text, m.edt_Pm, "--", 0});
  keys.push_back({"OTH", "volo", F::Text, m.edt_volo, "1", 0});
  keys.push_back({"OTH", "pwd", F::Text, m.edt_pwd, "517394", 0});
  keys.push_back({"OTH", "relaytime", F::Text, m.edt_relaytime, "0", 0});
  return keys;
}

ProfileResult SaveProfile(const SettingsModel& m, const std::string& path) {
  try {
    // Start from the file's current content, so that everything else in it
    // stays; a file that exists but cannot be read is not overwritten.
    std::string content, reason;
    if (ReadProfileFile(path, &content, &reason) == ReadStatus::Failed) return Failure(reason);

    IniText ini(content);
    for (const ProfileKey& k : ProfileKeys(m)) {
      std::string value;
      switch (k.form) {
        case ValueForm::Text: value = k.control->Text(); break;
        case ValueForm::Flag: value.assign(1, static_cast<fw::TCheckBox*>(k.control)->Checked() ? '1' : '0'); break;
        case ValueForm::Index: value = std::to_string(static_cast<fw::TComboBox*>(k.control)->ItemIndex()); break;
      }
      std::string error;
      if (!ini.WriteString(k.section, k.key, value, &error))
        return Failure("The value of \"" + std::string(TrimBlanks(k.key)) + "\" cannot be stored: " + error + ".");
    }
    if (!ReplaceProfileFile(path, ini.Text(), &reason)) return Failure(reason);
    return {};
  } catch (const std::exception& e) {
    return Failure(e.what());
  }
}

ProfileResult LoadProfile(const SettingsModel& m, const std::string& path) {
  try {
    std::string content, reason;
    switch (ReadProfileFile(path, &content, &reason)) {
      case ReadStatus::Missing: return Failure("The file does not exist.");
      case ReadStatus::Failed: return Failure(reason);
      case ReadStatus::Ok: break;
    }
    const IniText ini(content);
    for (const ProfileKey& k : ProfileKeys(m)) {
      switch (k.form) {
        case ValueForm::Text:
          k.control->SetText(ini.ReadString(k.section, k.key, k.default_text));
          break;
        case ValueForm::Flag:
          static_cast<fw::TCheckBox*>(k.control)->SetChecked(ini.ReadInteger(k.section, k.key, k.default_value) != 0);
          break;
        case ValueForm::Index:
          SelectIndex(*static_cast<fw::TComboBox*>(k.control), ini.ReadInteger(k.section, k.key, k.default_value));
          break;
      }
    }
    return {};
  } catch (const std::exception& e) {
    return Failure(e.what());
  }
}

}  // namespace profile
