// Push buttons, check boxes and radio buttons: frame choice by state and
// what lands in the bitmap.
#include <gtest/gtest.h>

#include "builtin_skin_test.h"
#include "fake_text.h"
#include "skin/paint/button_painter.h"
#include "skin/paint/check_painter.h"
#include "skin/paint/primitives.h"
#include "skin/skin_data.h"

namespace {

using namespace skin::paint;
using painttest::TFakeText;

class ButtonPainter : public painttest::BuiltinSkinTest {};

TEST(ButtonFrame, DisabledThenPressedHotFocusedNormal) {
  struct Case {
    bool pressed, hot, focused, enabled;
    int frame;
  } cases[] = {{false, false, false, true, 1}, {true, true, true, true, 2}, {false, true, true, true, 4},
               {false, false, true, true, 5},  {true, true, true, false, 3}};
  for (const Case& c : cases) {
    ButtonState s;
    s.pressed = c.pressed, s.hot = c.hot, s.focused = c.focused, s.enabled = c.enabled;
    EXPECT_EQ(ButtonFrame(s), c.frame) << c.pressed << c.hot << c.focused << c.enabled;
  }
  EXPECT_EQ(ButtonCaption(L"Read||Settings||Now"), L"Read\r\nSettings||Now");
  EXPECT_EQ(ButtonCaption(L"|Read|"), L"|Read|");
}

TEST_F(ButtonPainter, DrawsTheStateFrameTheCentredCaptionAndTheFocusRectangle) {
  TFakeText text;
  const TDataSkinButton& b = *Skin().Buttons();
  ButtonState s;
  s.width = 90, s.height = 30, s.hot = true, s.focused = true;
  s.caption = L"Load||Profile";
  s.font.Color = 0x0000FF;
  fw::TBitmap out;
  PaintButton(out, Skin(), s);
  ASSERT_EQ(out.Width(), 90);
  const fw::TBitmap frame = NineSlice(b, 4, Orientation::SideBySide, 90, 30);
  EXPECT_EQ(out.Pixel(45, 0), frame.Pixel(45, 0));
  EXPECT_EQ(out.Pixel(1, 15), frame.Pixel(1, 15));
  // The caption: two lines, centred, in the skin's hot colour.
  ASSERT_EQ(text.draws.size(), 1u);
  EXPECT_EQ(text.draws[0].text, L"Load\r\nProfile");
  EXPECT_EQ(text.draws[0].rect, (fw::TRect{24, 3, 66, 27}));
  EXPECT_EQ(text.draws[0].colour, b.MouseOverColour2);
  EXPECT_TRUE(text.draws[0].flags & kTextWordBreak);
  // The focus rectangle 2 pixels outside the text: its top-left dot
  // inverts what was there.
  EXPECT_EQ(out.Pixel(22, 1), frame.Pixel(22, 1) ^ 0xFFFFFF);

  // Disabled text in the system's shadow colour; focused (a state the
  // skin gives no colour for) in the font's.
  s.enabled = false;
  EXPECT_EQ(ButtonTextColour(Skin(), s), fw::ColorToRGB(fw::clBtnShadow));
  s.enabled = true, s.hot = false;
  EXPECT_EQ(ButtonTextColour(Skin(), s), 0x0000FFu);
}

TEST(CheckFrame, FollowsTheControlsSourceOfTheCheck) {
  struct Case {
    const char* what;
    CheckState s;
    int frames, frame;
  };
  auto with = [](auto f) {
    CheckState s;
    f(s);
    return s;
  };
  const Case cases[] = {
      {"unchecked", with([](CheckState&) {}), 5, 1},
      {"checked bit", with([](CheckState& s) { s.button_state = kButtonChecked; }), 5, 2},
      {"checked, disabled", with([](CheckState& s) { s.button_state = kButtonChecked, s.enabled = false; }), 5, 4},
      {"indeterminate", with([](CheckState& s) { s.button_state = kButtonIndeterminate, s.enabled = false; }), 5, 4},
      {"State unchecked", with([](CheckState& s) { s.state = "cbUnchecked", s.button_state = 1; }), 5, 1},
      {"State checked", with([](CheckState& s) { s.state = "cbChecked"; }), 5, 2},
      {"State grayed, disabled", with([](CheckState& s) { s.state = "cbGrayed", s.enabled = false; }), 5, 6},
      {"Checked true", with([](CheckState& s) { s.checked = "True"; }), 5, 2},
      {"Checked false", with([](CheckState& s) { s.checked = "False"; }), 5, 1},
      {"DataField grayed", with([](CheckState& s) { s.data_field_check = 2, s.state = "cbChecked"; }), 5, 4},
      {"DataBinding", with([](CheckState& s) { s.data_binding = true, s.data_field_check = 1; }), 5, 1},
      {"12: checked", with([](CheckState& s) { s.state = "cbChecked"; }), 12, 5},
      {"12: disabled", with([](CheckState& s) { s.enabled = false; }), 12, 4},
      {"12: grayed", with([](CheckState& s) { s.state = "cbGrayed"; }), 12, 8},
      {"12: indeterminate", with([](CheckState& s) { s.button_state = kButtonIndeterminate; }), 12, 9},
      {"12: indeterminate, disabled",
       with([](CheckState& s) { s.button_state = kButtonIndeterminate, s.enabled = false; }), 12, 12},
      {"radio checked", with([](CheckState& s) { s.radio = true, s.button_state = kButtonChecked; }), 5, 2},
      {"radio Checked, disabled", with([](CheckState& s) { s.radio = true, s.checked = "true", s.enabled = false; }),
       5, 4},
      {"radio 8: checked", with([](CheckState& s) { s.radio = true, s.checked = "true"; }), 8, 5},
      {"radio 8: disabled", with([](CheckState& s) { s.radio = true, s.enabled = false; }), 8, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckFrame(c.s, c.frames), c.frame) << c.what;
}

TEST_F(ButtonPainter, CheckBoxGlyphSitsCentredAtItsSideWithTheTextBeside) {
  TFakeText text;
  const TDataSkinButton& b = *Skin().Buttons();
  const int gw = b.CheckImage.Width() / b.CheckFrames, gh = b.CheckImage.Height();
  CheckState s;
  s.width = 80, s.height = 21, s.button_state = kButtonChecked, s.focused = true;
  s.caption = L"Arm";
  fw::TBitmap out;
  PaintCheck(out, Skin(), s);
  const fw::TBitmap glyph = CutFrame(b.CheckImage, b.CheckFrames, 2, Orientation::SideBySide);
  const int top = (21 - gh) / 2;
  EXPECT_EQ(out.Pixel(gw / 2, top + gh / 2), glyph.Pixel(gw / 2, gh / 2));
  EXPECT_EQ(text.draws.at(0).rect, (fw::TRect{gw + 2, 4, gw + 20, 16}));
  EXPECT_EQ(out.Pixel(gw + 1, 3), Skin().Colours().ButtonFace ^ 0xFFFFFF);  // focus rectangle

  // Text at the left, right-aligned, glyph at the right; no focus
  // rectangle without text.
  s.left_text = true, s.caption.clear();
  PaintCheck(out, Skin(), s);
  EXPECT_EQ(out.Pixel(80 - gw + gw / 2, top + gh / 2), glyph.Pixel(gw / 2, gh / 2));
  for (int x = 0; x < 80 - gw; ++x)
    for (int y = 0; y < 21; ++y) ASSERT_EQ(out.Pixel(x, y), Skin().Colours().ButtonFace) << x << "," << y;
  s.caption = L"Arm";
  PaintCheck(out, Skin(), s);
  EXPECT_EQ(text.draws.back().rect, (fw::TRect{80 - gw - 2 - 18, 4, 80 - gw - 2, 16}));
}

}  // namespace
