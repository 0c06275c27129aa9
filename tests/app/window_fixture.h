// A fresh configurator window per test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/umset.h"
#include "framework/stdctrls.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { w = std::make_unique<Tfrm_mset>(nullptr); }
  void TearDown() override { w.reset(); }

  // The label of the window whose caption is `caption`, or nullptr.
  fw::TLabel* LabelWithCaption(const std::string& caption) const {
    for (fw::TComponent* c : w->Components())
      if (auto* l = dynamic_cast<fw::TLabel*>(c); l && l->Caption() == caption) return l;
    return nullptr;
  }

  static void Type(fw::TEdit* e, const std::string& keys) {
    for (char k : keys) e->TypeChar(k);
  }

  std::unique_ptr<Tfrm_mset> w;
};
