#include "skin/paint/primitives.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "skin/paint/grid_copy.h"
#include "skin/skin_objects.h"

namespace skin::paint {

using detail::Bounds;
using detail::DrawGrid;
using detail::Intersect;
using detail::Segment;

namespace {

// Where frame n lies in a strip.
struct Area {
  int x = 0, y = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
};

Area FrameArea(const fw::TBitmap& strip, int frames, int n, Orientation o) {
  frames = std::max(frames, 1);
  n = std::clamp(n, 1, frames);
  Area a;
  if (o == Orientation::SideBySide) {
    a.w = strip.Width() / frames;
    a.h = strip.Height();
    a.x = (n - 1) * a.w;
  } else {
    a.w = strip.Width();
    a.h = strip.Height() / frames;
    a.y = (n - 1) * a.h;
  }
  return a.Empty() ? Area{} : a;
}

// Fixed parts at both ends of a target of the given length drawn from a
// source of the given length: negative ones count as 0, and both become 0
// when they do not fit into the target or the source, or leave a middle to
// fill with no source middle to fill it from.
void FitMargins(int& a, int& b, int64_t target, int source) {
  a = std::max(a, 0);
  b = std::max(b, 0);
  const int64_t sum = int64_t(a) + b;
  if (sum > target || sum > source || (sum == source && target > sum)) a = b = 0;
}

int64_t Width(const fw::TRect& r) { return int64_t(r.Right) - r.Left; }
int64_t Height(const fw::TRect& r) { return int64_t(r.Bottom) - r.Top; }

// The area of src stretched to r.
void StretchArea(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& src, const Area& a, bool transparent) {
  if (a.Empty()) return;
  DrawGrid(dst, Bounds(dst), {Segment{r.Left, Width(r), a.x, a.w}}, {Segment{r.Top, Height(r), a.y, a.h}}, src,
           transparent);
}

}  // namespace

Margins MarginsOf(const TDataSkinObject& obj) {
  return Margins{obj.LeftWidth, obj.TopHeight, obj.RightWidth, obj.BottomHeight};
}

fw::TBitmap CutFrame(const fw::TBitmap& strip, int frames, int n, Orientation o) {
  const Area a = FrameArea(strip, frames, n, o);
  fw::TBitmap out;
  if (a.Empty()) return out;
  out.SetSize(a.w, a.h);
  out.Transparent = strip.Transparent;
  out.TransparentColor = strip.TransparentColor;
  DrawGrid(out, Bounds(out), {Segment{0, a.w, a.x, a.w}}, {Segment{0, a.h, a.y, a.h}}, strip, false);
  return out;
}

fw::TBitmap NineSlice(const fw::TBitmap& strip, int frames, int n, Orientation o, Margins m, bool tile, int w,
                      int h) {
  fw::TBitmap out;
  const Area a = FrameArea(strip, frames, n, o);
  if (a.Empty() || !detail::SizeFits(w, h)) return out;
  out.SetSize(w, h);
  FitMargins(m.left, m.right, w, a.w);
  FitMargins(m.top, m.bottom, h, a.h);
  const int mw = w - m.left - m.right, mh = h - m.top - m.bottom;
  const int sw = a.w - m.left - m.right, sh = a.h - m.top - m.bottom;
  // Corners copied, edges and centre stretched ...
  DrawGrid(out, Bounds(out),
           {Segment{0, m.left, a.x, m.left}, Segment{m.left, mw, a.x + m.left, sw},
            Segment{w - m.right, m.right, a.x + a.w - m.right, m.right}},
           {Segment{0, m.top, a.y, m.top}, Segment{m.top, mh, a.y + m.top, sh},
            Segment{h - m.bottom, m.bottom, a.y + a.h - m.bottom, m.bottom}},
           strip, false);
  // ... then the centre repeated instead, when it is tiled.
  if (tile)
    DrawGrid(out, Bounds(out), {Segment{m.left, mw, a.x + m.left, sw, true}},
             {Segment{m.top, mh, a.y + m.top, sh, true}}, strip, false);
  return out;
}

fw::TBitmap NineSlice(const TDataSkinObject& obj, int n, Orientation o, int w, int h) {
  return NineSlice(obj.Image, obj.Frames, n, o, MarginsOf(obj), obj.Tile == 1, w, h);
}

void Draw(fw::TBitmap& dst, int x, int y, const fw::TBitmap& src, bool transparent) {
  DrawGrid(dst, Bounds(dst), {Segment{x, src.Width(), 0, src.Width()}}, {Segment{y, src.Height(), 0, src.Height()}},
           src, transparent);
}

void StretchDraw(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& src, bool transparent) {
  StretchArea(dst, r, src, Area{0, 0, src.Width(), src.Height()}, transparent);
}

void DrawFrameStrip(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& strip, int frames, int n,
                    bool transparent) {
  StretchArea(dst, r, strip, FrameArea(strip, frames, n, Orientation::SideBySide), transparent);
}

void DrawThreePartBand(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& strip, int frames, int n,
                       Orientation o, int left, int right, bool transparent) {
  const Area a = FrameArea(strip, frames, n, o);
  const int64_t w = Width(r);
  if (a.Empty() || w <= 0) return;
  FitMargins(left, right, w, a.w);
  DrawGrid(dst, Bounds(dst),
           {Segment{r.Left, left, a.x, left}, Segment{int64_t(r.Left) + left, w - left - right, a.x + left,
                                                      a.w - left - right, true},
            Segment{int64_t(r.Right) - right, right, a.x + a.w - right, right}},
           {Segment{r.Top, Height(r), a.y, a.h}}, strip, transparent);
}

void DrawCentredFrame(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& strip, int frames, int n,
                      bool transparent) {
  const Area a = FrameArea(strip, frames, n, Orientation::SideBySide);
  if (a.Empty()) return;
  const int64_t x = r.Left + (Width(r) - a.w) / 2, y = r.Top + (Height(r) - a.h) / 2;
  DrawGrid(dst, Bounds(dst), {Segment{x, a.w, a.x, a.w}}, {Segment{y, a.h, a.y, a.h}}, strip, transparent);
}

bool IsKeyColoured(fw::TColor pixel, fw::TColor key) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int p = int((pixel >> shift) & 0xFF), k = int((key >> shift) & 0xFF);
    if (p < k || p > std::min(k + 1, 255)) return false;
  }
  return true;
}

std::vector<fw::TRect> RegionRuns(const fw::TBitmap& img, int dx, int dy, fw::TColor key) {
  std::vector<fw::TRect> runs;
  for (int y = 0; y < img.Height(); ++y) {
    const fw::TColor* row = img.Row(y);
    for (int x = 0; x < img.Width();) {
      if (IsKeyColoured(row[x], key)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < img.Width() && !IsKeyColoured(row[x], key)) ++x;
      runs.push_back(fw::TRect{start + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  return runs;
}

void FillRect(fw::TBitmap& dst, const fw::TRect& r, fw::TColor c) {
  const fw::TRect v = Intersect(r, Bounds(dst));
  // A bitmap without columns has no rows to point into.
  if (v.Left >= v.Right) return;
  for (int y = v.Top; y < v.Bottom; ++y) std::fill(dst.Row(y) + v.Left, dst.Row(y) + v.Right, c);
}

void FrameRect(fw::TBitmap& dst, const fw::TRect& r, fw::TColor c) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  FillRect(dst, fw::TRect{r.Left, r.Top, r.Right, r.Top + 1}, c);
  FillRect(dst, fw::TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
  FillRect(dst, fw::TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, c);
  FillRect(dst, fw::TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, c);
}

void Frame3D(fw::TBitmap& dst, const fw::TRect& r, fw::TColor top_left, fw::TColor bottom_right) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  // The bottom and right lines own the top-right and bottom-left corners.
  FillRect(dst, fw::TRect{r.Left, r.Top, r.Right - 1, r.Top + 1}, top_left);
  FillRect(dst, fw::TRect{r.Left, r.Top, r.Left + 1, r.Bottom - 1}, top_left);
  FillRect(dst, fw::TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottom_right);
  FillRect(dst, fw::TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, bottom_right);
}

void DrawFocusRect(fw::TBitmap& dst, const fw::TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const fw::TRect v = Intersect(r, Bounds(dst));
  auto dot = [&](int x, int y) {
    if (((int64_t(x) - r.Left + y - r.Top) & 1) == 0) dst.SetPixel(x, y, dst.Pixel(x, y) ^ 0xFFFFFF);
  };
  // Each pixel of the frame once, also when r is one pixel wide or high.
  for (int x = v.Left; x < v.Right; ++x) {
    if (r.Top >= v.Top) dot(x, r.Top);
    if (r.Bottom - 1 > r.Top && r.Bottom <= v.Bottom) dot(x, r.Bottom - 1);
  }
  for (int y = std::max(v.Top, r.Top + 1); y < std::min(v.Bottom, r.Bottom - 1); ++y) {
    if (r.Left >= v.Left) dot(r.Left, y);
    if (r.Right - 1 > r.Left && r.Right <= v.Right) dot(r.Right - 1, y);
  }
}

void RoundRectFrame(fw::TBitmap& dst, const fw::TRect& r, int rx, int ry, fw::TColor c) {
  const int64_t w = Width(r), h = Height(r);
  if (w <= 0 || h <= 0) return;
  rx = int(std::clamp<int64_t>(rx, 0, std::min<int64_t>(w, 64)));
  ry = int(std::clamp<int64_t>(ry, 0, std::min<int64_t>(h, 64)));
  if (rx < 3 || ry < 3) return FrameRect(dst, r, c);
  // The corner ellipse's left and right halves (a columns each) go to the
  // left and right corners, its top and bottom halves (b rows) to the top
  // and bottom; a middle column or row of an odd size lies on the straight
  // lines between them.
  const int a = rx / 2, b = ry / 2;
  auto put = [&](int ex, int ey) {
    int64_t x, y;
    if (ex < a) x = r.Left + ex;
    else if (ex >= rx - a) x = int64_t(r.Right) - rx + ex;
    else return;
    if (ey < b) y = r.Top + ey;
    else if (ey >= ry - b) y = int64_t(r.Bottom) - ry + ey;
    else return;
    if (x >= 0 && y >= 0 && x < dst.Width() && y < dst.Height()) dst.SetPixel(int(x), int(y), c);
  };
  // The ellipse outline, column by column and row by row so that steep and
  // flat parts both stay connected.
  const double cx = (rx - 1) / 2.0, cy = (ry - 1) / 2.0;
  for (int ex = 0; ex < rx; ++ex) {
    const double t = (ex - cx) / cx, d = cy * std::sqrt(std::max(0.0, 1 - t * t));
    put(ex, int(std::lround(cy - d)));
    put(ex, int(std::lround(cy + d)));
  }
  for (int ey = 0; ey < ry; ++ey) {
    const double t = (ey - cy) / cy, d = cx * std::sqrt(std::max(0.0, 1 - t * t));
    put(int(std::lround(cx - d)), ey);
    put(int(std::lround(cx + d)), ey);
  }
  const int64_t left = int64_t(r.Left) + a, right = int64_t(r.Right) - a;
  const int64_t top = int64_t(r.Top) + b, bottom = int64_t(r.Bottom) - b;
  auto fill = [&](int64_t l, int64_t t, int64_t rr, int64_t bb) {
    const fw::TRect box = Bounds(dst);
    FillRect(dst,
             fw::TRect{int(std::clamp<int64_t>(l, 0, box.Right)), int(std::clamp<int64_t>(t, 0, box.Bottom)),
                       int(std::clamp<int64_t>(rr, 0, box.Right)), int(std::clamp<int64_t>(bb, 0, box.Bottom))},
             c);
  };
  fill(left, r.Top, right, int64_t(r.Top) + 1);
  fill(left, int64_t(r.Bottom) - 1, right, r.Bottom);
  fill(r.Left, top, int64_t(r.Left) + 1, bottom);
  fill(int64_t(r.Right) - 1, top, r.Right, bottom);
}

}  // namespace skin::paint
