// The window frame painted from the built-in skin: border parts, the
// caption with its buttons and title, and the region of the transparent
// borders.
#include "skin/paint/frame_painter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "builtin_skin_test.h"
#include "fake_text.h"
#include "skin/paint/primitives.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "skin_test_util.h"

namespace {

using namespace skin::paint;

class FramePainter : public painttest::BuiltinSkinTest {};

// Frame n (1-based) of the top border strip, as the skin holds it.
fw::TBitmap TopFrame(const TSkinData& s, int n) { return CutFrame(s.Top()->Image, 2, n, Orientation::Stacked); }

TEST_F(FramePainter, CaptionPartKeepsTheTopBorderCornersActiveAndInactive) {
  const int w = 923, h = 29, margin = Skin().Top()->LeftWidth;
  ASSERT_EQ(margin, 10);
  for (bool active : {true, false}) {
    const fw::TBitmap top = TopFrame(Skin(), active ? 1 : 2);
    const fw::TBitmap part = RenderBorderPart(Skin(), kPartCaption, w, h, active);
    ASSERT_EQ(part.Width(), w);
    ASSERT_EQ(part.Height(), h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < margin; ++x) {
        ASSERT_EQ(part.Pixel(x, y), top.Pixel(x, y)) << x << "," << y;
        ASSERT_EQ(part.Pixel(w - 1 - x, y), top.Pixel(top.Width() - 1 - x, y)) << x << "," << y;
      }
    // The middle is the stretched middle of the same frame.
    EXPECT_EQ(part.Pixel(w / 2, h / 2), top.Pixel(top.Width() / 2, h / 2));
  }
  EXPECT_NE(RenderBorderPart(Skin(), kPartCaption, w, h, true), RenderBorderPart(Skin(), kPartCaption, w, h, false));
  // The sides are cut side by side: 4 wide, from their left half.
  const fw::TBitmap left = RenderBorderPart(Skin(), kPartLeft, 4, 540, true);
  ASSERT_EQ(left.Width(), 4);
  EXPECT_EQ(left.Pixel(3, 539), Skin().Left()->Image.Pixel(3, Skin().Left()->Image.Height() - 1));
}

TEST_F(FramePainter, BorderFrameIsTheSecondOnlyWhenInactiveWithTwo) {
  EXPECT_EQ(BorderFrame(2, true), 1);
  EXPECT_EQ(BorderFrame(2, false), 2);
  EXPECT_EQ(BorderFrame(1, false), 1);
  EXPECT_EQ(BorderFrame(0, false), 1);
}

TEST_F(FramePainter, CaptionDrawsButtonsTransparentlyTheIconScaledAndTheTitle) {
  painttest::TFakeText text;
  const int W = 300, T = 29, L = 4, R = 4;
  fw::TBitmap strip(W, T, 0x010203);
  const TDataSkinSysButton* close = Skin().SysButtons()[1].get();
  ASSERT_EQ(close->Action, 0);
  const int bw = close->Image.Width() / close->Frames, bh = close->Image.Height();
  fw::TBitmap icon(2, 2, 0x00AA00);
  icon.SetPixel(1, 1, kKeyColour);
  fw::TBitmap back(4, 4, 0x0000AA);

  CaptionPaint p;
  p.width = W, p.height = T, p.left = L, p.right = R;
  p.buttons.push_back({close, fw::TRect{W - 40, 4, W - 40 + bw, 4 + bh}, 3, false});
  p.buttons.push_back({Skin().SysButtons()[0].get(), fw::TRect{8, 6, 12, 10}, 1, true});
  p.icon = &icon;
  p.texts.push_back({L"Title", fw::TFont{}, 0x5A5A5A, fw::TRect{40, 0, 200, T}, kTextSingleLine, &back,
                     fw::TRect{150, 2, 160, 8}});
  PaintCaption(strip, Skin(), p);

  // Outside the caption part the strip keeps what was under it.
  EXPECT_EQ(strip.Pixel(0, 10), 0x010203u);
  EXPECT_EQ(strip.Pixel(W - 1, 10), 0x010203u);
  // The close button's frame 3 over the caption: its key pixels show the caption.
  const fw::TBitmap caption = RenderBorderPart(Skin(), kPartCaption, W - L - R, T, true);
  const fw::TBitmap frame3 = CutFrame(close->Image, close->Frames, 3, Orientation::SideBySide);
  int keyed = 0;
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x) {
      const fw::TColor want =
          frame3.Pixel(x, y) == kKeyColour ? caption.Pixel(W - 40 + x - L, 4 + y) : frame3.Pixel(x, y);
      keyed += frame3.Pixel(x, y) == kKeyColour;
      ASSERT_EQ(strip.Pixel(W - 40 + x, 4 + y), want) << x << "," << y;
    }
  EXPECT_GT(keyed, 0);
  // The icon doubled, its key quarter left out.
  EXPECT_EQ(strip.Pixel(8, 6), 0x00AA00u);
  EXPECT_EQ(strip.Pixel(11, 7), 0x00AA00u);
  EXPECT_EQ(strip.Pixel(10, 8), caption.Pixel(10 - L, 8));
  // The back image under the title, the title centred vertically.
  EXPECT_EQ(strip.Pixel(159, 7), 0x0000AAu);
  ASSERT_EQ(text.draws.size(), 1u);
  EXPECT_EQ(text.draws[0].text, L"Title");
  EXPECT_EQ(text.draws[0].colour, 0x5A5A5Au);
  EXPECT_EQ(text.draws[0].rect, (fw::TRect{40, 8, 70, 20}));
}

TEST_F(FramePainter, MinimizedCaptionLiesOnTheFormColourAcrossTheWholeWidth) {
  fw::TBitmap strip(160, 29, 0x010203);
  CaptionPaint p;
  p.width = 160, p.height = 29, p.left = 4, p.right = 4, p.minimized = true;
  PaintCaption(strip, Skin(), p);
  const fw::TBitmap caption = RenderBorderPart(Skin(), kPartCaption, 160, 29, true);
  for (int x : {0, 80, 159})
    for (int y : {0, 14, 28}) {
      const fw::TColor c = caption.Pixel(x, y);
      EXPECT_EQ(strip.Pixel(x, y), c == kKeyColour ? Skin().Colours().ButtonFace : c) << x << "," << y;
    }
}

bool Covered(const std::vector<fw::TRect>& runs, int x, int y) {
  return std::any_of(runs.begin(), runs.end(),
                     [&](const fw::TRect& r) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; });
}

TEST_F(FramePainter, RegionCutsTheTransparentCornersAndKeepsTheRest) {
  const FrameGeometry g{931, 540, 4, 29, 4, 4};
  std::vector<fw::TRect> runs;
  ASSERT_TRUE(FrameRegionRuns(Skin(), g, true, runs));
  // The rounded top corners are cut away.
  EXPECT_FALSE(Covered(runs, 0, 0));
  EXPECT_FALSE(Covered(runs, 930, 0));
  // The caption, the sides, the client area and the bottom border stay.
  for (auto [x, y] : {std::pair{465, 0}, {465, 20}, {0, 300}, {930, 300}, {4, 29}, {926, 535}, {465, 539}})
    EXPECT_TRUE(Covered(runs, x, y)) << x << "," << y;
  EXPECT_EQ(Skin().Bottom()->Trans, 0);
  EXPECT_TRUE(std::find(runs.begin(), runs.end(), fw::TRect{4, 536, 927, 540}) != runs.end());
}

TEST(FrameRegion, NoRegionWithoutATransparentBorder) {
  skin::DestroySkinManager();
  fw::TBitmap side(8, 20, 0x808080);
  TSkinData data(nullptr);
  data.LoadSkinFromStream(skintest::MakeSkin(
      "[Personality]\r\nLeft=side.bmp\r\nLeftTrans=0\r\nRight=side.bmp\r\nRightTrans=0\r\n", {{"side.bmp", side}}));
  ASSERT_TRUE(data.SkinLoaded());
  std::vector<fw::TRect> runs{{1, 2, 3, 4}};
  EXPECT_FALSE(FrameRegionRuns(data, FrameGeometry{100, 80, 4, 20, 4, 4}, true, runs));
  EXPECT_TRUE(runs.empty());
  // No image, no part.
  EXPECT_TRUE(RenderBorderPart(data, kPartCaption, 92, 20, true).Empty());
  skin::DestroySkinManager();
}

}  // namespace
