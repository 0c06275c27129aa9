// The frame's decisions: metrics from the built-in skin, the client area
// under the skinned frame, the revised hit test, caption button visibility
// and layout, and the frame numbers of button images.
#include <gtest/gtest.h>

#include "skin/engine/frame_rules.h"
#include "skin/engine/skin_messages.h"
#include "skin/skin_data.h"
#include "skin_test_util.h"

namespace {

using namespace skin;

TEST(FrameRules, BorderKindFromStylesAndClass) {
  const uint32_t cap = sys::kCaption;
  struct Case {
    uint32_t style, ex;
    bool dialog;
    int kind;
  } cases[] = {
      {sys::kBorder, 0, false, kBorderNoCaption},  // half a caption is none
      {0, 0, false, kBorderNoCaption},
      {cap | sys::kThickFrame, 0, false, kBorderSizeable},
      {cap, 0, false, kBorderFixed},
      {cap | sys::kDsModalFrame, 0, false, kBorderDialog},
      {cap | sys::kThickFrame, sys::kExDlgModalFrame, false, kBorderDialog},
      {cap | sys::kThickFrame, 0, true, kBorderDialog},
  };
  for (const Case& c : cases) EXPECT_EQ(BorderKindOf(c.style, c.ex, c.dialog), c.kind) << std::hex << c.style;
  EXPECT_TRUE(IsDialogClass("#32770"));
  EXPECT_TRUE(IsDialogClass("TMessageForm"));
  EXPECT_FALSE(IsDialogClass("TForm"));
}

TEST(FrameRules, MetricsOfTheBuiltInSkin) {
  TSkinData d(nullptr);
  d.LoadSkinFromStream(skintest::BuiltinSkin());
  EXPECT_EQ(BorderMetrics(d, kBorderFixed), (FrameMetrics{4, 29, 4, 4, 0}));
  EXPECT_EQ(BorderMetrics(d, kBorderNoCaption), FrameMetrics{});
  TSkinData empty(nullptr);
  EXPECT_EQ(BorderMetrics(empty, kBorderFixed), FrameMetrics{});
}

TEST(FrameRules, ClientAreaKeepsItsSizeUnderTheFrame) {
  const FrameMetrics m{4, 29, 5, 6, 20};
  int w = 0, h = 0;
  OuterSizeFor(925, 511, m, w, h);
  EXPECT_EQ(w, 925 + 4 + 5);
  EXPECT_EQ(h, 511 + 29 + 20 + 6);
  const fw::TRect c = ClientRectFor({100, 50, 100 + w, 50 + h}, m);
  EXPECT_EQ(c, (fw::TRect{104, 50 + 29 + 20, 104 + 925, 50 + 29 + 20 + 511}));
  // Smaller than its frame: an empty client area, never a turned-over one.
  const fw::TRect tiny = ClientRectFor({0, 0, 5, 5}, m);
  EXPECT_EQ(tiny.Width(), 0);
  EXPECT_EQ(tiny.Height(), 0);
}

TEST(FrameRules, HitTestRevision) {
  const FrameMetrics no_menu{4, 29, 4, 4, 0}, menu{4, 29, 4, 4, 20};
  struct Case {
    int old_hit, y;
    FrameMetrics m;
    int expected;
  } cases[] = {
      {sys::kHtNowhere, 10, no_menu, sys::kHtCaption}, {sys::kHtCaption, 10, no_menu, sys::kHtCaption},
      {sys::kHtNowhere, 3, no_menu, sys::kHtNowhere},  // the top 3 pixels keep the system's answer
      {sys::kHtCaption, 2, no_menu, sys::kHtCaption},  {sys::kHtNowhere, 35, menu, sys::kHtMenu},
      {sys::kHtNowhere, 29, menu, sys::kHtCaption},     {sys::kHtClient, 100, menu, sys::kHtClient},
      {13 /*HTTOP*/, 1, no_menu, 13},
  };
  for (const Case& c : cases) EXPECT_EQ(ReviseHitTest(c.old_hit, 50, c.y, c.m), c.expected) << c.old_hit << "@" << c.y;
}

std::unique_ptr<TDataSkinSysButton> MakeButton(int action, int vis, int vis1, int align = 1, int x = 30, int y = 4) {
  auto b = std::make_unique<TDataSkinSysButton>("BUTTON.T");
  b->Action = action;
  b->Visibility = vis;
  b->Visibility1 = vis1;
  b->Align = align;
  b->Xcoord = x;
  b->Ycoord = y;
  b->Frames = 3;
  b->Image.SetSize(28 * 3, 20);
  return b;
}
const TDataSkinSysButton& Button(int action, int vis, int vis1) {
  static std::vector<std::unique_ptr<TDataSkinSysButton>> keep;
  keep.push_back(MakeButton(action, vis, vis1));
  return *keep.back();
}
ButtonFacts Facts(unsigned features, bool active = true, int placement = kPlaceNormal) {
  ButtonFacts f;
  f.features = features;
  f.active = active;
  f.placement = placement;
  return f;
}

TEST(FrameRules, VisibilityCodes) {
  ButtonFacts f;
  f.features = kFeatSysMenu | kFeatMinimizeBox;
  f.active = false;
  f.placement = kPlaceMaximized;
  f.border_kind = kBorderDialog;
  f.ask_custom = [](int code, int) { return code == 1500 ? 1 : 0; };
  struct Case {
    int code;
    bool first;
    bool holds;
  } cases[] = {
      {0, true, true},     {1, true, true},      {2, true, false},     {3, true, false},    {4, true, true},
      {6, true, false},    {6, false, false},    {7, true, true},      {8, true, true},     {8, false, true},
      {9, true, false},    {100, true, false},   {200, true, true},    {200, false, true},  {500, true, true},
      {500, false, true},  {1500, true, true},   {1600, true, false},  {-1, true, true},    {-1, false, false},
      {5, true, false},    {3000, true, false},
  };
  for (const Case& c : cases) EXPECT_EQ(VisibilityCodeHolds(c.code, c.first, 0, f), c.holds) << c.code << c.first;
  f.dialog_class = true;
  EXPECT_FALSE(VisibilityCodeHolds(200, true, 0, f));
}

TEST(FrameRules, ButtonsShowOnlyWhatTheWindowAllows) {
  ButtonFacts f = Facts(kFeatSysMenu | kFeatMinimizeBox);
  EXPECT_TRUE(ButtonVisible(Button(0, 0, 0), f));
  EXPECT_FALSE(ButtonVisible(Button(1, 0, 0), f));  // no maximize box
  EXPECT_TRUE(ButtonVisible(Button(2, 0, 8), f));
  EXPECT_TRUE(ButtonVisible(Button(3, 0, 0), f));
  f.border_kind = kBorderDialog;
  EXPECT_FALSE(ButtonVisible(Button(3, 0, 0), f));  // no icon on dialogs
  f.features = 0;
  EXPECT_FALSE(ButtonVisible(Button(0, 0, 0), f));  // no close without a system menu
  // Visibility1 100 repeats the first code's answer.
  EXPECT_TRUE(ButtonVisible(Button(5, 0, 100), f));
  EXPECT_FALSE(ButtonVisible(Button(5, 3, 100), Facts(0, false)));
  // Shown only while maximized / only while inactive.
  EXPECT_FALSE(ButtonVisible(Button(5, 1, 0), Facts(0)));
  EXPECT_TRUE(ButtonVisible(Button(5, 1, 0), Facts(0, true, kPlaceMaximized)));
  EXPECT_TRUE(ButtonVisible(Button(5, 4, 0), Facts(0, false)));
}

TEST(FrameRules, ButtonLayoutByAlign) {
  std::vector<std::unique_ptr<TDataSkinSysButton>> defs;
  defs.push_back(MakeButton(5, 0, 0, 0, 8, 6));
  defs.push_back(MakeButton(5, 0, 0, 1, 34, 4));
  defs.push_back(MakeButton(5, 0, 0, 1, 94, 4));
  defs.push_back(MakeButton(5, 0, 0, 2, 10, 3));
  defs.push_back(MakeButton(5, 0, 0, 3, 10, 3));
  defs.push_back(MakeButton(5, 0, 0, 100, 10, 0));
  defs.push_back(MakeButton(5, 7, 0, 1, 60, 4));
  std::vector<const TDataSkinSysButton*> p;
  for (auto& d : defs) p.push_back(d.get());
  LayoutInput in;
  in.width = 500;
  in.metrics = {4, 29, 5, 4, 20};
  in.menu_bar_left_margin = 2;
  ButtonFacts f = Facts(kFeatMaximizeBox);  // hides the last one (code 7: no maximize box)
  ButtonLayout l = LayoutButtons(p, f, in);
  EXPECT_EQ(l.rects[0], (fw::TRect{8, 6, 36, 26}));
  EXPECT_EQ(l.rects[1], (fw::TRect{466, 4, 494, 24}));
  EXPECT_EQ(l.rects[2], (fw::TRect{406, 4, 434, 24}));
  EXPECT_EQ(l.right_start, 466);
  EXPECT_EQ(l.rects[3], (fw::TRect{500 - 5 - 28 - 10, 3, 500 - 5 - 10, 23}));
  EXPECT_EQ(l.rects[4], (fw::TRect{14, 3, 42, 23}));
  EXPECT_EQ(l.rects[5], (fw::TRect{500 - 10 - 5 - 2, 29, 500 - 10 - 5 - 2 + 28, 49}));
  EXPECT_FALSE(l.visible[6]);
  in.right_to_left = true;
  l = LayoutButtons(p, f, in);
  EXPECT_EQ(l.rects[5].Left, 4 + 10 + 2);
}

TEST(FrameRules, ButtonFrameNumbers) {
  auto six_p = MakeButton(0, 0, 0);
  six_p->Frames = 6;
  const TDataSkinSysButton& six = *six_p;
  const TDataSkinSysButton& three = Button(0, 0, 0);
  EXPECT_EQ(CaptionPassFrame(six, true), 1);
  EXPECT_EQ(CaptionPassFrame(six, false), 4);
  EXPECT_EQ(CaptionPassFrame(three, false), 1);
  EXPECT_EQ(StateFrame(six, 2), 2);
  const TDataSkinSysButton& bar = Button(7, 100, 100);
  EXPECT_EQ(StateFrame(bar, 3), 4);
  EXPECT_EQ(StateFrame(six, 3), 3);
}

TEST(FrameRules, ButtonActions) {
  struct Case {
    int action;
    ButtonEffect effect;
  } cases[] = {{0, ButtonEffect::Close},           {1, ButtonEffect::MaximizeOrRestore},
               {22, ButtonEffect::MaximizeOrRestore}, {2, ButtonEffect::MinimizeOrRestore},
               {23, ButtonEffect::MinimizeOrRestore}, {3, ButtonEffect::SystemMenu},
               {11, ButtonEffect::SystemMenu},      {12, ButtonEffect::SystemMenu},
               {7, ButtonEffect::MdiChildMinimize}, {61, ButtonEffect::MdiChildRestore},
               {9, ButtonEffect::MdiChildClose},    {42, ButtonEffect::Custom}};
  for (const Case& c : cases) EXPECT_EQ(EffectOfAction(c.action), c.effect) << c.action;
}

}  // namespace
