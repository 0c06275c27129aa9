// The caption extras: one switch for the process, the fixed author text,
// the custom caption buttons' answers, and where the title goes in the
// caption strip by the skin's title settings.
#include <gtest/gtest.h>

#include "skin/engine/caption_text.h"
#include "skin/engine/skin_caption.h"
#include "skin/paint/text.h"
#include "skin/skin_data.h"
#include "skin_test_util.h"

namespace {

TEST(SkinCaption, OneSwitchForEveryInstanceAndAFixedAuthor) {
  skin::TSkinCaption a(nullptr), b(nullptr);
  a.SetActive(false);
  EXPECT_FALSE(b.Active());
  b.SetActive(true);
  EXPECT_TRUE(a.Active());
  a.SetAuthor("someone");
  EXPECT_EQ(a.Author(), skin::TSkinCaption::kAuthor);
  a.SkinAlpha = 120;
  a.AfterLoad();
  EXPECT_EQ(skin::CaptionAlpha(), 120);

  EXPECT_EQ(a.CustomButtonQuery(1500, 42), 0);  // no handler: hidden
  int pressed = 0;
  a.OnCustomButtonVisible = [](skin::TSkinCaption*, int code, int) { return code == 1500; };
  a.OnCustomButton = [&](skin::TSkinCaption*, int action) { pressed = action; };
  EXPECT_EQ(a.CustomButtonQuery(1500, 42), 1);
  EXPECT_EQ(a.CustomButtonQuery(1501, 42), 0);
  a.CustomButtonAction(42);
  EXPECT_EQ(pressed, 42);
}

TEST(CaptionText, PlacedByTheTitleSettings) {
  TSkinData d(nullptr);
  d.LoadSkinFromStream(skintest::BuiltinSkin());
  ASSERT_NE(d.Title(), nullptr);
  TDataSkinTitle& t = *d.Title();
  skin::CaptionTextInput in;
  in.text = L"Configurator";
  in.width = 933;
  in.height = 29;
  in.limit = 839;
  skin::paint::CaptionText out;
  ASSERT_TRUE(skin::PlaceCaptionText(d, in, out));
  EXPECT_EQ(out.rect.Left, t.LeftWidth);                     // the text shift
  EXPECT_EQ(out.rect.Right, std::min(933 - t.RightWidth, 839));  // right clip or the buttons
  EXPECT_EQ(out.colour, d.Colours().TitleTextActive);
  in.active = false;
  ASSERT_TRUE(skin::PlaceCaptionText(d, in, out));
  EXPECT_EQ(out.colour, d.Colours().TitleTextNoActive);

  // The title's own colours come first, and its alignment decides.
  t.ActiveText = 0x123456;
  t.TextAlignment = 2;
  in.active = true;
  ASSERT_TRUE(skin::PlaceCaptionText(d, in, out));
  EXPECT_EQ(out.colour, 0x123456u);
  EXPECT_TRUE(out.flags & skin::paint::kTextCenter);
  // Nothing to draw: no text, or no room.
  in.text.clear();
  EXPECT_FALSE(skin::PlaceCaptionText(d, in, out));
  in.text = L"x";
  in.limit = t.LeftWidth + 2;
  EXPECT_FALSE(skin::PlaceCaptionText(d, in, out));
}

}  // namespace
