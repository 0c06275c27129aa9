// The window frame: borders cut from one drawn frame, so that the pieces meet
// without seams, the menu bar, the caption buttons and the MDI buttons.
#include <algorithm>
#include <cmath>

#include "design.h"
#include "pieces.h"

namespace sb {

using namespace design;

namespace {

// Behind the rounded top corners lies whatever the desktop shows: a neutral
// grey keeps their soft edge acceptable on light and dark backgrounds alike.
constexpr TColor kDesktopMatte = Rgb(170, 174, 184);
constexpr int kFrameW = kTopWidth + 2 * kSide;
constexpr int kFrameH = kCaption + 31 + kSide;

TBitmap DrawWholeFrame(bool active) {
  TBitmap f(kFrameW, kFrameH, kKey);
  TColor outline = active ? kOutline : kOutlineInactive;
  TColor top = active ? kCaptionTop : kCaptionTopInactive;
  TColor bottom = active ? kCaptionBottom : kCaptionBottomInactive;
  const double r = kCornerRadius;
  Shape outer = Union(RoundRect(0, 0, kFrameW, kFrameH, r), RoundRect(0, kFrameH / 2.0, kFrameW, kFrameH, 0));
  Shape inner = Union(RoundRect(1, 1, kFrameW - 1, kFrameH - 1, r - 1),
                      RoundRect(1, kFrameH / 2.0, kFrameW - 1, kFrameH - 1, 0));
  FillShape(f, outer, Solid(outline), kDesktopMatte);
  Paint body = [=](int x, int y) {
    (void)x;
    return y < kCaption ? Mix(top, bottom, (y - 1.0) / (kCaption - 2.0)) : bottom;
  };
  FillShape(f, inner, body, outline);
  // A soft light line under the top edge gives the caption some depth.
  for (int x = int(r); x < kFrameW - int(r); ++x) f.SetPixel(x, 1, Mix(f.Pixel(x, 1), kWhite, 0.7));
  // The client area is framed by a faint line inside the borders.
  TColor inside = active ? kLineSoft : Mix(kLineSoft, bottom, 0.4);
  VLine(f, kSide - 1, kCaption, kFrameH - kSide + 1, inside);
  VLine(f, kFrameW - kSide, kCaption, kFrameH - kSide + 1, inside);
  HLine(f, kSide - 1, kFrameW - kSide + 1, kFrameH - kSide, inside);
  return f;
}

// Frame k (0-based) of a caption button: 0 normal, 1 pressed, 2 hot,
// 3 inactive, 4 inactive and hot, 5 disabled.
enum class Glyph { Close, Minimize, Maximize, Restore };

TColor CaptionAt(bool active, int y) {
  return active ? Mix(kCaptionTop, kCaptionBottom, (y - 1.0) / (kCaption - 2.0))
                : Mix(kCaptionTopInactive, kCaptionBottomInactive, (y - 1.0) / (kCaption - 2.0));
}

void DrawGlyph(TBitmap& b, Glyph g, int cx, int cy, TColor ink, TColor matte, int size) {
  int h = size / 2;
  switch (g) {
    case Glyph::Close: {
      double x0 = cx - h + 0.5, x1 = cx + h + 0.5, y0 = cy - h + 0.5, y1 = cy + h + 0.5;
      FillShape(b, Union(Segment(x0, y0, x1, y1, 1.45), Segment(x1, y0, x0, y1, 1.45)), Solid(ink), matte);
      break;
    }
    case Glyph::Minimize:
      HLine(b, cx - h, cx + h + 1, cy, ink);
      break;
    case Glyph::Maximize:
      Frame(b, cx - h, cy - h, 2 * h + 1, 2 * h + 1, ink);
      break;
    case Glyph::Restore: {
      int s = 2 * h - 1;
      // The back window shows only its top and right edges.
      HLine(b, cx - h + 2, cx + h + 1, cy - h, ink);
      VLine(b, cx + h, cy - h, cy + h - 1, ink);
      Frame(b, cx - h, cy - h + 2, s, s, ink);
      break;
    }
  }
}

TBitmap CaptionButton(Glyph g) {
  return Strip(kCapButtonW, kCapButtonH, 6, false, [&](TBitmap& b, int k) {
    bool active = k < 3;
    TColor matte = CaptionAt(active || k == 5, kCapButtonY + kCapButtonH / 2);
    if (k == 3 || k == 5) matte = CaptionAt(false, kCapButtonY + kCapButtonH / 2);
    bool close = g == Glyph::Close;
    TColor fill = kKey;
    if (k == 2 || k == 4) fill = close ? kClose : kAccentSoft;
    if (k == 1) fill = close ? kCloseDark : Mix(kAccentSoft, kAccent, 0.22);
    if (fill != kKey) FillShape(b, RoundRect(1, 1, kCapButtonW - 1, kCapButtonH - 1, 4), Solid(fill), matte);
    TColor ink = kTitleText;
    if (k == 3) ink = kTitleTextInactive;
    if (k == 5) ink = Mix(kTitleTextInactive, matte, 0.5);
    if (close && (k == 1 || k == 2 || k == 4)) ink = kWhite;
    DrawGlyph(b, g, kCapButtonW / 2 - 1, kCapButtonH / 2 - 1, ink, fill == kKey ? matte : fill, 10);
  });
}

// The window icon of the caption: a blue tile with signal-strength bars.
// The frame painter puts the program's own icon in its place; this one is
// the stand-in for windows without an icon.
TBitmap SystemIcon() {
  TBitmap b(16, 16, kKey);
  FillShape(b, RoundRect(0.5, 0.5, 15.5, 15.5, 3.5), VGradient(Lighten(kAccent, 0.25), kAccentDark, 0, 16), kFace);
  for (int i = 0; i < 4; ++i) {
    double x = 3 + 2.6 * i, top = 10.5 - 2.2 * i;
    FillShape(b, RoundRect(x, top, x + 1.8, 12.5, 0.5), Solid(kWhite), kAccent);
  }
  return b;
}

// Twelve columns: minimize, restore and close of a maximized MDI child, four
// frames each (normal, pressed, hot, hot in the menu bar).
TBitmap MdiButtons() {
  constexpr int w = 16, h = 14;
  TBitmap out(w * 12, h, kKey);
  const Glyph glyphs[3] = {Glyph::Minimize, Glyph::Restore, Glyph::Close};
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 4; ++k) {
      TBitmap b(w, h, kKey);
      TColor fill = k == 0 ? kKey : k == 1 ? Mix(kAccentSoft, kAccent, 0.22) : kAccentSoft;
      if (fill != kKey) FillShape(b, RoundRect(0.5, 0.5, w - 0.5, h - 0.5, 3), Solid(fill), kFaceLight);
      DrawGlyph(b, glyphs[i], w / 2 - 1, h / 2 - 1, kTitleText, fill == kKey ? kFaceLight : fill, 8);
      Blit(out, b, (4 * i + k) * w, 0);
    }
  return out;
}

TBitmap MenuBar() {
  return Strip(40, 20, 2, true, [](TBitmap& b, int k) {
    FillRect(b, 0, 0, b.Width(), b.Height(), k == 0 ? kFaceLight : kCaptionBottomInactive);
    HLine(b, 0, b.Width(), b.Height() - 1, k == 0 ? kLineSoft : Mix(kLineSoft, kCaptionBottomInactive, 0.4));
  });
}

}  // namespace

void DrawFramePieces(std::vector<Piece>& out) {
  TBitmap a = DrawWholeFrame(true), i = DrawWholeFrame(false);
  auto pair = [](const TBitmap& x, const TBitmap& y, bool stacked) {
    TBitmap r(stacked ? x.Width() : x.Width() * 2, stacked ? x.Height() * 2 : x.Height(), kKey);
    Blit(r, x, 0, 0);
    Blit(r, y, stacked ? 0 : x.Width(), stacked ? x.Height() : 0);
    return r;
  };
  out.push_back({"left.bmp", pair(Crop(a, 0, 0, kSide, kFrameH), Crop(i, 0, 0, kSide, kFrameH), false), 8});
  out.push_back({"right.bmp",
                 pair(Crop(a, kFrameW - kSide, 0, kSide, kFrameH), Crop(i, kFrameW - kSide, 0, kSide, kFrameH), false),
                 8});
  out.push_back({"top.bmp", pair(Crop(a, kSide, 0, kTopWidth, kCaption), Crop(i, kSide, 0, kTopWidth, kCaption), true),
                 24});
  out.push_back({"bottom.bmp",
                 pair(Crop(a, kSide, kFrameH - kSide, kTopWidth, kSide), Crop(i, kSide, kFrameH - kSide, kTopWidth, kSide),
                      true),
                 4});
  out.push_back({"menubar.bmp", MenuBar(), 4});
  out.push_back({"close.bmp", CaptionButton(Glyph::Close), 32});
  out.push_back({"maximize.bmp", CaptionButton(Glyph::Maximize), 32});
  out.push_back({"restore.bmp", CaptionButton(Glyph::Restore), 32});
  out.push_back({"minimize.bmp", CaptionButton(Glyph::Minimize), 32});
  out.push_back({"sysicon.bmp", SystemIcon(), 8});
  out.push_back({"mdicontrols.bmp", MdiButtons(), 8});
}

TBitmap DrawMenuGlyphs() {
  TBitmap out(64, 16, kWhite);
  const Glyph glyphs[4] = {Glyph::Restore, Glyph::Maximize, Glyph::Minimize, Glyph::Close};
  for (int i = 0; i < 4; ++i) {
    TBitmap b(16, 16, kWhite);
    DrawGlyph(b, glyphs[i], 7, 8, kText, kWhite, 8);
    Blit(out, b, 16 * i, 0);
  }
  return out;
}

}  // namespace sb
