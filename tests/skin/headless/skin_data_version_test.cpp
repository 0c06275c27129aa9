// A skin of another container version, refused with the message box that
// the headless widgetset records.
#include <gtest/gtest.h>

#include "framework/headless/headless.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "support/recording_skin_manager.h"
#include "../skin_test_util.h"

namespace {

TEST(SkinDataVersion, OlderContainerIsRefusedWithAMessage) {
  skin::DestroySkinManager();
  fw::headless::ResetScripts();
  TSkinData d(nullptr);
  d.LoadSkinFromStream(skintest::MakeSkin("[Buttons]\r\n", {}, 19999));
  EXPECT_FALSE(d.SkinLoaded());
  ASSERT_EQ(fw::headless::ShownMessages().size(), 1u);
  EXPECT_EQ(fw::headless::ShownMessages()[0].text, "This is Older Skin File\rPlease update to new version !");
  // Activation is refused silently.
  d.SetActive(true);
  auto& m = dynamic_cast<skin::TRecordingSkinManager&>(skin::EnsureSkinManager());
  for (const auto& p : m.posts) EXPECT_NE(p.command, skin::kSkinAll);
  skin::DestroySkinManager();
}

TEST(SkinDataVersion, BuiltinSkinLoadsWithoutAnyMessage) {
  skin::DestroySkinManager();
  fw::headless::ResetScripts();
  TSkinData d(nullptr);
  d.LoadSkinFromStream(skintest::BuiltinSkin());
  EXPECT_TRUE(d.SkinLoaded());
  EXPECT_TRUE(fw::headless::ShownMessages().empty());
  skin::DestroySkinManager();
}

}  // namespace
