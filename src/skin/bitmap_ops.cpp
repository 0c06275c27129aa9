#include "skin/bitmap_ops.h"

#include <algorithm>
#include <array>

namespace skin {

namespace {

fw::TColor Resolve(fw::TColor c) {
  return (c & 0x80000000u) ? fw::ColorToRGB(fw::clSystemColor | (c & 0xFF)) : c;
}

// Floor division for a positive divisor.
int FloorDiv(int a, int d) { return a >= 0 ? a / d : -((-a + d - 1) / d); }

struct GradientSlot {
  int n = -1;
  fw::TColor c1 = 0, c2 = 0;
  std::vector<fw::TColor> colours;
};
std::array<GradientSlot, 16> g_gradients;
size_t g_next_gradient = 0;

}  // namespace

fw::TColor MixColors(fw::TColor c1, fw::TColor c2, int w) {
  c1 = Resolve(c1);
  c2 = Resolve(c2);
  const int s = w < 100 ? 100 : 1000;
  fw::TColor r = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = int((c1 >> shift) & 0xFF), b = int((c2 >> shift) & 0xFF);
    const int v = (b * (s - w) + a * w + s / 2) / s;
    r |= fw::TColor(v & 0xFF) << shift;
  }
  return r;
}

int ColorSaturation(fw::TColor c) {
  const int r = fw::GetRValue(c), g = fw::GetGValue(c), b = fw::GetBValue(c);
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  if (hi <= 159) return 200;
  // (hi - lo) / hi * 255, rounded half to even, in integers.
  const int num = (hi - lo) * 255;
  int q = num / hi;
  const int rem2 = 2 * (num % hi);
  if (rem2 > hi || (rem2 == hi && (q & 1))) ++q;
  return q;
}

const std::vector<fw::TColor>& GradientColors(int n, fw::TColor c1, fw::TColor c2) {
  if (n < 0) n = 0;
  c1 = Resolve(c1) & 0xFFFFFF;
  c2 = Resolve(c2) & 0xFFFFFF;
  for (const GradientSlot& s : g_gradients)
    if (s.n == n && s.c1 == c1 && s.c2 == c2) return s.colours;

  GradientSlot& slot = g_gradients[g_next_gradient];
  g_next_gradient = (g_next_gradient + 1) % g_gradients.size();
  slot.n = n;
  slot.c1 = c1;
  slot.c2 = c2;
  slot.colours.assign(size_t(n), 0);
  for (int i = 0; i < n; ++i) {
    fw::TColor c = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int a = int((c1 >> shift) & 0xFF), b = int((c2 >> shift) & 0xFF);
      int v;
      if (n == 1) {
        v = (a + b) / 2;
      } else {
        // Rounded to the nearest step, so both ends are met exactly.
        const int d = n - 1;
        v = a + FloorDiv(d / 2 + i * (b - a), d);
      }
      c |= fw::TColor(v & 0xFF) << shift;
    }
    slot.colours[size_t(i)] = c;
  }
  return slot.colours;
}

void GradientFill(fw::TCanvas& canvas, const fw::TRect& clip_box, const fw::TRect& r, fw::TColor c1,
                  bool vertical, fw::TColor c2) {
  const fw::TRect v{std::max(r.Left, clip_box.Left), std::max(r.Top, clip_box.Top),
                    std::min(r.Right, clip_box.Right), std::min(r.Bottom, clip_box.Bottom)};
  if (v.Left >= v.Right || v.Top >= v.Bottom) return;
  const int n = vertical ? r.Height() : r.Width();
  const std::vector<fw::TColor>& colours = GradientColors(n, c1, c2);
  const fw::TBrush saved = canvas.Brush;
  if (vertical) {
    for (int y = v.Top; y < v.Bottom; ++y) {
      canvas.Brush = fw::TBrush{colours[size_t(y - r.Top)], false};
      canvas.FillRect(fw::TRect{v.Left, y, v.Right, y + 1});
    }
  } else {
    for (int x = v.Left; x < v.Right; ++x) {
      canvas.Brush = fw::TBrush{colours[size_t(x - r.Left)], false};
      canvas.FillRect(fw::TRect{x, v.Top, x + 1, v.Bottom});
    }
  }
  canvas.Brush = saved;
}

void GradientFill(fw::TBitmap& bmp, const fw::TRect& r, fw::TColor c1, bool vertical, fw::TColor c2) {
  fw::TBitmapCanvas canvas(bmp);
  GradientFill(canvas, fw::TRect{0, 0, bmp.Width(), bmp.Height()}, r, c1, vertical, c2);
}

void ReplaceMagenta(fw::TBitmap& bmp, fw::TColor c) {
  c = Resolve(c) & 0xFFFFFF;
  for (fw::TColor& p : bmp.Pixels()) {
    p &= 0xFFFFFF;
    if (p == 0xFF00FF) p = c;
  }
}

void MirrorHorizontal(fw::TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    fw::TColor* row = bmp.Row(y);
    std::reverse(row, row + bmp.Width());
    for (int x = 0; x < bmp.Width(); ++x) row[x] &= 0xFFFFFF;
  }
}

void FlipVertical(fw::TBitmap& bmp) {
  for (int top = 0, bottom = bmp.Height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(bmp.Row(top), bmp.Row(top) + bmp.Width(), bmp.Row(bottom));
}

void RotateLeft(fw::TBitmap& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  fw::TBitmap r(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) r.SetPixel(y, w - 1 - x, bmp.Pixel(x, y));
  r.Transparent = bmp.Transparent;
  r.TransparentColor = bmp.TransparentColor;
  bmp = std::move(r);
}

void RotateRight(fw::TBitmap& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  fw::TBitmap r(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) r.SetPixel(h - 1 - y, x, bmp.Pixel(x, y));
  r.Transparent = bmp.Transparent;
  r.TransparentColor = bmp.TransparentColor;
  bmp = std::move(r);
}

void MakeGray(fw::TBitmap& bmp) {
  for (fw::TColor& p : bmp.Pixels()) {
    const fw::TColor g = (fw::TColor(fw::GetRValue(p)) + fw::GetGValue(p) + fw::GetBValue(p)) / 3;
    p = g | g << 8 | g << 16;
  }
}

void CopyBitmap(const fw::TBitmap& src, fw::TBitmap& dst) {
  if (&src == &dst) return;
  dst = src;
}

}  // namespace skin
