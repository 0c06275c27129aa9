// Container reader on arbitrary bytes, compressed or already expanded. What
// it accepts, written back by the container writer and read again, gives
// the same entries; every entry is then fetched as an image and the INI
// parsed.
#include <cstdlib>

#include "framework/headless/headless.h"
#include "skin/image_fetch.h"
#include "skin/lzh.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The entries of an expanded container the reader accepted, cut out of the
// bytes by the reader's names and sizes: the data follows the name list and
// one 32-bit size per name, in name order.
std::vector<skin::SkinEntry> EntriesOf(const skin::TSkinReader& reader, std::span<const uint8_t> expanded) {
  const size_t name_bytes = size_t(expanded[4]) | size_t(expanded[5]) << 8 | size_t(expanded[6]) << 16 |
                            size_t(expanded[7]) << 24;
  size_t at = 16 + name_bytes + 4 * reader.Names().size();
  std::vector<skin::SkinEntry> entries;
  for (size_t i = 0; i < reader.Names().size(); ++i) {
    const size_t n = size_t(reader.Sizes()[i]);
    Check(n <= expanded.size() - at);
    entries.push_back({reader.Names()[i], std::vector<uint8_t>(expanded.begin() + ptrdiff_t(at),
                                                               expanded.begin() + ptrdiff_t(at + n))});
    at += n;
  }
  return entries;
}

// The reader gives each name the data of the first entry of that name.
void CheckEntries(const skin::TSkinReader& reader, const std::vector<skin::SkinEntry>& entries) {
  Check(reader.Names().size() == entries.size());
  std::vector<uint8_t> data;
  for (size_t i = 0; i < entries.size(); ++i) {
    Check(reader.Names()[i] == entries[i].name);
    Check(reader.Sizes()[i] == int32_t(entries[i].data.size()));
    reader.ExtractEntry(entries[i].name, data);
    size_t first = 0;
    while (entries[first].name != entries[i].name) ++first;
    Check(data == entries[first].data);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fw::headless::ResetScripts();  // the version check's boxes pile up otherwise
  std::span<const uint8_t> rest(data + 1, size - 1);
  std::vector<uint8_t> expanded;
  skin::TSkinReader reader;
  try {
    if (data[0] & 1) {
      skin::TLZH().Decompress(rest, expanded);
      rest = expanded;
    }
    if (!reader.LoadExpanded(rest)) return 0;
  } catch (const skin::LzhError&) {  // the decompressor's own failures
    return 0;
  } catch (const skin::ElzhException&) {
    return 0;
  } catch (const skin::ESkinError&) {
    return 0;
  }

  // Written back and read again: the same entries, and the same bytes when
  // written once more.
  const std::vector<skin::SkinEntry> entries = EntriesOf(reader, rest);
  CheckEntries(reader, entries);
  const std::vector<uint8_t> written = skin::WriteContainer(entries);
  skin::TSkinReader again;
  Check(again.LoadExpanded(written));
  CheckEntries(again, entries);
  Check(skin::WriteContainer(EntriesOf(again, written)) == written);

  std::vector<uint8_t> entry;
  fw::TBitmap bmp;
  for (const std::string& name : reader.Names()) {
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
