#include "skin/image_fetch.h"

#include <vector>

#include "skin/bmp_reader.h"
#include "skin/skin_reader.h"

namespace skin {

void FetchImage(const TSkinReader& reader, fw::TBitmap& bmp, const std::string& value) {
  const size_t cut = value.find_last_of("\\:");
  const std::string name = cut == std::string::npos ? value : value.substr(cut + 1);
  const size_t dot = name.rfind('.');
  if (name.empty() || dot == std::string::npos || name.compare(dot, std::string::npos, ".bmp") != 0) {
    bmp.SetSize(0, 0);
    return;
  }
  std::vector<uint8_t> entry;
  reader.ExtractEntry(name, entry);
  if (entry.empty()) {
    bmp.SetSize(0, 0);
    return;
  }
  std::string why;
  if (!LoadBmp(entry, bmp, &why)) throw ESkinError("Skin image " + name + ": " + why);
}

}  // namespace skin
