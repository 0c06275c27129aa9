// The compressor matching TLZH: produces a 4-byte little-endian size and an
// LZHUF bit stream that TLZH expands back to exactly the input.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skin {

std::vector<uint8_t> LzhCompress(std::span<const uint8_t> data);

}  // namespace skin
