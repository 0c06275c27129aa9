#include "skin/paint/combo_painter.h"

#include <algorithm>
#include <vector>

#include "skin/paint/primitives.h"
#include "skin/skin_data.h"

namespace skin::paint {
namespace {

// The key-coloured pixels the images leave open: those reachable from the
// bitmap's edge lie outside the control's outline and get the form colour,
// the others are inside the edge and get the field colour.
void ResolveKey(fw::TBitmap& b, fw::TColor outside, fw::TColor inside) {
  const int w = b.Width(), h = b.Height();
  std::vector<uint8_t> seen(size_t(w) * size_t(h), 0);
  std::vector<int> stack;
  auto push = [&](int x, int y) {
    const size_t i = size_t(y) * size_t(w) + size_t(x);
    if (seen[i] || !IsKeyColoured(b.Pixel(x, y))) return;
    seen[i] = 1;
    stack.push_back(int(i));
  };
  for (int x = 0; x < w; ++x) push(x, 0), push(x, h - 1);
  for (int y = 0; y < h; ++y) push(0, y), push(w - 1, y);
  while (!stack.empty()) {
    const int i = stack.back();
    stack.pop_back();
    const int x = i % w, y = i / w;
    b.Pixels()[size_t(i)] = outside;
    if (x > 0) push(x - 1, y);
    if (x + 1 < w) push(x + 1, y);
    if (y > 0) push(x, y - 1);
    if (y + 1 < h) push(x, y + 1);
  }
  for (fw::TColor& p : b.Pixels())
    if (IsKeyColoured(p)) p = inside;
}

}  // namespace

int ComboFrame(const ComboState& s) {
  if (!s.enabled) return 3;
  if (s.pressed) return 2;
  if (s.focused || s.hot) return 4;
  return 1;
}

bool CanPaintCombo(const TSkinData& skin) { return skin.ComboButton() && !skin.ComboButton()->Image.Empty(); }

fw::TRect PaintCombo(fw::TBitmap& out, const TSkinData& skin, const ComboState& s) {
  if (!CanPaintCombo(skin) || s.width < 1 || s.height < 1) return {};
  const TDataSkinBorder& button = *skin.ComboButton();
  const TDataSkinObject* sunk = skin.Object("SunkEdge");
  const int n = ComboFrame(s), w = s.width, h = s.height;
  const fw::TColor field = fw::ColorToRGB(s.field), shadow = skin.Colours().ButtonShadow;
  out.SetSize(w, h, kKeyColour);
  out.Transparent = false;
  fw::TRect inner;

  // A mirrored strip holds its frames in reverse order.
  auto mirrored = [](const TDataSkinObject& o, int frame) { return std::max(o.Frames, 1) + 1 - frame; };
  if (button.Style == 2) {
    // The composite: edge and button in one image, mirrored (the SunkEdge
    // image) for a button on the left.
    const bool left = s.left_scroll && sunk && !sunk->Image.Empty();
    const TDataSkinObject& img = left ? *sunk : button;
    Draw(out, 0, 0, NineSlice(img, left ? mirrored(img, n) : n, Orientation::SideBySide, w, h));
    inner = fw::TRect{img.LeftWidth, img.TopHeight, w - img.RightWidth, h - img.BottomHeight};
  } else {
    const int bw = std::clamp(button.Style == 1 ? s.thumb_width : s.button_width, 0, w);
    const fw::TRect area = s.left_scroll ? fw::TRect{0, 0, bw, h} : fw::TRect{w - bw, 0, w, h};
    const bool left = s.left_scroll && !button.Image2.Empty();
    const fw::TBitmap& strip = left ? button.Image2 : button.Image;
    const int frame = left ? mirrored(button, n) : n;
    Margins bm = MarginsOf(button);
    if (left) std::swap(bm.left, bm.right);
    if (button.Style == 1) {
      FillRect(out, fw::TRect{1, 1, w - 1, h - 1}, field);
      FrameRect(out, fw::TRect{0, 0, w, h}, shadow);
      const fw::TRect box = s.left_scroll ? fw::TRect{1, 1, bw + 1, h - 1} : fw::TRect{w - 1 - bw, 1, w - 1, h - 1};
      DrawFrameStrip(out, box, strip, button.Frames, frame, true);
      inner = s.left_scroll ? fw::TRect{bw + 2, 2, w - 2, h - 2} : fw::TRect{2, 2, w - 2 - bw, h - 2};
    } else {
      Margins m{};
      if (sunk && !sunk->Image.Empty()) {
        Draw(out, 0, 0, NineSlice(*sunk, n, Orientation::SideBySide, w, h));
        m = MarginsOf(*sunk);
      }
      Draw(out, area.Left, 0,
           NineSlice(strip, button.Frames, frame, Orientation::SideBySide, bm, button.Tile == 1, bw, h),
           true);
      inner = s.left_scroll ? fw::TRect{bw, m.top, w - m.right, h - m.bottom}
                            : fw::TRect{m.left, m.top, w - bw, h - m.bottom};
    }
  }
  ResolveKey(out, skin.Colours().ButtonFace, field);
  if (inner.Right < inner.Left) inner.Right = inner.Left;
  if (inner.Bottom < inner.Top) inner.Bottom = inner.Top;
  return inner;
}

}  // namespace skin::paint
