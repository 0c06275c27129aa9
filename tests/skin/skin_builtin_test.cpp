// The built-in skin: what it holds, and what loading it builds.
#include <gtest/gtest.h>

#include <set>

#include "skin/bmp_reader.h"
#include "skin/lzh.h"
#include "skin/quick_ini.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "skin/skin_reader.h"
#include "skin_test_util.h"

namespace {

class BuiltinSkin : public ::testing::Test {
 protected:
  void SetUp() override { skin::DestroySkinManager(); }
  void TearDown() override { skin::DestroySkinManager(); }
};

TEST_F(BuiltinSkin, ContainerHoldsFortyImagesOfEveryDepthAndOneIni) {
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(skintest::BuiltinSkin()));
  ASSERT_EQ(reader.Count(), 41);
  int inis = 0;
  std::set<int> depths;
  for (const std::string& name : reader.Names()) {
    std::vector<uint8_t> data;
    reader.ExtractEntry(name, data);
    if (name.find(".ini") != std::string::npos) {
      ++inis;
      continue;
    }
    fw::TBitmap bmp;
    int bpp = 0;
    std::string error;
    EXPECT_TRUE(skin::LoadBmp(data, bmp, &error, &bpp)) << name << ": " << error;
    depths.insert(bpp);
  }
  EXPECT_EQ(inis, 1);
  EXPECT_EQ(depths, (std::set<int>{4, 8, 24, 32}));
}

TEST_F(BuiltinSkin, EveryImageTheIniNamesIsInTheContainer) {
  skin::TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(skintest::BuiltinSkin()));
  std::vector<uint8_t> text;
  std::string name;
  reader.ExtractEntryContaining(".ini", text, name);
  skin::TQuickIni ini;
  ini.LoadFromStream(text);
  int images = 0;
  for (const std::string& line : ini.Lines()) {
    size_t eq = line.find('=');
    if (eq == std::string::npos || line.size() < 4 || line.compare(line.size() - 4, 4, ".bmp") != 0) continue;
    std::vector<uint8_t> entry;
    reader.ExtractEntry(line.substr(eq + 1), entry);
    EXPECT_FALSE(entry.empty()) << line;
    ++images;
  }
  EXPECT_GT(images, 40);
}

TEST_F(BuiltinSkin, LoadsEveryObjectItDescribes) {
  TSkinData data(nullptr);
  data.LoadSkinFromStream(skintest::BuiltinSkin());
  ASSERT_TRUE(data.SkinLoaded());
  EXPECT_EQ(data.SkinName(), "Clear Light");

  // Frame borders.
  EXPECT_EQ(data.Top()->Image.Width(), 292);
  EXPECT_EQ(data.Top()->Image.Height(), 58);
  EXPECT_EQ(data.Top()->Frames, 2);
  EXPECT_EQ(data.Top()->Image.Height() / data.Top()->Frames, 29);
  for (TDataSkinBorder* b : {data.Left(), data.Right(), data.Bottom()}) {
    EXPECT_FALSE(b->Image.Empty()) << b->Name;
    EXPECT_EQ(b->Frames, 2) << b->Name;
  }
  EXPECT_EQ(data.Left()->Image.Width() / 2, 4);
  EXPECT_EQ(data.Bottom()->Image.Height() / 2, 4);

  // Buttons, check box and radio strips.
  EXPECT_EQ(data.Buttons()->Frames, 5);
  EXPECT_EQ(data.Buttons()->CheckImage.Width(), 65);
  EXPECT_EQ(data.Buttons()->CheckImage.Height(), 13);
  EXPECT_EQ(data.Buttons()->CheckFrames, 5);
  EXPECT_EQ(data.Buttons()->RadioFrames, 5);
  EXPECT_TRUE(data.Buttons()->HasNormalColour2);

  // Colours.
  EXPECT_EQ(data.Colours().ButtonFace, fw::RGBColor(213, 222, 242));
  EXPECT_EQ(data.ButtonFaceBrush().Color, fw::RGBColor(213, 222, 242));
  EXPECT_EQ(data.FontColours().size(), 3u);

  // Caption buttons: the icon, close, maximize, restore, minimize, then
  // the three MDI buttons.
  const auto& sys = data.SysButtons();
  ASSERT_EQ(sys.size(), 8u);
  EXPECT_EQ(sys[0]->Name, "BUTTON.SYSMENU");
  EXPECT_TRUE(sys[0]->Image.Empty());
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(sys[i]->Frames, 6) << sys[i]->Name;
    EXPECT_EQ(sys[i]->Image.Height(), 20) << sys[i]->Name;
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(sys[5 + i]->Action, 7 + i);
    EXPECT_EQ(sys[5 + i]->Image.Width(), 4 * 16);
    EXPECT_EQ(sys[5 + i]->Xcoord, 20 * (3 - i));
  }

  // Every named object of the INI, and the derived ones.
  for (const char* name :
       {"Progress", "Progress.Chunk", "MenuBar", "GroupBoxEdge", "GroupBox", "Tabs", "StatusBarEdges", "Tab.Pane",
        "ToolBars", "ComboButton", "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar",
        "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
        "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown", "UpDown.Horz",
        "UpDown.Vert", "Track", "TRACKVERT", "ComboxArrow", "Toolbar"}) {
    TDataSkinObject* o = data.Object(name);
    ASSERT_NE(o, nullptr) << name;
    EXPECT_FALSE(o->Image.Empty()) << name;
    EXPECT_GE(o->Frames, 1) << name;
    EXPECT_EQ(o->Image.Width() % o->Frames, 0) << name;
  }
  EXPECT_EQ(data.Object("Scrollbar")->Frames, 23);
  EXPECT_EQ(data.Object("HorzScrollThumb")->Frames, 3);
  EXPECT_EQ(data.Object("UpDown.Vert")->Frames, 8);
  EXPECT_EQ(data.Object("Progress")->Frames, 2);

  // The combo box image is one 50 x 21 cell per state of the sunken edge,
  // and the arrow a 17 x 17 square cut from each.
  TDataSkinBorder* combo = data.ComboButton();
  EXPECT_EQ(combo->Style, 2);
  EXPECT_EQ(combo->Image.Width(), 4 * 50);
  EXPECT_EQ(combo->Image.Height(), 21);
  EXPECT_EQ(combo->RightWidth, 17 + 2 + 2);
  EXPECT_EQ(data.Object("SunkEdge")->LeftWidth, 17 + 2 + 2);
  EXPECT_EQ(data.Object("ComboxArrow")->Image.Width(), 4 * 17);
  EXPECT_EQ(data.Object("ComboxArrow")->Frames, 4);
  // The edit part of each cell is left open.
  EXPECT_EQ(combo->Image.Pixel(10, 10), 0xFF00FFu);
  EXPECT_NE(combo->Image.Pixel(50 - 10, 10), 0xFF00FFu);

  // The tool bar background runs from near white down to a deeper tone.
  const fw::TBitmap& bar = data.Object("Toolbar")->Image;
  EXPECT_EQ(bar.Width(), 10);
  EXPECT_EQ(bar.Height(), 40);
  EXPECT_GT(fw::GetGValue(bar.Pixel(0, 0)), fw::GetGValue(bar.Pixel(0, 39)));
}

TEST_F(BuiltinSkin, LoadingTwiceGivesTheSameObjects) {
  TSkinData data(nullptr);
  data.LoadSkinFromStream(skintest::BuiltinSkin());
  std::vector<std::string> first = data.ObjectNames();
  fw::TBitmap combo = data.ComboButton()->Image;
  data.LoadSkinFromStream(skintest::BuiltinSkin());
  EXPECT_EQ(data.ObjectNames(), first);
  EXPECT_EQ(data.ComboButton()->Image, combo);
  EXPECT_EQ(data.SysButtons().size(), 8u);
}

// Damaged skins are refused with an exception of the framework and never
// read out of bounds (this test is run under the address sanitizer). The
// damage stays clear of the first bytes, which decode to the container
// version: a wrong version is answered with a message box.
TEST_F(BuiltinSkin, TruncatedAndCorruptedSkinsNeverCrash) {
  const std::vector<uint8_t>& good = skintest::BuiltinSkin();
  int refused = 0, loaded = 0;
  auto attempt = [&](const std::vector<uint8_t>& bytes) {
    TSkinData data(nullptr);
    try {
      data.LoadSkinFromStream(bytes);
      loaded += data.SkinLoaded();
    } catch (const fw::Exception&) {
      ++refused;
      EXPECT_FALSE(data.SkinLoaded());
    }
  };
  for (size_t n : {size_t(0), size_t(3), size_t(4), size_t(100), good.size() / 3, good.size() - 1})
    attempt(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)));
  uint32_t seed = 12345;
  for (int i = 0; i < 40; ++i) {
    std::vector<uint8_t> bad = good;
    for (int k = 0; k < 1 + i % 4; ++k) {
      seed = seed * 1103515245u + 12345u;
      bad[32 + (seed >> 8) % (bad.size() - 32)] ^= uint8_t(1u << (seed % 8));
    }
    attempt(bad);
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(loaded, 0);
}

}  // namespace
