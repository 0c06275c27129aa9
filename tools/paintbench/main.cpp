// paintbench: how long one repaint of a skinned window frame takes: the
// left, right and bottom border parts and the caption strip with its
// buttons, icon and title rendered from the built-in skin (and, on Win32,
// blitted to a device context); also the window region, which is rebuilt
// only when the size changes.
//
//   paintbench [rounds [width height]]
//
// The goal: a frame repaint well under 2 ms for a 931 x 540 window, so that
// moving, activating and resizing the window never lags. Exits 1 when the
// median repaint misses 1 ms (half the goal, for the margin a slower
// machine needs).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "blit_target.h"
#include "skin/paint/frame_painter.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace skin::paint;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The caption as the configurator's window shows it: the icon, three
// buttons at the right, the title.
CaptionPaint Caption(const TSkinData& skin, int w, int t, const fw::TBitmap& icon) {
  CaptionPaint p;
  p.width = w;
  p.height = t;
  p.left = skin.Left()->Image.Width() / std::max(1, skin.Left()->Frames);
  p.right = skin.Right()->Image.Width() / std::max(1, skin.Right()->Frames);
  p.icon = &icon;
  for (const auto& b : skin.SysButtons()) {
    if (b->Align != 1 && !(b->Action == 3 || b->Action == 11)) continue;
    const int bw = b->Image.Empty() ? 16 : b->Image.Width() / std::max(1, b->Frames);
    const int bh = b->Image.Empty() ? 16 : b->Image.Height();
    const int x = b->Align == 1 ? w - b->Xcoord : b->Xcoord;
    p.buttons.push_back({b.get(), fw::TRect{x, b->Ycoord, x + bw, b->Ycoord + bh}, 1, b->Image.Empty()});
  }
  fw::TFont font = skin.CaptionFont();
  p.texts.push_back({L"GSM SMS Controller Alarm Configurator Ver1.50", font, skin.Colours().TitleTextActive,
                     fw::TRect{30, 0, w - 120, t}, kTextSingleLine | kTextVCenter | kTextNoPrefix, nullptr, {}});
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int w = argc > 3 ? std::clamp(std::atoi(argv[2]), 100, 8000) : 931;
  const int h = argc > 3 ? std::clamp(std::atoi(argv[3]), 100, 8000) : 540;
  std::ifstream f(GSM_SKIN_BUILTIN_DIR "/mxskn.skn", std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "paintbench: cannot open the built-in skin\n");
    return 2;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  TSkinData skin(nullptr);
  skin.LoadSkinFromStream(bytes);
  if (!skin.SkinLoaded()) {
    std::fprintf(stderr, "paintbench: the skin did not load\n");
    return 2;
  }
  const int L = skin.Left()->Image.Width() / skin.Left()->Frames;
  const int R = skin.Right()->Image.Width() / skin.Right()->Frames;
  const int T = skin.Top()->Image.Height() / skin.Top()->Frames;
  const int B = skin.Bottom()->Image.Height() / skin.Bottom()->Frames;
  const fw::TBitmap icon(16, 16, 0x3060C0);
  const CaptionPaint caption = Caption(skin, w, T, icon);
  const bool blit = paintbench::OpenTarget(w, h);

  std::vector<double> repaints, regions;
  fw::TBitmap strip;
  for (int i = 0; i < rounds; ++i) {
    const bool active = i % 2 == 0;
    Clock::time_point t0 = Clock::now();
    const fw::TBitmap left = RenderBorderPart(skin, kPartLeft, L, h, active);
    const fw::TBitmap right = RenderBorderPart(skin, kPartRight, R, h, active);
    const fw::TBitmap bottom = RenderBorderPart(skin, kPartBottom, w - L - R, B, active);
    strip.SetSize(w, T, skin.Colours().ButtonFace);
    CaptionPaint p = caption;
    p.active = active;
    PaintCaption(strip, skin, p);
    if (blit) {
      paintbench::BlitToTarget(left, 0, 0);
      paintbench::BlitToTarget(right, w - R, 0);
      paintbench::BlitToTarget(bottom, L, h - B);
      paintbench::BlitToTarget(strip, 0, 0);
    }
    repaints.push_back(Ms(Clock::now() - t0));

    t0 = Clock::now();
    std::vector<fw::TRect> runs;
    FrameRegionRuns(skin, FrameGeometry{w, h, L, T, R, B}, active, runs);
    regions.push_back(Ms(Clock::now() - t0));
  }
  paintbench::CloseTarget();
  skin::DestroySkinManager();

  const double repaint = Median(repaints), region = Median(regions);
  std::printf("window %d x %d, borders %d/%d/%d/%d, %d rounds\n", w, h, L, T, R, B, rounds);
  std::printf("frame repaint (%s): median %.3f ms, best %.3f ms\n", blit ? "render and blit" : "render only",
              repaint, *std::min_element(repaints.begin(), repaints.end()));
  std::printf("window region runs: median %.3f ms\n", region);
  constexpr double kLimitMs = 1.0;
  std::printf("goal: repaint well under 2 ms (limit %.1f ms): %s\n", kLimitMs, repaint < kLimitMs ? "met" : "MISSED");
  return repaint < kLimitMs ? 0 : 1;
}
