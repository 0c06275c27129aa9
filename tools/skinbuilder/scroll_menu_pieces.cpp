// Menu items and menu background, scroll bars, track bars and spin buttons.
#include <algorithm>
#include <functional>

#include "design.h"
#include "pieces.h"

namespace sb {

using namespace design;

namespace {

constexpr TColor kTrackFill = Rgb(238, 241, 249);
constexpr TColor kThumb = Rgb(168, 180, 210);
constexpr TColor kThumbHot = Rgb(128, 146, 190);

// Menu item frames: 1 normal, 2 separator (in its bottom rows), 3 selected
// and disabled, 4 selected, 5 checked.
TBitmap MenuItem() {
  constexpr int w = 24, h = 22;
  return Strip(w, h, 5, false, [&](TBitmap& b, int k) {
    switch (k) {
      case 1: HLine(b, 2, w - 2, h - 3, kLineSoft); break;
      case 2: FillShape(b, RoundRect(1, 1, w - 1, h - 1, 3), Solid(Rgb(234, 237, 244)), kPanel); break;
      case 3:
        FillShape(b, RoundRect(1, 1, w - 1, h - 1, 3), Solid(kAccentLine), kPanel);
        FillShape(b, RoundRect(2, 2, w - 2, h - 2, 2), Solid(kAccentSoft), kAccentLine);
        break;
      case 4: FillShape(b, RoundRect(1, 1, w - 1, h - 1, 3), Solid(Mix(kAccentSoft, kAccent, 0.15)), kPanel); break;
    }
  });
}

TBitmap MenuBackground() {
  TBitmap b(24, 24, kPanel);
  Frame(b, 0, 0, 24, 24, kLine);
  Frame(b, 1, 1, 22, 22, kWhite);
  return b;
}

// A chevron pointing up, down, left or right, centred in a w x h box.
enum class Dir { Up, Down, Left, Right };

void Chevron(TBitmap& b, Dir d, double cx, double cy, double s, TColor ink, TColor matte) {
  double a = s, c = s / 2;
  Shape sh;
  switch (d) {
    case Dir::Up: sh = Union(Segment(cx - a, cy + c, cx, cy - c, 1.5), Segment(cx, cy - c, cx + a, cy + c, 1.5)); break;
    case Dir::Down: sh = Union(Segment(cx - a, cy - c, cx, cy + c, 1.5), Segment(cx, cy + c, cx + a, cy - c, 1.5)); break;
    case Dir::Left: sh = Union(Segment(cx + c, cy - a, cx - c, cy, 1.5), Segment(cx - c, cy, cx + c, cy + a, 1.5)); break;
    case Dir::Right: sh = Union(Segment(cx - c, cy - a, cx + c, cy, 1.5), Segment(cx + c, cy, cx - c, cy + a, 1.5)); break;
  }
  FillShape(b, sh, Solid(ink), matte);
}

// Scroll bar parts, 17 x 17 each, 23 frames: arrows up, down, left and
// right in four states each (normal, hot, pressed, disabled), the horizontal
// and the vertical track (normal, pressed), the size box, and the grip marks
// of a horizontal and a vertical thumb.
TBitmap ScrollBarParts() {
  constexpr int s = 17;
  return Strip(s, s, 23, false, [&](TBitmap& b, int k) {
    FillRect(b, 0, 0, s, s, kTrackFill);
    if (k < 16) {
      int state = k % 4;
      Dir d = Dir(k / 4);
      TColor fill = state == 1 ? kAccentSoft : state == 2 ? Mix(kAccentSoft, kAccent, 0.22) : kTrackFill;
      if (fill != kTrackFill) FillShape(b, RoundRect(1, 1, s - 1, s - 1, 3), Solid(fill), kTrackFill);
      TColor ink = state == 3 ? kLineDisabled : state == 0 ? Rgb(96, 108, 140) : kAccentDark;
      Chevron(b, d, s / 2.0, s / 2.0, 3.2, ink, fill);
    } else if (k == 17 || k == 19) {
      FillRect(b, 0, 0, s, s, Rgb(222, 229, 245));
    } else if (k == 20) {
      FillRect(b, 0, 0, s, s, kFaceLight);
    } else if (k == 21 || k == 22) {
      for (int i = -1; i <= 1; ++i) {
        if (k == 21) VLine(b, s / 2 + 2 * i, 6, 11, kWhite);
        else HLine(b, 6, 11, s / 2 + 2 * i, kWhite);
      }
    }
  });
}

// Scroll shafts: 1 normal, 2 hot, 3 pressed, 4 disabled.
TBitmap HorzShaft() {
  return Strip(24, 17, 4, false, [](TBitmap& b, int k) {
    TColor fill = k == 2 ? Rgb(222, 229, 245) : k == 3 ? Rgb(244, 246, 250) : kTrackFill;
    FillRect(b, 0, 0, 24, 17, fill);
    HLine(b, 0, 24, 0, kLineSoft);
  });
}

// Thumbs: 1 normal, 2 hot, 3 pressed.
TBitmap HorzThumbFrame(int k) {
  TBitmap b(24, 17, kKey);
  TColor fill = k == 0 ? kThumb : k == 1 ? kThumbHot : kAccent;
  FillShape(b, RoundRect(1, 4.5, 23, 12.5, 4), Solid(fill), kTrackFill);
  return b;
}

// Spin buttons: frames 1 to 4 the first arrow (up or left), 5 to 8 the
// second (down or right), each normal, hot, pressed, disabled.
TBitmap SpinFrame(bool vertical, int k) {
  int w = vertical ? 16 : 11, h = vertical ? 11 : 16;
  TBitmap b(w, h, kKey);
  int state = k % 4;
  TColor line = state == 3 ? kLineDisabled : state == 0 ? kLine : kAccentLine;
  TColor top = state == 1 ? kWhite : state == 2 ? kAccentSoft : state == 3 ? Rgb(240, 242, 247) : kWhite;
  TColor bottom = state == 1 ? Rgb(224, 234, 253) : state == 2 ? kAccentSoft : state == 3 ? Rgb(240, 242, 247)
                                                                                            : Rgb(235, 240, 251);
  FillShape(b, RoundRect(0, 0, w, h, 2.5), Solid(line), kFace);
  FillShape(b, RoundRect(1, 1, w - 1, h - 1, 1.5), VGradient(top, bottom, 1, h - 1), line);
  Dir d = vertical ? (k < 4 ? Dir::Up : Dir::Down) : (k < 4 ? Dir::Left : Dir::Right);
  TColor ink = state == 3 ? kTextDisabled : kText;
  Chevron(b, d, w / 2.0, h / 2.0, 2.5, ink, Mix(top, bottom, 0.5));
  return b;
}

// Track bar thumb pointing down, 11 x 19: 1 normal, 2 hot, 3 pressed,
// 4 disabled, 5 focused.
TBitmap ThumbDown(int k) {
  TBitmap b(11, 19, kKey);
  TColor line = k == 3 ? kLineDisabled : k == 1 ? kAccentLine : k == 2 || k == 4 ? kAccent : kLine;
  TColor top = k == 2 ? kAccentSoft : k == 3 ? Rgb(240, 242, 247) : kWhite;
  TColor bottom = k == 2 ? kAccentSoft : k == 3 ? Rgb(240, 242, 247) : k == 1 ? Rgb(224, 234, 253) : Rgb(232, 238, 250);
  Shape outer = Polygon({0, 2, 2, 0, 9, 0, 11, 2, 11, 13, 5.5, 19, 0, 13});
  Shape inner = Polygon({1, 2.4, 2.4, 1, 8.6, 1, 10, 2.4, 10, 12.6, 5.5, 17.5, 1, 12.6});
  FillShape(b, outer, Solid(line), kFace);
  FillShape(b, inner, VGradient(top, bottom, 1, 17), line);
  return b;
}

TBitmap FramesOf(int n, const std::function<TBitmap(int)>& frame) {
  TBitmap first = frame(0);
  TBitmap out(first.Width() * n, first.Height(), kKey);
  for (int i = 0; i < n; ++i) Blit(out, frame(i), i * first.Width(), 0);
  return out;
}

TBitmap Groove(int length, int thickness) {
  TBitmap b(length, thickness, kKey);
  FillShape(b, RoundRect(0, 0, length, thickness, thickness / 2.0), Solid(Rgb(176, 188, 214)), kFace);
  FillShape(b, RoundRect(1, 1, length - 1, thickness, thickness / 2.0 - 1), Solid(Rgb(198, 208, 230)),
            Rgb(176, 188, 214));
  return b;
}

}  // namespace

void DrawScrollAndMenuPieces(std::vector<Piece>& out) {
  out.push_back({"menuitem.bmp", MenuItem(), 8});
  out.push_back({"menubg.bmp", MenuBackground(), 4});
  out.push_back({"scrollbar.bmp", ScrollBarParts(), 8});
  out.push_back({"hscroll.bmp", HorzShaft(), 4});
  out.push_back({"vscroll.bmp", FramesOf(4, [](int k) { return Transpose(Crop(HorzShaft(), 24 * k, 0, 24, 17)); }), 4});
  out.push_back({"hthumb.bmp", FramesOf(3, HorzThumbFrame), 8});
  out.push_back({"vthumb.bmp", FramesOf(3, [](int k) { return Transpose(HorzThumbFrame(k)); }), 8});
  out.push_back({"thumbdown.bmp", FramesOf(5, ThumbDown), 8});
  out.push_back({"thumbup.bmp", FramesOf(5, [](int k) { return MirrorY(ThumbDown(k)); }), 8});
  out.push_back({"thumbright.bmp", FramesOf(5, [](int k) { return Transpose(ThumbDown(k)); }), 8});
  out.push_back({"thumbleft.bmp", FramesOf(5, [](int k) { return MirrorX(Transpose(ThumbDown(k))); }), 8});
  out.push_back({"updownv.bmp", FramesOf(8, [](int k) { return SpinFrame(true, k); }), 8});
  out.push_back({"updownh.bmp", FramesOf(8, [](int k) { return SpinFrame(false, k); }), 8});
  out.push_back({"track.bmp", Groove(24, 6), 8});
  out.push_back({"trackvert.bmp", Transpose(Groove(24, 6)), 8});
}

TBitmap DrawTrackResource(bool vertical) {
  TBitmap b = Groove(16, 4);
  return vertical ? Transpose(b) : b;
}

}  // namespace sb
