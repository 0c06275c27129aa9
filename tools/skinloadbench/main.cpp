// skinloadbench: how long the skin component takes to load the built-in
// skin (expand, read the INI text, build every skin object), and how fast
// the skin expands on its own.
//
//   skinloadbench [skin-file] [rounds]
//
// The goal: a load well under 50 ms, so that the window appears without a
// noticeable pause. Exits 1 when the median load misses it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/lzh.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : GSM_SKIN_BUILTIN_DIR "/mxskn.skn";
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "skinloadbench: cannot open %s\n", path);
    return 2;
  }
  std::vector<uint8_t> skin((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());

  std::vector<double> loads, expands;
  size_t expanded = 0;
  for (int i = 0; i < rounds; ++i) {
    TSkinData data(nullptr);
    Clock::time_point t0 = Clock::now();
    data.LoadSkinFromStream(skin);
    loads.push_back(Ms(Clock::now() - t0));
    if (!data.SkinLoaded()) {
      std::fprintf(stderr, "skinloadbench: the skin did not load\n");
      return 2;
    }
    std::vector<uint8_t> out;
    t0 = Clock::now();
    skin::TLZH().Decompress(skin, out);
    expands.push_back(Ms(Clock::now() - t0));
    expanded = out.size();
  }
  skin::DestroySkinManager();

  double load = Median(loads), expand = Median(expands);
  std::printf("skin: %zu bytes compressed, %zu bytes expanded\n", skin.size(), expanded);
  std::printf("LoadSkinFromStream: median %.2f ms, best %.2f ms over %d rounds\n", load,
              *std::min_element(loads.begin(), loads.end()), rounds);
  std::printf("expansion alone: median %.2f ms, %.1f MB/s of output\n", expand,
              expanded / 1e6 / (expand / 1000.0));
  constexpr double kGoalMs = 50;
  std::printf("goal: load under %.0f ms: %s\n", kGoalMs, load < kGoalMs ? "met" : "MISSED");
  return load < kGoalMs ? 0 : 1;
}
