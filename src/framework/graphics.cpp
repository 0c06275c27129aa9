#include "framework/graphics.h"

#include <cmath>

namespace fw {

void TBitmapCanvas::FillRect(const TRect& r) {
  if (Brush.Clear) return;
  TColor c = ColorToRGB(Brush.Color);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) bmp_.SetPixel(x, y, c);
}

void TBitmapCanvas::Rectangle(const TRect& r) {
  FillRect(TRect{r.Left + Pen.Width, r.Top + Pen.Width, r.Right - Pen.Width, r.Bottom - Pen.Width});
  TColor c = ColorToRGB(Pen.Color);
  for (int w = 0; w < Pen.Width; ++w) {
    for (int x = r.Left; x < r.Right; ++x) {
      bmp_.SetPixel(x, r.Top + w, c);
      bmp_.SetPixel(x, r.Bottom - 1 - w, c);
    }
    for (int y = r.Top; y < r.Bottom; ++y) {
      bmp_.SetPixel(r.Left + w, y, c);
      bmp_.SetPixel(r.Right - 1 - w, y, c);
    }
  }
}

void TBitmapCanvas::Ellipse(const TRect& r) {
  const double cx = (r.Left + r.Right - 1) / 2.0, cy = (r.Top + r.Bottom - 1) / 2.0;
  const double rx = r.Width() / 2.0, ry = r.Height() / 2.0;
  if (rx <= 0 || ry <= 0) return;
  const TColor fill = ColorToRGB(Brush.Color), pen = ColorToRGB(Pen.Color);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      double dx = (x - cx) / rx, dy = (y - cy) / ry;
      double d = std::sqrt(dx * dx + dy * dy);
      if (d > 1.0) continue;
      double edge = 1.0 - Pen.Width / std::min(rx, ry);
      if (d >= edge) bmp_.SetPixel(x, y, pen);
      else if (!Brush.Clear) bmp_.SetPixel(x, y, fill);
    }
}

int TBitmapCanvas::TextWidth(const std::string& text) {
  int h = Font.Height < 0 ? -Font.Height : Font.Height;
  return int(text.size()) * (h * 5 / 11 + 1);
}

int TBitmapCanvas::TextHeight(const std::string&) {
  int h = Font.Height < 0 ? -Font.Height : Font.Height;
  return h + 2;
}

void TBitmapCanvas::Draw(int x, int y, const TBitmap& src) {
  for (int j = 0; j < src.Height(); ++j)
    for (int i = 0; i < src.Width(); ++i) {
      TColor c = src.Pixel(i, j);
      if (src.Transparent && c == src.TransparentColor) continue;
      bmp_.SetPixel(x + i, y + j, c);
    }
}

}  // namespace fw
