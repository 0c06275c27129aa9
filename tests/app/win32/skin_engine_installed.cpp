// The program makes the skin engine's manager the one its skin components
// use, in main(), before it creates the window. These tests create the
// window themselves, so they do the same once for the process.
#include <gtest/gtest.h>

#include "skin/engine/skin_manager.h"

namespace {

class SkinEngineInstalled : public ::testing::Environment {
 public:
  void SetUp() override { skin::UseSkinManager(); }
};

[[maybe_unused]] ::testing::Environment* const kSkinEngine =
    ::testing::AddGlobalTestEnvironment(new SkinEngineInstalled);

}  // namespace
