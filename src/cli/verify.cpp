#include "cli/verify.h"

#include <cstdio>

namespace cli {
namespace {

std::string Hex(unsigned v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

// The settings held by the byte at `address` whose bits differ.
std::string Owner(uint16_t address, uint8_t changed_bits) {
  std::string names;
  for (const model::Field& f : model::kFields) {
    if (f.image == model::ImageForm::None) continue;
    const size_t width = f.width ? f.width : 1;
    if (address < f.address || address >= f.address + width) continue;
    if (f.image == model::ImageForm::Packed && !(changed_bits & f.mask)) continue;
    if (!names.empty()) names += ", ";
    names += std::string(f.label) + " (" + f.control + ")";
  }
  if (!names.empty()) return names;
  if (address == protocol::kTextEncodingAddress) return "the SMS text encoding byte";
  if (address == protocol::kFixedAddress) return "the fixed byte";
  return "a byte no setting uses";
}

}  // namespace

std::optional<std::string> FirstDifference(const protocol::SettingsImageBytes& sent,
                                           const protocol::SettingsImageBytes& read) {
  for (size_t n = 0; n < protocol::kImageBlocks.size(); ++n) {
    const uint16_t block = protocol::kImageBlocks[n];
    for (size_t i = 0; i < protocol::kBlockSize; ++i) {
      const uint16_t a = uint16_t(block + i);
      if (sent[a] == read[a]) continue;
      return "block " + std::to_string(n + 1) + " (" + Hex(block, 4) + ") differs at " + Hex(a, 4) + ": sent " +
             Hex(sent[a], 2) + ", read back " + Hex(read[a], 2) + ": " + Owner(a, uint8_t(sent[a] ^ read[a]));
    }
  }
  return std::nullopt;
}

}  // namespace cli
