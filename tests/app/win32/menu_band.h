// A popup menu's border as the screen shows it, against the skin's menu
// background rendered at the menu's size: the outer band must be the
// skin's, whatever the system drew there first.
#pragma once

#include "win32/skinned_fixture.h"  // first: <windows.h> with its macros tamed

#include <algorithm>
#include <cstdlib>

#include "framework/bitmap.h"
#include "skin/paint/menu_painter.h"
#include "skin/skin_data.h"

namespace skintest {

// The band the skin paints over the system's frame, and how far a screen
// pixel may stray from the skin's per channel.
inline constexpr int kMenuBand = 3;
inline constexpr int kChannelTolerance = 4;

inline bool NearColour(fw::TColor a, fw::TColor b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > kChannelTolerance) return false;
  return true;
}

// How many pixels of the outer band differ between the two pictures
// (none when the sizes differ: then every band pixel counts).
inline int BandMismatches(const fw::TBitmap& shown, const fw::TBitmap& expected) {
  const int w = expected.Width(), h = expected.Height();
  int bad = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool band = x < kMenuBand || y < kMenuBand || x >= w - kMenuBand || y >= h - kMenuBand;
      if (!band) continue;
      if (shown.Width() != w || shown.Height() != h || !NearColour(shown.Pixel(x, y), expected.Pixel(x, y))) ++bad;
    }
  return bad;
}

struct BandLook {
  int mismatches = -1;  // -1: the skin has no menu background
  int band_pixels = 0;
};

// Waits (off the GUI thread) until the open menu's band on screen is the
// skin's, or the time is up; reports the last look.
inline BandLook WaitForSkinnedBand(HWND menu, const TSkinData& data, int timeout_ms) {
  BandLook look;
  for (int waited = 0;; waited += 50) {
    RECT r;
    if (!GetWindowRect(menu, &r)) return look;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const fw::TBitmap expected = skin::paint::RenderMenuBackground(data, w, h);
    if (expected.Empty()) return look;
    look.band_pixels = w * h - std::max(0, w - 2 * kMenuBand) * std::max(0, h - 2 * kMenuBand);
    look.mismatches = BandMismatches(ScreenPixels(r), expected);
    if (look.mismatches == 0 || waited >= timeout_ms) return look;
    Sleep(50);
  }
}

}  // namespace skintest
