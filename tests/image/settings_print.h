// Settings by control name, and a readable print of a Settings value for
// failure messages.
#pragma once

#include <ostream>
#include <string>

#include "model/settings.h"

inline model::FieldId F(const std::string& control) { return model::FieldNamed(control); }

namespace model {
inline void PrintTo(const Settings& s, std::ostream* os) {
  for (size_t i = 0; i < kFieldCount; ++i) *os << "\n  " << kFields[i].control << "=" << ProfileValue(s, FieldId(i));
}
}  // namespace model
