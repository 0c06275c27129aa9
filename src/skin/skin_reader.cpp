#include "skin/skin_reader.h"

namespace skin {

bool TSkinReader::LoadContainer(std::span<const uint8_t>) { Clear(); return false; }
bool TSkinReader::LoadExpanded(std::span<const uint8_t>) { Clear(); return false; }
void TSkinReader::ExtractEntry(const std::string&, std::vector<uint8_t>& stream) const { stream.clear(); }
void TSkinReader::ExtractEntryContaining(const std::string&, std::vector<uint8_t>& stream,
                                         std::string&) const {
  stream.clear();
}
void TSkinReader::Clear() {
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  data_.clear();
  header_ = {};
}

}  // namespace skin
