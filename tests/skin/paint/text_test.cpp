// Caption placement, the code page conversions and the canvas that lets
// graphic controls paint into a painter's bitmap.
#include "skin/paint/text.h"

#include <gtest/gtest.h>

#include "fake_text.h"
#include "skin/paint/primitives.h"

namespace {

using namespace skin::paint;
using painttest::TFakeText;

TEST(DrawCaptionText, CentresTheMeasuredBoxAsTheFlagsAsk) {
  TFakeText fake;
  fw::TBitmap b(100, 40);
  struct Case {
    unsigned flags;
    fw::TRect box;
  } cases[] = {
      {kTextLeft, {10, 14, 28, 26}},
      {kTextCenter | kTextCalcRect, {46, 14, 64, 26}},
      {kTextRight, {82, 14, 100, 26}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DrawCaptionText(b, L"abc", fw::TFont{}, 0x0000FF, fw::TRect{10, 10, 100, 30}, c.flags), c.box);
    EXPECT_EQ(fake.draws.back().rect, c.box);
    EXPECT_EQ(fake.draws.back().flags & kTextCalcRect, 0u);
  }
  // Two lines, higher than the rectangle: centred, reaching beyond it.
  EXPECT_EQ(DrawCaptionText(b, L"ab\r\ncd", fw::TFont{}, 0, fw::TRect{0, 0, 12, 20}, 0), (fw::TRect{0, -2, 12, 22}));
}

TEST(CodePage, EveryByteComesBackAndTheEuroSignIsWide) {
  if (Narrow(L"\u20AC") != "\x80") GTEST_SKIP() << "the ANSI code page is not Windows-1252";
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(char(b));
  EXPECT_EQ(Narrow(Widen(all)), all);
  EXPECT_EQ(Widen("caf\xE9 \x80"), L"caf\u00E9 \u20AC");
  EXPECT_EQ(Narrow(L"\u4E2D"), "?");
}

TEST(SkinCanvas, PaintsAtTheOriginAndOnlyInsideTheClip) {
  TFakeText fake;
  fw::TBitmap b(20, 12, 0);
  TSkinCanvas c(b);
  c.SetOrigin(5, 4, fw::TRect{4, 3, 15, 10});
  c.Brush.Color = 0x00FF00;
  c.FillRect(fw::TRect{-3, -3, 2, 2});
  EXPECT_EQ(b.Pixel(4, 3), 0x00FF00u);
  EXPECT_EQ(b.Pixel(6, 5), 0x00FF00u);
  EXPECT_EQ(b.Pixel(7, 6), 0u);
  EXPECT_EQ(b.Pixel(3, 3), 0u);

  // Text: drawn through the renderer at its place, cut by the clip even
  // where its box starts outside it.
  c.Brush.Clear = true;
  c.Font.Color = 0x0000FF;
  c.TextOut(-2, 0, "ab");
  ASSERT_EQ(fake.draws.size(), 1u);
  EXPECT_EQ(fake.draws[0].text, L"ab");
  EXPECT_EQ(b.Pixel(4, 4), 0x0000FFu);
  EXPECT_EQ(b.Pixel(14, 9), 0x0000FFu);  // the box is 12 wide: 3 .. 15
  EXPECT_EQ(b.Pixel(3, 4), 0u);
  EXPECT_EQ(b.Pixel(14, 10), 0u);
  EXPECT_EQ(c.TextWidth("abc"), 18);
  EXPECT_EQ(c.TextHeight(""), 12);

  // Shapes and bitmaps are cut the same way.
  fw::TBitmap dot(3, 3, 0xFFFFFF);
  dot.SetPixel(1, 1, kKeyColour);
  dot.Transparent = true;
  c.Draw(8, 4, dot);
  EXPECT_EQ(b.Pixel(13, 8), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(14, 9), 0x0000FFu);  // key colour left out
  EXPECT_EQ(b.Pixel(15, 10), 0u);         // outside the clip
  c.Pen.Color = 0x123456;
  c.Ellipse(fw::TRect{-10, -10, 30, 30});
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      if (x < 4 || x >= 15 || y < 3 || y >= 10) {
        EXPECT_NE(b.Pixel(x, y), 0x123456u) << x << "," << y;
      }
}

TEST(SkinCanvas, EllipseAndRectangleUseThePenAndTheBrush) {
  fw::TBitmap b(9, 9, 0);
  TSkinCanvas c(b);
  c.Pen.Color = 1;
  c.Brush.Color = 2;
  c.Ellipse(fw::TRect{0, 0, 9, 9});
  EXPECT_EQ(b.Pixel(4, 4), 2u);
  EXPECT_EQ(b.Pixel(4, 0), 1u);
  EXPECT_EQ(b.Pixel(0, 4), 1u);
  EXPECT_EQ(b.Pixel(8, 4), 1u);
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  c.Rectangle(fw::TRect{1, 1, 4, 4});
  EXPECT_EQ(b.Pixel(1, 1), 1u);
  EXPECT_EQ(b.Pixel(2, 2), 2u);
  EXPECT_EQ(b.Pixel(3, 3), 1u);
}

}  // namespace
