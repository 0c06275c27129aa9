// TSkinControl: the base of the control skins. A control skin hooks the
// messages of one control inside a skinned window (a framework control
// through its WindowProc, a foreign window through its window procedure)
// and paints it from the skin.
#pragma once

#include "framework/win32/win32_widgetset.h"

#include "framework/component.h"

class TSkinData;

namespace skin {

class TWinSkinForm;

class TSkinControl : public fw::TComponent {
 public:
  explicit TSkinControl(fw::TComponent* owner) : fw::TComponent(owner) {}
  ~TSkinControl() override;
  const char* ClassName() const override { return "TSkinControl"; }

  HWND Window() const { return window_; }
  bool Dead() const { return life_ == 6; }
  TWinSkinForm* Frame() const { return frame_; }
  // Re-applies the form colour (when used) and repaints.
  virtual void Refresh() {}

 protected:
  HWND window_ = nullptr;
  int life_ = 1;
  TWinSkinForm* frame_ = nullptr;
};

}  // namespace skin
