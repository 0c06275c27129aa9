// What only GDI can show: text drawn by the system renderer, bitmaps to a
// DC and back, regions from many rectangles, and nearest-pixel scaling
// that agrees with the system's colour-on-colour stretch.
#include <gtest/gtest.h>

#include "framework/win32/dib_section.h"
#include "skin/paint/primitives.h"
#include "skin/paint/text.h"
#include "skin/paint/win32/gdi_bitmap.h"

namespace {

using namespace skin::paint;
using MemoryDc = fw::win32::TDibSection;

fw::TBitmap Coded(int w, int h) {
  fw::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, fw::RGBColor(uint8_t(x * 7), uint8_t(y * 5), uint8_t(x + y)));
  return b;
}

TEST(GdiText, DrawsOnlyInsideTheTextRectangle) {
  fw::TBitmap b(160, 50, 0xE0F0C0);
  b.SetPixel(0, 0, 0xFFE0F0C0u);  // a top byte outside the text survives
  const fw::TBitmap before = b;
  fw::TFont font;
  font.Name = "Tahoma";
  font.Height = -13;
  const fw::TRect r{20, 10, 100, 30};
  const fw::TRect m = TextRenderer().Measure(L"Read Settings", font, r, kTextSingleLine);
  EXPECT_EQ(m.Left, 20);
  EXPECT_GT(m.Width(), 30);
  EXPECT_GT(m.Height(), 8);
  TextRenderer().Draw(b, L"Read Settings", font, 0x000000, r, kTextSingleLine | kTextVCenter);
  int inside = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const bool in = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      if (in) inside += b.Pixel(x, y) != before.Pixel(x, y);
      else ASSERT_EQ(b.Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
    }
  EXPECT_GT(inside, 20);
}

TEST(GdiBitmap, BlitThenCaptureGivesThePixelsBack) {
  MemoryDc mem(64, 48);
  const fw::TBitmap src = Coded(40, 30);
  skin::win32::Blit(mem.Dc(), 5, 6, src);
  const fw::TBitmap back = skin::win32::Capture(mem.Dc(), RECT{5, 6, 45, 36});
  EXPECT_EQ(back, src);
  // A part of the bitmap, and a part that reaches beyond it.
  skin::win32::Blit(mem.Dc(), 0, 0, src, 10, 20, 8, 50);
  const fw::TBitmap part = skin::win32::Capture(mem.Dc(), RECT{0, 0, 8, 10});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(part.Pixel(x, y), src.Pixel(10 + x, 20 + y)) << x << "," << y;
}

TEST(GdiRegion, ManyBlocksOfRectanglesMakeTheirUnion) {
  // A checkerboard of 1-pixel rectangles: 2500 of them, two blocks.
  std::vector<fw::TRect> runs;
  for (int y = 0; y < 50; ++y)
    for (int x = y % 2; x < 100; x += 2) runs.push_back(fw::TRect{x, y, x + 1, y + 1});
  ASSERT_GT(runs.size(), 2000u);
  HRGN rgn = skin::win32::RegionFromRuns(runs);
  ASSERT_NE(rgn, nullptr);
  for (int y = -1; y <= 50; ++y)
    for (int x = -1; x <= 100; ++x) {
      const bool want = x >= 0 && x < 100 && y >= 0 && y < 50 && (x + y) % 2 == 0;
      ASSERT_EQ(PtInRegion(rgn, x, y) != 0, want) << x << "," << y;
    }
  DeleteObject(rgn);
  EXPECT_EQ(skin::win32::RegionFromRuns({}), nullptr);
}

TEST(GdiStretch, NearestPixelAgreesWithTheSystemStretch) {
  for (auto [from, to] : {std::pair{4, 8}, {2, 9}, {3, 7}, {5, 12}, {29, 540}, {2, 931}, {4, 2}, {7, 3}, {12, 5},
                          {10, 4}, {6, 4}, {931, 29}}) {
    const fw::TBitmap src = Coded(from, 1);
    fw::TBitmap mine(to, 1);
    StretchDraw(mine, fw::TRect{0, 0, to, 1}, src);

    MemoryDc s(from, 1), d(to, 1);
    skin::win32::Blit(s.Dc(), 0, 0, src);
    SetStretchBltMode(d.Dc(), COLORONCOLOR);
    StretchBlt(d.Dc(), 0, 0, to, 1, s.Dc(), 0, 0, from, 1, SRCCOPY);
    EXPECT_EQ(skin::win32::Capture(d.Dc(), RECT{0, 0, to, 1}), mine) << from << " to " << to;
  }
}

}  // namespace
