#include "builtin_skin_test.h"

#include "skin/skin_data.h"
#include "skin/skin_manager_iface.h"
#include "skin_test_util.h"

namespace painttest {

TSkinData* BuiltinSkinTest::skin_ = nullptr;

void BuiltinSkinTest::SetUpTestSuite() {
  skin_ = new TSkinData(nullptr);
  skin_->LoadSkinFromStream(skintest::BuiltinSkin());
  ASSERT_TRUE(skin_->SkinLoaded());
}

void BuiltinSkinTest::TearDownTestSuite() {
  delete skin_;
  skin_ = nullptr;
  skin::DestroySkinManager();
}

}  // namespace painttest
