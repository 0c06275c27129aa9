#include "raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sb {

namespace {

int Clamp8(double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); }

}  // namespace

TColor Mix(TColor a, TColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto ch = [&](int sh) {
    double x = double((a >> sh) & 0xFF), y = double((b >> sh) & 0xFF);
    return TColor(Clamp8(x + (y - x) * t)) << sh;
  };
  return ch(0) | ch(8) | ch(16);
}

TColor Lighten(TColor c, double t) { return Mix(c, 0xFFFFFF, t); }
TColor Darken(TColor c, double t) { return Mix(c, 0x000000, t); }

Paint Solid(TColor c) {
  return [c](int, int) { return c; };
}

Paint VGradient(TColor c0, TColor c1, double y0, double y1) {
  return [=](int, int y) { return Mix(c0, c1, y1 > y0 ? (y + 0.5 - y0) / (y1 - y0) : 0.0); };
}

Paint HGradient(TColor c0, TColor c1, double x0, double x1) {
  return [=](int x, int) { return Mix(c0, c1, x1 > x0 ? (x + 0.5 - x0) / (x1 - x0) : 0.0); };
}

Shape RoundRect(double x0, double y0, double x1, double y1, double r) {
  double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  r = std::min({r, hx, hy});
  return [=](double x, double y) {
    double qx = std::fabs(x - cx) - hx + r, qy = std::fabs(y - cy) - hy + r;
    double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
  };
}

Shape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Shape Segment(double ax, double ay, double bx, double by, double width) {
  return [=](double x, double y) {
    double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(x - ax - t * dx, y - ay - t * dy) - width / 2;
  };
}

Shape Polygon(std::initializer_list<double> xy) {
  std::vector<double> p(xy);
  return [p](double x, double y) {
    bool in = false;
    size_t n = p.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      double xi = p[2 * i], yi = p[2 * i + 1], xj = p[2 * j], yj = p[2 * j + 1];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in ? -1.0 : 1.0;
  };
}

Shape Union(Shape a, Shape b) {
  return [a, b](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape Subtract(Shape a, Shape b) {
  return [a, b](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

void FillShape(TBitmap& bmp, const Shape& s, const Paint& p, TColor matte, int cx0, int cy0, int cx1,
               int cy1) {
  cx0 = std::max(cx0, 0);
  cy0 = std::max(cy0, 0);
  cx1 = std::min(cx1, bmp.Width());
  cy1 = std::min(cy1, bmp.Height());
  constexpr int kSub = 4;
  for (int y = cy0; y < cy1; ++y) {
    for (int x = cx0; x < cx1; ++x) {
      int hits = 0;
      for (int j = 0; j < kSub; ++j)
        for (int i = 0; i < kSub; ++i)
          if (s(x + (i + 0.5) / kSub, y + (j + 0.5) / kSub) <= 0) ++hits;
      if (hits == 0) continue;
      TColor paint = p(x, y);
      if (hits == kSub * kSub) {
        bmp.SetPixel(x, y, paint);
        continue;
      }
      TColor under = bmp.Pixel(x, y);
      if (under == kKey) under = matte;
      bmp.SetPixel(x, y, Mix(under, paint, double(hits) / (kSub * kSub)));
    }
  }
}

void FillShape(TBitmap& bmp, const Shape& s, const Paint& p, TColor matte) {
  FillShape(bmp, s, p, matte, 0, 0, bmp.Width(), bmp.Height());
}

void FillRect(TBitmap& bmp, int x, int y, int w, int h, TColor c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) bmp.SetPixel(i, j, c);
}

void FillRect(TBitmap& bmp, int x, int y, int w, int h, const Paint& p) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) bmp.SetPixel(i, j, p(i, j));
}

void HLine(TBitmap& bmp, int x0, int x1, int y, TColor c) {
  for (int x = x0; x < x1; ++x) bmp.SetPixel(x, y, c);
}

void VLine(TBitmap& bmp, int x, int y0, int y1, TColor c) {
  for (int y = y0; y < y1; ++y) bmp.SetPixel(x, y, c);
}

void Frame(TBitmap& bmp, int x, int y, int w, int h, TColor c) {
  HLine(bmp, x, x + w, y, c);
  HLine(bmp, x, x + w, y + h - 1, c);
  VLine(bmp, x, y, y + h, c);
  VLine(bmp, x + w - 1, y, y + h, c);
}

void Blit(TBitmap& dst, const TBitmap& src, int x, int y, bool key) {
  for (int j = 0; j < src.Height(); ++j)
    for (int i = 0; i < src.Width(); ++i) {
      TColor c = src.Pixel(i, j);
      if (key && c == kKey) continue;
      dst.SetPixel(x + i, y + j, c);
    }
}

TBitmap Crop(const TBitmap& src, int sx, int sy, int w, int h) {
  TBitmap out(w, h, kKey);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.SetPixel(i, j, src.Pixel(sx + i, sy + j));
  return out;
}

TBitmap Strip(int w, int h, int n, bool stacked, const std::function<void(TBitmap&, int)>& draw,
              TColor background) {
  TBitmap out(stacked ? w : w * n, stacked ? h * n : h, background);
  for (int i = 0; i < n; ++i) {
    TBitmap f(w, h, background);
    draw(f, i);
    Blit(out, f, stacked ? 0 : i * w, stacked ? i * h : 0);
  }
  return out;
}

TBitmap MirrorX(const TBitmap& b) {
  TBitmap out(b.Width(), b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.SetPixel(b.Width() - 1 - x, y, b.Pixel(x, y));
  return out;
}

TBitmap MirrorY(const TBitmap& b) {
  TBitmap out(b.Width(), b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.SetPixel(x, b.Height() - 1 - y, b.Pixel(x, y));
  return out;
}

TBitmap Transpose(const TBitmap& b) {
  TBitmap out(b.Height(), b.Width());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) out.SetPixel(y, x, b.Pixel(x, y));
  return out;
}

}  // namespace sb
