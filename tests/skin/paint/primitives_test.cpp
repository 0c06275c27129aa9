// The image primitives, pixel by pixel, and their behaviour on hostile
// geometry.
#include "skin/paint/primitives.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using namespace skin::paint;
using fw::TBitmap;
using fw::TColor;
using fw::TRect;

// A strip whose every pixel says where it is: red x, green y, blue 7.
TBitmap Coded(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, fw::RGBColor(uint8_t(x), uint8_t(y), 7));
  return b;
}
int Sx(TColor c) { return fw::GetRValue(c); }
int Sy(TColor c) { return fw::GetGValue(c); }

TEST(CutFrame, TakesFramesSideBySideOrStackedAndClampsTheNumber) {
  const TBitmap strip = Coded(12, 6);
  TBitmap f = CutFrame(strip, 3, 2, Orientation::SideBySide);
  ASSERT_EQ(f.Width(), 4);
  ASSERT_EQ(f.Height(), 6);
  EXPECT_EQ(Sx(f.Pixel(0, 0)), 4);
  f = CutFrame(strip, 2, 2, Orientation::Stacked);
  ASSERT_EQ(f.Height(), 3);
  EXPECT_EQ(Sy(f.Pixel(0, 0)), 3);
  EXPECT_EQ(CutFrame(strip, 3, 9, Orientation::SideBySide), CutFrame(strip, 3, 3, Orientation::SideBySide));
  EXPECT_EQ(CutFrame(strip, 3, -4, Orientation::SideBySide), CutFrame(strip, 3, 1, Orientation::SideBySide));
  EXPECT_EQ(CutFrame(strip, 0, 1, Orientation::SideBySide), strip);
  EXPECT_EQ(CutFrame(strip, -3, 2, Orientation::Stacked), strip);
  EXPECT_TRUE(CutFrame(strip, 13, 1, Orientation::SideBySide).Empty());
  EXPECT_TRUE(CutFrame(strip, INT_MAX, INT_MAX, Orientation::Stacked).Empty());
}

TEST(NineSlice, CopiesCornersStretchesEdgesAndCentre) {
  // Frame 2 of two 6 x 6 frames, margins 2 all round, drawn at 10 x 8.
  const TBitmap strip = Coded(12, 6);
  const TBitmap out = NineSlice(strip, 2, 2, Orientation::SideBySide, {2, 2, 2, 2}, false, 10, 8);
  ASSERT_EQ(out.Width(), 10);
  ASSERT_EQ(out.Height(), 8);
  // Corners: the frame's own corners.
  EXPECT_EQ(out.Pixel(0, 0), strip.Pixel(6, 0));
  EXPECT_EQ(out.Pixel(1, 1), strip.Pixel(7, 1));
  EXPECT_EQ(out.Pixel(9, 0), strip.Pixel(11, 0));
  EXPECT_EQ(out.Pixel(8, 7), strip.Pixel(10, 5));
  EXPECT_EQ(out.Pixel(0, 7), strip.Pixel(6, 5));
  // Edges and centre: the middle 2 source pixels spread over 6 (across) and
  // 4 (down), nearest pixel.
  const int across[6] = {8, 8, 8, 9, 9, 9}, down[4] = {2, 2, 3, 3};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(out.Pixel(2 + i, 0), strip.Pixel(across[i], 0)) << i;
    EXPECT_EQ(out.Pixel(2 + i, 5), strip.Pixel(across[i], 3)) << i;
  }
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(out.Pixel(0, 2 + j), strip.Pixel(6, down[j])) << j;
    EXPECT_EQ(out.Pixel(9, 2 + j), strip.Pixel(11, down[j])) << j;
  }
}

TEST(NineSlice, TilesOnlyTheCentre) {
  const TBitmap strip = Coded(6, 6);
  const TBitmap out = NineSlice(strip, 1, 1, Orientation::SideBySide, {2, 2, 2, 2}, true, 10, 8);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(out.Pixel(2 + i, 2), strip.Pixel(2 + i % 2, 2)) << i;
  for (int j = 0; j < 4; ++j) EXPECT_EQ(out.Pixel(3, 2 + j), strip.Pixel(3, 2 + j % 2)) << j;
  // The edges are still stretched.
  EXPECT_EQ(out.Pixel(3, 0), strip.Pixel(2, 0));
  EXPECT_EQ(out.Pixel(5, 0), strip.Pixel(3, 0));
}

TEST(NineSlice, MarginsThatDoNotFitAreDroppedInTheirDirection) {
  const TBitmap strip = Coded(6, 6);
  struct Case {
    Margins given;
    int w, h;
    Margins used;
  } cases[] = {
      {{2, 2, 2, 2}, 3, 8, {0, 2, 0, 2}},   // wider than the target
      {{4, 1, 3, 1}, 20, 8, {0, 1, 0, 1}},  // wider than the frame
      {{3, 2, 3, 2}, 20, 8, {0, 2, 0, 2}},  // no middle left to stretch
      {{1, 4, 1, 3}, 8, 20, {1, 0, 1, 0}},  // higher than the frame
      {{-1, 1, 1, 1}, 8, 8, {0, 1, 1, 1}},  // a negative margin counts as 0
      {{INT_MAX, INT_MAX, INT_MAX, 1}, 8, 8, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NineSlice(strip, 1, 1, Orientation::SideBySide, c.given, false, c.w, c.h),
              NineSlice(strip, 1, 1, Orientation::SideBySide, c.used, false, c.w, c.h))
        << c.given.left << "," << c.given.top << " at " << c.w << "x" << c.h;
  // Without margins the whole frame is stretched: its last pixel reaches
  // the target's corner.
  EXPECT_EQ(NineSlice(strip, 1, 1, Orientation::SideBySide, {}, false, 3, 9).Pixel(2, 8), strip.Pixel(5, 5));
}

TEST(Primitives, HostileGeometryStaysInsideEveryBitmap) {
  const TBitmap strip = Coded(8, 4);
  const int sizes[] = {INT_MIN, -1, 0, 1, 3, INT_MAX};
  const int counts[] = {INT_MIN, -1, 0, 1, 2, 9, INT_MAX};
  for (int frames : counts)
    for (int n : counts)
      for (int m : sizes) {
        const Margins margins{m, m, m, m};
        for (Orientation o : {Orientation::SideBySide, Orientation::Stacked}) {
          TBitmap out = NineSlice(strip, frames, n, o, margins, true, 5, 4);
          EXPECT_TRUE(out.Empty() || out.Width() * out.Height() == 20);
        }
        TBitmap dst(6, 5);
        const TRect r{m, m, m == INT_MIN ? INT_MAX : -m, 4};
        DrawThreePartBand(dst, r, strip, frames, n, Orientation::Stacked, m, m, true);
        DrawFrameStrip(dst, r, strip, frames, n, false);
        DrawCentredFrame(dst, r, strip, frames, n, true);
        StretchDraw(dst, r, strip);
        Draw(dst, m, n, strip);
        RoundRectFrame(dst, r, m, n, 1);
        DrawFocusRect(dst, r);
        Frame3D(dst, r, 1, 2);
      }
  for (int w : {INT_MIN, -1, 0, INT_MAX})
    EXPECT_TRUE(NineSlice(strip, 1, 1, Orientation::SideBySide, {}, false, w, w).Empty()) << w;
}

TEST(Draw, ClipsAndLeavesOutTheKeyColour) {
  TBitmap src = Coded(3, 2);
  src.SetPixel(1, 0, kKeyColour);
  src.SetPixel(2, 1, kKeyColour | 0xFF000000u);  // a top byte does not hide the key
  TBitmap dst(4, 3, 0x123456);
  Draw(dst, -1, 1, src, true);
  EXPECT_EQ(dst.Pixel(0, 1), 0x123456u);  // key
  EXPECT_EQ(dst.Pixel(1, 1), src.Pixel(2, 0));
  EXPECT_EQ(dst.Pixel(0, 2), src.Pixel(1, 1));
  EXPECT_EQ(dst.Pixel(1, 2), 0x123456u);  // key with a top byte
  EXPECT_EQ(dst.Pixel(2, 1), 0x123456u);  // outside the source
  Draw(dst, 3, 2, src, false);
  EXPECT_EQ(dst.Pixel(3, 2), src.Pixel(0, 0));
}

TEST(StretchDraw, PicksTheNearestPixelAsTheSystemStretchDoes) {
  // Enlarged: the source pixel under each target centre; reduced: the last
  // source pixel whose centre falls in the target pixel. Centres on a
  // boundary count to the lower pixel.
  struct Case {
    int from, to;
    std::vector<int> picks;
  } cases[] = {
      {4, 8, {0, 0, 1, 1, 2, 2, 3, 3}},
      {2, 9, {0, 0, 0, 0, 0, 1, 1, 1, 1}},
      {3, 7, {0, 0, 1, 1, 1, 2, 2}},
      {4, 2, {1, 3}},
      {7, 3, {1, 4, 6}},
      {6, 4, {1, 2, 4, 5}},
  };
  for (const Case& c : cases) {
    TBitmap dst(c.to, 1);
    StretchDraw(dst, TRect{0, 0, c.to, 1}, Coded(c.from, 1));
    for (int x = 0; x < c.to; ++x) EXPECT_EQ(Sx(dst.Pixel(x, 0)), c.picks[x]) << c.from << " to " << c.to << " at " << x;
  }
}

TEST(DrawThreePartBand, RepeatsTheMiddleAndScalesToTheHeight) {
  // Stacked frames of 5 x 2; frame 2, left 1 and right 1, over 9 x 4.
  const TBitmap strip = Coded(5, 4);
  TBitmap dst(9, 4);
  DrawThreePartBand(dst, TRect{0, 0, 9, 4}, strip, 2, 2, Orientation::Stacked, 1, 1, false);
  const int xs[9] = {0, 1, 2, 3, 1, 2, 3, 1, 4};
  for (int x = 0; x < 9; ++x) EXPECT_EQ(Sx(dst.Pixel(x, 0)), xs[x]) << x;
  for (int y = 0; y < 4; ++y) EXPECT_EQ(Sy(dst.Pixel(0, y)), 2 + y / 2) << y;
}

TEST(DrawCentredFrame, CentresTheFrameUnscaled) {
  const TBitmap strip = Coded(6, 2);
  TBitmap dst(9, 6, 0);
  DrawCentredFrame(dst, TRect{1, 0, 8, 6}, strip, 3, 3, false);
  EXPECT_EQ(dst.Pixel(3, 2), strip.Pixel(4, 0));
  EXPECT_EQ(dst.Pixel(4, 3), strip.Pixel(5, 1));
  for (auto [x, y] : {std::pair{2, 2}, {5, 2}, {3, 1}, {3, 4}}) EXPECT_EQ(dst.Pixel(x, y), 0u) << x << "," << y;
}

TEST(KeyColour, ToleratesOneStepAboveTheKeyCappedAt255) {
  EXPECT_TRUE(IsKeyColoured(0xFF00FF));
  EXPECT_TRUE(IsKeyColoured(0xFF01FF));
  EXPECT_TRUE(IsKeyColoured(0xFF00FF | 0xFF000000u));
  EXPECT_FALSE(IsKeyColoured(0xFF02FF));
  EXPECT_FALSE(IsKeyColoured(0xFE00FF));
  EXPECT_FALSE(IsKeyColoured(0xFF00FE));
  EXPECT_TRUE(IsKeyColoured(0x101011, 0x101010));
  EXPECT_FALSE(IsKeyColoured(0x10100F, 0x101010));
}

TEST(RegionRuns, OneRectanglePerRunOfVisiblePixels) {
  TBitmap img(5, 2, 0x000000);
  img.SetPixel(0, 0, kKeyColour);
  img.SetPixel(2, 0, 0xFF01FF);
  for (int x = 0; x < 5; ++x) img.SetPixel(x, 1, kKeyColour);
  const std::vector<TRect> runs = RegionRuns(img, 10, 20);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0], (TRect{11, 20, 12, 21}));
  EXPECT_EQ(runs[1], (TRect{13, 20, 15, 21}));
}

TEST(Shapes, FocusRectInvertsEveryOtherPixelFromTheCorner) {
  TBitmap b(5, 4, 0x000000);
  DrawFocusRect(b, TRect{0, 0, 5, 4});
  const char* want[] = {"X.X.X", ".___.", "X___X", ".X.X."};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(b.Pixel(x, y), want[y][x] == 'X' ? 0xFFFFFFu : 0u) << x << "," << y;
  // A one-pixel-high rectangle inverts each pixel once.
  TBitmap line(4, 1, 0);
  DrawFocusRect(line, TRect{0, 0, 4, 1});
  EXPECT_EQ(line.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(line.Pixel(1, 0), 0u);
}

TEST(Shapes, Frame3DGivesTheFarCornersToTheBottomRightColour) {
  TBitmap b(4, 3, 0);
  Frame3D(b, TRect{0, 0, 4, 3}, 1, 2);
  EXPECT_EQ(b.Pixel(0, 0), 1u);
  EXPECT_EQ(b.Pixel(2, 0), 1u);
  EXPECT_EQ(b.Pixel(3, 0), 2u);
  EXPECT_EQ(b.Pixel(0, 1), 1u);
  EXPECT_EQ(b.Pixel(0, 2), 2u);
  EXPECT_EQ(b.Pixel(1, 1), 0u);
}

TEST(Shapes, RoundRectFrameRoundsTheCornersOnly) {
  TBitmap b(12, 10, 0);
  RoundRectFrame(b, TRect{1, 1, 11, 9}, 5, 5, 9);
  for (auto [x, y] : {std::pair{1, 1}, {10, 1}, {1, 8}, {10, 8}}) EXPECT_EQ(b.Pixel(x, y), 0u) << x << "," << y;
  EXPECT_EQ(b.Pixel(5, 1), 9u);
  EXPECT_EQ(b.Pixel(5, 8), 9u);
  EXPECT_EQ(b.Pixel(1, 5), 9u);
  EXPECT_EQ(b.Pixel(10, 5), 9u);
  EXPECT_EQ(b.Pixel(5, 5), 0u);
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  // Each corner joins its two lines without a gap.
  EXPECT_EQ(b.Pixel(2, 1), 9u);
  EXPECT_EQ(b.Pixel(1, 2), 9u);
}

}  // namespace
