// TSkinCaption: the caption extras beside the skin data component. The
// skinned frame paints the caption strip, its images and buttons; the
// caption extras decide whether the window's title is drawn in it (one
// switch for the whole process), and answer for the caption buttons a skin
// may define beyond the frame's own (close, maximize, minimize, system
// menu): such a button is shown when the window's caption extras say so,
// and pressing it raises their OnCustomButton with the button's action.
// The configurator's skin defines none.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/component.h"

namespace skin {

class TSkinCaption : public fw::TComponent {
 public:
  explicit TSkinCaption(fw::TComponent* owner);
  ~TSkinCaption() override;
  const char* ClassName() const override { return "TSkinCaption"; }

  // One switch for every instance: reading any instance gives it. Changing
  // it repaints every skinned window's frame.
  bool Active() const;
  void SetActive(bool active);
  // A fixed informational text: assigning anything puts it back.
  const std::string& Author() const { return author_; }
  void SetAuthor(const std::string&) { author_ = kAuthor; }
  // Copied into the process-wide value when the owner has finished
  // setting properties (AfterLoad).
  uint8_t SkinAlpha = 0;
  void AfterLoad();

  // A custom caption button with this visibility code (1000 to 2000) and
  // action is shown when this answers true (no handler: hidden).
  std::function<bool(TSkinCaption* sender, int code, int action)> OnCustomButtonVisible;
  // A custom caption button was pressed.
  std::function<void(TSkinCaption* sender, int action)> OnCustomButton;
  // What the window answers and does for its custom buttons.
  intptr_t CustomButtonQuery(int code, int action);
  void CustomButtonAction(int action);

  static constexpr const char* kAuthor = "Caption extras of the configurator's skin engine";

 private:
  std::string author_ = kAuthor;
};

// Two companions of the caption extras that hold nothing of their own.
class TClassAcSkin : public fw::TComponent {
 public:
  explicit TClassAcSkin(fw::TComponent* owner) : fw::TComponent(owner) {}
  ~TClassAcSkin() override { first_ = nullptr; }
  const char* ClassName() const override { return "TClassAcSkin"; }

 private:
  void* first_ = nullptr;
  void* second_ = nullptr;
};

class TClassAcButton : public fw::TComponent {
 public:
  explicit TClassAcButton(fw::TComponent* owner) : fw::TComponent(owner) {}
  ~TClassAcButton() override { first_ = nullptr; }
  const char* ClassName() const override { return "TClassAcButton"; }

 private:
  void* first_ = nullptr;
  void* second_ = nullptr;
};

}  // namespace skin
