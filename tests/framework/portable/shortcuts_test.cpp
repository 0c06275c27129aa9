// Shortcut texts and caption accelerators.
#include <gtest/gtest.h>

#include "framework/shortcuts.h"

using namespace fw;

namespace {

TEST(ShortCuts, TextFormBothWays) {
  const struct {
    TShortCut sc;
    const char* text;
  } cases[] = {
      {ShortCut('S', scCtrl), "Ctrl+S"},
      {ShortCut(0x2E, scShift), "Shift+Del"},
      {ShortCut(0x73, scAlt), "Alt+F4"},
      {0x70, "F1"},
      {0x87, "F24"},
      {ShortCut('1', scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+1"},
      {ShortCut(0x0D, scCtrl), "Ctrl+Enter"},
      {0x1B, "Esc"},
      {0x21, "PgUp"},
      {0x2D, "Ins"},
      {ShortCut(0xBD, scCtrl), "Ctrl+-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.sc), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.sc) << c.text;
  }
  EXPECT_EQ(ShortCutToText(ShortCut(0x63, scCtrl)), "Ctrl+3");  // number pad
  EXPECT_EQ(TextToShortCut("ctrl+shift+s"), ShortCut('S', scCtrl | scShift));
  // Nothing, a key without a name, and texts that are no shortcut.
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(ShortCut(0xFF, scCtrl)), "");
  for (const char* bad : {"", "Ctrl+", "Ctrl+Foo", "S+Ctrl", "Hyper+S"}) EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
}

TEST(ShortCuts, CaptionAccelerators) {
  const struct {
    const char* caption;
    char hotkey;
    const char* shown;
  } cases[] = {
      {"&File", 'F', "File"},      {"E&xit", 'x', "Exit"},          {"Save && &Quit", 'Q', "Save & Quit"},
      {"Plain", 0, "Plain"},       {"Trailing&", 0, "Trailing"},    {"&&&Both", 'B', "&Both"},
      {"", 0, ""},                 {"-", 0, "-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetHotkey(c.caption), c.hotkey) << c.caption;
    EXPECT_EQ(StripHotkey(c.caption), c.shown) << c.caption;
  }
  EXPECT_TRUE(IsAccel('X', "E&xit"));
  EXPECT_TRUE(IsAccel('x', "E&Xit"));
  EXPECT_TRUE(IsAccel(0xE9, "Caf&\xC9"));  // Latin-1 letters match across case too
  EXPECT_FALSE(IsAccel('E', "E&xit"));
  EXPECT_FALSE(IsAccel('&', "Save && Quit"));
  EXPECT_FALSE(IsAccel(0, "Plain"));
  EXPECT_FALSE(IsAccel('x' + 0x100, "E&xit"));
}

}  // namespace
