// The settings as a plain value: one entry per row of the field table, a
// text, a check box's state or a drop-down's item index. No window and no
// control is involved; the window copies its controls into one of these and
// applies one back to them.
#pragma once

#include <array>
#include <string>

#include "model/fields.h"

namespace model {

class Settings {
 public:
  // Empty texts, unchecked boxes, drop-downs with no item selected.
  Settings();

  // Reading or setting a value of the wrong kind throws std::logic_error.
  const std::string& Text(FieldId f) const;
  bool Checked(FieldId f) const;
  int Index(FieldId f) const;  // -1: no item selected

  void SetText(FieldId f, std::string text);
  void SetChecked(FieldId f, bool checked);
  // An index outside the setting's item list selects no item (-1).
  void SetIndex(FieldId f, int index);

  friend bool operator==(const Settings&, const Settings&) = default;

 private:
  std::array<std::string, kFieldCount> texts_;
  std::array<int, kFieldCount> numbers_{};  // check boxes 0/1, item indexes
};

// A value as a profile writes it: the text, "1" or "0", or the index.
std::string ProfileValue(const Settings& s, FieldId f);

}  // namespace model
