// The program's skin resources, compiled from the same resource script as
// the program: the skin loads from its RCDATA resource as the window's
// creation handler does it, and the bitmaps come back from RT_BITMAP.
#include <gtest/gtest.h>

#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "support/recording_skin_manager.h"
#include "skin/skin_platform.h"

#include <windows.h>

namespace {

std::span<const uint8_t> RcData(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!info) return {};
  HGLOBAL loaded = LoadResource(module, info);
  return {static_cast<const uint8_t*>(LockResource(loaded)), size_t(SizeofResource(module, info))};
}

TEST(SkinResources, BuiltinSkinLoadsAndActivatesAsAtProgramStart) {
  skin::DestroySkinManager();
  std::span<const uint8_t> skin = RcData("mxskn");
  ASSERT_FALSE(skin.empty());
  TSkinData data(nullptr);
  data.LoadSkinFromStream(skin.data(), skin.size());
  data.SetActive(true);
  EXPECT_TRUE(data.SkinLoaded());
  EXPECT_TRUE(data.Active());
  EXPECT_EQ(data.Top()->Image.Width(), 292);
  auto& m = dynamic_cast<skin::TRecordingSkinManager&>(*skin::SkinManager());
  ASSERT_EQ(m.posts.size(), 1u);
  EXPECT_EQ(m.posts[0].command, skin::kSkinAll);
  // The menu glyphs of the program's bitmap resource.
  EXPECT_EQ(data.GlyphList().Count(), 4);
  EXPECT_EQ(data.GlyphList().Strip.Height(), 16);
  skin::DestroySkinManager();
}

TEST(SkinResources, ProgramBitmapsReadBackWhole) {
  fw::TBitmap track, vert, none;
  ASSERT_TRUE(skin::platform::LoadProgramBitmap("TRACK", track));
  ASSERT_TRUE(skin::platform::LoadProgramBitmap("TRACKVERT", vert));
  EXPECT_EQ(track.Width(), 16);
  EXPECT_EQ(track.Height(), 4);
  EXPECT_EQ(vert.Width(), 4);
  EXPECT_EQ(vert.Height(), 16);
  EXPECT_FALSE(skin::platform::LoadProgramBitmap("NOSUCHBITMAP", none));
  EXPECT_TRUE(none.Empty());
}

}  // namespace
