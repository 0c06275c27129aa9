// Combo boxes, edits, group boxes and status bars: their frames, and what
// they leave to the window layer or the control itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "builtin_skin_test.h"
#include "fake_text.h"
#include "skin/paint/button_painter.h"
#include "skin/paint/check_painter.h"
#include "skin/paint/combo_painter.h"
#include "skin/paint/edit_painter.h"
#include "skin/paint/group_box_painter.h"
#include "skin/paint/primitives.h"
#include "skin/paint/status_bar_painter.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "skin_test_util.h"

namespace {

using namespace skin::paint;
using painttest::TFakeText;

class FramedControls : public painttest::BuiltinSkinTest {};

TEST(ComboFrame, PressedThenFocusedOrHotThenNormalDisabledOverAll) {
  ComboState s;
  EXPECT_EQ(ComboFrame(s), 1);
  s.hot = true;
  EXPECT_EQ(ComboFrame(s), 4);
  s.hot = false, s.focused = true;
  EXPECT_EQ(ComboFrame(s), 4);
  s.pressed = true;
  EXPECT_EQ(ComboFrame(s), 2);
  s.enabled = false;
  EXPECT_EQ(ComboFrame(s), 3);
}

TEST_F(FramedControls, ComboIsTheCompositeWithItsFieldOpenAndTheButtonOnEitherSide) {
  const TDataSkinBorder& combo = *Skin().ComboButton();
  ASSERT_EQ(combo.Style, 2);
  ComboState s;
  s.width = 120, s.height = 21, s.button_width = 19, s.field = 0x00FFFF;
  fw::TBitmap out;
  const fw::TRect inner = PaintCombo(out, Skin(), s);
  EXPECT_EQ(inner, (fw::TRect{2, 3, 120 - combo.RightWidth, 18}));
  const fw::TBitmap cell = NineSlice(combo, 1, Orientation::SideBySide, 120, 21);
  EXPECT_EQ(out.Pixel(60, 0), cell.Pixel(60, 0));
  EXPECT_EQ(out.Pixel(110, 10), cell.Pixel(110, 10));
  // Outside the rounded edge the form colour, inside it the field.
  EXPECT_EQ(out.Pixel(0, 0), Skin().Colours().ButtonFace);
  EXPECT_EQ(out.Pixel(10, 2), 0x00FFFFu);
  for (fw::TColor p : out.Pixels()) ASSERT_FALSE(IsKeyColoured(p));

  // With the scroll bar on the left the button is at the left.
  s.left_scroll = true;
  const fw::TRect left = PaintCombo(out, Skin(), s);
  EXPECT_EQ(left.Left, combo.RightWidth);
  EXPECT_EQ(out.Pixel(9, 10), cell.Pixel(110, 10));
}

TEST_F(FramedControls, EditFrameOnlyAroundABorderedEdit) {
  fw::TBitmap out(1, 1, 7);
  EXPECT_EQ(PaintEditFrame(out, Skin(), EditState{60, 20, 60, 20}), fw::TRect{});
  EXPECT_EQ(out.Pixel(0, 0), 7u);
  EXPECT_EQ(PaintEditFrame(out, Skin(), EditState{60, 20, 56, 16}), (fw::TRect{3, 3, 57, 17}));
  EXPECT_EQ(out.Pixel(0, 0), Skin().Colours().ButtonShadow);
  EXPECT_EQ(out.Pixel(59, 10), Skin().Colours().ButtonShadow);
  EXPECT_EQ(out.Pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(out.Pixel(57, 17), 0xFFFFFFu);
}

TEST_F(FramedControls, GroupBoxFrameRunsThroughTheCaptionLine) {
  TFakeText text;
  GroupBoxState s;
  s.width = 100, s.height = 60, s.caption = L"Inputs", s.font.Color = 0x112233;
  fw::TBitmap out;
  PaintGroupBox(out, Skin(), s);
  const fw::TColor face = Skin().Colours().ButtonFace, line = Skin().Colours().ButtonShadow;
  // Half the height of "0" (12 with the fake metrics) is the frame's top.
  EXPECT_EQ(out.Pixel(50, 6), line);
  EXPECT_EQ(out.Pixel(1, 30), line);
  EXPECT_EQ(out.Pixel(98, 30), line);
  EXPECT_EQ(out.Pixel(50, 58), line);
  EXPECT_EQ(out.Pixel(50, 59), face);
  EXPECT_EQ(out.Pixel(1, 6), face);  // rounded corner
  ASSERT_EQ(text.draws.size(), 1u);
  EXPECT_EQ(text.draws[0].rect, (fw::TRect{8, 0, 44, 12}));
  EXPECT_EQ(text.draws[0].colour, 0x112233u);
  s.right_aligned = true;
  EXPECT_EQ(GroupBoxCaptionRect(s), (fw::TRect{56, 0, 92, 12}));
}

TEST(StatusPanels, WidenedByTwoAndTheLastToTheEdge) {
  StatusBarState s;
  s.width = 300, s.height = 22;
  EXPECT_EQ(StatusPanelRects(s), (std::vector<fw::TRect>{{0, 0, 300, 22}}));
  s.panels.resize(3);
  s.panels[0].rect = {0, 2, 100, 22};
  s.panels[1].rect = {102, 2, 200, 22};
  s.panels[2].rect = {202, 2, 250, 22};
  EXPECT_EQ(StatusPanelRects(s), (std::vector<fw::TRect>{{0, 2, 102, 22}, {102, 2, 202, 22}, {202, 2, 300, 22}}));
  s.simple = true;
  EXPECT_EQ(StatusPanelRects(s).size(), 1u);
  EXPECT_EQ(PanelFrame(PanelBevel::Lowered), 1);
  EXPECT_EQ(PanelFrame(PanelBevel::Raised), 2);
  EXPECT_EQ(PanelFrame(PanelBevel::None), 3);
}

TEST_F(FramedControls, StatusBarPanelsTextAndSizeGrip) {
  TFakeText text;
  const TDataSkinObject& edges = *Skin().Object("StatusBarEdges");
  const TDataSkinObject& extra = *Skin().Object("ExtraImages");
  StatusBarState s;
  s.width = 300, s.height = 24, s.size_grip = true;
  s.panels.resize(2);
  s.panels[0] = {{0, 0, 120, 24}, L"Com Is Close", PanelBevel::Raised, PanelAlignment::Left, false, false};
  s.panels[1] = {{122, 0, 200, 24}, L"", PanelBevel::Lowered, PanelAlignment::Right, true, false};
  fw::TBitmap out;
  PaintStatusBar(out, Skin(), s);
  EXPECT_EQ(out.Pixel(0, 0), NineSlice(edges, 2, Orientation::SideBySide, 122, 24).Pixel(0, 0));
  EXPECT_EQ(out.Pixel(150, 23), NineSlice(edges, 1, Orientation::SideBySide, 178, 24).Pixel(28, 23));
  ASSERT_EQ(text.draws.size(), 2u);
  EXPECT_EQ(text.draws[0].rect, (fw::TRect{2, 6, 74, 18}));
  EXPECT_EQ(text.draws[0].colour, edges.NormalColour2);
  // An empty text is a space; right alignment of a right-to-left panel is
  // its left.
  EXPECT_EQ(text.draws[1].text, L" ");
  EXPECT_EQ(text.draws[1].rect, (fw::TRect{124, 6, 130, 18}));
  // The grip: frame 5 of ExtraImages, 1 pixel in from the corner.
  const fw::TBitmap grip = CutFrame(extra.Image, extra.Frames, 5, Orientation::SideBySide);
  const int gx = 300 - 1 - grip.Width(), gy = 24 - 1 - grip.Height();
  int drawn = 0;
  for (int y = 0; y < grip.Height(); ++y)
    for (int x = 0; x < grip.Width(); ++x)
      if (grip.Pixel(x, y) != kKeyColour) {
        ++drawn;
        EXPECT_EQ(out.Pixel(gx + x, gy + y), grip.Pixel(x, y)) << x << "," << y;
      }
  EXPECT_GT(drawn, 0);
}

TEST_F(FramedControls, DegenerateSizesGiveBitmapsOfThatSize) {
  for (int size : {-5, 0, 1, 3}) {
    fw::TBitmap out;
    ButtonState b;
    b.width = size, b.height = size, b.caption = L"x";
    PaintButton(out, Skin(), b);
    CheckState c;
    c.width = size, c.height = size, c.caption = L"x", c.focused = true;
    PaintCheck(out, Skin(), c);
    ComboState k;
    k.width = size, k.height = size, k.button_width = 19;
    PaintCombo(out, Skin(), k);
    PaintEditFrame(out, Skin(), EditState{size, size, 0, 0});
    GroupBoxState g;
    g.width = size, g.height = size, g.caption = L"x";
    PaintGroupBox(out, Skin(), g);
    StatusBarState st;
    st.width = size, st.height = size, st.size_grip = true;
    st.panels.resize(2);
    PaintStatusBar(out, Skin(), st);
    EXPECT_EQ(out.Width(), std::max(size, 0));
  }
}

TEST(StatusBar, PlainBevelsWithoutTheSkinsEdges) {
  skin::DestroySkinManager();
  TSkinData bare(nullptr);
  bare.LoadSkinFromStream(skintest::MakeSkin("[Colours]\r\nButtonFace=1,2,3\r\n"));
  StatusBarState s;
  s.width = 40, s.height = 10;
  s.panels.resize(2);
  s.panels[0].rect = {0, 0, 18, 10};
  s.panels[1] = {{20, 0, 30, 10}, L"x", PanelBevel::Raised};
  fw::TBitmap out;
  PaintStatusBar(out, bare, s);
  const fw::TColor shadow = fw::ColorToRGB(fw::clBtnShadow), light = fw::ColorToRGB(fw::clBtnHighlight);
  EXPECT_EQ(out.Pixel(0, 0), shadow);
  EXPECT_EQ(out.Pixel(19, 5), light);
  EXPECT_EQ(out.Pixel(20, 0), light);
  EXPECT_EQ(out.Pixel(39, 9), shadow);
  EXPECT_EQ(out.Pixel(10, 5), fw::RGBColor(1, 2, 3));
  skin::DestroySkinManager();
}

}  // namespace
