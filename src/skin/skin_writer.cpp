#include <cstdint>
#include <limits>

#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace skin {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> WriteContainer(const std::vector<SkinEntry>& entries) {
  if (entries.size() > size_t(kMaxSkinEntries)) throw ESkinError("Skin has more than 1001 entries");
  std::string names;
  for (const SkinEntry& e : entries) {
    if (e.name.find_first_of("\r\n") != std::string::npos) throw ESkinError("Skin entry name has a line break");
    if (e.data.size() > size_t(std::numeric_limits<int32_t>::max())) throw ESkinError("Skin entry too large");
    names += e.name;
    names += "\r\n";
  }
  if (names.size() > size_t(std::numeric_limits<int32_t>::max())) throw ESkinError("Skin name list too large");

  std::vector<uint8_t> out;
  Put32(out, kSkinVersion);
  Put32(out, uint32_t(names.size()));
  Put32(out, 0);
  Put32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const SkinEntry& e : entries) Put32(out, uint32_t(e.data.size()));
  for (const SkinEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

std::vector<uint8_t> PackSkin(const std::vector<SkinEntry>& entries) {
  return LzhCompress(WriteContainer(entries));
}

}  // namespace skin
