// The image primitives every skin painter shares, on the portable TBitmap:
// cutting a frame out of a strip, nine-slice scaling, frame strips,
// three-part bands, centred frames, transparent drawing (key colour
// magenta) and regions as rectangle runs. Nothing here knows a window: the
// platform layer blits the finished bitmaps and turns rectangle runs into
// regions.
//
// Geometry comes from skin files, which are untrusted: every function
// clips to its target and to its source, treats sizes below 1 as empty and
// never reads or writes outside a bitmap.
#pragma once

#include <vector>

#include "framework/bitmap.h"
#include "framework/graphics.h"

class TDataSkinObject;

namespace skin::paint {

// Pixels of this colour are left out by transparent drawing and regions.
constexpr fw::TColor kKeyColour = 0xFF00FF;

// How the frames of a strip lie: side by side (most strips) or one above
// the other (the top and bottom borders, the menu bar).
enum class Orientation { SideBySide, Stacked };

// Fixed margins of an image: kept unscaled by nine-slice drawing.
struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Margins&) const = default;
};
Margins MarginsOf(const TDataSkinObject& obj);

// Frame n (1-based; clamped to 1..frames, frames below 1 taken as 1) of a
// strip of equal frames. The frame size is the strip size divided by the
// count (integer division); an empty bitmap when that is 0.
fw::TBitmap CutFrame(const fw::TBitmap& strip, int frames, int n, Orientation o);

// A bitmap of w x h built from frame n of the strip: the four corners
// copied, the four edges stretched along their length, the centre stretched
// (nearest pixel, as colour-on-colour stretching does) or tiled. Margins
// that do not fit (left + right wider than the target or than the frame,
// top + bottom higher) are set to 0 in that direction. The result keeps key
// colour pixels; it is empty when w or h is below 1 or the frame is empty.
fw::TBitmap NineSlice(const fw::TBitmap& strip, int frames, int n, Orientation o, Margins m, bool tile, int w,
                      int h);
// The same for a skin object: its image, frame count and margins; tile from
// its Tile value (1 tiles).
fw::TBitmap NineSlice(const TDataSkinObject& obj, int n, Orientation o, int w, int h);

// Copies src into dst with src's top-left corner at (x, y), clipped to dst.
// Transparent: pixels of the key colour are left out.
void Draw(fw::TBitmap& dst, int x, int y, const fw::TBitmap& src, bool transparent = false);
// Scales src (nearest pixel) into rectangle r of dst, clipped to dst.
void StretchDraw(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& src, bool transparent = false);

// Frame n of a side-by-side strip, scaled to r.
void DrawFrameStrip(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& strip, int frames, int n,
                    bool transparent);
// Frame n cut as given; its left part (left wide), then its middle part
// repeated across, then its right part (right wide), each scaled to the
// height of r.
void DrawThreePartBand(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& strip, int frames, int n,
                       Orientation o, int left, int right, bool transparent);
// Frame n of a side-by-side strip, unscaled, centred in r (clipped to dst).
void DrawCentredFrame(fw::TBitmap& dst, const fw::TRect& r, const fw::TBitmap& strip, int frames, int n,
                      bool transparent);

// A pixel is key-coloured when each of its channels lies between the key's
// channel and that value + 1 (capped at 255).
bool IsKeyColoured(fw::TColor pixel, fw::TColor key = kKeyColour);
// The region of an image's pixels that are not key-coloured, as rectangles:
// one per run of such pixels in a row, top row first, offset by (dx, dy).
std::vector<fw::TRect> RegionRuns(const fw::TBitmap& img, int dx = 0, int dy = 0, fw::TColor key = kKeyColour);

// Plain drawing on a bitmap, clipped to it.
void FillRect(fw::TBitmap& dst, const fw::TRect& r, fw::TColor c);
// A frame of 1 pixel just inside r.
void FrameRect(fw::TBitmap& dst, const fw::TRect& r, fw::TColor c);
// A 1-pixel 3D frame just inside r: top and left in top_left, bottom and
// right in bottom_right.
void Frame3D(fw::TBitmap& dst, const fw::TRect& r, fw::TColor top_left, fw::TColor bottom_right);
// The dotted focus rectangle: every other pixel of the 1-pixel frame
// inside r inverted, starting with the top-left corner.
void DrawFocusRect(fw::TBitmap& dst, const fw::TRect& r);
// The outline of a rounded rectangle in r with corner ellipse rx by ry,
// 1 pixel wide.
void RoundRectFrame(fw::TBitmap& dst, const fw::TRect& r, int rx, int ry, fw::TColor c);

}  // namespace skin::paint
