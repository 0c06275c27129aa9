#include "skin/lzh.h"

namespace skin {

size_t TLZH::MaxExpandedSize(size_t input_size) { return input_size * 120; }

void TLZH::Decompress(std::span<const uint8_t> input, std::vector<uint8_t>& output) {
  (void)input;
  output.clear();
}

}  // namespace skin
