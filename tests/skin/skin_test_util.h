// Helpers for the skin component tests: small skins built in memory and the
// built-in skin as committed.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/bitmap.h"

namespace skintest {

// A compressed skin of the given INI text and images (name, bitmap).
std::vector<uint8_t> MakeSkin(const std::string& ini,
                              const std::vector<std::pair<std::string, fw::TBitmap>>& images = {},
                              uint32_t version = 20000);

// The committed built-in skin (src/skin/builtin/mxskn.skn).
const std::vector<uint8_t>& BuiltinSkin();

}  // namespace skintest
