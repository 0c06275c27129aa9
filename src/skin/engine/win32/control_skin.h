// TSkinControl: the base of the control skins. A control skin hooks the
// messages of one control inside a skinned window (a framework control
// through its WindowProc, a foreign window through its window procedure),
// lets the control's own handler do everything it always did, and paints
// the control from the skin around or instead of the system's painting.
#pragma once

#include "framework/win32/win32_widgetset.h"

#include <memory>
#include <string>

#include "framework/component.h"
#include "framework/controls.h"
#include "skin/engine/win32/subclass.h"

class TSkinData;

namespace skin {

class TSkinControl;

// Whoever keeps a window's control skins: a skin enters when it attaches
// and leaves when it is freed, by whoever frees it.
class TControlSkinKeeper {
 public:
  // Adds once; answers whether it was already there.
  virtual bool Register(TSkinControl* c) = 0;
  virtual void Unregister(TSkinControl* c) = 0;

 protected:
  ~TControlSkinKeeper() = default;
};

class TSkinControl : public fw::TComponent {
 public:
  // The component owner is the control skinned (or, for a foreign window,
  // the frame object).
  explicit TSkinControl(fw::TComponent* owner);
  ~TSkinControl() override;
  const char* ClassName() const override { return "TSkinControl"; }

  // A framework control: its WindowProc is saved and replaced.
  virtual void Attach(TControlSkinKeeper& list, TSkinData& data, bool use_form_colour, fw::TControl& control);
  // A foreign window: its window procedure is replaced.
  virtual void AttachHandle(HWND w, TSkinData& data, TControlSkinKeeper& list);
  // Gives back the control's background settings and colour.
  virtual void RestoreColours();
  // Re-applies the form colour (when used) and repaints.
  virtual void Refresh();
  virtual bool IsSkinned() const { return true; }

  HWND Window() const { return window_; }
  fw::TControl* Control() const { return control_; }
  // Its window is gone (destroyed through the skin, or a framework
  // control's window destroyed or made anew behind it).
  bool Dead() const;
  bool SkinEnabled() const { return skin_enabled_; }
  // While its message handler runs the skin must not be freed.
  bool InUse() const { return busy_ > 0; }

  // The skin of a window, if it has one.
  static TSkinControl* Of(HWND w);

 protected:
  // Before the control's own handler; false: the message is done.
  virtual bool BeforeMessage(fw::TMessage& m);
  // After the control's own handler.
  virtual void AfterMessage(fw::TMessage& m);
  // Paints the control on dc (its window DC when none).
  virtual void PaintWindow(HDC dc);
  // Answers WM_PAINT by painting the whole control: on the device context
  // the message brings, or between BeginPaint and EndPaint.
  void AnswerPaint(fw::TMessage& m);
  // Paints the control on dc, r being the window at the origin.
  virtual void Draw(HDC dc, const RECT& r) {
    (void)dc;
    (void)r;
  }
  // The control's own handling of a message.
  void CallOwn(fw::TMessage& m);
  // Invalidates and, for a foreign window, updates at once.
  void Repaint();
  // Refreshes the focused, enabled and caption facts before painting.
  void ReadState();
  // The skin's form colour.
  fw::TColor FormColour() const;
  // The control's font (the window's own font for a foreign window).
  fw::TFont ControlFont() const;
  // Paints the finished bitmap on dc; exclude (when not empty) is left
  // alone.
  void Put(HDC dc, const fw::TBitmap& bmp, const fw::TRect& exclude = {});
  // The control paints the parent's background behind itself (its Tag is
  // kTransparentTag, or the skin has the transparent option).
  static constexpr intptr_t kTransparentTag = 5555;
  bool TransparentMode() const;
  // What the parent shows behind the control.
  fw::TBitmap ParentBackground() const;

  enum MouseBits : uint8_t { kHot = 1, kPressed = 2 };
  uint8_t mouse_ = 0;
  bool focused_ = false;
  bool enabled_ = true;
  std::wstring caption_;
  bool unicode_ = false;
  TSkinData* data_ = nullptr;
  HWND window_ = nullptr;
  fw::TControl* control_ = nullptr;
  RECT window_rect_{};
  bool use_form_colour_ = false;
  bool attached_ = false;
  // The skin's life: attached, or its window destroyed (the frame drops
  // it at its next purge).
  enum Life : int { kLifeAttached = 1, kLifeWindowGone = 6 };
  int life_ = kLifeAttached;
  TControlSkinKeeper* list_ = nullptr;  // the window's control skins, this one among them
  int variant_ = 0;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
  void HandleMessage(fw::TMessage& m);
  void Unhook();

  TWindowSubclass subclass_;  // a foreign window's procedure
  fw::TWndMethod saved_window_proc_;
  bool window_proc_hooked_ = false;
  bool skin_enabled_ = true;
  fw::TColor saved_colour_ = 0;
  bool colour_saved_ = false;
  bool parent_background_switched_ = false;
  int busy_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
