// Painter tests draw from the built-in skin, loaded once per test suite.
#pragma once

#include <gtest/gtest.h>

class TSkinData;

namespace painttest {

class BuiltinSkinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static const TSkinData& Skin() { return *skin_; }

 private:
  static TSkinData* skin_;
};

}  // namespace painttest
