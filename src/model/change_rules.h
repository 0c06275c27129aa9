// Change rules: after every change of a number box's text, an unreadable or
// out-of-range value is replaced at once by a fixed text, and an emptied
// password by the default password. The window runs them from its boxes'
// change events; a profile load or a controller read on the command line
// runs them over a whole Settings value, so both end with the same values.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/settings.h"

namespace model {

// The text the setting's rule puts in place of `text`, or nullopt when the
// rule keeps it (or the setting has no change rule). A corrected text is
// always one that the rule keeps.
std::optional<std::string> ChangeRuleCorrection(FieldId f, std::string_view text);

// Runs every change rule over the settings.
void ApplyChangeRules(Settings& s);

}  // namespace model
