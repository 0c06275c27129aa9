// Profile (.sf) files: every setting and the port name as keys of five
// sections ("COM", "SMS", "WZN", "TEL", "OTH").
#pragma once

#include <string>
#include <vector>

#include "model/settings_model.h"

namespace profile {

// How a setting is written: its text, "1"/"0" for a check box, or the
// selected item's index ("-1" for none).
enum class ValueForm { Text, Flag, Index };

struct ProfileKey {
  const char* section;
  std::string key;
  ValueForm form;
  fw::TControl* control;  // TEdit or TComboBox for Text, TCheckBox for Flag, TComboBox for Index
  std::string default_text;  // the value used when the key is missing (Text)
  int default_value;         // the value used when the key is missing (Flag, Index)
};

// The 62 keys in the order they are written and read.
std::vector<ProfileKey> ProfileKeys(const SettingsModel& model);

struct ProfileResult {
  bool ok = true;
  std::string reason;  // why it failed, for the user
};

// Writes every key into the file: an existing file is updated in place
// (other sections and keys stay), a missing one is created. All keys are
// applied to the content in memory and the file is then replaced in one
// step, so a failure leaves the file as it was.
ProfileResult SaveProfile(const SettingsModel& model, const std::string& path);

// Reads every key into the settings; a missing key gives its default. A file
// that does not exist or cannot be read changes no setting.
ProfileResult LoadProfile(const SettingsModel& model, const std::string& path);

}  // namespace profile
