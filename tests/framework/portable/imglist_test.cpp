// Image lists: glyphs cut from a strip, drawn with the mask colour as
// transparency and greyed when disabled.
#include <gtest/gtest.h>

#include "framework/imglist.h"

using namespace fw;

namespace {

TEST(ImageList, GlyphsFromAStripDrawnWithTheMaskColour) {
  TImageList list(nullptr);
  list.SetSize(4, 2);
  TBitmap strip(10, 3, clFuchsia);  // two whole glyphs; the rest is cut
  strip.SetPixel(0, 0, clRed);
  strip.SetPixel(5, 1, clBlue);
  strip.SetPixel(9, 0, clGreen);
  EXPECT_EQ(list.Add(strip), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Add(TBitmap(3, 1, clWhite)), 2);  // narrower than a glyph: one, filled out
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Strip().Width(), 12);
  EXPECT_EQ(list.Glyph(1).Pixel(1, 1), clBlue);
  EXPECT_EQ(list.Glyph(2).Pixel(3, 0), clFuchsia);
  EXPECT_TRUE(list.Glyph(3).Empty());
  EXPECT_EQ(list.Add(TBitmap()), -1);

  TBitmap target(8, 4, clBlack);
  TBitmapCanvas canvas(target);
  list.Draw(canvas, 0, 0, 0);
  EXPECT_EQ(target.Pixel(0, 0), clRed);
  EXPECT_EQ(target.Pixel(1, 0), clBlack);  // mask colour: not drawn
  list.Draw(canvas, 4, 0, 0, false);
  const TColor grey = target.Pixel(4, 0);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetGValue(grey), GetBValue(grey));
  EXPECT_NE(grey, clRed);
  EXPECT_EQ(target.Pixel(5, 0), clBlack);
  list.Draw(canvas, 0, 0, 7);  // out of range: nothing
  list.Delete(0);
  EXPECT_EQ(list.Glyph(0).Pixel(1, 1), clBlue);
  list.SetSize(8, 8);
  EXPECT_EQ(list.Count(), 0);
  list.SetSize(-5, 100000);
  EXPECT_EQ(list.Width(), 1);
  EXPECT_EQ(list.Height(), TImageList::kMaxSize);
}

}  // namespace
