#include "sheet.h"

#include <algorithm>

#include "design.h"

namespace sb {

using namespace design;

namespace {

const TBitmap& Find(const BuiltSkin& s, const std::string& file) {
  for (const Piece& p : s.pieces)
    if (p.file == file) return p.bmp;
  static const TBitmap empty;
  return empty;
}

// Frame i (0-based) of n frames, side by side or stacked.
TBitmap FrameOf(const TBitmap& strip, int n, int i, bool stacked = false) {
  int w = stacked ? strip.Width() : strip.Width() / n, h = stacked ? strip.Height() / n : strip.Height();
  return Crop(strip, stacked ? 0 : i * w, stacked ? i * h : 0, w, h);
}

// Draws src scaled to w x h with fixed margins and a stretched middle,
// leaving out key-coloured pixels.
void NineSlice(TBitmap& dst, const TBitmap& src, int x, int y, int w, int h, int l, int t, int r, int b) {
  if (l + r > w) l = r = 0;
  if (t + b > h) t = b = 0;
  auto map = [](int d, int size, int lo, int hi, int src_size) {
    if (d < lo) return d;
    if (d >= size - hi) return src_size - (size - d);
    int mid = size - lo - hi, smid = src_size - lo - hi;
    return mid > 0 && smid > 0 ? lo + (d - lo) * smid / mid : lo;
  };
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      TColor c = src.Pixel(map(i, w, l, r, src.Width()), map(j, h, t, b, src.Height()));
      if (c != kKey) dst.SetPixel(x + i, y + j, c);
    }
}

}  // namespace

TBitmap MockWindow(const BuiltSkin& s) {
  constexpr int W = 440, H = 300, T = kCaption, L = kSide, R = kSide, B = kSide, M = 20;
  TBitmap win(W, H, Rgb(96, 104, 122));
  NineSlice(win, FrameOf(Find(s, "left.bmp"), 2, 0), 0, 0, L, H, 0, T + 1, 0, B);
  NineSlice(win, FrameOf(Find(s, "right.bmp"), 2, 0), W - R, 0, R, H, 0, T + 1, 0, B);
  NineSlice(win, FrameOf(Find(s, "bottom.bmp"), 2, 0, true), L, H - B, W - L - R, B, B, 0, B, 0);
  NineSlice(win, FrameOf(Find(s, "top.bmp"), 2, 0, true), L, 0, W - L - R, T, 10, 0, 10, 0);
  Blit(win, Find(s, "sysicon.bmp"), 8, 6, true);
  constexpr int first = kSide + 2 + kCapButtonW, step = kCapButtonW + 2;
  Blit(win, FrameOf(Find(s, "close.bmp"), 6, 2), W - first, kCapButtonY, true);
  Blit(win, FrameOf(Find(s, "maximize.bmp"), 6, 0), W - first - step, kCapButtonY, true);
  Blit(win, FrameOf(Find(s, "minimize.bmp"), 6, 0), W - first - 2 * step, kCapButtonY, true);
  NineSlice(win, FrameOf(Find(s, "menubar.bmp"), 2, 0, true), L, T, W - L - R, M, 2, 0, 2, 0);
  FillRect(win, L, T + M, W - L - R, H - T - M - B, kFace);

  // Group box with check boxes, radio buttons and a combo box.
  int gx = L + 12, gy = T + M + 14;
  NineSlice(win, FrameOf(Find(s, "groupedge.bmp"), 2, 0), gx, gy, 200, 150, 5, 5, 5, 5);
  NineSlice(win, Find(s, "grouplabel.bmp"), gx + 10, gy - 8, 70, 18, 6, 6, 6, 6);
  for (int i = 0; i < 5; ++i) {
    Blit(win, FrameOf(Find(s, "checkbox.bmp"), 5, i), gx + 14, gy + 18 + 20 * i, true);
    Blit(win, FrameOf(Find(s, "radio.bmp"), 5, i), gx + 104, gy + 18 + 20 * i, true);
  }
  // Combo: the edge, the button strip at its right and the arrow.
  for (int k = 0; k < 2; ++k) {
    int cx = gx + 14 + 92 * k, cy = gy + 120, cw = 82;
    NineSlice(win, FrameOf(Find(s, "sunkedge.bmp"), 4, k == 0 ? 0 : 3), cx, cy, cw, 21, 3, 3, 3, 3);
    NineSlice(win, FrameOf(Find(s, "combobutton.bmp"), 4, k == 0 ? 0 : 3), cx + cw - 19, cy, 19, 21, 3, 3, 3, 3);
    Blit(win, FrameOf(Find(s, "extraimages.bmp"), 5, k == 0 ? 0 : 3), cx + cw - 19, cy, true);
  }

  // Push buttons in their states.
  int bx = gx + 220, by = gy;
  for (int i = 0; i < 5; ++i)
    NineSlice(win, FrameOf(Find(s, "buttons.bmp"), 5, i), bx, by + 30 * i, 96, 24, 5, 5, 5, 5);
  // Spin buttons beside them.
  NineSlice(win, FrameOf(Find(s, "updownv.bmp"), 8, 0), bx + 104, by, 16, 12, 3, 3, 3, 3);
  NineSlice(win, FrameOf(Find(s, "updownv.bmp"), 8, 5), bx + 104, by + 12, 16, 12, 3, 3, 3, 3);

  // Progress bar, track bar, scroll bar.
  int px = gx, py = gy + 165;
  NineSlice(win, FrameOf(Find(s, "progress.bmp"), 2, 0), px, py, 200, 14, 4, 4, 4, 4);
  NineSlice(win, Find(s, "progresschunk.bmp"), px + 2, py + 2, 120, 10, 3, 2, 3, 2);
  NineSlice(win, Find(s, "track.bmp"), bx, py + 4, 120, 6, 3, 2, 3, 2);
  Blit(win, FrameOf(Find(s, "thumbdown.bmp"), 5, 0), bx + 40, py - 2, true);
  int sx = W - R - 17, sy = T + M;
  NineSlice(win, FrameOf(Find(s, "vscroll.bmp"), 4, 0), sx, sy, 17, H - T - M - B - 22, 2, 2, 2, 2);
  Blit(win, FrameOf(Find(s, "scrollbar.bmp"), 23, 0), sx, sy, true);
  Blit(win, FrameOf(Find(s, "scrollbar.bmp"), 23, 4), sx, H - B - 22 - 17, true);
  NineSlice(win, FrameOf(Find(s, "vthumb.bmp"), 3, 0), sx, sy + 30, 17, 60, 0, 6, 0, 6);

  // Status bar with two panels and the size grip.
  int st = H - B - 22;
  NineSlice(win, FrameOf(Find(s, "statusbar.bmp"), 3, 0), L, st, 160, 22, 2, 2, 2, 2);
  NineSlice(win, FrameOf(Find(s, "statusbar.bmp"), 3, 0), L + 160, st, W - L - R - 160, 22, 2, 2, 2, 2);
  Blit(win, FrameOf(Find(s, "extraimages.bmp"), 5, 4), W - R - 20, st, true);
  return win;
}

TBitmap EnlargedPiece(const Piece& piece, int scale) {
  const TBitmap& b = piece.bmp;
  TBitmap out(b.Width() * scale, b.Height() * scale);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      TColor c = b.Pixel(x / scale, y / scale);
      if (c == kKey) c = ((x / 4 + y / 4) % 2) ? Rgb(236, 236, 236) : Rgb(206, 206, 206);
      out.SetPixel(x, y, c);
    }
  return out;
}

}  // namespace sb
