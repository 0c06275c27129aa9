// Comparing what was written into a unit with what it gives back.
#pragma once

#include <optional>
#include <string>

#include "protocol/settings_image.h"

namespace cli {

// The first difference in the nine blocks, naming the block, the address,
// both bytes and the setting the byte belongs to; nullopt when all nine
// blocks are equal byte for byte.
std::optional<std::string> FirstDifference(const protocol::SettingsImageBytes& sent,
                                           const protocol::SettingsImageBytes& read);

}  // namespace cli
