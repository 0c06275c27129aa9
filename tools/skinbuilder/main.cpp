// skinbuilder: draws the built-in skin and writes the files the program's
// resources are made from.
//
//   skinbuilder --out DIR     write mxskn.skn, TRACK.bmp, TRACKVERT.bmp and
//                             TESSERAMENU.bmp into DIR
//   skinbuilder --check DIR   exit 1 unless DIR holds exactly those files
//   skinbuilder --sheet DIR   write a window mock-up and every piece,
//                             enlarged, as BMP files into DIR
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "builder.h"
#include "sheet.h"
#include "skin/bmp_reader.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& data) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  return bool(f);
}

bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& data) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  data.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: skinbuilder --out DIR | --check DIR | --sheet DIR\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  std::string mode = argv[1];
  std::filesystem::path dir = argv[2];
  try {
    sb::BuiltSkin skin = sb::BuildSkin();
    if (mode == "--out") {
      std::filesystem::create_directories(dir);
      for (const auto& [name, data] : sb::ResourceFiles(skin))
        if (!WriteFile(dir / name, data)) {
          std::fprintf(stderr, "skinbuilder: cannot write %s\n", (dir / name).string().c_str());
          return 1;
        }
      std::printf("skin: %zu entries, %zu bytes expanded, %zu bytes compressed\n", skin.pieces.size() + 1,
                  skin.container.size(), skin.compressed.size());
      return 0;
    }
    if (mode == "--check") {
      int stale = 0;
      for (const auto& [name, data] : sb::ResourceFiles(skin)) {
        std::vector<uint8_t> have;
        if (!ReadFile(dir / name, have) || have != data) {
          std::fprintf(stderr, "skinbuilder: %s is missing or out of date; run scripts/make-skin.sh\n",
                       (dir / name).string().c_str());
          ++stale;
        }
      }
      return stale ? 1 : 0;
    }
    if (mode == "--sheet") {
      std::filesystem::create_directories(dir);
      std::vector<uint8_t> bmp;
      skin::SaveBmp(sb::MockWindow(skin), 24, bmp);
      WriteFile(dir / "00-window.bmp", bmp);
      int i = 1;
      for (const sb::Piece& p : skin.pieces) {
        int scale = p.bmp.Width() > 200 ? 1 : p.bmp.Width() > 100 ? 2 : 3;
        skin::SaveBmp(sb::EnlargedPiece(p, scale), 24, bmp);
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02d-", i++);
        WriteFile(dir / (prefix + p.file), bmp);
      }
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinbuilder: %s\n", e.what());
    return 1;
  }
  return Usage();
}
