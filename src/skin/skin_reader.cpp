#include "skin/skin_reader.h"

#include <cstring>

#include "framework/dialogs.h"
#include "framework/forms.h"
#include "skin/lzh.h"
#include "text/ascii.h"

namespace skin {

namespace {

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

}  // namespace

void TSkinReader::Clear() {
  names_.clear();
  sizes_.clear();
  offsets_.clear();
  data_.clear();
  header_ = {};
}

bool TSkinReader::LoadContainer(std::span<const uint8_t> compressed) {
  std::vector<uint8_t> expanded;
  try {
    TLZH().Decompress(compressed, expanded);
  } catch (const LzhError& e) {
    throw ElzhException(e.what());
  }
  return LoadExpanded(expanded);
}

bool TSkinReader::LoadExpanded(std::span<const uint8_t> c) {
  Clear();
  if (c.size() < 16) throw ESkinError("Skin container too short for its header");
  if (Le32(c, 0) != kSkinVersion) {
    fw::Application().MessageBox(kOlderSkinMessage, "Information", fw::MB_OK_ | fw::MB_ICONINFORMATION_);
    return false;
  }
  const uint32_t name_bytes = Le32(c, 4);
  if (name_bytes > c.size() - 16) throw ESkinError("Skin name list runs past the data");

  // Names, split at CR, LF or CR LF; a final line break adds no name.
  std::vector<std::string> names;
  const char* p = reinterpret_cast<const char*>(c.data() + 16);
  const char* end = p + name_bytes;
  while (p < end) {
    const char* q = p;
    while (q < end && *q != '\r' && *q != '\n') ++q;
    if (names.size() == size_t(kMaxSkinEntries)) throw ESkinError("Skin has more than 1001 entries");
    names.push_back(text::Lower(std::string_view(p, size_t(q - p))));
    if (q < end && *q++ == '\r' && q < end && *q == '\n') ++q;
    p = q;
  }

  const size_t table = 16 + size_t(name_bytes);
  if (names.size() * 4 > c.size() - table) throw ESkinError("Skin size table runs past the data");
  const size_t data_start = table + names.size() * 4;
  const size_t data_size = c.size() - data_start;

  std::vector<int32_t> sizes;
  std::vector<size_t> offsets;
  size_t at = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    const int32_t s = int32_t(Le32(c, table + 4 * i));
    if (s < 0) throw ESkinError("Skin entry has a negative size");
    if (size_t(s) > data_size - at) throw ESkinError("Skin entry runs past the data");
    sizes.push_back(s);
    offsets.push_back(at);
    at += size_t(s);
  }

  std::memcpy(header_.data(), c.data(), 16);
  names_ = std::move(names);
  sizes_ = std::move(sizes);
  offsets_ = std::move(offsets);
  data_.assign(c.begin() + ptrdiff_t(data_start), c.end());
  return true;
}

void TSkinReader::ExtractEntry(const std::string& name, std::vector<uint8_t>& stream) const {
  stream.clear();
  const std::string wanted = text::Lower(name);
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == wanted) {
      stream.assign(data_.begin() + ptrdiff_t(offsets_[i]),
                    data_.begin() + ptrdiff_t(offsets_[i] + size_t(sizes_[i])));
      return;
    }
  }
}

void TSkinReader::ExtractEntryContaining(const std::string& fragment, std::vector<uint8_t>& stream,
                                         std::string& full_name) const {
  stream.clear();
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(fragment) != std::string::npos) {
      stream.assign(data_.begin() + ptrdiff_t(offsets_[i]),
                    data_.begin() + ptrdiff_t(offsets_[i] + size_t(sizes_[i])));
      full_name = names_[i];
      return;
    }
  }
}

}  // namespace skin
