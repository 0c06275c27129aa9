// Between portable skin bitmaps and the screen: one blit of a finished
// TBitmap to a device context, reading what a DC shows into a TBitmap, and
// a window region from rectangle runs.
#pragma once

#include "framework/win32/win32_widgetset.h"  // <windows.h> with its macros tamed

#include <vector>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace skin::win32 {

// Copies the part (sx, sy, w, h) of bmp to dc at (x, y) in one BitBlt
// through a DIB section. w or h below 0: to the bitmap's edge.
void Blit(HDC dc, int x, int y, const fw::TBitmap& bmp, int sx = 0, int sy = 0, int w = -1, int h = -1);
// What dc shows in r, as a bitmap of r's size (black where nothing could
// be read).
fw::TBitmap Capture(HDC dc, const RECT& r);
// A region uniting the rectangles: collected in blocks of 2000 rectangles,
// each block made with ExtCreateRegion and united with RGN_OR. nullptr for
// no rectangles or when the system refuses; the caller owns the region.
HRGN RegionFromRuns(const std::vector<fw::TRect>& runs);

}  // namespace skin::win32
