#include "skin/bitmap_ops.h"

namespace skin {

fw::TColor MixColors(fw::TColor c1, fw::TColor, int) { return c1; }
int ColorSaturation(fw::TColor) { return 0; }
const std::vector<fw::TColor>& GradientColors(int, fw::TColor, fw::TColor) { static std::vector<fw::TColor> v; return v; }
void GradientFill(fw::TCanvas&, const fw::TRect&, const fw::TRect&, fw::TColor, bool, fw::TColor) {}
void GradientFill(fw::TBitmap&, const fw::TRect&, fw::TColor, bool, fw::TColor) {}
void ReplaceMagenta(fw::TBitmap&, fw::TColor) {}
void MirrorHorizontal(fw::TBitmap&) {}
void FlipVertical(fw::TBitmap&) {}
void RotateLeft(fw::TBitmap&) {}
void RotateRight(fw::TBitmap&) {}
void MakeGray(fw::TBitmap&) {}
void CopyBitmap(const fw::TBitmap& src, fw::TBitmap& dst) { dst = src; }

}  // namespace skin
