// skinbench: how fast skins expand, and how fast the container and INI
// readers take them apart.
//
//   skinbench [compressed-skin-file] [rounds]
//
// Without a file it measures a generated skin of the built-in skin's shape
// (about 40 images of 4 to 32 bits per pixel and a 1000-line INI text,
// some 600 KB expanded). Goal: expansion at 20 MB/s or more in an optimised
// build, so that a skin expands in well under 50 ms; exits 1 when the
// median misses it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/bmp_reader.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;
constexpr double kGoalMBps = 20.0;
// The goal is for optimised builds; a debug build only reports.
#ifdef NDEBUG
constexpr bool kOptimised = true;
#else
constexpr bool kOptimised = false;
#endif

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename F>
double MedianSeconds(int rounds, F&& f) {
  std::vector<double> t;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    f();
    t.push_back(Seconds(Clock::now() - start));
  }
  return Median(t);
}

// Window-frame-like pieces: bevelled gradients with magenta corners, and
// a little dither so that they pack about as well as drawn artwork (10:1).
fw::TBitmap Piece(int w, int h, int seed) {
  fw::TBitmap b(w, h);
  uint32_t noise = uint32_t(seed) * 2654435761u + 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool corner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
      const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      noise = noise * 1103515245u + 12345u;
      const int dither = (seed % 3 == 0) ? int((noise >> 16) % 5) : 0;
      const int shade = 180 + (y * 60) / std::max(1, h - 1) - (seed % 4) * 10 + dither;
      b.SetPixel(x, y, corner ? 0xFF00FF
                       : edge ? fw::RGBColor(90, 100, uint8_t(140 + seed))
                              : fw::RGBColor(uint8_t(shade - 20), uint8_t(shade - 10), uint8_t(std::min(255, shade + 10))));
    }
  return b;
}

Bytes GeneratedSkin() {
  std::vector<skin::SkinEntry> entries;
  std::string ini;
  for (int i = 0; i < 40; ++i) {
    const int bpp = (i % 4 == 0) ? 4 : (i % 4 == 1) ? 8 : (i % 4 == 2) ? 24 : 32;
    const int w = 40 + (i * 37) % 260, h = 13 + (i * 11) % 60;
    Bytes file;
    skin::SaveBmp(Piece(w, h, i), bpp == 4 ? 8 : bpp, file);  // gradients need more than 16 colours
    entries.push_back({"piece" + std::to_string(i) + ".bmp", file});
  }
  for (int s = 0, lines = 0; lines < 992; ++s, lines += 13) {
    ini += "[Section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 12; ++k) ini += "Key" + std::to_string(k) + "=" + std::to_string(s * k) + "\r\n";
  }
  entries.insert(entries.begin(), skin::SkinEntry{"skin.ini", Bytes(ini.begin(), ini.end())});
  return skin::PackSkin(entries);
}

Bytes ReadFile(const char* path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "skinbench: cannot read %s\n", path);
    std::exit(2);
  }
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

int main(int argc, char** argv) {
  const Bytes packed = argc > 1 ? ReadFile(argv[1]) : GeneratedSkin();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;

  Bytes expanded;
  skin::TLZH().Decompress(packed, expanded);
  const double mb = double(expanded.size()) / 1e6;
  std::printf("skin: %zu bytes compressed, %zu bytes expanded (%s)\n", packed.size(), expanded.size(),
              argc > 1 ? argv[1] : "generated");

  const double expand = MedianSeconds(rounds, [&] { skin::TLZH().Decompress(packed, expanded); });
  std::printf("expand:       %6.2f ms  %7.1f MB/s (goal %.0f MB/s%s)\n", expand * 1e3, mb / expand, kGoalMBps,
              kOptimised ? "" : " in optimised builds; this is a debug build");

  // Noise: every symbol a literal, the slowest case per byte.
  Bytes noise(expanded.size());
  uint32_t x = 1;
  for (uint8_t& c : noise) c = uint8_t((x = x * 1103515245u + 12345u) >> 16);
  const Bytes packed_noise = skin::LzhCompress(noise);
  Bytes out_noise;
  const double expand_noise = MedianSeconds(rounds, [&] { skin::TLZH().Decompress(packed_noise, out_noise); });
  std::printf("expand noise: %6.2f ms  %7.1f MB/s\n", expand_noise * 1e3, double(noise.size()) / 1e6 / expand_noise);

  const double compress = MedianSeconds(std::max(1, rounds / 4), [&] { (void)skin::LzhCompress(expanded); });
  std::printf("compress:     %6.2f ms  %7.1f MB/s\n", compress * 1e3, mb / compress);

  skin::TSkinReader reader;
  const double container = MedianSeconds(rounds, [&] { reader.LoadContainer(packed); });
  std::printf("container:    %6.2f ms  (expand and split into %d entries)\n", container * 1e3, reader.Count());

  Bytes ini_text;
  std::string ini_name;
  reader.ExtractEntryContaining(".ini", ini_text, ini_name);
  skin::TQuickIni ini;
  const double parse = MedianSeconds(rounds, [&] { ini.LoadFromStream(ini_text); });
  std::printf("ini parse:    %6.2f ms  (%zu lines kept)\n", parse * 1e3, ini.Lines().size());

  fw::TBitmap bmp;
  size_t images = 0;
  const double bmps = MedianSeconds(rounds, [&] {
    images = 0;
    Bytes entry;
    for (const std::string& name : reader.Names()) {
      if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) continue;
      reader.ExtractEntry(name, entry);
      images += skin::LoadBmp(entry, bmp) ? 1 : 0;
    }
  });
  std::printf("images:       %6.2f ms  (%zu BMP entries read)\n", bmps * 1e3, images);

  if (kOptimised && mb / expand < kGoalMBps) {
    std::printf("expansion is below the goal\n");
    return 1;
  }
  return 0;
}
