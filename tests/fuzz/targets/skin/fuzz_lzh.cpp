// Decompressor on arbitrary streams; compressor round trip on arbitrary data.
#include <cstdlib>

#include "skin/lzh.h"
#include "skin/lzh_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  std::vector<uint8_t> out;
  if (data[0] & 1) {
    // The bytes as data: compressing and expanding gives them back.
    skin::TLZH().Decompress(skin::LzhCompress(rest), out);
    if (out.size() != rest.size() || !std::equal(out.begin(), out.end(), rest.begin())) std::abort();
    return 0;
  }
  try {
    skin::TLZH().Decompress(rest, out);
  } catch (const skin::LzhError&) {
    return 0;
  }
  // Never more than the declared size plus the tail of one match.
  const size_t declared = size_t(rest[0]) | size_t(rest[1]) << 8 | size_t(rest[2]) << 16 | size_t(rest[3]) << 24;
  if (out.size() < declared || out.size() > declared + 59) std::abort();
  return 0;
}
