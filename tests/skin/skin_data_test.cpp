// The skin component: how skins are read into objects, and what it asks of
// the skin manager.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "framework/forms.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "support/recording_skin_manager.h"
#include "skin/skin_platform.h"
#include "skin_test_util.h"

namespace {

using skintest::MakeSkin;

fw::TBitmap Image(int w, int h, fw::TColor c = fw::RGBColor(10, 20, 30)) { return fw::TBitmap(w, h, c); }

skin::TRecordingSkinManager& Recorder() {
  return dynamic_cast<skin::TRecordingSkinManager&>(skin::EnsureSkinManager());
}

class SkinData : public ::testing::Test {
 protected:
  void SetUp() override { skin::DestroySkinManager(); }
  void TearDown() override {
    skin::platform::SetBitmapSourceForTesting(nullptr);
    skin::DestroySkinManager();
  }
};

TEST_F(SkinData, DefaultsOfThePublishedProperties) {
  TSkinData d(nullptr);
  EXPECT_FALSE(d.Active());
  EXPECT_EQ(d.DisableTag, 99);
  EXPECT_FALSE(d.SkinControls.Contains(xcMenuItem));
  EXPECT_FALSE(d.SkinControls.Contains(xcFastReport));
  EXPECT_TRUE(d.SkinControls.Contains(xcMainMenu));
  EXPECT_TRUE(d.SkinControls.Contains(xcSystemMenu));
  EXPECT_EQ(d.Options, (TSkinOptions{xoPreview, xoToolbarBK}));
  EXPECT_EQ(d.SkinFormtype, sfMainform);
  EXPECT_EQ(d.Version(), "4.11.07.25");
  d.SetVersion("1.0");
  EXPECT_EQ(d.Version(), "4.11.07.25");
  EXPECT_TRUE(d.MenuUpdate);
  EXPECT_FALSE(d.MenuMerge);
  EXPECT_EQ(d.SkinStore(), "(none)");
  EXPECT_FALSE(d.SkinLoaded());
  // The class map: 117 lines, 114 distinct, with its telling rows.
  ASSERT_EQ(d.Skin3rd.size(), 117u);
  EXPECT_EQ(std::set<std::string>(d.Skin3rd.begin(), d.Skin3rd.end()).size(), 114u);
  EXPECT_EQ(d.Skin3rd.front(), "TCategoryButtons=scrollbar");
  EXPECT_EQ(d.Skin3rd.back(), "TOVCDBNUMERICFIELD=Edit");
  std::map<std::string, int> kinds;
  for (const std::string& line : d.Skin3rd) ++kinds[line.substr(line.find('=') + 1)];
  EXPECT_EQ(kinds["combobox"], 39);
  EXPECT_EQ(kinds["Edit"], 26);
  EXPECT_EQ(kinds["Panel"], 15);
  EXPECT_EQ(kinds["scrollbar"], 10);
  EXPECT_EQ(kinds["radiogroup"], 7);
  EXPECT_EQ(kinds["groupbox"] + kinds["Groupbox"], 2);
}

TEST_F(SkinData, ColourTextIsThreeRunsOfDigits) {
  EXPECT_EQ(skin::ParseSkinColour("213, 222, 242", 0), fw::RGBColor(213, 222, 242));
  EXPECT_EQ(skin::ParseSkinColour("  1 2 3  ", 0), fw::RGBColor(1, 2, 3));
  EXPECT_EQ(skin::ParseSkinColour("r=10;g=20;b=30", 0), fw::RGBColor(10, 20, 30));
  EXPECT_EQ(skin::ParseSkinColour("256,257,-1", 0), fw::RGBColor(0, 1, 1));
  EXPECT_EQ(skin::ParseSkinColour("99999999999999999999,7", 0), fw::RGBColor(255, 7, 0));  // (10^20 - 1) mod 256
  EXPECT_EQ(skin::ParseSkinColour("   ", 0x123456), 0x123456u);
}

TEST_F(SkinData, CaptionButtonFramesFollowTheImageShape) {
  std::string ini =
      "[Button.Wide]\r\nAction=0\r\nButtonImage=wide.bmp\r\n"
      "[Button.Square]\r\nAction=1\r\nframe=0\r\nButtonImage=square.bmp\r\n"
      "[Button.Given]\r\nAction=2\r\nframe=4\r\nButtonImage=square.bmp\r\n"
      "[Button.Icon]\r\nAction=3\r\nButtonImage=square.bmp\r\n"
      "[Button.Custom]\r\nAction=-1\r\nVisibility=0\r\nButtonImage=square.bmp\r\n"
      "[Button.Hidden]\r\nAction=-1\r\nVisibility=5\r\n"
      "[Buttons]\r\n[Button.Radio]\r\n[Button.CheckBox]\r\n[Button]\r\n";
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin(ini, {{"wide.bmp", Image(126, 21)}, {"square.bmp", Image(63, 21)}}));
  ASSERT_TRUE(d.SkinLoaded());
  const auto& b = d.SysButtons();
  ASSERT_EQ(b.size(), 5u + 3u);
  EXPECT_EQ(b[0]->Name, "BUTTON.WIDE");
  EXPECT_EQ(b[0]->Frames, 6);
  EXPECT_EQ(b[1]->Frames, 3);
  EXPECT_EQ(b[2]->Frames, 4);
  EXPECT_TRUE(b[3]->Image.Empty());  // the window icon goes there
  EXPECT_EQ(b[3]->Frames, 3);
  EXPECT_EQ(b[4]->Frames, 6);  // custom buttons always have 6
  EXPECT_EQ(b[4]->Visibility1, -1);
  EXPECT_EQ(b[4]->CombineOp, -1);
  // The MDI buttons come last, without an MDICONTROLS image.
  EXPECT_EQ(b[5]->Action, 7);
  EXPECT_EQ(b[7]->Action, 9);
  EXPECT_EQ(b[7]->Align, 100);
  EXPECT_EQ(b[7]->Frames, 4);
}

TEST_F(SkinData, TileAboveOneDependsOnTheObject) {
  std::string ini =
      "[Progress]\r\nBitmap=p.bmp\r\nTile=2\r\nStyle=1\r\n"
      "[Buttons]\r\nBitmap=p.bmp\r\nTile=2\r\n"
      "[Personality]\r\nTop=p.bmp\r\nTopStretch=7\r\nTopFrame=0\r\nmenuBar=p.bmp\r\nTileMenu=3\r\n"
      "[MenuItem]\r\nImage=p.bmp\r\nTile=5\r\n";
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin(ini, {{"p.bmp", Image(20, 10)}}));
  EXPECT_EQ(d.Progress()->Tile, 1);
  EXPECT_EQ(d.Progress()->Frames, 1);  // Style 1
  EXPECT_EQ(d.Buttons()->Tile, 0);
  EXPECT_EQ(d.Top()->Tile, 1);
  EXPECT_EQ(d.Top()->Frames, 1);  // a count of 0 could not divide
  EXPECT_EQ(d.MenuBar()->Tile, 1);
  EXPECT_EQ(d.Object("MenuItem")->Tile, 0);
}

TEST_F(SkinData, MissingSectionsGiveDefaultsAndNoObjects) {
  skin::platform::SetBitmapSourceForTesting([](const std::string&, fw::TBitmap&) { return false; });
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin("[Colours]\r\nMenubar=\r\nButtonFace=1,2,3\r\n[Tab.Pane]\r\nImage=x.png\r\n"));
  ASSERT_TRUE(d.SkinLoaded());
  EXPECT_EQ(d.Colours().Menubar, fw::RGBColor(1, 2, 3));  // follows ButtonFace
  EXPECT_EQ(d.Colours().WindowText, fw::ColorToRGB(fw::clWindowText));
  EXPECT_EQ(d.CustomColours()[9], fw::clWhite);
  EXPECT_EQ(d.Object("Tab.Pane"), nullptr);
  EXPECT_EQ(d.ComboButton(), nullptr);
  EXPECT_EQ(d.Object("Track"), nullptr);  // no image and no program bitmap
  EXPECT_EQ(d.Title()->ActiveText, fw::clNone);
  EXPECT_EQ(d.Title()->FontHeight, 14);
  EXPECT_EQ(d.Buttons()->CheckFrames, 4);  // empty strip: at least 4
  EXPECT_EQ(d.TopSampleColour(), fw::RGBColor(1, 2, 3));
  // The combo arrow exists, empty.
  ASSERT_NE(d.Object("ComboxArrow"), nullptr);
  EXPECT_TRUE(d.Object("ComboxArrow")->Image.Empty());
}

TEST_F(SkinData, TrackFallsBackToTheProgramBitmaps) {
  skin::platform::SetBitmapSourceForTesting([](const std::string& name, fw::TBitmap& bmp) {
    if (name == "TRACK") bmp = Image(16, 4);
    else if (name == "TRACKVERT") bmp = Image(4, 16);
    else return false;
    return true;
  });
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin("[Track]\r\nLeftWidth=9\r\n"));
  TDataSkinObject* h = d.Object("Track");
  TDataSkinObject* v = d.Object("TRACKVERT");
  ASSERT_NE(h, nullptr);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(h->Image.Width(), 16);
  EXPECT_EQ(v->Image.Height(), 16);
  EXPECT_EQ(h->LeftWidth, 3);
  EXPECT_EQ(v->BottomHeight, 3);
  EXPECT_EQ(h->Frames, 1);
}

TEST_F(SkinData, TabPaneMarginsAreCutAndComboWithoutEdgeGetsFaceArrow) {
  fw::TBitmap button = Image(40, 10, 0xFF00FF);
  std::string ini =
      "[Colours]\r\nButtonFace=5,6,7\r\n"
      "[Tab.Pane]\r\nImage=p.bmp\r\nLeftWidth=9\r\nTopHeight=2\r\nRightWidth=5\r\nBottomHeight=40\r\n"
      "[ComboButton]\r\nImage=c.bmp\r\nFrame=9\r\n";
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin(ini, {{"p.bmp", Image(20, 20)}, {"c.bmp", button}}));
  TDataSkinObject* pane = d.Object("Tab.Pane");
  EXPECT_EQ(pane->LeftWidth, 4);
  EXPECT_EQ(pane->TopHeight, 2);
  EXPECT_EQ(pane->BottomHeight, 4);
  TDataSkinObject* arrow = d.Object("ComboxArrow");
  EXPECT_EQ(arrow->Frames, 4);
  EXPECT_EQ(arrow->Image.Pixel(3, 3), fw::RGBColor(5, 6, 7));
  EXPECT_EQ(d.ComboButton()->Image2.Width(), 40);
}

TEST_F(SkinData, ActivationPostsItsCommands) {
  {
    TSkinData early(nullptr);
    early.SetActive(true);  // nothing loaded yet: no manager, no command
    EXPECT_EQ(skin::SkinManager(), nullptr);
  }

  // As the main window does it: load, then switch on.
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin("[Buttons]\r\n"));
  skin::TRecordingSkinManager& m = Recorder();
  // Loading created the manager, registered and hooked, before any window
  // was activated, so no skin change was posted.
  EXPECT_EQ(m.skin_data, std::vector<TSkinData*>{&d});
  EXPECT_TRUE(m.hook_installed);
  EXPECT_TRUE(m.posts.empty());
  EXPECT_EQ(m.PendingSkinData(), &d);

  d.SetActive(true);
  ASSERT_EQ(m.posts.size(), 1u);
  EXPECT_EQ(m.posts[0].command, skin::kSkinAll);
  EXPECT_EQ(m.posts[0].delay_ms, 250u);
  EXPECT_FALSE(m.posts[0].armed);  // runs on the first window activation
  EXPECT_TRUE(m.Active());
  EXPECT_EQ(m.StartedState(), skin::kRunning);

  d.LoadSkinFromStream(MakeSkin("[Buttons]\r\n"));  // started: skin change
  ASSERT_EQ(m.posts.size(), 2u);
  EXPECT_EQ(m.posts[1].command, skin::kSkinChanged);
  EXPECT_TRUE(m.posts[1].armed);

  d.SetActive(false);
  ASSERT_EQ(m.posts.size(), 3u);
  EXPECT_EQ(m.posts[2].command, skin::kUnskinAll);
  d.SetActive(false);  // unchanged: nothing
  EXPECT_EQ(m.posts.size(), 3u);
}

TEST_F(SkinData, OnlyThisFormPostsEvenWhenOff) {
  TSkinData d(nullptr);
  d.SkinFormtype = sfOnlyThisForm;
  d.SetActive(true);
  skin::TRecordingSkinManager& m = Recorder();
  EXPECT_EQ(m.PendingSkinData(), &d);
  EXPECT_TRUE(m.posts.empty());
  d.SetActive(false);
  ASSERT_EQ(m.posts.size(), 1u);
  EXPECT_EQ(m.posts[0].command, skin::kUnskinAll);

  TSkinData dialog(nullptr);
  dialog.SkinFormtype = sfDialog;
  dialog.SetActive(true);
  EXPECT_EQ(m.posts.size(), 1u);
}

TEST_F(SkinData, AfterLoadSettlesTheMenuKinds) {
  TSkinData with(nullptr);
  with.SetActive(true);  // kept on through loading, turned off without a skin
  with.AfterLoad();
  EXPECT_FALSE(with.Active());
  EXPECT_FALSE(with.SkinControls.Contains(xcMenuItem));
  EXPECT_TRUE(with.SkinControls.Contains(xcSystemMenu));
  EXPECT_EQ(with.IconBitmap().Width(), 16);

  TSkinData without(nullptr);
  without.SkinControls.Exclude(xcMainMenu);
  without.SkinControls.Include(xcMenuItem);
  without.AfterLoad();
  EXPECT_TRUE(without.SkinControls.Contains(xcMenuItem));
  EXPECT_FALSE(without.SkinControls.Contains(xcSystemMenu));
  EXPECT_EQ(Recorder().skin_data.size(), 2u);
}

TEST_F(SkinData, OtherFormTypesSkinTheirOwnerAtOnce) {
  fw::TForm form(nullptr);
  auto* d = new TSkinData(&form);
  d->SkinFormtype = sfOnlyThisForm;
  d->Loading = true;
  d->SetActive(true);  // while loading: only stored
  EXPECT_EQ(skin::SkinManager(), nullptr);
  d->AfterLoad();
  skin::TRecordingSkinManager& m = Recorder();
  EXPECT_FALSE(m.hook_installed);
  EXPECT_TRUE(m.Active());
  EXPECT_EQ(m.StartedState(), skin::kRunning);
  EXPECT_EQ(m.skinned_forms, std::vector<fw::TForm*>{&form});
}

TEST_F(SkinData, DestroyedComponentLeavesTheManager) {
  auto* d = new TSkinData(nullptr);
  d->AfterLoad();
  delete d;
  EXPECT_TRUE(Recorder().skin_data.empty());
  EXPECT_EQ(Recorder().PendingSkinData(), nullptr);
}

TEST_F(SkinData, FormFilterRefusesCalendarsAndReportDesigners) {
  TSkinData d(nullptr);
  int window = 0;
  EXPECT_TRUE(d.FormFilter(&window, "TForm", true));
  EXPECT_EQ(d.FilterWindow(), &window);
  EXPECT_FALSE(d.FormFilter(&window, "SysMonthCal32", true));
  EXPECT_FALSE(d.FormFilter(&window, "TForm", false));
  EXPECT_TRUE(d.FormFilter(&window, "TfrPreviewForm", true));
  d.SkinControls.Include(xcFastReport);
  EXPECT_FALSE(d.FormFilter(&window, "TfrPreviewForm", true));
  // A handler decides alone.
  d.OnFormSkin = [](fw::TObject*, const std::string& name, bool& skin) { skin = name == "SysMonthCal32"; };
  EXPECT_TRUE(d.FormFilter(&window, "SysMonthCal32", false));
  EXPECT_FALSE(d.FormFilter(&window, "TForm", true));
}

TEST_F(SkinData, SkinStreamRoundTripsAndRefusesShortData) {
  std::vector<uint8_t> skin = MakeSkin("[TitlebarSkin]\r\nSkinName=x\r\n");
  TSkinData a(nullptr);
  std::vector<uint8_t> stream;
  a.WriteSkinStream(stream);
  EXPECT_EQ(stream, (std::vector<uint8_t>{0, 0, 0, 0}));
  a.LoadSkinFromStream(skin);
  a.WriteSkinStream(stream);
  ASSERT_EQ(stream.size(), skin.size() + 4);

  TSkinData b(nullptr);
  b.ReadSkinStream(stream);
  EXPECT_TRUE(b.SkinLoaded());
  EXPECT_EQ(b.SkinName(), "x");
  EXPECT_EQ(b.SkinStore(), "(none)");

  TSkinData c(nullptr);
  stream.pop_back();
  EXPECT_THROW(c.ReadSkinStream(stream), fw::Exception);
  EXPECT_THROW(c.ReadSkinStream(std::vector<uint8_t>{1, 0}), fw::Exception);
  EXPECT_FALSE(c.SkinLoaded());
}

TEST_F(SkinData, MissingSkinFileOnlyMarksTheSkinNotLoaded) {
  TSkinData d(nullptr);
  d.LoadSkinFromStream(MakeSkin("[Buttons]\r\n"));
  ASSERT_TRUE(d.SkinLoaded());
  d.SetSkinFile("/nonexistent/skin.skn");
  EXPECT_FALSE(d.SkinLoaded());
  EXPECT_EQ(d.SkinFile(), "/nonexistent/skin.skn");
}

}  // namespace
