// Drawing primitives for the skin builder: anti-aliased shapes on a
// fw::TBitmap, blended against a "matte" colour wherever the target pixel is
// the transparent key (magenta), so that the soft edges of a piece look right
// on the surface it will be painted on.
#pragma once

#include <functional>

#include "framework/bitmap.h"

namespace sb {

using fw::TBitmap;
using fw::TColor;

constexpr TColor kKey = 0xFF00FF;  // magenta: transparent in the skin

constexpr TColor Rgb(int r, int g, int b) { return fw::RGBColor(uint8_t(r), uint8_t(g), uint8_t(b)); }
// t = 0 gives a, t = 1 gives b.
TColor Mix(TColor a, TColor b, double t);
TColor Lighten(TColor c, double t);  // towards white
TColor Darken(TColor c, double t);   // towards black

// Signed distance style shape test: <= 0 inside.
using Shape = std::function<double(double x, double y)>;
// Colour of the paint at a pixel.
using Paint = std::function<TColor(int x, int y)>;

Paint Solid(TColor c);
// Vertical gradient from c0 at row y0 to c1 at row y1 (clamped outside).
Paint VGradient(TColor c0, TColor c1, double y0, double y1);
Paint HGradient(TColor c0, TColor c1, double x0, double x1);

Shape RoundRect(double x0, double y0, double x1, double y1, double r);
Shape Circle(double cx, double cy, double r);
// A line segment of the given total width with round ends.
Shape Segment(double ax, double ay, double bx, double by, double width);
// Convex or concave polygon (even-odd rule); points as x0,y0,x1,y1,...
Shape Polygon(std::initializer_list<double> xy);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);

// Fills the shape with 4x4 supersampled coverage inside the clip box
// [cx0, cx1) x [cy0, cy1). Partly covered pixels are blended with what is
// there, or with the matte when what is there is the key colour.
void FillShape(TBitmap& bmp, const Shape& s, const Paint& p, TColor matte, int cx0, int cy0, int cx1, int cy1);
void FillShape(TBitmap& bmp, const Shape& s, const Paint& p, TColor matte);

// Hard-edged helpers.
void FillRect(TBitmap& bmp, int x, int y, int w, int h, TColor c);
void FillRect(TBitmap& bmp, int x, int y, int w, int h, const Paint& p);
void HLine(TBitmap& bmp, int x0, int x1, int y, TColor c);  // x0..x1-1
void VLine(TBitmap& bmp, int x, int y0, int y1, TColor c);  // y0..y1-1
void Frame(TBitmap& bmp, int x, int y, int w, int h, TColor c);

// Copies src into dst at (x, y); with key set, key-coloured pixels of src
// are skipped.
void Blit(TBitmap& dst, const TBitmap& src, int x, int y, bool key = false);
// Copies the w x h rectangle at (sx, sy) of src.
TBitmap Crop(const TBitmap& src, int sx, int sy, int w, int h);
// n frames of w x h, side by side (or stacked), each drawn by draw(frame, i)
// on a key-coloured (or given) background.
TBitmap Strip(int w, int h, int n, bool stacked, const std::function<void(TBitmap&, int)>& draw,
              TColor background = kKey);
TBitmap MirrorX(const TBitmap& b);
TBitmap MirrorY(const TBitmap& b);
TBitmap Transpose(const TBitmap& b);

}  // namespace sb
