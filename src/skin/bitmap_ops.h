// Colour and bitmap helpers shared by the skin loader and the painters.
// Colours are fw::TColor (0x00BBGGRR); a value with the top bit set names a
// system colour by its low byte.
#pragma once

#include <vector>

#include "framework/bitmap.h"
#include "framework/graphics.h"

namespace skin {

// Mixes c1 and c2, w being the share of c1: a percentage when w < 100, per
// mille from 100 up. System colours are resolved first.
fw::TColor MixColors(fw::TColor c1, fw::TColor c2, int w);

// Saturation on a 0..255 scale; 200 for colours with no channel above 159.
int ColorSaturation(fw::TColor c);

// The n colours of a gradient from c1 to c2 (both ends included; for n = 1
// the midpoint). The last 16 tables are cached; the reference stays valid
// until 16 further distinct tables have been asked for.
const std::vector<fw::TColor>& GradientColors(int n, fw::TColor c1, fw::TColor c2);

// Fills r with 1-pixel rows (vertical) or columns running from c1 at the top
// or left to c2 at the bottom or right, one solid brush per line. Only lines
// inside clip_box are drawn; nothing when r does not meet it.
void GradientFill(fw::TCanvas& canvas, const fw::TRect& clip_box, const fw::TRect& r,
                  fw::TColor c1, bool vertical, fw::TColor c2);
// The same into a bitmap, clipped to the bitmap.
void GradientFill(fw::TBitmap& bmp, const fw::TRect& r, fw::TColor c1, bool vertical,
                  fw::TColor c2);

// Pixels are kept as 24-bit colours after these (the top byte cleared).
void ReplaceMagenta(fw::TBitmap& bmp, fw::TColor c);  // exact 0xFF00FF becomes c
void MirrorHorizontal(fw::TBitmap& bmp);               // left to right
void FlipVertical(fw::TBitmap& bmp);                   // top to bottom
void RotateLeft(fw::TBitmap& bmp);                     // 90 degrees counter-clockwise
void RotateRight(fw::TBitmap& bmp);                    // 90 degrees clockwise
void MakeGray(fw::TBitmap& bmp);                       // channels to their average

// dst becomes a copy of src's size and pixels (its Transparent settings too).
void CopyBitmap(const fw::TBitmap& src, fw::TBitmap& dst);

}  // namespace skin
