// TSkinData: the skin component of the window.
//
// PLACEHOLDER: public interface only, until the skin component lands. The
// skin owner replaces this file and keeps the names below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/component.h"

class TSkinData : public fw::TComponent {
 public:
  explicit TSkinData(fw::TComponent* owner) : fw::TComponent(owner) {}
  const char* ClassName() const override { return "TSkinData"; }
  // Copies and loads a compressed skin; raises fw::Exception when it is damaged.
  void LoadSkinFromStream(const uint8_t* data, size_t size) { (void)data; (void)size; }
  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  intptr_t DisableTag = 99;

 private:
  bool active_ = false;
};
