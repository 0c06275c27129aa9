// Writes seed inputs for the fuzz targets into <dir>/<target>/.
#include <filesystem>
#include <fstream>
#include <string>

#include "skin/bmp_reader.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void Write(const fs::path& dir, const std::string& name, uint8_t prefix, const Bytes& body, bool with_prefix = true) {
  fs::create_directories(dir);
  std::ofstream f(dir / name, std::ios::binary | std::ios::trunc);
  if (with_prefix) f.put(char(prefix));
  f.write(reinterpret_cast<const char*>(body.data()), std::streamsize(body.size()));
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

fw::TBitmap Sample(int w, int h) {
  fw::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, (x * 40 + y * 3) % 5 == 0 ? 0xFF00FF : fw::RGBColor(uint8_t(x * 20), uint8_t(y * 30), 200));
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path root = argv[1];
  const std::string ini =
      "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\n; note\r\n[Colours]\r\nButtonFace=213,222,242\r\n"
      "[Buttons]\r\nBitmap=C:\\skin\\button.bmp\r\nTile=0x1\r\n";

  std::vector<skin::SkinEntry> entries{{"skin.ini", Text(ini)}};
  int n = 0;
  for (int bpp : {4, 8, 24, 32}) {
    Bytes bmp;
    skin::SaveBmp(Sample(6 + bpp / 4, 3), bpp, bmp);
    Write(root / "bmp", "bmp" + std::to_string(bpp), 0, bmp, false);
    entries.push_back({"img" + std::to_string(n++) + ".bmp", bmp});
  }
  const Bytes container = skin::WriteContainer(entries);
  Write(root / "container", "expanded", 0, container);
  Write(root / "container", "compressed", 1, skin::LzhCompress(container));
  Write(root / "lzh", "stream", 0, skin::LzhCompress(container));
  Write(root / "lzh", "text", 0, skin::LzhCompress(Text(ini + ini)));
  Write(root / "lzh", "data", 1, Text(ini));
  Write(root / "ini", "skin", 0, Text(ini), false);
  return 0;
}
