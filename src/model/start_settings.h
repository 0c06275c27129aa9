// The settings a configurator window starts with: the design-time value of
// every setting, before a profile or the controller changes any. They are
// shown as they are, even where a change rule would correct them once they
// change ("0" in edt_adt, whose rule keeps it at 1 or more).
#pragma once

#include <string_view>

#include "model/settings.h"

namespace model {

Settings StartSettings();

// The text a drop-down shows at start while its start value selects no
// item: the power-down alert shows its first item, "Don't Care", until an
// item is picked. Empty for every other setting.
std::string_view StartShownText(FieldId f);

}  // namespace model
