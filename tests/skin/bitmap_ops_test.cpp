// Colour mixing, gradients and bitmap transforms.
#include <gtest/gtest.h>

#include "skin/bitmap_ops.h"

namespace {

using namespace skin;
using fw::RGBColor;
using fw::TBitmap;
using fw::TColor;

TEST(ColourHelpers, MixColorsPercentAndPerMille) {
  EXPECT_EQ(MixColors(RGBColor(200, 100, 0), RGBColor(0, 0, 0), 50), RGBColor(100, 50, 0));
  // 150 is per mille: 15 % of c1.
  EXPECT_EQ(MixColors(RGBColor(213, 222, 242), fw::clWhite, 150), RGBColor(249, 250, 253));
  EXPECT_EQ(MixColors(RGBColor(1, 2, 3), RGBColor(9, 9, 9), 0), RGBColor(9, 9, 9));
  EXPECT_EQ(MixColors(RGBColor(1, 2, 3), RGBColor(9, 9, 9), 1000), RGBColor(1, 2, 3));
  // System colours are resolved before mixing.
  EXPECT_EQ(MixColors(fw::clBtnFace, fw::ColorToRGB(fw::clBtnFace), 37), fw::ColorToRGB(fw::clBtnFace));
}

TEST(ColourHelpers, Saturation) {
  EXPECT_EQ(ColorSaturation(RGBColor(100, 20, 159)), 200);  // no channel above 159
  EXPECT_EQ(ColorSaturation(RGBColor(160, 160, 160)), 0);
  EXPECT_EQ(ColorSaturation(RGBColor(255, 0, 0)), 255);
  EXPECT_EQ(ColorSaturation(RGBColor(213, 222, 242)), 31);  // 29 / 242 * 255 = 30.56
  EXPECT_EQ(ColorSaturation(RGBColor(204, 202, 202)), 2);   // exactly 2.5: to even
}

TEST(ColourHelpers, GradientTablesMeetBothEndsAndAreCached) {
  const auto& down = GradientColors(5, RGBColor(0, 100, 255), RGBColor(255, 0, 0));
  ASSERT_EQ(down.size(), 5u);
  EXPECT_EQ(down.front(), RGBColor(0, 100, 255));
  EXPECT_EQ(down.back(), RGBColor(255, 0, 0));
  EXPECT_EQ(down[2], RGBColor(128, 50, 128));
  // A falling channel reaches its end too (3 steps of -1 over 4 lines).
  EXPECT_EQ(GradientColors(4, RGBColor(10, 10, 10), RGBColor(9, 9, 9)).back(), RGBColor(9, 9, 9));
  EXPECT_EQ(GradientColors(1, RGBColor(0, 0, 0), RGBColor(200, 100, 50))[0], RGBColor(100, 50, 25));
  EXPECT_TRUE(GradientColors(0, 0, 0).empty());

  const auto* cached = &GradientColors(7, 1, 2);
  EXPECT_EQ(&GradientColors(7, 1, 2), cached);
  for (int i = 0; i < 15; ++i) GradientColors(100 + i, 1, 2);
  EXPECT_EQ(&GradientColors(7, 1, 2), cached);  // still one of the last 16
  for (int i = 0; i < 16; ++i) GradientColors(200 + i, 1, 2);
  EXPECT_EQ(GradientColors(7, 1, 2).size(), 7u);  // rebuilt after eviction
}

TEST(ColourHelpers, GradientFillDrawsOnlyVisibleLines) {
  TBitmap b(4, 4, 0x123456);
  GradientFill(b, fw::TRect{1, -2, 3, 6}, RGBColor(0, 0, 0), true, RGBColor(70, 0, 0));
  EXPECT_EQ(b.Pixel(0, 0), 0x123456u);
  EXPECT_EQ(b.Pixel(1, 0), RGBColor(20, 0, 0));  // line 2 of 8
  EXPECT_EQ(b.Pixel(2, 3), RGBColor(50, 0, 0));
  EXPECT_EQ(b.Pixel(3, 3), 0x123456u);
  TBitmap h(3, 1, 0);
  GradientFill(h, fw::TRect{0, 0, 3, 1}, RGBColor(0, 0, 0), false, RGBColor(0, 0, 200));
  EXPECT_EQ(h.Pixel(1, 0), RGBColor(0, 0, 100));
  GradientFill(h, fw::TRect{5, 5, 9, 9}, fw::clWhite, false, fw::clWhite);  // off the bitmap
  EXPECT_EQ(h.Pixel(0, 0), 0u);
}

TBitmap Grid(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, TColor(y * 16 + x));
  return b;
}

TEST(BitmapHelpers, MirrorsAndRotations) {
  const TBitmap g = Grid(3, 2);  // 0 1 2 / 16 17 18
  TBitmap b = g;
  MirrorHorizontal(b);
  EXPECT_EQ(b.Pixels(), (std::vector<TColor>{2, 1, 0, 18, 17, 16}));
  b = g;
  FlipVertical(b);
  EXPECT_EQ(b.Pixels(), (std::vector<TColor>{16, 17, 18, 0, 1, 2}));
  b = g;
  RotateLeft(b);  // counter-clockwise: the right column becomes the top row
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.Pixels(), (std::vector<TColor>{2, 18, 1, 17, 0, 16}));
  b = g;
  RotateRight(b);  // clockwise: the bottom row becomes the left column
  EXPECT_EQ(b.Pixels(), (std::vector<TColor>{16, 0, 17, 1, 18, 2}));
  RotateLeft(b);
  EXPECT_EQ(b, g);
}

TEST(BitmapHelpers, MagentaGrayAndCopy) {
  TBitmap b(3, 1);
  b.SetPixel(0, 0, 0xFF00FF);
  b.SetPixel(1, 0, 0xFF00FE);
  b.SetPixel(2, 0, 0x01FF00FF);  // magenta with a stray top byte
  ReplaceMagenta(b, RGBColor(1, 2, 3));
  EXPECT_EQ(b.Pixels(), (std::vector<TColor>{RGBColor(1, 2, 3), 0xFF00FE, RGBColor(1, 2, 3)}));

  TBitmap g(2, 1);
  g.SetPixel(0, 0, RGBColor(10, 20, 33));
  g.SetPixel(1, 0, RGBColor(255, 255, 254));
  MakeGray(g);
  EXPECT_EQ(g.Pixels(), (std::vector<TColor>{RGBColor(21, 21, 21), RGBColor(254, 254, 254)}));

  TBitmap dst(9, 9);
  b.Transparent = true;
  CopyBitmap(b, dst);
  EXPECT_EQ(dst, b);
  EXPECT_TRUE(dst.Transparent);
}

}  // namespace
