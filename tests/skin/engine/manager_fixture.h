// The skin manager on a fake window system, with the built-in skin loaded
// into a main-form skin data component.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fake_windows.h"
#include "skin/skin_data.h"
#include "skin_test_util.h"

namespace skintest {

class SkinManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skin::DestroySkinManager();
    auto fake = std::make_unique<FakeWindows>();
    ws = fake.get();
    manager = std::make_unique<skin::TSkinManage>(std::move(fake));
    main_data = MakeData(sfMainform);
    manager->SetActive(true);
  }
  void TearDown() override {
    manager.reset();
    owned.clear();
  }

  TSkinData* MakeData(TSkinFormType type, fw::TComponent* owner = nullptr) {
    auto d = std::make_unique<TSkinData>(owner);
    d->SkinFormtype = type;
    d->LoadSkinFromStream(skintest::BuiltinSkin());
    TSkinData* raw = d.get();
    manager->RegisterSkinData(raw);
    if (!owner) owned.push_back(std::move(d));
    else d.release();
    return raw;
  }

  FakeWindows* ws = nullptr;
  std::unique_ptr<skin::TSkinManage> manager;
  std::vector<std::unique_ptr<TSkinData>> owned;
  TSkinData* main_data = nullptr;
};

}  // namespace skintest
