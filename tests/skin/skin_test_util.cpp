#include "skin_test_util.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "skin/bmp_reader.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace skintest {

std::vector<uint8_t> MakeSkin(const std::string& ini, const std::vector<std::pair<std::string, fw::TBitmap>>& images,
                              uint32_t version) {
  std::vector<skin::SkinEntry> entries;
  for (const auto& [name, bmp] : images) {
    skin::SkinEntry e{name, {}};
    if (!skin::SaveBmp(bmp, 24, e.data)) throw std::runtime_error("cannot write " + name);
    entries.push_back(std::move(e));
  }
  entries.push_back({"test.ini", std::vector<uint8_t>(ini.begin(), ini.end())});
  std::vector<uint8_t> container = skin::WriteContainer(entries);
  for (int i = 0; i < 4; ++i) container[i] = uint8_t(version >> (8 * i));
  return skin::LzhCompress(container);
}

const std::vector<uint8_t>& BuiltinSkin() {
  static const std::vector<uint8_t> bytes = [] {
    std::ifstream f(GSM_SKIN_BUILTIN_DIR "/mxskn.skn", std::ios::binary);
    if (!f) throw std::runtime_error("cannot open the built-in skin");
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }();
  return bytes;
}

}  // namespace skintest
