// Container reader on arbitrary bytes, compressed or already expanded,
// then every entry fetched as an image and the INI parsed.
#include "framework/headless/headless.h"
#include "skin/image_fetch.h"
#include "skin/lzh.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fw::headless::ResetScripts();  // the version check's boxes pile up otherwise
  const std::span<const uint8_t> rest(data + 1, size - 1);
  skin::TSkinReader reader;
  try {
    const bool ok = (data[0] & 1) ? reader.LoadContainer(rest) : reader.LoadExpanded(rest);
    if (!ok) return 0;
  } catch (const skin::ElzhException&) {
    return 0;
  } catch (const skin::ESkinError&) {
    return 0;
  }
  std::vector<uint8_t> entry;
  fw::TBitmap bmp;
  for (const std::string& name : reader.Names()) {
    reader.ExtractEntry(name, entry);
    try {
      skin::FetchImage(reader, bmp, name);
    } catch (const skin::ESkinError&) {
    }
  }
  std::string ini_name;
  reader.ExtractEntryContaining(".ini", entry, ini_name);
  skin::TQuickIni ini;
  ini.LoadFromStream(entry);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& s : sections) (void)ini.ReadInteger(s, "Image", 0);
  return 0;
}
