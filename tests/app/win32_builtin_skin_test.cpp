// The creation handler in a program that carries the built-in skin: the
// skin is loaded from the "mxskn" resource and activated.
#include "app/umset.h"
#include "framework/forms.h"
#include "skin/skin_data.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(BuiltinSkin, CreationHandlerLoadsAndActivatesIt) {
  auto w = std::make_unique<Tfrm_mset>(nullptr);
  EXPECT_FALSE(w->SkinData1->Active());
  w->DoCreate();
  EXPECT_TRUE(w->SkinData1->Active());
  w->Show();
  fw::Application().ProcessMessages();
  EXPECT_EQ(w->edt_pwd->Text(), "7429");
}

TEST(BuiltinSkin, WithoutSkinTheCreationHandlerLeavesItUnloadedAndInactive) {
  auto w = std::make_unique<Tfrm_mset>(nullptr, false);
  w->DoCreate();
  EXPECT_FALSE(w->SkinData1->Active());
  EXPECT_FALSE(w->SkinData1->SkinLoaded());
  EXPECT_TRUE(w->SkinData1->StoredSkin().empty());
  w->Show();
  fw::Application().ProcessMessages();
  EXPECT_EQ(w->edt_pwd->Text(), "7429");
}

}  // namespace
