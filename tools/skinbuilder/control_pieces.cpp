// Push buttons, check boxes, radio buttons, the combo box parts, group box,
// status bar, progress bar, tabs and the tool and header bar faces.
#include <algorithm>

#include "design.h"
#include "pieces.h"

namespace sb {

using namespace design;

namespace {

constexpr TColor kFieldDisabled = Rgb(240, 242, 247);

// A rounded box with an outline and a filled inside.
void Box(TBitmap& b, double x0, double y0, double x1, double y1, double r, TColor line, const Paint& fill,
         TColor matte) {
  FillShape(b, RoundRect(x0, y0, x1, y1, r), Solid(line), matte);
  FillShape(b, RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0.0, r - 1)), fill, line);
}

// Push button frames: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused.
TBitmap PushButtons() {
  constexpr int w = 32, h = 24;
  return Strip(w, h, 5, false, [&](TBitmap& b, int k) {
    TColor line = kLine, top = kWhite, bottom = Rgb(235, 240, 251);
    if (k == 1) line = kAccentDark, top = Mix(kAccentSoft, kAccent, 0.18), bottom = kAccentSoft;
    if (k == 2) line = kLineDisabled, top = bottom = Rgb(236, 239, 246);
    if (k == 3) line = kAccentLine, top = kWhite, bottom = Rgb(224, 234, 253);
    if (k == 4) line = kAccent;
    Box(b, 0, 0, w, h, 4, line, VGradient(top, bottom, 1, h - 1), kFace);
    if (k == 4) {
      // Focus: a second, lighter ring inside the accent outline.
      FillShape(b, Subtract(RoundRect(1, 1, w - 1, h - 1, 3), RoundRect(2, 2, w - 2, h - 2, 2)),
                Solid(Rgb(176, 200, 242)), kAccent);
    }
    if (k != 1 && k != 2) HLine(b, 4, w - 4, 1, Mix(top, kWhite, 0.8));
  });
}

void Tick(TBitmap& b, TColor ink, TColor matte) {
  FillShape(b, Union(Segment(3.3, 6.9, 5.5, 9.1, 1.7), Segment(5.5, 9.1, 9.9, 4.1, 1.7)), Solid(ink), matte);
}

// Check box frames: 1 unchecked, 2 checked, 3 unchecked disabled,
// 4 checked disabled, 5 indeterminate.
TBitmap CheckBoxes() {
  return Strip(13, 13, 5, false, [](TBitmap& b, int k) {
    switch (k) {
      case 0: Box(b, 0, 0, 13, 13, 3, kLine, Solid(kWhite), kFace); break;
      case 1:
        FillShape(b, RoundRect(0, 0, 13, 13, 3), VGradient(Lighten(kAccent, 0.12), kAccent, 0, 13), kFace);
        Tick(b, kWhite, kAccent);
        break;
      case 2: Box(b, 0, 0, 13, 13, 3, kLineDisabled, Solid(kFieldDisabled), kFace); break;
      case 3:
        FillShape(b, RoundRect(0, 0, 13, 13, 3), Solid(Rgb(178, 188, 210)), kFace);
        Tick(b, kWhite, Rgb(178, 188, 210));
        break;
      case 4:
        Box(b, 0, 0, 13, 13, 3, kLine, Solid(kWhite), kFace);
        FillShape(b, RoundRect(3, 3, 10, 10, 1.5), Solid(kAccent), kWhite);
        break;
    }
  });
}

// Radio button frames: 1 off, 2 on, 3 off disabled, 4 on disabled, 5 hot.
TBitmap RadioButtons() {
  return Strip(13, 13, 5, false, [](TBitmap& b, int k) {
    auto ring = [&](TColor line, TColor fill) {
      FillShape(b, Circle(6.5, 6.5, 6.5), Solid(line), kFace);
      FillShape(b, Circle(6.5, 6.5, 5.5), Solid(fill), line);
    };
    switch (k) {
      case 0: ring(kLine, kWhite); break;
      case 1:
        FillShape(b, Circle(6.5, 6.5, 6.5), VGradient(Lighten(kAccent, 0.12), kAccent, 0, 13), kFace);
        FillShape(b, Circle(6.5, 6.5, 2.7), Solid(kWhite), kAccent);
        break;
      case 2: ring(kLineDisabled, kFieldDisabled); break;
      case 3:
        FillShape(b, Circle(6.5, 6.5, 6.5), Solid(Rgb(178, 188, 210)), kFace);
        FillShape(b, Circle(6.5, 6.5, 2.7), Solid(kWhite), Rgb(178, 188, 210));
        break;
      case 4: ring(kAccent, Rgb(238, 243, 254)); break;
    }
  });
}

// Combo box and edit edge frames: 1 normal, 2 pressed, 3 disabled,
// 4 hot or focused.
TColor EdgeLine(int k) { return k == 1 ? kAccent : k == 2 ? kLineDisabled : k == 3 ? kAccentLine : kLine; }
TColor FieldFill(int k) { return k == 2 ? kFieldDisabled : kWhite; }

TBitmap SunkenEdge() {
  return Strip(20, 21, 4, false, [](TBitmap& b, int k) { Box(b, 0, 0, 20, 21, 3, EdgeLine(k), Solid(FieldFill(k)), kFace); });
}

// The drop-down button: the right end of the field, with a tinted face when
// hot or pressed. The arrow comes from the extra images.
TBitmap ComboButton() {
  constexpr int w = 19, h = 21;
  return Strip(w, h, 4, false, [&](TBitmap& b, int k) {
    TColor fill = FieldFill(k);
    if (k == 1) fill = kAccentSoft;
    if (k == 3) fill = Rgb(236, 242, 254);
    Shape outer = Union(RoundRect(-6, 0, w, h, 3), RoundRect(-6, 0, 4, h, 0));
    Shape inner = Union(RoundRect(-6, 1, w - 1, h - 1, 2), RoundRect(-6, 1, 4, h - 1, 0));
    FillShape(b, outer, Solid(EdgeLine(k)), kFace);
    FillShape(b, inner, Solid(FieldFill(k)), EdgeLine(k));
    if (fill != FieldFill(k)) FillShape(b, RoundRect(2, 2, w - 2, h - 2, 2), Solid(fill), FieldFill(k));
  });
}

// Extra images: frames 1 to 4 are the drop-down arrow for the combo states,
// frame 5 is the size grip of the status bar.
TBitmap ExtraImages() {
  constexpr int w = 19, h = 21;
  return Strip(w, h, 5, false, [&](TBitmap& b, int k) {
    if (k < 4) {
      TColor ink = k == 2 ? kTextDisabled : k == 1 ? kAccentDark : kText;
      TColor matte = k == 1 ? kAccentSoft : k == 3 ? Rgb(236, 242, 254) : FieldFill(k);
      double cx = w / 2.0 - 0.5, cy = h / 2.0 + 0.5;
      FillShape(b, Union(Segment(cx - 3.5, cy - 2, cx, cy + 1.5, 1.5), Segment(cx, cy + 1.5, cx + 3.5, cy - 2, 1.5)),
                Solid(ink), matte);
    } else {
      for (int j = 0; j < 3; ++j)
        for (int i = 0; i <= j; ++i) {
          int x = w - 3 - 4 * i, y = h - 3 - 4 * (2 - j) + 0;
          FillRect(b, x - 1, y - 1, 2, 2, kLine);
          b.SetPixel(x, y, kWhite);
        }
    }
  });
}

// Group box outline (normal, disabled) and the caption plate.
TBitmap GroupEdge() {
  return Strip(16, 16, 2, false, [](TBitmap& b, int k) {
    TColor line = k == 0 ? kLine : kLineDisabled;
    FillShape(b, Subtract(RoundRect(0, 0, 16, 16, 4), RoundRect(1, 1, 15, 15, 3)), Solid(line), kFace);
  });
}

TBitmap GroupLabel() {
  TBitmap b(16, 18, kKey);
  Box(b, 0, 0, 16, 18, 5, kLineSoft, Solid(kFaceLight), kFace);
  return b;
}

// Status bar panels: 1 lowered, 2 raised, 3 without bevel.
TBitmap StatusBar() {
  return Strip(12, 22, 3, false, [](TBitmap& b, int k) {
    FillRect(b, 0, 0, 12, 22, kFaceLight);
    HLine(b, 0, 12, 0, k == 1 ? kWhite : kLineSoft);
    if (k == 0) VLine(b, 11, 4, 18, kLineSoft);
    if (k == 1) VLine(b, 11, 4, 18, kWhite);
  });
}

// Progress bar: the track (normal and disabled) and one chunk of the fill.
TBitmap ProgressTrack() {
  return Strip(24, 14, 2, false, [](TBitmap& b, int k) {
    Box(b, 0, 0, 24, 14, 4, k == 0 ? kLine : kLineDisabled, Solid(k == 0 ? Rgb(238, 242, 251) : kFieldDisabled), kFace);
  });
}

TBitmap ProgressChunk() {
  TBitmap b(12, 10, kKey);
  FillShape(b, RoundRect(0, 0, 12, 10, 3), VGradient(Lighten(kAccent, 0.3), kAccent, 0, 10), Rgb(238, 242, 251));
  HLine(b, 3, 9, 1, Lighten(kAccent, 0.55));
  return b;
}

// Tabs: 1 normal, 2 hot, 3 selected, 4 disabled, 5 selected and focused.
constexpr TColor kPane = Rgb(236, 241, 251);

TBitmap Tabs() {
  constexpr int w = 28, h = 24;
  return Strip(w, h, 5, false, [&](TBitmap& b, int k) {
    bool selected = k == 2 || k == 4;
    TColor line = k == 3 ? kLineDisabled : kLine;
    TColor fill = selected ? kPane : k == 1 ? Rgb(232, 239, 253) : k == 3 ? kFieldDisabled : kFaceLight;
    Shape outer = Union(RoundRect(0, 0, w, h, 4), RoundRect(0, h / 2.0, w, h, 0));
    Shape inner = Union(RoundRect(1, 1, w - 1, h + 1, 3), RoundRect(1, h / 2.0, w - 1, h + 1, 0));
    FillShape(b, outer, Solid(line), kFace);
    FillShape(b, inner, Solid(fill), line);
    if (selected) {
      TColor accent = k == 4 ? kAccentDark : kAccent;
      FillShape(b, Union(RoundRect(1, 1, w - 1, 5, 2.5), RoundRect(1, 3, w - 1, 3.5, 0)), Solid(accent), line);
    } else {
      HLine(b, 0, w, h - 1, kLine);
    }
  });
}

TBitmap TabPane() {
  TBitmap b(24, 24, kPane);
  Frame(b, 0, 0, 24, 24, kLine);
  return b;
}

// Tool bar buttons and header sections: 1 normal, 2 hot, 3 pressed,
// 4 disabled, 5 checked.
TBitmap BarFaces() {
  constexpr int w = 24, h = 24;
  return Strip(w, h, 5, false, [&](TBitmap& b, int k) {
    TColor top = kPanel, bottom = kFaceLight;
    if (k == 1) top = kWhite, bottom = Rgb(224, 234, 253);
    if (k == 2) top = bottom = kAccentSoft;
    if (k == 3) top = bottom = kFaceLight;
    if (k == 4) top = Rgb(224, 234, 253), bottom = kAccentSoft;
    FillRect(b, 0, 0, w, h, VGradient(top, bottom, 0, h));
    HLine(b, 0, w, h - 1, k == 4 ? kAccent : kLineSoft);
    VLine(b, w - 1, 4, h - 4, kLineSoft);
  });
}

}  // namespace

void DrawControlPieces(std::vector<Piece>& out) {
  out.push_back({"buttons.bmp", PushButtons(), 24});
  out.push_back({"checkbox.bmp", CheckBoxes(), 8});
  out.push_back({"radio.bmp", RadioButtons(), 8});
  out.push_back({"sunkedge.bmp", SunkenEdge(), 8});
  out.push_back({"combobutton.bmp", ComboButton(), 8});
  out.push_back({"extraimages.bmp", ExtraImages(), 8});
  out.push_back({"groupedge.bmp", GroupEdge(), 8});
  out.push_back({"grouplabel.bmp", GroupLabel(), 8});
  out.push_back({"statusbar.bmp", StatusBar(), 4});
  out.push_back({"progress.bmp", ProgressTrack(), 8});
  out.push_back({"progresschunk.bmp", ProgressChunk(), 24});
  out.push_back({"tabs.bmp", Tabs(), 24});
  out.push_back({"tabpane.bmp", TabPane(), 4});
  out.push_back({"bar.bmp", BarFaces(), 24});
}

}  // namespace sb
