// TSkinCanvas: graphic controls painting into a painter's bitmap, at their
// own origin and cut to their own bounds.
#include <algorithm>
#include <cmath>

#include "skin/paint/grid_copy.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"

namespace skin::paint {

using detail::Intersect;

namespace {

constexpr unsigned kTextOutFlags = kTextSingleLine | kTextNoPrefix | kTextNoClip;

}  // namespace

TSkinCanvas::TSkinCanvas(fw::TBitmap& target) : bmp_(target), clip_{0, 0, target.Width(), target.Height()} {}

void TSkinCanvas::SetOrigin(int x, int y, const fw::TRect& clip) {
  ox_ = x;
  oy_ = y;
  clip_ = clip;
}

fw::TRect TSkinCanvas::ToBitmap(const fw::TRect& r) const {
  return fw::TRect{r.Left + ox_, r.Top + oy_, r.Right + ox_, r.Bottom + oy_};
}

void TSkinCanvas::Fill(const fw::TRect& r, fw::TColor c) { paint::FillRect(bmp_, Intersect(ToBitmap(r), clip_), c); }

void TSkinCanvas::FillRect(const fw::TRect& r) {
  if (!Brush.Clear) Fill(r, fw::ColorToRGB(Brush.Color));
}

void TSkinCanvas::Rectangle(const fw::TRect& r) {
  const int p = std::max(Pen.Width, 0);
  FillRect(fw::TRect{r.Left + p, r.Top + p, r.Right - p, r.Bottom - p});
  if (p == 0) return;
  const fw::TColor c = fw::ColorToRGB(Pen.Color);
  Fill(fw::TRect{r.Left, r.Top, r.Right, r.Top + p}, c);
  Fill(fw::TRect{r.Left, r.Bottom - p, r.Right, r.Bottom}, c);
  Fill(fw::TRect{r.Left, r.Top + p, r.Left + p, r.Bottom - p}, c);
  Fill(fw::TRect{r.Right - p, r.Top + p, r.Right, r.Bottom - p}, c);
}

void TSkinCanvas::Ellipse(const fw::TRect& r) {
  const double rx = r.Width() / 2.0, ry = r.Height() / 2.0;
  if (rx <= 0 || ry <= 0) return;
  const double cx = r.Left + rx, cy = r.Top + ry;
  const double p = std::max(Pen.Width, 0);
  const fw::TColor pen = fw::ColorToRGB(Pen.Color), fill = fw::ColorToRGB(Brush.Color);
  // The pixels whose centres lie in an ellipse of radii a, b, on row y.
  auto span = [&](int y, double a, double b, int& from, int& to) {
    const double t = (y + 0.5 - cy) / b;
    if (a <= 0 || b <= 0 || t * t > 1) return false;
    const double d = a * std::sqrt(1 - t * t);
    from = int(std::ceil(cx - d - 0.5));
    to = int(std::floor(cx + d - 0.5)) + 1;
    return from < to;
  };
  // Row by row: the outer ellipse in the pen colour, the inner one in the
  // brush colour (or left as it is for a clear brush).
  for (int y = r.Top; y < r.Bottom; ++y) {
    int l = 0, rr = 0, il = 0, ir = 0;
    if (!span(y, rx, ry, l, rr)) continue;
    if (!span(y, rx - p, ry - p, il, ir)) il = ir = l;
    if (p > 0) {
      Fill(fw::TRect{l, y, il, y + 1}, pen);
      Fill(fw::TRect{ir, y, rr, y + 1}, pen);
    }
    if (!Brush.Clear) Fill(fw::TRect{il, y, ir, y + 1}, fill);
  }
}

void TSkinCanvas::TextOut(int x, int y, const std::string& text) {
  const std::wstring wide = Widen(text);
  TTextRenderer& renderer = TextRenderer();
  const fw::TRect box = ToBitmap(renderer.Measure(wide, Font, fw::TRect{x, y, x, y}, kTextOutFlags));
  if (!Brush.Clear) Fill(fw::TRect{box.Left - ox_, box.Top - oy_, box.Right - ox_, box.Bottom - oy_},
                         fw::ColorToRGB(Brush.Color));
  const fw::TRect visible = Intersect(Intersect(box, clip_), fw::TRect{0, 0, bmp_.Width(), bmp_.Height()});
  if (visible.Width() <= 0 || visible.Height() <= 0) return;
  // The text goes into a copy of what lies under its box, and only the
  // part inside the clip comes back, so that a text cut at its left or top
  // keeps its place.
  fw::TBitmap under(box.Width(), box.Height());
  paint::Draw(under, -box.Left, -box.Top, bmp_);
  renderer.Draw(under, wide, Font, Font.Color, fw::TRect{0, 0, box.Width(), box.Height()}, kTextOutFlags);
  for (int py = visible.Top; py < visible.Bottom; ++py)
    std::copy_n(under.Row(py - box.Top) + (visible.Left - box.Left), visible.Width(), bmp_.Row(py) + visible.Left);
}

int TSkinCanvas::TextWidth(const std::string& text) {
  return TextRenderer().Measure(Widen(text), Font, fw::TRect{}, kTextOutFlags).Width();
}

int TSkinCanvas::TextHeight(const std::string& text) {
  return TextRenderer().Measure(Widen(text.empty() ? "0" : text), Font, fw::TRect{}, kTextOutFlags).Height();
}

void TSkinCanvas::Draw(int x, int y, const fw::TBitmap& bmp) {
  detail::DrawGrid(bmp_, clip_, {detail::Segment{int64_t(x) + ox_, bmp.Width(), 0, bmp.Width()}},
                   {detail::Segment{int64_t(y) + oy_, bmp.Height(), 0, bmp.Height()}}, bmp, bmp.Transparent,
                   bmp.TransparentColor);
}

}  // namespace skin::paint
